#include "core/host/selectors/accountselectorbox.h"

#include "core/host/directories/accountdirectory.h"

#include <QEvent>
#include <QLineEdit>

AccountSelectorBox::AccountSelectorBox(QWidget* parent)
    : CompletingSelectorBox(parent)
{
    retranslate();
    connect(AccountDirectory::i(), &TableDirectory::dataChanged, this, &AccountSelectorBox::reload);
    connect(this, &CompletingSelectorBox::currentIdChanged, this, &AccountSelectorBox::changedAccount);
    reload();
}

void AccountSelectorBox::setFirmsOffered(bool offered)
{
    if (offered == m_firms)
        return;
    m_firms = offered;
    retranslate();
    reload();
}

void AccountSelectorBox::retranslate()
{
    setToolTip(
        m_firms ? tr("Счёт клиента (7 знаков) или код брокерской фирмы (4 знака)") : tr("Счёт клиента (7 знаков)"));
    lineEdit()->setPlaceholderText(m_firms ? tr("Счёт или фирма") : tr("Счёт клиента"));
}

void AccountSelectorBox::changeEvent(QEvent* event)
{
    CompletingSelectorBox::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

bool AccountSelectorBox::setAccount(const QString& code)
{
    if (code.trimmed().isEmpty()) {
        setCurrentIndex(-1);
        return true;
    }
    return setCurrentCode(code.trimmed());
}

QString AccountSelectorBox::unknownText(const QString& text) const
{
    return tr("Счёт «%1» не найден").arg(text);
}

void AccountSelectorBox::reload()
{
    const AccountDirectory* directory = AccountDirectory::i();
    QVector<CodeNameListModel::Entry> list;
    if (m_firms) {
        for (const QString& firm : directory->firms())
            list.append({ firm, tr("фирма"), firm });
    }
    for (const QString& client : directory->clients())
        list.append({ client, tr("клиент"), client });
    setEntries(list);
}
