#pragma once

#include "export/ifileexporterhandler.h"

#include <QAbstractItemModel>
#include <QIODevice>
#include <QStringList>
#include <QThread>

// A format ("tst") whose writing a test scripts: it writes each row's first cell as a line, can fail at a
// given step with a given text or dawdle on each row, and notes the column titles the model gave while the
// header was written.
class ScriptedHandler : public IFileExporterHandler
{
public:
    int failAtRow = -1; // -2 fails begin(), -3 the footer
    QString failure = QStringLiteral("Нет места на диске");
    int microsecondsPerRow = 0;
    QStringList titlesSeen;

    QByteArray format() const override { return QByteArrayLiteral("tst"); }
    bool begin(QIODevice* device, QAbstractItemModel* model) override
    {
        m_device = device;
        m_model = model;
        return failAtRow != -2;
    }
    bool writeHeader() override
    {
        titlesSeen.clear();
        for (int c = 0; c < m_model->columnCount(); ++c)
            titlesSeen << m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        return m_device->write("header\n") > 0;
    }
    bool writeRow(int row) override
    {
        if (microsecondsPerRow > 0)
            QThread::usleep(microsecondsPerRow);
        if (row == failAtRow)
            return false;
        return m_device->write(m_model->index(row, 0).data().toString().toUtf8() + '\n') >= 0;
    }
    bool writeFooter() override { return failAtRow != -3; }
    void end() override
    {
        m_device = nullptr;
        m_model = nullptr;
    }
    QString lastError() override { return failure; }

protected:
    QString filterString() const override { return QStringLiteral("Тестовый формат"); }

private:
    QIODevice* m_device = nullptr;
    QAbstractItemModel* m_model = nullptr;
};
