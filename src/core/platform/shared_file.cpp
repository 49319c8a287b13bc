#include "core/platform/shared_file.h"

namespace ruv::platform {

std::optional<std::size_t> readFully(SharedReadFile& file, std::span<char> buffer) {
    std::size_t total = 0;
    while (total < buffer.size()) {
        const auto got = file.read(buffer.subspan(total));
        if (!got) {
            return std::nullopt;
        }
        if (*got == 0) {
            break;
        }
        total += *got;
    }
    return total;
}

}  // namespace ruv::platform
