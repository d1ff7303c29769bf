#pragma once

#include "core/host/bv_host_export.h"
#include "core/host/iprogressservice.h"

// The host's progress service: passes each report on to a display (the terminal's status bar, a test's recorder),
// or drops it when there is none.
class BV_HOST_EXPORT EmbeddedProgressService : public IProgressService
{
public:
    void start(const QString& message, qint64 total) override;
    void progress(const QString& message, qint64 count) override;
    void extraText(const QString& message, const QString& text) override;
    void end(const QString& message) override;

    // Not owned; null drops the reports.
    void setDisplay(IProgressService* display) { m_display = display; }
    IProgressService* display() const { return m_display; }

private:
    IProgressService* m_display = nullptr;
};
