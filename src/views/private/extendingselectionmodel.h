#pragma once

#include <QItemSelectionModel>

class QAbstractItemView;

// The selection model of the table views. A view extends a selection from its anchor (Shift with the arrows
// or a click) by selecting the range under QItemSelectionModel::Current, which Qt keeps apart from the rest and
// replaces with each step. But Qt merges that range into the rest whenever the model inserts rows, as a live table
// does many times a second: a later step that shrinks the range then leaves the merged rows selected. Here each
// step selects the rows selected before the extension began together with the new range, so the stream cannot
// make a step stick.
class ExtendingSelectionModel : public QItemSelectionModel
{
    Q_OBJECT
public:
    explicit ExtendingSelectionModel(QAbstractItemModel* model, QObject* parent = nullptr);

    // Replaces the selection model a view made for its model by one of these; the view's own is deleted.
    static void install(QAbstractItemView* view);

    using QItemSelectionModel::select;
    void select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) override;
    void clear() override;
    void reset() override;

private:
    void endExtension();

    // The rows selected before the running extension began; its ranges follow their rows.
    QItemSelection m_base;
    bool m_extending = false;
    bool m_selecting = false;
};
