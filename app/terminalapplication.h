#pragma once

#include <QApplication>

// The demo's application object, speaking the terminal's language (TerminalLanguage). It also keeps the time the event
// loop spends painting windows (a frame's update request with every paint inside it), which a soak run reports next to
// the feed's and the models' share.
class TerminalApplication : public QApplication
{
    Q_OBJECT
public:
    TerminalApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
    qint64 paintNsecs() const { return m_paintNsecs; }

private:
    qint64 m_paintNsecs = 0;
    int m_paintDepth = 0; // paints nest inside a frame's update request: only the outermost is timed
};
