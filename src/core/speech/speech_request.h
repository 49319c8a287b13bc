#pragma once
// One request for the speech program and the port that carries it out.

#include <string>

#include "core/speech/speech_settings.h"

namespace ruv {

struct SpeechRequest {
    SpeechEndpoint endpoint;
    // The header and the message; empty when the line has nothing to say, in
    // which case the connection is only opened and closed.
    std::string bytes;

    friend bool operator==(const SpeechRequest&, const SpeechRequest&) = default;
};

// Sends requests in the order they are handed over, without ever blocking the
// caller for the network.
class SpeechSink {
  public:
    virtual ~SpeechSink() = default;
    virtual void Send(SpeechRequest request) = 0;
};

}  // namespace ruv
