#pragma once
// One request for the speech program and the port that carries it out.

#include <string>

#include "core/speech/speech_settings.h"
#include "core/vocabulary/speech_priority.h"

namespace ruv {

struct SpeechRequest {
    SpeechEndpoint endpoint;
    // The header and the message; empty when the line has nothing to say, in
    // which case the connection is only opened and closed.
    std::string bytes;

    friend bool operator==(const SpeechRequest&, const SpeechRequest&) = default;
};

// What the speech queue knows of a request beside its bytes.
struct SpeechLineTag {
    SpeechPriority priority = SpeechPriority::Normal;
    // CP932; lines without a speaker share the empty one.
    std::string speaker;

    friend bool operator==(const SpeechLineTag&, const SpeechLineTag&) = default;
};

// Takes requests to speak, without ever blocking the caller for the network.
class SpeechSink {
  public:
    virtual ~SpeechSink() = default;
    virtual void Send(SpeechRequest request, SpeechLineTag tag) = 0;
};

}  // namespace ruv
