#include "export/dynamic/private/dynamicexportersetupdialog.h"

#include "core/host/widgets/movewidgetrelatively.h"
#include "export/dynamic/dynamicexporter.h"
#include "export/dynamic/private/dynamicexportermodel.h"
#include "export/fileexporter.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

// Windows named under the conflict warning; more are summed up as "...".
const int MaxConflictsShown = 10;

QString warning(const QString& message)
{
    return QStringLiteral("<font color=\"red\"><b>%1</b>&nbsp;%2</font>")
        .arg(DynamicExporterSetupDialog::tr("Внимание!"), message);
}

} // namespace

DynamicExporterSetupDialog::DynamicExporterSetupDialog(QWidget* parent)
    : QDialog(parent)
    , m_file(new QLineEdit(this))
    , m_interval(new QSpinBox(this))
    , m_warning(new QLabel(this))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(tr("Динамический экспорт: ") + (parent ? parent->windowTitle() : QString()));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Файл:"), this), 0, 0);
    m_file->setMinimumWidth(480);
    grid->addWidget(m_file, 0, 1);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(new QLabel(tr("Интервал:"), this), 1, 0);
    m_interval->setRange(1, DynamicExporter::MaxInterval / 60);
    m_interval->setValue(5);
    grid->addWidget(m_interval, 1, 1);
    grid->addWidget(new QLabel(tr("минут"), this), 1, 2);
    m_warning->setTextFormat(Qt::RichText);
    m_warning->setWordWrap(true);
    m_warning->hide();
    grid->addWidget(m_warning, 2, 0, 1, 3);
    grid->addWidget(m_buttons, 3, 0, 1, 3);

    connect(m_file, &QLineEdit::textChanged, this, &DynamicExporterSetupDialog::validateFileName);
    connect(browse, &QPushButton::clicked, this, &DynamicExporterSetupDialog::onBrowse);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    validateFileName();
}

QString DynamicExporterSetupDialog::fileName() const
{
    return m_file->text();
}

void DynamicExporterSetupDialog::setFileName(const QString& fileName)
{
    m_file->setText(fileName);
    validateFileName(); // also for a text equal to the current one
}

int DynamicExporterSetupDialog::minutes() const
{
    return m_interval->value();
}

void DynamicExporterSetupDialog::setMinutes(int minutes)
{
    m_interval->setValue(minutes);
}

QString DynamicExporterSetupDialog::warningText() const
{
    return m_warning->isHidden() ? QString() : m_warning->text();
}

bool DynamicExporterSetupDialog::isAcceptable() const
{
    return m_buttons->button(QDialogButtonBox::Ok)->isEnabled();
}

void DynamicExporterSetupDialog::onBrowse()
{
    const QFileInfo chosen = FileExporter::instance()->askExportFile(windowTitle(), QString());
    if (!chosen.filePath().isEmpty())
        m_file->setText(chosen.filePath());
}

void DynamicExporterSetupDialog::validateFileName()
{
    const QString text = m_file->text();
    const QFileInfo entered(text);
    QStringList warnings;

    QStringList conflicts;
    int conflicting = 0;
    if (!text.isEmpty()) {
        for (const DynamicExporter* exporter : DynamicExporterModel::instance()->exporters()) {
            if (QFileInfo(exporter->fileName()).absoluteFilePath() != entered.absoluteFilePath())
                continue;
            if (++conflicting <= MaxConflictsShown)
                conflicts << exporter->title().toHtmlEscaped();
        }
    }
    if (conflicting > 0) {
        if (conflicting > MaxConflictsShown)
            conflicts << QStringLiteral("...");
        conflicts.prepend(tr("Указанный файл уже применяется для динамического экспорта в следующих окнах:"));
        warnings << warning(conflicts.join(QStringLiteral("<br>")));
    }

    const bool known = !text.isEmpty() && FileExporter::instance()->handler(entered.suffix().toUtf8());
    if (!known)
        warnings << warning(
            text.isEmpty() ? tr("Не указано имя файла!") : tr("Указано некорректное расширение файла!"));

    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(known);
    m_warning->setText(warnings.join(QStringLiteral("<br>")));
    m_warning->setVisible(!warnings.isEmpty());
}

void DynamicExporterSetupDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (parentWidget())
        moveWidgetRelatively(this, parentWidget(), Qt::AlignCenter);
    raise();
    activateWindow();
}
