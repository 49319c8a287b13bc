#include "core/rules/letter_case.h"

#include "core/text/utf8.h"

namespace ruv {

namespace {

bool isCaselessUnit(char16_t unit) {
    if (unit < 0x80) {
        return !((unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z'));
    }
    return (unit >= 0x3000 && unit <= 0x9FFF) || (unit >= 0xF900 && unit <= 0xFAFF) ||
           (unit >= 0xFF61 && unit <= 0xFF9F);
}

}  // namespace

bool isCaselessText(std::string_view utf8) {
    // Characters beyond the BMP stop the walk: they count as having a case.
    return utf8::forEachBmpUnit(utf8, [](char16_t unit) { return isCaselessUnit(unit); });
}

}  // namespace ruv
