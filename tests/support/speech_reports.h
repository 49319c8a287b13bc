#pragma once
// Records the speech client's reports, whichever thread makes them.

#include <mutex>
#include <vector>

#include "core/speech/speech_client.h"

namespace ruv::testing {

class RecordingSpeechReports {
  public:
    SpeechClient::ReportFn fn() {
        return [this](const SpeechClientReport& report) {
            std::lock_guard lock(mutex_);
            reports_.push_back(report);
        };
    }
    std::vector<SpeechClientReport> all() {
        std::lock_guard lock(mutex_);
        return reports_;
    }

  private:
    std::mutex mutex_;
    std::vector<SpeechClientReport> reports_;
};

}  // namespace ruv::testing
