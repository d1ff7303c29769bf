#pragma once

#include "export/csvhandlerimporter.h"

class CSVHandlerImporterPrivate
{
public:
    QTextStream stream;
    // Kept between lines so that a file of millions of rows reads without an allocation per line or field.
    QString line;
    QVector<CSVHandlerImporter::Piece> fields;
    QList<int> columns;
    QString error;
    qint64 read = 0;
    qint64 total = 0;
};

class CSVHandlerImporterWidgetPrivate
{
public:
    QIODevice* device = nullptr; // not owned
    QPointer<ImporterColumnsWizardPage> page; // not owned
    QCheckBox* header = nullptr;
};
