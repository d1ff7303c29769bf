#include "export/csvhandlerimporter.h"

#include "export/csvhandler.h"
#include "export/importercolumnswizardpage.h"

#include <QCheckBox>
#include <QIODevice>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

int trailingQuotes(const QString& text)
{
    int n = 0;
    for (int i = text.size() - 1; i >= 0 && text.at(i) == QLatin1Char('"'); --i)
        ++n;
    return n;
}

int leadingQuotes(const QString& text)
{
    int n = 0;
    while (n < text.size() && text.at(n) == QLatin1Char('"'))
        ++n;
    return n;
}

const QString FirstLineIsHeader = QStringLiteral("FirstLineIsHeader");

// The UTF-8 size of a line, counted rather than encoded: the count runs once per line of a file that may hold
// millions. A surrogate pair counts 2 + 2.
qint64 utf8Size(const QString& text)
{
    qint64 bytes = text.size();
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u >= 0x80)
            bytes += u < 0x800 || QChar::isSurrogate(u) ? 1 : 2;
    }
    return bytes;
}

} // namespace

QByteArray CSVHandlerImporter::format() const
{
    return QByteArrayLiteral("csv");
}

QString CSVHandlerImporter::filterString() const
{
    return CSVHandler::filterName();
}

bool CSVHandlerImporter::begin(QIODevice* device, const QMap<QString, QVariant>& params)
{
    m_stream.setDevice(device);
    m_stream.setCodec("UTF-8");
    m_error.clear();
    m_read = 0;
    m_total = device ? device->size() : 0;
    if (params.value(FirstLineIsHeader).toBool()) {
        QStringList header;
        if (!decodeNext(header)) {
            if (m_error.isEmpty())
                m_error = tr("В файле нет строки заголовка");
            return false;
        }
    }
    return true;
}

void CSVHandlerImporter::setImportColumns(const QList<int>& columns)
{
    m_columns = columns;
}

bool CSVHandlerImporter::decodeNext(QStringList& fields)
{
    QString line;
    do {
        if (m_stream.atEnd())
            return false;
        line = m_stream.readLine();
        if (line.isNull())
            m_error = m_stream.device() ? m_stream.device()->errorString() : QString();
        if (!m_error.isEmpty())
            return false;
        m_read += utf8Size(line) + 1;
    } while (line.isEmpty());

    const QStringList pieces = line.split(QLatin1Char(';'));
    fields.clear();
    bool inside = false;
    for (QString piece : pieces) {
        if (inside) {
            const bool closes = trailingQuotes(piece) % 2 == 1;
            if (closes)
                piece.chop(1);
            fields.last() += QLatin1Char(';') + piece;
            inside = !closes;
            continue;
        }
        const int leading = leadingQuotes(piece);
        if (leading % 2 == 1) {
            piece.remove(0, 1);
            if (trailingQuotes(piece) % 2 == 1)
                piece.chop(1);
            else
                inside = true;
        } else if (leading > 0 && leading == piece.size()) {
            piece.chop(2);
        }
        fields << piece;
    }
    for (QString& field : fields)
        field.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return true;
}

bool CSVHandlerImporter::readNext(QList<QVariant>& values)
{
    QStringList fields;
    if (!decodeNext(fields))
        return false;
    values.clear();
    if (m_columns.isEmpty()) {
        for (const QString& field : qAsConst(fields))
            values << field;
        return true;
    }
    for (int column : qAsConst(m_columns)) {
        if (column < 0 || column >= fields.size()) {
            m_error = tr("Структура импортируемого файла не соответствует заданному сопоставлению столбцов");
            return false;
        }
        values << fields.at(column);
    }
    return true;
}

int CSVHandlerImporter::percentage() const
{
    if (m_total == 0 || m_read >= m_total)
        return 100;
    return int((m_read * 100 + m_total / 2) / m_total);
}

void CSVHandlerImporter::end()
{
    m_stream.setDevice(nullptr);
    m_columns.clear();
    m_error.clear();
    m_read = 0;
    m_total = 0;
}

QString CSVHandlerImporter::lastError() const
{
    return m_error;
}

QWidget* CSVHandlerImporter::createImporterUi(QIODevice* device, ImporterColumnsWizardPage* page) const
{
    return new CSVHandlerImporterWidget(device, page, page);
}

QMap<QString, QVariant> CSVHandlerImporter::paramsFromUi(const QWidget* panel)
{
    const auto* widget = qobject_cast<const CSVHandlerImporterWidget*>(panel);
    if (!widget)
        return {};
    return { { FirstLineIsHeader, widget->firstLineIsHeader() } };
}

CSVHandlerImporterWidget::CSVHandlerImporterWidget(QIODevice* device, ImporterColumnsWizardPage* page, QWidget* parent)
    : QWidget(parent)
    , m_device(device)
    , m_page(page)
    , m_header(new QCheckBox(tr("Первая строка содержит заголовок"), this))
{
    m_header->setChecked(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_header);
    connect(m_header, &QCheckBox::stateChanged, this, &CSVHandlerImporterWidget::updatePageData);
    updatePageData();
}

bool CSVHandlerImporterWidget::firstLineIsHeader() const
{
    return m_header->isChecked();
}

void CSVHandlerImporterWidget::updatePageData()
{
    if (!m_device || !m_device->seek(0))
        return;
    QTableWidget* table = m_page ? m_page->previewTable() : nullptr;
    if (!table)
        return;
    CSVHandlerImporter reader;
    reader.begin(m_device, {});
    table->clear();
    table->setRowCount(0);
    table->setColumnCount(0);
    QStringList header;
    QList<QVariant> values;
    if (m_header->isChecked() && reader.readNext(values)) {
        for (const QVariant& v : qAsConst(values))
            header << v.toString();
    }
    for (int row = 0; row < 10 && reader.readNext(values); ++row) {
        // A shorter record leaves the columns of longer ones in place, so that no preview column loses its combo.
        table->setColumnCount(qMax(table->columnCount(), values.size()));
        table->insertRow(row);
        for (int column = 0; column < values.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(values.at(column).toString()));
    }
    reader.end();
    if (header.isEmpty())
        return;
    table->setColumnCount(qMax(table->columnCount(), header.size()));
    table->setHorizontalHeaderLabels(header);
    for (int column = 0; column < header.size(); ++column) {
        const QString target = m_page->targetByText(header.at(column));
        if (!target.isEmpty())
            m_page->selectTarget(column, target);
    }
}
