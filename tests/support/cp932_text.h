#pragma once
// Test text is written as readable UTF-8; the code under test reads CP932 bytes.

#include <string>
#include <string_view>

#include "core/text/cp932.h"

namespace ruv::testing {

// CP932 bytes of UTF-8 test text; text without a CP932 form is a fault in the test.
inline std::string sj(std::string_view utf8) {
    return cp932::fromUtf8(utf8).value();
}

}  // namespace ruv::testing
