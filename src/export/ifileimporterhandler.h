#pragma once

#include "basic_views_export.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>

class ImporterColumnsWizardPage;
class QIODevice;
class QWidget;

// One import format: reads records of fields from an open device, with the format's parameters chosen on its
// option panel.
class BASIC_VIEWS_EXPORT IFileImporterHandler
{
public:
    virtual ~IFileImporterHandler();
    // The format's name, which is also the file suffix.
    virtual QByteArray format() const = 0;
    virtual bool begin(QIODevice* device, const QMap<QString, QVariant>& params) = 0;
    // The file fields to deliver, in delivery order; empty delivers every field in file order.
    virtual void setImportColumns(const QList<int>& columns) = 0;
    // The next record; false at the end or on an error (lastError() then says which).
    virtual bool readNext(QList<QVariant>& values) = 0;
    // 0..100.
    virtual int percentage() const = 0;
    // Releases the device and resets.
    virtual void end() = 0;
    // Empty at a normal end.
    virtual QString lastError() const = 0;
    // The format's option panel on the mapping page; the caller owns it.
    virtual QWidget* createImporterUi(QIODevice* device, ImporterColumnsWizardPage* page) const = 0;
    virtual QMap<QString, QVariant> paramsFromUi(const QWidget* panel) = 0;

protected:
    friend class FileImporter;
    // The format's name for the file dialog.
    virtual QString filterString() const = 0;
};
