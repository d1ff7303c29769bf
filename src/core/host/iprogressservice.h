#pragma once

#include <QString>

// The host's progress display for long operations (model builds report to it).
class IProgressService
{
public:
    virtual ~IProgressService() = default;
    virtual void start(const QString& message, qint64 total) = 0;
    virtual void progress(const QString& message, qint64 count) = 0;
    virtual void extraText(const QString& message, const QString& text) = 0;
    virtual void end(const QString& message) = 0;
};
