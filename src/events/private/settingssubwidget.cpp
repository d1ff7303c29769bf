#include "events/private/settingssubwidget.h"

#include "core/db/guilog.h"
#include "core/db/settings.h"

#include <QGridLayout>

namespace {

template<typename Arg>
void call(QWidget* widget, const QByteArray& slot, Arg arg)
{
    if (!widget || slot.isEmpty())
        return;
    if (!QMetaObject::invokeMethod(widget, slot.constData(), Qt::DirectConnection, arg))
        qCWarning(QGuiLog) << "settings page: no slot" << slot << "taking settings in"
                           << widget->metaObject()->className();
}

} // namespace

SettingsSubWidget::~SettingsSubWidget()
{
    dropUnplaced();
}

void SettingsSubWidget::dropUnplaced()
{
    if (m_widget && !m_widget->parent())
        delete m_widget.data();
}

void SettingsSubWidget::set(QWidget* widget, const char* restoreSlot, const char* applySlot)
{
    if (widget != m_widget)
        dropUnplaced();
    m_widget = widget;
    m_restoreSlot = restoreSlot;
    m_applySlot = applySlot;
}

void SettingsSubWidget::place(QGridLayout* layout, const Settings& settings) const
{
    if (!m_widget)
        return;
    layout->addWidget(m_widget, layout->rowCount(), 0, 1, qMax(1, layout->columnCount()));
    call(m_widget, m_restoreSlot, Q_ARG(Settings, settings));
}

void SettingsSubWidget::apply(Settings& settings) const
{
    call(m_widget, m_applySlot, Q_ARG(Settings&, settings));
}
