#include "shell/platform/process_end.h"

#include <cstdio>
#include <thread>

#include <windows.h>

namespace ruv::platform {

void endProcessWithin(std::chrono::milliseconds grace, int status) {
    std::thread([grace, status] {
        std::this_thread::sleep_for(grace);
        std::fflush(nullptr);
        // Not ExitProcess: the libraries' detach handlers could wait for the
        // blocked thread.
        ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(status));
    }).detach();
}

}  // namespace ruv::platform
