#pragma once

#include "windows/tablefastview.h"

#include <QScopedPointer>

class FrozenRowViewPrivate;

// Rows pinned under another fast view (totals, a summary): it takes the main view's bottom viewport margin,
// follows its columns (widths, order, hidden ones) and its horizontal scrolling, and draws a delimiter line
// above itself under the columns. Deleting it gives the margin back.
class BASIC_VIEWS_EXPORT FrozenRowView : public TableFastView
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, FrozenRowView)
public:
    // A child of the main view.
    explicit FrozenRowView(QTableFastView* mainView);
    ~FrozenRowView() override;

    QTableFastView* mainView() const;
    int rowCount() const;
    void setRowCount(int count);
    int delimeterWidth() const;
    void setDelimeterWidth(int width);

    // The model's columns are laid out as the main view's.
    void setModel(QAbstractItemModel* model) override;

public Q_SLOTS:
    void recalcGeometry();

protected:
    void adjustViewportMargins() override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private Q_SLOTS:
    void headerSectionResized(int logical, int oldSize, int newSize);
    void headerSectionMoved(int logical, int oldVisual, int newVisual);
    void headerRestoreState();

private:
    void paintDelimiter();
    void followMainScrollBar();

    QScopedPointer<FrozenRowViewPrivate> m_d;
};
