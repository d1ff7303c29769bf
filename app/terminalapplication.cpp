#include "terminalapplication.h"

#include "terminallanguage.h"

#include <QElapsedTimer>

TerminalApplication::TerminalApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    TerminalLanguage::install();
}

bool TerminalApplication::notify(QObject* receiver, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::UpdateRequest && type != QEvent::Paint)
        return QApplication::notify(receiver, event);
    if (m_paintDepth++ > 0) {
        const bool done = QApplication::notify(receiver, event);
        --m_paintDepth;
        return done;
    }
    QElapsedTimer clock;
    clock.start();
    const bool done = QApplication::notify(receiver, event);
    m_paintNsecs += clock.nsecsElapsed();
    --m_paintDepth;
    return done;
}
