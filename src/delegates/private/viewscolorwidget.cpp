#include "delegates/private/viewscolorwidget.h"

#include "ui_viewscolorwidget.h"

namespace {
// Item data roles holding the entry's colours.
const int BackgroundData = Qt::UserRole + ViewsColorManager::BackgroundRole;
const int SelectionData = Qt::UserRole + ViewsColorManager::SelectionRole;
const int ColorData = Qt::UserRole + 10;
} // namespace

ViewsColorWidget::ViewsColorWidget(QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::ViewsColorWidget>())
{
    m_ui->setupUi(this);
    connect(m_ui->listWidget, &QListWidget::currentRowChanged, this, &ViewsColorWidget::rowChanged);
    connect(m_ui->backgroundColor, &ColorButton::colorChanged, this, &ViewsColorWidget::onColorChanged);
    connect(m_ui->selectionColor, &ColorButton::colorChanged, this, &ViewsColorWidget::onColorChanged);
    connect(m_ui->resetButton, &QPushButton::clicked, this, &ViewsColorWidget::reset);
}

ViewsColorWidget::~ViewsColorWidget() = default;

void ViewsColorWidget::addColor(ViewsColorManager::Color color)
{
    const ViewsColorManager* manager = ViewsColorManager::instance();
    auto* item = new QListWidgetItem(ViewsColorManager::colorName(m_view, color));
    const QColor background = manager->color(m_view, ViewsColorManager::BackgroundRole, color);
    item->setData(BackgroundData, background);
    item->setData(SelectionData, manager->color(m_view, ViewsColorManager::SelectionRole, color));
    item->setData(ColorData, int(color));
    if (background.isValid())
        item->setBackground(background);
    m_colors << color;
    m_ui->listWidget->addItem(item);
    if (m_ui->listWidget->count() == 1)
        m_ui->listWidget->setCurrentRow(0);
}

QColor ViewsColorWidget::color(ViewsColorManager::Role role, ViewsColorManager::Color color) const
{
    const int row = m_colors.indexOf(color);
    if (row < 0 || (role != ViewsColorManager::BackgroundRole && role != ViewsColorManager::SelectionRole))
        return QColor();
    return m_ui->listWidget->item(row)->data(Qt::UserRole + role).value<QColor>();
}

void ViewsColorWidget::rowChanged(int row)
{
    showItemColors(row);
}

void ViewsColorWidget::showItemColors(int row)
{
    const QListWidgetItem* item = m_ui->listWidget->item(row);
    if (!item)
        return;
    // Showing an entry is not a change of it.
    m_showing = true;
    m_ui->backgroundColor->setColor(item->data(BackgroundData).value<QColor>());
    m_ui->selectionColor->setColor(item->data(SelectionData).value<QColor>());
    m_showing = false;
}

void ViewsColorWidget::onColorChanged(const QColor& color)
{
    QListWidgetItem* item = m_ui->listWidget->currentItem();
    if (m_showing || !item)
        return;
    if (sender() == m_ui->backgroundColor) {
        item->setData(BackgroundData, color);
        item->setBackground(color.isValid() ? QBrush(color) : QBrush());
    } else {
        item->setData(SelectionData, color);
    }
}

void ViewsColorWidget::reset()
{
    for (int row = 0; row < m_ui->listWidget->count(); ++row) {
        QListWidgetItem* item = m_ui->listWidget->item(row);
        const auto c = ViewsColorManager::Color(item->data(ColorData).toInt());
        const QColor background = ViewsColorManager::defaultColor(m_view, ViewsColorManager::BackgroundRole, c);
        item->setData(BackgroundData, background);
        item->setData(SelectionData, ViewsColorManager::defaultColor(m_view, ViewsColorManager::SelectionRole, c));
        item->setBackground(background.isValid() ? QBrush(background) : QBrush());
    }
    showItemColors(m_ui->listWidget->currentRow());
}
