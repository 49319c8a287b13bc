// CP932 conversion at the edges. Any bytes convert; well-formed text comes
// back from Unicode as the same characters, and byte for byte where each of its
// characters has one code; Unicode text is either refused or converted to
// bytes that read back as exactly that text, never silently altered.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "core/text/cp932.h"
#include "core/text/sjis.h"
#include "fuzz_check.h"

namespace {

using namespace ruv;

bool isTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

std::string utf8Of(std::u16string_view units) {
    std::string out;
    for (const char16_t unit : units) {
        const auto cp = static_cast<std::uint32_t>(unit);
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

void checkBytes(std::string_view bytes) {
    const std::u16string units = cp932::toUtf16(bytes);
    FUZZ_CHECK(units.size() <= bytes.size());
    const bool replaced = units.find(u'\uFFFD') != std::u16string::npos;
    FUZZ_CHECK(cp932::isWellFormed(bytes) == !replaced);
    // No surrogates: CP932 holds only characters of the BMP.
    for (const char16_t unit : units) {
        FUZZ_CHECK(unit < 0xD800 || unit > 0xDFFF);
    }
    const std::string utf8 = cp932::toUtf8(bytes);
    FUZZ_CHECK(utf8 == utf8Of(units));
    // ASCII passes through unchanged.
    std::size_t pos = 0;
    std::size_t unit = 0;
    while (pos < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (byte < 0x80) {
            FUZZ_CHECK(units[unit] == byte);
        }
        // A lead byte takes a trail byte with it, even into an unassigned pair.
        const bool pair = sjis::isLeadByte(byte) && pos + 1 < bytes.size() &&
                          isTrailByte(static_cast<unsigned char>(bytes[pos + 1]));
        pos += pair ? 2 : 1;
        ++unit;
    }
    FUZZ_CHECK(unit == units.size());

    if (replaced) {
        return;
    }
    const std::optional<std::string> back = cp932::fromUtf16(units);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(cp932::toUtf16(*back) == units);
    FUZZ_CHECK(cp932::fromUtf8(utf8) == back);
    // Byte for byte where every character comes back alone with its own code.
    std::string alone;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t width = sjis::isLeadByte(bytes[at]) ? 2 : 1;
        const std::string_view character = bytes.substr(at, width);
        const std::optional<std::string> code = cp932::fromUtf16(cp932::toUtf16(character));
        FUZZ_CHECK(code.has_value());
        alone += *code;
        at += width;
    }
    FUZZ_CHECK(*back == alone);
}

void checkUnicode(std::u16string_view units) {
    if (const std::optional<std::string> bytes = cp932::fromUtf16(units)) {
        FUZZ_CHECK(cp932::isWellFormed(*bytes));
        FUZZ_CHECK(cp932::toUtf16(*bytes) == units);
    }
}

void checkUtf8(std::string_view text) {
    if (const std::optional<std::string> bytes = cp932::fromUtf8(text)) {
        FUZZ_CHECK(cp932::isWellFormed(*bytes));
        FUZZ_CHECK(cp932::toUtf8(*bytes) == text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkBytes(bytes);
    checkUtf8(bytes);

    std::u16string units;
    FuzzedDataProvider input(data, size);
    while (input.remaining_bytes() >= 2) {
        units.push_back(static_cast<char16_t>(input.ConsumeIntegral<std::uint16_t>()));
    }
    checkUnicode(units);
    return 0;
}
