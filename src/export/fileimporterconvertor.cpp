#include "export/fileimporterconvertor.h"

FileImporterConvertor::~FileImporterConvertor() = default;

QStringList FileImporterConvertor::colsMandatory()
{
    return {};
}

bool FileImporterConvertor::isMasterColumnsMandatory() const
{
    return true;
}

void FileImporterConvertor::begin() { }

void FileImporterConvertor::end() { }

void FileImporterConvertor::setColumns(const QList<int>& tableColumns)
{
    Q_UNUSED(tableColumns)
}

QStringList FileImporterConvertor::colsOptional()
{
    return {};
}

void FileImporterConvertor::setupRecordKey(Record& record, const QList<QVariant>& values) const
{
    Q_UNUSED(record)
    Q_UNUSED(values)
}

void FileImporterConvertor::prepareValues(QList<QVariant>& values) const
{
    Q_UNUSED(values)
}

void FileImporterConvertor::commitRecord(RecordUpdater& updater) const
{
    Q_UNUSED(updater)
}

QStringList FileImporterConvertor::getColAliases(const QString& column)
{
    Q_UNUSED(column)
    return {};
}
