#pragma once

#include "basic_views_export.h"

#include <QDialog>

class DynamicExporter;
class QTableFastView;

// The running dynamic exports: activating a row brings its window forward; the row's menu also stops the
// export. Closes itself when the focus leaves it; keeps its size in the application settings.
class BASIC_VIEWS_EXPORT DynamicExporterManagerDialog : public QDialog
{
    Q_OBJECT
public:
    explicit DynamicExporterManagerDialog(QWidget* parent = nullptr);
    ~DynamicExporterManagerDialog() override;

    QTableFastView* view() const { return m_view; }
    // Stops the export of a row when it runs.
    void stopExport(const QModelIndex& index);

protected Q_SLOTS:
    void activateView(const QModelIndex& index);

protected:
    void showEvent(QShowEvent* event) override;
    // A language change names the dialog again.
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void fitColumns();
    void onContextMenu(const QPoint& at);
    void onFocusChanged(QWidget* old, QWidget* now);

    QTableFastView* m_view;
};
