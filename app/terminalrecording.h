#pragma once

#include <QString>

#include <memory>

class EmbeddedCore;
class StreamRecorder;

// The terminal's recording of its stream: every table of the host, from their rows as they are when it starts.
// The messages say where it goes, and why if it stops by itself; it ends cleanly as the application quits.
namespace TerminalRecording {
// Throws a QString for the user when the file cannot be written.
std::unique_ptr<StreamRecorder> start(EmbeddedCore* core, const QString& path);
} // namespace TerminalRecording
