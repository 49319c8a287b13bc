#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "core/platform/standard_output.h"

namespace ruv::platform {

void useBinaryStandardOutput() noexcept {
    _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace ruv::platform
