#pragma once

#include <QtPlugin>

// The host's decoder plug-in of the trading gateway's stream. Its object also has the signal aNewSessions(),
// emitted when the exchange opened new trading sessions; session filters follow it.
class IDecoder
{
public:
    virtual ~IDecoder() = default;
    // The sessions the decoder has seen start since it was loaded.
    virtual int sessionsSeen() const = 0;
};

#define IDecoder_iid "Orrery.Plugin.IDecoder/1.0"
Q_DECLARE_INTERFACE(IDecoder, IDecoder_iid)
