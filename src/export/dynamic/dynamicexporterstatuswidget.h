#pragma once

#include "basic_views_export.h"

#include <QLabel>
#include <QScopedPointer>

class DynamicExporterStatusWidgetPrivate;

// The status-bar icon of the dynamic exports: shown while any runs; a click opens their manager.
class BASIC_VIEWS_EXPORT DynamicExporterStatusWidget : public QLabel
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, DynamicExporterStatusWidget)
public:
    explicit DynamicExporterStatusWidget(QWidget* parent = nullptr);
    ~DynamicExporterStatusWidget() override;

    // Opens the manager under the icon; null when no export runs.
    QWidget* openManager();

protected Q_SLOTS:
    void modelChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    // A language change names the tooltip again.
    void changeEvent(QEvent* event) override;

private:
    QScopedPointer<DynamicExporterStatusWidgetPrivate> m_d;
};
