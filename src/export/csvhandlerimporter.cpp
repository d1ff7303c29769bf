#include "export/csvhandlerimporter.h"

#include "export/csvhandler.h"
#include "export/importercolumnswizardpage.h"

#include <QCheckBox>
#include <QIODevice>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString FirstLineIsHeader = QStringLiteral("FirstLineIsHeader");

int quotesBefore(const QChar* text, int from, int to)
{
    int n = 0;
    while (n < to - from && text[to - 1 - n] == QLatin1Char('"'))
        ++n;
    return n;
}

int quotesAfter(const QChar* text, int from, int to)
{
    int n = 0;
    while (from + n < to && text[from + n] == QLatin1Char('"'))
        ++n;
    return n;
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

bool CSVHandlerImporter::decodeLine()
{
    do {
        if (m_stream.atEnd())
            return false;
        if (!m_stream.readLineInto(&m_line))
            m_error = m_stream.device() ? m_stream.device()->errorString() : QString();
        if (!m_error.isEmpty())
            return false;
        ++m_read; // the line end
    } while (m_line.isEmpty());

    // One pass splits at ";", joins the quoted pieces again and counts the line's UTF-8 bytes. A joined field is
    // one stretch of the line, since the ";" between its pieces belongs to it.
    const QChar* text = m_line.constData();
    const int size = m_line.size();
    m_fields.clear();
    qint64 bytes = size;
    bool inside = false;
    bool quote = false;
    int from = 0;
    for (int i = 0; i <= size; ++i) {
        if (i < size) {
            const ushort u = text[i].unicode();
            if (u >= 0x80) // a surrogate pair counts 2 + 2
                bytes += u < 0x800 || QChar::isSurrogate(u) ? 1 : 2;
            quote = quote || u == '"';
            if (u != ';')
                continue;
        }
        const int closing = quotesBefore(text, from, i);
        if (inside) {
            Piece& field = m_fields.last();
            field.quotes = field.quotes || quote;
            inside = closing % 2 == 0;
            field.to = inside ? i : i - 1;
        } else {
            const int opening = quotesAfter(text, from, i);
            if (opening % 2 == 1) {
                const bool closes = qMin(closing, i - from - 1) % 2 == 1;
                m_fields.append({ from + 1, closes ? i - 1 : i, true });
                inside = !closes;
            } else if (opening > 0 && opening == i - from) {
                m_fields.append({ from, i - 2, true });
            } else {
                m_fields.append({ from, i, quote });
            }
        }
        quote = false;
        from = i + 1;
    }
    m_read += bytes;
    return true;
}

void CSVHandlerImporter::fieldText(QString& out, int index) const
{
    const Piece& piece = m_fields.at(index);
    const int length = piece.to - piece.from;
    const QChar* from = m_line.constData() + piece.from;
    if (length <= 0) {
        out.truncate(0);
    } else if (!piece.quotes) {
        out.setUnicode(from, length);
    } else {
        // Each pair of quotes becomes one, left to right.
        out.resize(length);
        QChar* to = out.data();
        const QChar* end = from + length;
        int n = 0;
        while (from < end) {
            to[n++] = *from;
            from += *from == QLatin1Char('"') && from + 1 < end && from[1] == QLatin1Char('"') ? 2 : 1;
        }
        out.truncate(n);
    }
}

bool CSVHandlerImporter::decodeNext(QStringList& fields)
{
    if (!decodeLine())
        return false;
    fields.clear();
    for (int i = 0; i < m_fields.size(); ++i) {
        QString field;
        fieldText(field, i);
        fields << field;
    }
    return true;
}

bool CSVHandlerImporter::readNext(QList<QVariant>& values)
{
    if (!decodeLine())
        return false;
    const int n = m_columns.isEmpty() ? m_fields.size() : m_columns.size();
    // The caller keeps the list between rows: its variants' strings are rewritten in place.
    if (values.size() != n) {
        values.clear();
        values.reserve(n);
        for (int i = 0; i < n; ++i)
            values.append(QVariant(QString()));
    }
    for (int i = 0; i < n; ++i) {
        const int field = m_columns.isEmpty() ? i : m_columns.at(i);
        if (field < 0 || field >= m_fields.size()) {
            m_error = tr("Структура импортируемого файла не соответствует заданному сопоставлению столбцов");
            return false;
        }
        QVariant& value = values[i];
        if (value.userType() != QMetaType::QString)
            value = QString();
        fieldText(*static_cast<QString*>(value.data()), field);
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
    m_line = QString();
    m_fields = QVector<Piece>();
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
