#include "core/rules/letter_case.h"

namespace ruv {

bool isCaselessCharacter(std::string_view utf8) {
    if (utf8.size() == 1) {
        const char c = utf8[0];
        return !((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
    }
    if (utf8.size() != 3) {
        return false;
    }
    const auto unit = static_cast<char32_t>((static_cast<unsigned char>(utf8[0]) & 0x0F) << 12 |
                                            (static_cast<unsigned char>(utf8[1]) & 0x3F) << 6 |
                                            (static_cast<unsigned char>(utf8[2]) & 0x3F));
    return (unit >= 0x3000 && unit <= 0x9FFF) || (unit >= 0xF900 && unit <= 0xFAFF) ||
           (unit >= 0xFF61 && unit <= 0xFF9F);
}

bool isCaselessText(std::string_view utf8) {
    std::size_t start = 0;
    while (start < utf8.size()) {
        std::size_t end = start + 1;
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) {
            ++end;
        }
        if (!isCaselessCharacter(utf8.substr(start, end - start))) {
            return false;
        }
        start = end;
    }
    return true;
}

}  // namespace ruv
