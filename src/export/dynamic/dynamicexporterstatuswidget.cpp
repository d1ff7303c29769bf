#include "export/dynamic/dynamicexporterstatuswidget.h"
#include "export/dynamic/private/dynamicexporterstatuswidget_p.h"

#include "core/host/widgets/movewidgetrelatively.h"
#include "export/dynamic/private/dynamicexportermanagerdialog.h"
#include "export/dynamic/private/dynamicexportermodel.h"

#include <QEvent>
#include <QMouseEvent>

DynamicExporterStatusWidget::DynamicExporterStatusWidget(QWidget* parent)
    : QLabel(parent)
    , m_d(new DynamicExporterStatusWidgetPrivate)
{
    Q_D(DynamicExporterStatusWidget);
    d->icon = QStringLiteral(":/icons/export_scheduled_small.png");
    // The status bar keeps the icon's place, so that the other fields do not jump as exports come and go.
    setFixedSize(d->icon.size());
    DynamicExporterModel* model = DynamicExporterModel::instance();
    connect(model, &QAbstractItemModel::rowsInserted, this, &DynamicExporterStatusWidget::modelChanged);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &DynamicExporterStatusWidget::modelChanged);
    connect(model, &QAbstractItemModel::modelReset, this, &DynamicExporterStatusWidget::modelChanged);
    modelChanged();
}

DynamicExporterStatusWidget::~DynamicExporterStatusWidget() = default;

void DynamicExporterStatusWidget::modelChanged()
{
    Q_D(DynamicExporterStatusWidget);
    const bool running = DynamicExporterModel::instance()->rowCount() > 0;
    setToolTip(running ? tr("Динамический экспорт") : QString());
    if (running)
        setPixmap(d->icon);
    else
        clear();
}

void DynamicExporterStatusWidget::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        modelChanged();
}

QWidget* DynamicExporterStatusWidget::openManager()
{
    if (DynamicExporterModel::instance()->rowCount() == 0)
        return nullptr;
    auto* dialog = new DynamicExporterManagerDialog(this);
    moveWidgetRelatively(dialog, this, Qt::AlignRight | Qt::AlignBottom);
    // Over the icon's corner rather than beside it.
    const QPoint corner(width() - 1, height() - 1);
    dialog->move(dialog->pos() - 4 * corner);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

void DynamicExporterStatusWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && openManager())
        return;
    QLabel::mousePressEvent(event);
}
