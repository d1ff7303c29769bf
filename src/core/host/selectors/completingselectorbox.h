#pragma once

#include "core/host/selectors/codenamelistmodel.h"
#include "core/host/widgets/combobox.h"

class QCompleter;
class RankedMatchesModel;

// An editable selector over code-and-name entries: the user picks from the list or types a part of a code or
// name and picks a completion; the completions list an exact code or name first, then those starting with the
// text, then those holding it, and Enter takes the first. Typed text that is no entry's code is refused with the
// reason, and the box goes back to the entry it held; so the box always holds an entry or none.
class BV_HOST_EXPORT CompletingSelectorBox : public ComboBox
{
    Q_OBJECT
public:
    explicit CompletingSelectorBox(QWidget* parent = nullptr);
    // Stops following the application's focus before the widget part is gone (it clears its focus).
    ~CompletingSelectorBox() override;

    // Refills the entries, keeping the chosen one where it is still among them.
    void setEntries(const QVector<CodeNameListModel::Entry>& entries);
    CodeNameListModel* entries() const { return m_entries; }
    // The id of the chosen entry; invalid when none.
    QString currentId() const;
    // False, keeping the current entry, when no entry has the id.
    bool setCurrentId(const QString& id);
    // False, keeping the current entry and saying why, when no entry has the code.
    bool setCurrentCode(const QString& code);
    QCompleter* entryCompleter() const { return m_completer; }

Q_SIGNALS:
    void refused(const QString& reason);
    void currentIdChanged(const QString& id);

protected:
    // The refusal of a typed text that is no entry's code.
    virtual QString unknownText(const QString& text) const;

private:
    void onEditingFinished();
    // Leaving the box takes what was typed, even when the completion list had the keyboard: Tab with the list
    // open closes the list, and neither the box nor its line edit is told that editing ended.
    void onFocusChanged(QWidget* old, QWidget* now);
    void onCompleterActivated(const QModelIndex& index);
    void onCurrentIndexChanged(int row);
    void restoreText();

    CodeNameListModel* m_entries;
    RankedMatchesModel* m_matches; // the completer's list
    QCompleter* m_completer;
    QString m_lastId;
};
