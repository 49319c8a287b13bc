#pragma once
// The error log as the program writes to it: each line goes to the エラーログ
// tab, and a line added while another tab is current raises that tab's count.

#include "core/lines/route_ports.h"
#include "core/platform/error_log.h"
#include "core/views/unread_counters.h"

namespace ruv {

class CountingErrorLog final : public platform::ErrorLog {
  public:
    CountingErrorLog(platform::ErrorLog& tab, const TabSelection& tabs) noexcept
        : tab_(tab), tabs_(tabs) {}

    // The counters are made after the error log (the session they belong to
    // reports to it); lines before this call are not counted.
    void countInto(UnreadCounters& counters) noexcept { counters_ = &counters; }
    void append(std::string_view line) override;

  private:
    platform::ErrorLog& tab_;
    const TabSelection& tabs_;
    UnreadCounters* counters_ = nullptr;
};

}  // namespace ruv
