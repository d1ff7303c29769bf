#pragma once

#include <QTime>
#include <QWidget>

class TableFastView;
class TableModel;
class TableWindow;

// "Снимок": a frozen copy of a table window's rows to read at leisure. The rows stay as they were taken while the
// live window moves on; each cell shows its record's current value, in the live window's columns (their order,
// widths and painters). The copy repaints every second, since nothing tells it of changes. It copies and exports
// like any table window and is not kept between runs.
class SnapshotWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SnapshotWindow(const TableWindow* source, QWidget* parent = nullptr);

    TableModel* model() const { return m_model; }
    TableFastView* view() const { return m_view; }

    // A snapshot of the window, opened beside it in its window area (or as a window of its own outside one).
    static SnapshotWindow* open(const TableWindow* source);

protected:
    // A language change names the window again.
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    TableModel* m_model;
    TableFastView* m_view;
    QString m_sourceTitle;
    QTime m_taken;
};
