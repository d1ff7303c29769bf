#include "core/host/selectors/completingselectorbox.h"

#include "core/host/editors/refusaltip.h"
#include "core/host/widgets/elidecomboboxlistview.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QCompleter>
#include <QLineEdit>

CompletingSelectorBox::CompletingSelectorBox(QWidget* parent)
    : ComboBox(parent)
    , m_entries(new CodeNameListModel(this))
    , m_completer(new QCompleter(this))
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    auto* view = new ElideComboBoxListView(this);
    view->setAutoWidth(true);
    setModel(m_entries);
    setModelColumn(CodeNameListModel::SearchColumn);
    // The completer searches codes and names anywhere in the text; its list is one row per match.
    m_completer->setModel(m_entries);
    m_completer->setCompletionColumn(CodeNameListModel::SearchColumn);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setFilterMode(Qt::MatchContains);
    m_completer->setCompletionMode(QCompleter::PopupCompletion);
    m_completer->setMaxVisibleItems(15);
    setCompleter(m_completer);
    // QComboBox connects the completer to its own handling; ours resolves the pick to an entry.
    disconnect(m_completer, QOverload<const QModelIndex&>::of(&QCompleter::activated), this, nullptr);
    connect(m_completer, QOverload<const QModelIndex&>::of(&QCompleter::activated), this,
        &CompletingSelectorBox::onCompleterActivated);
    connect(lineEdit(), &QLineEdit::editingFinished, this, &CompletingSelectorBox::onEditingFinished);
    connect(qApp, &QApplication::focusChanged, this, &CompletingSelectorBox::onFocusChanged);
    connect(
        this, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &CompletingSelectorBox::onCurrentIndexChanged);
    setCurrentIndex(-1);
}

CompletingSelectorBox::~CompletingSelectorBox()
{
    disconnect(qApp, &QApplication::focusChanged, this, &CompletingSelectorBox::onFocusChanged);
}

void CompletingSelectorBox::setEntries(const QVector<CodeNameListModel::Entry>& entries)
{
    const QString keep = m_lastId;
    {
        const QSignalBlocker block(this);
        m_entries->setEntries(entries);
        setCurrentIndex(m_entries->rowOfId(keep));
    }
    onCurrentIndexChanged(currentIndex());
}

QString CompletingSelectorBox::currentId() const
{
    return currentIndex() < 0 ? QString() : m_entries->entry(currentIndex()).id;
}

bool CompletingSelectorBox::setCurrentId(const QString& id)
{
    const int row = m_entries->rowOfId(id);
    if (row < 0)
        return false;
    setCurrentIndex(row);
    return true;
}

bool CompletingSelectorBox::setCurrentCode(const QString& code)
{
    const int row = m_entries->rowOfCode(code);
    if (row < 0) {
        const QString reason = unknownText(code.trimmed());
        restoreText();
        showRefusalTip(this, reason);
        Q_EMIT refused(reason);
        return false;
    }
    setCurrentIndex(row);
    restoreText();
    return true;
}

QString CompletingSelectorBox::unknownText(const QString& text) const
{
    return tr("«%1» нет в списке").arg(text);
}

// Typed text is taken when it is an entry's code or its whole shown text, or when only one entry matches.
void CompletingSelectorBox::onEditingFinished()
{
    const QString text = lineEdit()->text().trimmed();
    if (currentIndex() >= 0 && text == itemText(currentIndex()))
        return;
    if (text.isEmpty()) {
        restoreText();
        return;
    }
    int row = m_entries->rowOfCode(text);
    if (row < 0)
        row = findText(text, Qt::MatchFixedString);
    if (row < 0) {
        m_completer->setCompletionPrefix(text);
        if (m_completer->completionCount() == 1) {
            const auto* proxy = qobject_cast<QAbstractProxyModel*>(m_completer->completionModel());
            const QModelIndex only = m_completer->completionModel()->index(0, 0);
            row = proxy ? proxy->mapToSource(only).row() : -1;
        }
    }
    if (row < 0) {
        setCurrentCode(text);
        return;
    }
    setCurrentIndex(row);
    restoreText();
}

void CompletingSelectorBox::onFocusChanged(QWidget* old, QWidget* now)
{
    const auto inside = [this](const QWidget* w) {
        return w && (w == this || isAncestorOf(w) || (m_completer->popup() && w == m_completer->popup()));
    };
    if (inside(old) && !inside(now) && isEnabled())
        onEditingFinished();
}

void CompletingSelectorBox::onCompleterActivated(const QModelIndex& index)
{
    const int row = m_entries->rowOfId(index.data(Qt::UserRole).toString());
    if (row >= 0)
        setCurrentIndex(row);
    restoreText();
}

void CompletingSelectorBox::onCurrentIndexChanged(int row)
{
    const QString id = row < 0 ? QString() : m_entries->entry(row).id;
    if (id == m_lastId)
        return;
    m_lastId = id;
    Q_EMIT currentIdChanged(id);
}

void CompletingSelectorBox::restoreText()
{
    lineEdit()->setText(currentIndex() < 0 ? QString() : itemText(currentIndex()));
}
