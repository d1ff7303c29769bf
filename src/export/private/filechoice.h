#pragma once

#include "basic_views_export.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include <functional>

// The file dialog of the exporter and the importer: it opens in the directory and on the format remembered in
// the settings group, and remembers them again for the next time.
struct BASIC_VIEWS_EXPORT FileChoice
{
    QString group; // settings group with the keys "filter" and "filePath"
    QFileDialog::AcceptMode mode = QFileDialog::AcceptSave;
    QString caption;
    QStringList filters; // "<name> (*.<format>)" entries
    // The filter entry of a known format (any case), empty for an unknown one.
    std::function<QString(const QString& format)> entryOf;

    // An empty QFileInfo when cancelled. A name saved without a suffix takes the chosen filter's.
    QFileInfo ask() const;

    static QString filterEntry(const QString& name, const QByteArray& format);
};
