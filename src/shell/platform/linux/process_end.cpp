#include "shell/platform/process_end.h"

#include <cstdio>
#include <thread>

#include <unistd.h>

namespace ruv::platform {

void endProcessWithin(std::chrono::milliseconds grace, int status) {
    std::thread([grace, status] {
        std::this_thread::sleep_for(grace);
        std::fflush(nullptr);
        ::_exit(status);
    }).detach();
}

}  // namespace ruv::platform
