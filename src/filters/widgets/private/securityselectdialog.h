#pragma once

#include "basic_views_export.h"

#include <QDialog>

class QLineEdit;
class QListView;
class QStandardItemModel;
class RankedMatchesModel;

// Picks one instrument of the host's "securities" table: a list of codes and names narrowed as the user types, the
// best match first and current (the instrument whose code is the typed text before those whose codes hold it).
// Each item carries the instrument's text id for Qt::UserRole.
class BASIC_VIEWS_EXPORT SecuritySelectDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SecuritySelectDialog(QWidget* parent = nullptr);
    // Empty until an instrument is chosen.
    QString selectedTextId() const;

private:
    QStandardItemModel* m_items;
    RankedMatchesModel* m_shown = nullptr;
    QLineEdit* m_search;
    QListView* m_list;
};
