#pragma once

#include <QByteArray>
#include <QPointer>
#include <QWidget>

class QGridLayout;
class Settings;

// A widget of the view's own that an alert page shows under its controls: the page restores it with its restore
// slot and applies it with its apply slot, each called by name with the settings (`restore(const Settings&)`,
// `apply(Settings&)`). The page's widget takes it over once shown.
class SettingsSubWidget
{
public:
    void set(QWidget* widget, const char* restoreSlot, const char* applySlot);
    // Adds the widget as a new last row of `layout`, spanning every column, and restores it from `settings`.
    void place(QGridLayout* layout, const Settings& settings) const;
    void apply(Settings& settings) const;

private:
    QPointer<QWidget> m_widget;
    QByteArray m_restoreSlot;
    QByteArray m_applySlot;
};
