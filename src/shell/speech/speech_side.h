#pragma once
// The speech side of the session: the client that sends the requests of the
// session's SpeechBridge from its worker thread. Reports of the client come
// back to the user-interface thread as error lines.

#include <QObject>

#include <optional>
#include <string_view>

#include "core/platform/clock.h"
#include "core/platform/error_log.h"
#include "core/speech/speech_client.h"
#include "core/speech/speech_queue_settings.h"
#include "core/speech/speech_settings.h"

namespace ruv {

class SpeechSide final {
  public:
    // Stops its sender when it goes.
    SpeechSide(platform::ErrorLog& errors, const platform::Clock& clock,
               SpeechClientOptions options = {});
    ~SpeechSide();
    SpeechSide(const SpeechSide&) = delete;
    SpeechSide& operator=(const SpeechSide&) = delete;

    // Test buttons and routed lines share one queue; test requests go first.
    SpeechClient& client() { return client_; }

    // After "OK" stored the settings: live requests still waiting for another
    // endpoint than the stored one are dropped, with one error line giving
    // their count.
    void dropWaitingForOldEndpoint(const SpeechEndpoint& stored);

    // Writes one error line; a trailing blank of the text is dropped because
    // the date and time follow after one.
    void reportError(std::string_view text);

    // The player's queue settings, handed on to the client.
    const SpeechQueueSettings& queueSettings() const noexcept { return queueSettings_; }
    void setQueueSettings(const SpeechQueueSettings& settings);

    // When the current outage began, as the error log told it; none while
    // the speech program can be reached.
    const std::optional<platform::LocalDateTime>& downSince() const noexcept { return downSince_; }

  private:
    void queueReport(const SpeechClientReport& report);

    // Lives on the user-interface thread; queued reports are delivered to it
    // and dropped with it.
    QObject reportContext_;
    platform::ErrorLog& errors_;
    const platform::Clock& clock_;
    SpeechQueueSettings queueSettings_;
    std::optional<platform::LocalDateTime> downSince_;
    SpeechClient client_;
};

}  // namespace ruv
