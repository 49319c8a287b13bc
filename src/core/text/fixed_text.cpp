#include "core/text/fixed_text.h"

#include <vector>

#include "core/text/cp932.h"

namespace ruv {

namespace {

// Filled while static objects are made, before main, on one thread.
std::vector<const FixedText*>& registry() {
    static std::vector<const FixedText*> texts;
    return texts;
}

}  // namespace

FixedText::FixedText(std::string_view utf8) : utf8_(utf8) {
    registry().push_back(this);
}

std::string_view FixedText::cp932() const {
    std::call_once(converted_, [this] { cp932_ = cp932::fromUtf8(utf8_).value_or(std::string()); });
    return cp932_;
}

std::span<const FixedText* const> allFixedTexts() {
    return registry();
}

}  // namespace ruv
