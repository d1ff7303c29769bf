#include "core/host/selectors/partnerselectorbox.h"

#include "core/host/directories/kvcodenamedirectory.h"

#include <QEvent>
#include <QLineEdit>

PartnerSelectorBox::PartnerSelectorBox(QWidget* parent)
    : CompletingSelectorBox(parent)
{
    lineEdit()->setPlaceholderText(tr("Код фирмы"));
    setToolTip(tr("Контрагент: код или название фирмы"));
    connect(KvRFDirectory::i(), &TableDirectory::dataChanged, this, &PartnerSelectorBox::reload);
    reload();
}

bool PartnerSelectorBox::setPartner(const QString& code)
{
    if (code.trimmed().isEmpty()) {
        setCurrentIndex(-1);
        return true;
    }
    return setCurrentCode(code);
}

QString PartnerSelectorBox::unknownText(const QString& text) const
{
    return tr("Фирма «%1» не найдена").arg(text);
}

void PartnerSelectorBox::reload()
{
    const KvRFDirectory* directory = KvRFDirectory::i();
    QStringList codes = directory->codes();
    codes.sort(Qt::CaseInsensitive);
    QVector<CodeNameListModel::Entry> list;
    list.reserve(codes.size());
    for (const QString& code : qAsConst(codes))
        list.append({ code, directory->nameByCode(code), code });
    setEntries(list);
}

void PartnerSelectorBox::changeEvent(QEvent* event)
{
    CompletingSelectorBox::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        lineEdit()->setPlaceholderText(tr("Код фирмы"));
}
