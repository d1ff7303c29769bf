#pragma once

#include "basic_views_export.h"
#include "events/private/settingssubwidget.h"
#include "views/iviewsettingspage.h"

#include <QObject>

class QGridLayout;
class QGroupBox;
class QSpinBox;
class QVariant;

// What the visual and the sound alert pages share: one group of controls on the page, the delay editor, and a
// widget of the view's own that the page carries as the group's last row (see SettingsSubWidget).
class BASIC_VIEWS_EXPORT AlertSettingsPage : public QObject, public IViewSettingsPage
{
    Q_OBJECT
    Q_INTERFACES(IViewSettingsPage)
public:
    void finish() override { }
    // A widget of the view's own under the page's controls; the page takes over one without a parent (see
    // SettingsSubWidget).
    void setSubWidget(QWidget* widget, const char* restoreSlot, const char* applySlot);

protected:
    explicit AlertSettingsPage(QObject* parent);

    // The page's widget with `group` on top; the sub-widget joins the group's grid, restored from `settings`.
    QWidget* framePage(QGroupBox* group, QGridLayout* grid, const Settings& settings, QWidget* parent) const;
    // The delay editor in a row of the grid: seconds from 1 to 999,999,999, 10 until a stored value says otherwise.
    static QSpinBox* addDelay(QGridLayout* grid, int row, const QVariant& stored);
    void applySubWidget(Settings& settings) const;

private:
    SettingsSubWidget m_subWidget;
};
