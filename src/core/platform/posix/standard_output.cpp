#include "core/platform/standard_output.h"

namespace ruv::platform {

// POSIX streams never translate line ends.
void useBinaryStandardOutput() noexcept {}

}  // namespace ruv::platform
