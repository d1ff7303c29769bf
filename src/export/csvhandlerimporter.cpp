#include "export/csvhandlerimporter.h"
#include "export/private/csvhandlerimporter_p.h"

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

CSVHandlerImporter::CSVHandlerImporter()
    : d_ptr(new CSVHandlerImporterPrivate)
{ }

CSVHandlerImporter::~CSVHandlerImporter() = default;

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
    Q_D(CSVHandlerImporter);
    d->stream.setDevice(device);
    d->stream.setCodec("UTF-8");
    d->error.clear();
    d->read = 0;
    d->total = device ? device->size() : 0;
    if (params.value(FirstLineIsHeader).toBool()) {
        QStringList header;
        if (!decodeNext(header)) {
            if (d->error.isEmpty())
                d->error = tr("В файле нет строки заголовка");
            return false;
        }
    }
    return true;
}

void CSVHandlerImporter::setImportColumns(const QList<int>& columns)
{
    Q_D(CSVHandlerImporter);
    d->columns = columns;
}

bool CSVHandlerImporter::decodeLine()
{
    Q_D(CSVHandlerImporter);
    do {
        if (d->stream.atEnd())
            return false;
        if (!d->stream.readLineInto(&d->line))
            d->error = d->stream.device() ? d->stream.device()->errorString() : QString();
        if (!d->error.isEmpty())
            return false;
        ++d->read; // the line end
    } while (d->line.isEmpty());

    // One pass splits at ";", joins the quoted pieces again and counts the line's UTF-8 bytes. A joined field is
    // one stretch of the line, since the ";" between its pieces belongs to it.
    const QChar* text = d->line.constData();
    const int size = d->line.size();
    d->fields.clear();
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
            Piece& field = d->fields.last();
            field.quotes = field.quotes || quote;
            inside = closing % 2 == 0;
            field.to = inside ? i : i - 1;
        } else {
            const int opening = quotesAfter(text, from, i);
            if (opening % 2 == 1) {
                const bool closes = qMin(closing, i - from - 1) % 2 == 1;
                d->fields.append({ from + 1, closes ? i - 1 : i, true });
                inside = !closes;
            } else if (opening > 0 && opening == i - from) {
                d->fields.append({ from, i - 2, true });
            } else {
                d->fields.append({ from, i, quote });
            }
        }
        quote = false;
        from = i + 1;
    }
    d->read += bytes;
    return true;
}

void CSVHandlerImporter::fieldText(QString& out, int index) const
{
    Q_D(const CSVHandlerImporter);
    const Piece& piece = d->fields.at(index);
    const int length = piece.to - piece.from;
    const QChar* from = d->line.constData() + piece.from;
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
    Q_D(CSVHandlerImporter);
    if (!decodeLine())
        return false;
    fields.clear();
    for (int i = 0; i < d->fields.size(); ++i) {
        QString field;
        fieldText(field, i);
        fields << field;
    }
    return true;
}

bool CSVHandlerImporter::readNext(QList<QVariant>& values)
{
    Q_D(CSVHandlerImporter);
    if (!decodeLine())
        return false;
    const int n = d->columns.isEmpty() ? d->fields.size() : d->columns.size();
    // The caller keeps the list between rows: its variants' strings are rewritten in place.
    if (values.size() != n) {
        values.clear();
        values.reserve(n);
        for (int i = 0; i < n; ++i)
            values.append(QVariant(QString()));
    }
    for (int i = 0; i < n; ++i) {
        const int field = d->columns.isEmpty() ? i : d->columns.at(i);
        if (field < 0 || field >= d->fields.size()) {
            d->error = tr("Структура импортируемого файла не соответствует заданному сопоставлению столбцов");
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
    Q_D(const CSVHandlerImporter);
    if (d->total == 0 || d->read >= d->total)
        return 100;
    return int((d->read * 100 + d->total / 2) / d->total);
}

void CSVHandlerImporter::end()
{
    Q_D(CSVHandlerImporter);
    d->stream.setDevice(nullptr);
    d->line = QString();
    d->fields = QVector<Piece>();
    d->columns.clear();
    d->error.clear();
    d->read = 0;
    d->total = 0;
}

QString CSVHandlerImporter::lastError() const
{
    Q_D(const CSVHandlerImporter);
    return d->error;
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
    , m_d(new CSVHandlerImporterWidgetPrivate)
{
    Q_D(CSVHandlerImporterWidget);
    d->device = device;
    d->page = page;
    d->header = new QCheckBox(tr("Первая строка содержит заголовок"), this);
    d->header->setChecked(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(d->header);
    connect(d->header, &QCheckBox::stateChanged, this, &CSVHandlerImporterWidget::updatePageData);
    updatePageData();
}

CSVHandlerImporterWidget::~CSVHandlerImporterWidget() = default;

bool CSVHandlerImporterWidget::firstLineIsHeader() const
{
    Q_D(const CSVHandlerImporterWidget);
    return d->header->isChecked();
}

void CSVHandlerImporterWidget::updatePageData()
{
    Q_D(CSVHandlerImporterWidget);
    if (!d->device || !d->device->seek(0))
        return;
    QTableWidget* table = d->page ? d->page->previewTable() : nullptr;
    if (!table)
        return;
    CSVHandlerImporter reader;
    reader.begin(d->device, {});
    table->clear();
    table->setRowCount(0);
    table->setColumnCount(0);
    QStringList header;
    QList<QVariant> values;
    if (d->header->isChecked() && reader.readNext(values)) {
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
        const QString target = d->page->targetByText(header.at(column));
        if (!target.isEmpty())
            d->page->selectTarget(column, target);
    }
}

ImporterColumnsWizardPage* CSVHandlerImporterWidget::page() const
{
    return d_func()->page;
}
