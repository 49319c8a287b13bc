#include <csignal>

#include "core/platform/stop_requests.h"

namespace ruv::platform {
namespace {

// A signal handler can only reach static storage.
volatile std::sig_atomic_t stopRequested = 0;
struct sigaction previousInt {};
struct sigaction previousTerm {};

extern "C" void requestStop(int) {
    stopRequested = 1;
}

}  // namespace

StopRequests::StopRequests() {
    stopRequested = 0;
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousInt);
    sigaction(SIGTERM, &action, &previousTerm);
}

StopRequests::~StopRequests() {
    sigaction(SIGINT, &previousInt, nullptr);
    sigaction(SIGTERM, &previousTerm, nullptr);
}

bool StopRequests::requested() const noexcept {
    return stopRequested != 0;
}

}  // namespace ruv::platform
