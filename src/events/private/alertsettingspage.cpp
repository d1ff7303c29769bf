#include "events/private/alertsettingspage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

AlertSettingsPage::AlertSettingsPage(QObject* parent)
    : QObject(parent)
{ }

void AlertSettingsPage::setSubWidget(QWidget* widget, const char* restoreSlot, const char* applySlot)
{
    m_subWidget.set(widget, restoreSlot, applySlot);
}

void AlertSettingsPage::applySubWidget(Settings& settings) const
{
    m_subWidget.apply(settings);
}

QWidget* AlertSettingsPage::framePage(
    QGroupBox* group, QGridLayout* grid, const Settings& settings, QWidget* parent) const
{
    m_subWidget.place(grid, settings);
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch();
    return page;
}

QSpinBox* AlertSettingsPage::addDelay(QGridLayout* grid, int row, const QVariant& stored)
{
    QWidget* group = grid->parentWidget();
    auto* box = new QSpinBox(group);
    box->setRange(1, 999999999);
    box->setValue(stored.isValid() ? stored.toInt() : 10);
    grid->addWidget(new QLabel(tr("Задержка оповещения (секунд):"), group), row, 0);
    grid->addWidget(box, row, 1, 1, qMax(1, grid->columnCount() - 1));
    return box;
}
