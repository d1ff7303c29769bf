#pragma once

#include "export/ifileimporterhandler.h"
#include "export/importercolumnswizardpage.h"

#include <QCoreApplication>
#include <QPointer>
#include <QScopedPointer>
#include <QTextStream>
#include <QVector>
#include <QWidget>

class QCheckBox;

class CSVHandlerImporterPrivate;

// Reads the terminal's CSV back, one line per record: fields split at ";", quoted fields joined again and
// their doubled quotes made single. Parameter "FirstLineIsHeader" (bool) skips the first record.
class BASIC_VIEWS_EXPORT CSVHandlerImporter : public IFileImporterHandler
{
    Q_DECLARE_PRIVATE(CSVHandlerImporter)
    Q_DECLARE_TR_FUNCTIONS(CSVHandlerImporter)
public:
    CSVHandlerImporter();
    ~CSVHandlerImporter() override;

    QByteArray format() const override;
    bool begin(QIODevice* device, const QMap<QString, QVariant>& params) override;
    void setImportColumns(const QList<int>& columns) override;
    bool readNext(QList<QVariant>& values) override;
    int percentage() const override;
    void end() override;
    QString lastError() const override;
    QWidget* createImporterUi(QIODevice* device, ImporterColumnsWizardPage* page) const override;
    QMap<QString, QVariant> paramsFromUi(const QWidget* panel) override;

protected:
    QString filterString() const override;
    // The fields of the next non-empty line; false at the end or after a read failure.
    bool decodeNext(QStringList& fields);

private:
    // A field as a stretch of the current line; doubled quotes inside are still to be made single.
    struct Piece
    {
        int from;
        int to;
        bool quotes;
    };

    // Reads the next non-empty line and splits it into its fields; false at the end or after a read failure.
    bool decodeLine();
    // The text of field `index` of the current line.
    void fieldText(QString& out, int index) const;

    QScopedPointer<CSVHandlerImporterPrivate> d_ptr;
};

class CSVHandlerImporterWidgetPrivate;

// The CSV format's options on the importer's mapping page.
class BASIC_VIEWS_EXPORT CSVHandlerImporterWidget : public QWidget
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, CSVHandlerImporterWidget)
public:
    CSVHandlerImporterWidget(QIODevice* device, ImporterColumnsWizardPage* page, QWidget* parent = nullptr);
    ~CSVHandlerImporterWidget() override;

    bool firstLineIsHeader() const;
    ImporterColumnsWizardPage* page() const;

public Q_SLOTS:
    // Re-reads the file's first records into the page's preview with the chosen options, and chooses the target
    // column of each header name the page knows.
    void updatePageData();

private:
    QScopedPointer<CSVHandlerImporterWidgetPrivate> m_d;
};
