#include "export/dynamic/private/dynamicexportermanagerdialog.h"

#include "core/db/appsettings.h"
#include "core/host/iwindowmanager.h"
#include "export/dynamic/dynamicexporter.h"
#include "export/dynamic/private/dynamicexportermodel.h"
#include "views/iview.h"
#include "views/qtablefastview.h"

#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QMenu>
#include <QVBoxLayout>

namespace {

const QString Group = QStringLiteral("Application/DynamicExporterWidget");
const QString SizeKey = QStringLiteral("size");

} // namespace

DynamicExporterManagerDialog::DynamicExporterManagerDialog(QWidget* parent)
    : QDialog(parent)
    , m_view(new QTableFastView(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    retranslate();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    DynamicExporterModel* model = DynamicExporterModel::instance();
    m_view->setModel(model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QAbstractItemView::activated, this, &DynamicExporterManagerDialog::activateView);
    connect(m_view, &QWidget::customContextMenuRequested, this, &DynamicExporterManagerDialog::onContextMenu);
    // New rows widen the columns they need.
    connect(model, &QAbstractItemModel::rowsInserted, this, &DynamicExporterManagerDialog::fitColumns);
    connect(qApp, &QApplication::focusChanged, this, &DynamicExporterManagerDialog::onFocusChanged);

    AppSettings settings { QString() };
    settings.beginGroup(Group);
    const QSize size = settings.value(SizeKey).toSize();
    resize(size.isValid() && !size.isEmpty() ? size : QSize(640, 200));
}

DynamicExporterManagerDialog::~DynamicExporterManagerDialog()
{
    AppSettings settings { QString() };
    settings.beginGroup(Group);
    settings.setValue(SizeKey, size());
}

void DynamicExporterManagerDialog::retranslate()
{
    setWindowTitle(tr("Динамический экспорт"));
}

void DynamicExporterManagerDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void DynamicExporterManagerDialog::fitColumns()
{
    m_view->resizeColumnsToContents();
}

void DynamicExporterManagerDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The view measures the rows it shows, which it knows only once laid out.
    fitColumns();
}

void DynamicExporterManagerDialog::activateView(const QModelIndex& index)
{
    const DynamicExporter* exporter = DynamicExporterModel::instance()->exporter(index.row());
    IWindowManager* windows = IWindowManager::instance();
    if (exporter && windows)
        windows->activateView(dynamic_cast<QWidget*>(exporter->view()));
}

void DynamicExporterManagerDialog::stopExport(const QModelIndex& index)
{
    if (DynamicExporter* exporter = DynamicExporterModel::instance()->exporter(index.row()))
        exporter->stop();
}

void DynamicExporterManagerDialog::onContextMenu(const QPoint& at)
{
    const QModelIndex index = m_view->indexAt(at);
    if (!index.isValid())
        return;
    const QPersistentModelIndex row(index);
    QMenu menu(this);
    connect(menu.addAction(tr("Перейти к окну")), &QAction::triggered, this, [this, row] { activateView(row); });
    connect(menu.addAction(tr("Прекратить динамический экспорт")), &QAction::triggered, this,
        [this, row] { stopExport(row); });
    menu.exec(m_view->viewport()->mapToGlobal(at));
}

void DynamicExporterManagerDialog::onFocusChanged(QWidget*, QWidget* now)
{
    // A menu of the dialog takes the focus without leaving it.
    if (now && !isAncestorOf(now) && now != this && now->window() != this && !qobject_cast<QMenu*>(now))
        close();
}
