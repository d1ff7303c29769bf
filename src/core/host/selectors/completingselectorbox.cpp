#include "core/host/selectors/completingselectorbox.h"

#include "core/host/editors/refusaltip.h"
#include "core/host/selectors/rankedmatchesmodel.h"
#include "core/host/widgets/elidecomboboxlistview.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QLineEdit>
#include <QSortFilterProxyModel>

CompletingSelectorBox::CompletingSelectorBox(QWidget* parent)
    : ComboBox(parent)
    , m_entries(new CodeNameListModel(this))
    , m_matches(new RankedMatchesModel(
          m_entries,
          [entries = m_entries](int row) {
              const CodeNameListModel::Entry& e = entries->entry(row);
              return qMakePair(e.code, e.name);
          },
          this))
    , m_completer(new QCompleter(this))
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    auto* view = new ElideComboBoxListView(this);
    view->setAutoWidth(true);
    setModel(m_entries);
    setModelColumn(CodeNameListModel::SearchColumn);
    // The completer lists the entries holding the typed text, best first. Its own search (of a text held
    // anywhere) then finds the first of them and makes it current without selecting it, so the typing stays as
    // typed and Enter or Tab takes that best match.
    m_completer->setModel(m_matches);
    m_completer->setCompletionColumn(CodeNameListModel::SearchColumn);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setFilterMode(Qt::MatchContains);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setModelSorting(QCompleter::UnsortedModel);
    m_completer->setMaxVisibleItems(15);
    setCompleter(m_completer);
    // QComboBox connects the completer to its own handling; ours resolves the pick to an entry.
    disconnect(m_completer, QOverload<const QModelIndex&>::of(&QCompleter::activated), this, nullptr);
    connect(m_completer, QOverload<const QModelIndex&>::of(&QCompleter::activated), this,
        &CompletingSelectorBox::onCompleterActivated);
    connect(lineEdit(), &QLineEdit::editingFinished, this, &CompletingSelectorBox::onEditingFinished);
    // Ranked before the line edit hands the text to the completer.
    connect(lineEdit(), &QLineEdit::textEdited, m_matches, &RankedMatchesModel::setText);
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
    // Directories tell of every change of their tables; a list that stays the same must not disturb the typing.
    if (entries == m_entries->entries())
        return;
    const QString keep = m_lastId;
    // What the user is typing, and where, survive the new list.
    const bool typing = lineEdit()->hasFocus() && lineEdit()->isModified();
    const QString typed = lineEdit()->text();
    const int cursor = lineEdit()->cursorPosition();
    const bool completing = m_completer->popup() && m_completer->popup()->isVisible();
    {
        const QSignalBlocker block(this);
        m_entries->setEntries(entries);
        setCurrentIndex(m_entries->rowOfId(keep));
    }
    if (typing) {
        lineEdit()->setText(typed);
        lineEdit()->setCursorPosition(cursor);
        lineEdit()->setModified(true);
        if (completing) {
            m_completer->setCompletionPrefix(typed);
            m_completer->complete();
        }
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
    // With the list open on a match, the completer takes it as the key that ended the editing goes on to it.
    if (m_completer->popup()->isVisible() && m_completer->popup()->currentIndex().isValid())
        return;
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
        m_matches->setText(text);
        if (m_matches->rowCount() == 1)
            row = m_entries->rowOfId(m_matches->index(0, 0).data(Qt::UserRole).toString());
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
    if (!inside(old) || inside(now) || !isEnabled())
        return;
    // Leaving with the list open takes its current match, as Tab in the list does; the list goes with the focus.
    QAbstractItemView* list = m_completer->popup();
    if (list->isVisible()) {
        const QModelIndex current = list->currentIndex();
        list->hide();
        if (current.isValid()) {
            onCompleterActivated(current);
            return;
        }
    }
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
