#pragma once
// The end of the process once the settings are saved: a worker thread blocked
// in the operating system (a read on a hung network share) must not keep an
// invisible copy running, which would take the next start's request.

#include <chrono>

namespace ruv::platform {

// Ends the process with `status` after `grace`, unless it has ended by then;
// the caller goes on with its orderly end meanwhile.
void endProcessWithin(std::chrono::milliseconds grace, int status);

}  // namespace ruv::platform
