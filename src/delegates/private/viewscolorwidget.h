#pragma once

#include "basic_views_export.h"
#include "delegates/viewscolormanager.h"

#include <QWidget>

#include <memory>

namespace Ui {
class ViewsColorWidget;
}

// Edits the colours of one window kind: a list of the meanings, and the background and selection colour of the
// current one. Nothing reaches the manager until the page applies it.
class BASIC_VIEWS_EXPORT ViewsColorWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ViewsColorWidget(QWidget* parent = nullptr);
    ~ViewsColorWidget() override;

    void setView(ViewsColorManager::View view) { m_view = view; }
    ViewsColorManager::View view() const { return m_view; }
    QList<ViewsColorManager::Color> colors() const { return m_colors; }
    // Lists a colour with the manager's current background and selection colours.
    void addColor(ViewsColorManager::Color color);
    // The colour the widget holds for the entry; invalid when the entry is not listed.
    QColor color(ViewsColorManager::Role role, ViewsColorManager::Color color) const;

public Q_SLOTS:
    void rowChanged(int row);
    void onColorChanged(const QColor& color);
    void reset();

private:
    void showItemColors(int row);

    std::unique_ptr<Ui::ViewsColorWidget> m_ui;
    ViewsColorManager::View m_view = ViewsColorManager::Orders;
    QList<ViewsColorManager::Color> m_colors;
    bool m_showing = false;
};
