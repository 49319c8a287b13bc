#include "core/platform/windows/win32.h"

#include <atomic>

#include "core/platform/stop_requests.h"

namespace ruv::platform {
namespace {

// The console handler runs on a thread of its own and reaches only this.
std::atomic<bool> stopRequested{false};

BOOL WINAPI requestStop(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
            stopRequested.store(true);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

StopRequests::StopRequests() {
    stopRequested.store(false);
    SetConsoleCtrlHandler(requestStop, TRUE);
}

StopRequests::~StopRequests() {
    SetConsoleCtrlHandler(requestStop, FALSE);
}

bool StopRequests::requested() const noexcept {
    return stopRequested.load();
}

}  // namespace ruv::platform
