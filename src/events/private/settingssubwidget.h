#pragma once

#include <QByteArray>
#include <QPointer>
#include <QWidget>

class QGridLayout;
class Settings;

// A widget of the view's own that an alert page shows under its controls: the page restores it with its restore
// slot and applies it with its apply slot, each called by name with the settings (`restore(const Settings&)`,
// `apply(Settings&)`).
//
// Ownership: the page takes over a widget without a parent. Once shown it belongs to the page's widget and goes
// with it (so a second createPage of the same page shows none); when never shown it goes with the page. A view
// that wants to reach it later holds a QPointer, and never deletes it. A widget that has a parent stays its
// parent's.
class SettingsSubWidget
{
public:
    SettingsSubWidget() = default;
    ~SettingsSubWidget();
    void set(QWidget* widget, const char* restoreSlot, const char* applySlot);
    // Adds the widget as a new last row of `layout`, spanning every column, and restores it from `settings`.
    void place(QGridLayout* layout, const Settings& settings) const;
    void apply(Settings& settings) const;

private:
    Q_DISABLE_COPY(SettingsSubWidget)
    void dropUnplaced();

    QPointer<QWidget> m_widget;
    QByteArray m_restoreSlot;
    QByteArray m_applySlot;
};
