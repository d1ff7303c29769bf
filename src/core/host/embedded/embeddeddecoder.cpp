#include "core/host/embedded/embeddeddecoder.h"

void EmbeddedDecoder::announceNewSessions()
{
    ++m_sessions;
    Q_EMIT aNewSessions();
}
