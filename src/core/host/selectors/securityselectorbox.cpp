#include "core/host/selectors/securityselectorbox.h"

#include "core/host/directories/securitydirectory.h"

#include <QEvent>
#include <QLineEdit>

SecuritySelectorBox::SecuritySelectorBox(QWidget* parent)
    : CompletingSelectorBox(parent)
{
    lineEdit()->setPlaceholderText(tr("Код или название инструмента"));
    setToolTip(tr("Инструмент: начните вводить код или название"));
    connect(SecurityDirectory::i(), &TableDirectory::dataChanged, this, &SecuritySelectorBox::reload);
    connect(this, &CompletingSelectorBox::currentIdChanged, this,
        [this](const QString& id) { Q_EMIT securityChanged(SecurityKey::fromTextId(id)); });
    reload();
}

void SecuritySelectorBox::setStockId(int stock)
{
    if (stock == m_stock)
        return;
    m_stock = stock;
    reload();
}

void SecuritySelectorBox::setBoardId(int board)
{
    if (board == m_board)
        return;
    m_board = board;
    reload();
}

int SecuritySelectorBox::getBoardId() const
{
    const SecurityKey key = securityKey();
    return key.isValid() ? key.board : m_board;
}

bool SecuritySelectorBox::setSecurityId(qint64 sec)
{
    for (int row = 0; row < entries()->rowCount(); ++row) {
        const SecurityKey key = SecurityKey::fromTextId(entries()->entry(row).id);
        if (key.sec == sec && (m_board <= 0 || key.board == m_board)) {
            setCurrentIndex(row);
            return true;
        }
    }
    return false;
}

bool SecuritySelectorBox::setSecurityKey(const SecurityKey& key)
{
    return setCurrentId(key.textId());
}

qint64 SecuritySelectorBox::getSecurityId() const
{
    return securityKey().sec;
}

QString SecuritySelectorBox::getSecurityCode() const
{
    return currentIndex() < 0 ? QString() : entries()->entry(currentIndex()).code;
}

SecurityKey SecuritySelectorBox::securityKey() const
{
    return SecurityKey::fromTextId(currentId());
}

QString SecuritySelectorBox::unknownText(const QString& text) const
{
    return tr("Инструмент «%1» не найден").arg(text);
}

void SecuritySelectorBox::reload()
{
    const SecurityDirectory* directory = SecurityDirectory::i();
    const QList<SecurityKey> keys = m_stock > 0 ? directory->keys(m_stock, m_board) : QList<SecurityKey>();
    QVector<CodeNameListModel::Entry> list;
    list.reserve(keys.size());
    for (const SecurityKey& key : keys) {
        list.append({ directory->codeById(key.stock, key.board, key.sec),
            directory->nameById(key.stock, key.board, key.sec), key.textId() });
    }
    // Codes in alphabetical order, as a trader scans them.
    std::sort(list.begin(), list.end(), [](const CodeNameListModel::Entry& a, const CodeNameListModel::Entry& b) {
        return a.code.compare(b.code, Qt::CaseInsensitive) < 0;
    });
    setEntries(list);
}

void SecuritySelectorBox::changeEvent(QEvent* event)
{
    CompletingSelectorBox::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        lineEdit()->setPlaceholderText(tr("Код или название инструмента"));
}
