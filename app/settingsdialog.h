#pragma once

#include "core/db/mapsettings.h"

#include <QDialog>
#include <QList>

class IOptionsPage;
class IView;
class IViewSettingsPage;
class QTreeWidget;
class QTreeWidgetItem;
class QStackedWidget;

// The terminal's settings: the pages listed by category beside the page shown, OK / Apply / Cancel. The pages
// are the terminal's own (colours) and those of the window in use, listed under the window's title, which edit
// that window's state: applying them restores the window from the edited state.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    // `view` may be null (no window in use); it must outlive the dialog.
    SettingsDialog(const QList<IOptionsPage*>& pages, IView* view, QWidget* parent = nullptr);
    ~SettingsDialog() override;

    int pageCount() const;
    QString pageTitle(int page) const;
    void showPage(int page);
    // Every page takes over what was set on it.
    void apply();

private:
    void addPage(const QString& category, const QIcon& icon, const QString& title, QWidget* page);
    void onCurrentItemChanged(QTreeWidgetItem* item);

    QTreeWidget* m_list;
    QList<QTreeWidgetItem*> m_items; // the pages' items, in page order
    QStackedWidget* m_stack;
    QList<IOptionsPage*> m_pages; // not owned
    IView* m_view; // not owned
    QList<IViewSettingsPage*> m_viewPages; // children of the dialog
    MapSettings m_viewState; // what the window's pages edit
    MapSettings m_appliedState; // the pages' state as last applied (or as they opened)
};
