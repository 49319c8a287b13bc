#include <unicode/ucnv.h>

#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "core/text/cp932.h"
#include "core/text/sjis.h"
#include "core/text/utf8.h"

// The tables come from ICU's windows-31j once, then are adjusted to Windows'
// code page 932: ASCII passes through unchanged (ICU's IBM-based table swaps
// 0x1A, 0x1C and 0x7F), the single bytes ICU leaves unmapped convert as Windows
// does, and bytes that form no character become U+FFFD (ICU gives U+001A).
// Converting through the tables keeps ICU out of the per-line work.
namespace ruv::cp932 {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';
constexpr std::size_t kLeadCount = 60;  // 0x81-0x9F and 0xE0-0xFC

// Single bytes that Windows maps but ICU's table does not.
constexpr std::array<std::pair<unsigned char, char16_t>, 5> kWindowsSingles{{
    {0x80, u'\u0080'},
    {0xA0, u'\uF8F0'},
    {0xFD, u'\uF8F1'},
    {0xFE, u'\uF8F2'},
    {0xFF, u'\uF8F3'},
}};

using sjis::isTrailByte;

constexpr std::size_t leadIndex(unsigned char lead) noexcept {
    return lead <= 0x9F ? std::size_t{lead} - 0x81u : std::size_t{lead} - 0xE0u + 31u;
}

struct Tables {
    // Non-lead bytes; entries for lead bytes are unused.
    std::array<char16_t, 256> single{};
    // Indexed by leadIndex * 256 + trail; 0 means no character.
    std::array<char16_t, kLeadCount * 256> pair{};
    // CP932 code per BMP unit from U+0080: a byte (< 0x100) or a lead/trail
    // pair (lead << 8 | trail); 0 means CP932 cannot hold the unit.
    std::array<std::uint16_t, 0x10000> code{};
};

struct ConverterCloser {
    void operator()(UConverter* converter) const noexcept { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openConverter() {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status) || converter == nullptr) {
        throw std::runtime_error("ICU has no windows-31j converter");
    }
    return converter;
}

// One character through ICU; U+FFFD when ICU finds none (it substitutes
// U+001A or U+FFFD).
char16_t decodeWithIcu(UConverter* converter, std::string_view bytes) {
    ucnv_reset(converter);
    UErrorCode status = U_ZERO_ERROR;
    std::array<UChar, 4> out{};
    const int32_t written =
        ucnv_toUChars(converter, out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                      static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status) || written != 1 || out[0] == 0x1A) {
        return kReplacement;
    }
    return static_cast<char16_t>(out[0]);
}

// ICU's own choice of code for unit, or 0 when ICU has none (no fallbacks).
std::uint16_t encodeWithIcu(UConverter* converter, char16_t unit) {
    ucnv_reset(converter);
    UErrorCode status = U_ZERO_ERROR;
    std::array<char, 4> out{};
    const UChar source = unit;
    const int32_t written = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                            &source, 1, &status);
    if (U_FAILURE(status) || written < 1 || written > 2) {
        return 0;
    }
    const auto first = static_cast<unsigned char>(out[0]);
    if (written == 1) {
        return first;
    }
    return static_cast<std::uint16_t>((first << 8) | static_cast<unsigned char>(out[1]));
}

// Where several codes give one character, Windows writes the JIS X 0208 code
// before NEC row 13 (0x87), that before the IBM extensions (0xFA-0xFC), and
// those before the NEC-selected IBM extensions (0xED-0xEE).
int windowsPreference(std::uint16_t code) {
    const unsigned lead = code >> 8;
    if (lead == 0xED || lead == 0xEE) {
        return 3;
    }
    if (lead >= 0xFA) {
        return 2;
    }
    return lead == 0x87 ? 1 : 0;
}

char16_t decodePair(const Tables& tables, unsigned char lead, unsigned char trail) {
    return tables.pair[leadIndex(lead) * 256 + trail];
}

std::unique_ptr<Tables> buildTables() {
    const Converter converter = openConverter();
    auto tables = std::make_unique<Tables>();

    for (unsigned byte = 0; byte < 0x80; ++byte) {
        tables->single[byte] = static_cast<char16_t>(byte);
    }
    for (unsigned byte = 0xA1; byte <= 0xDF; ++byte) {
        const char source = static_cast<char>(byte);
        tables->single[byte] = decodeWithIcu(converter.get(), std::string_view(&source, 1));
    }
    for (const auto& [byte, unit] : kWindowsSingles) {
        tables->single[byte] = unit;
    }
    for (unsigned byte = 0x80; byte < 0x100; ++byte) {
        const auto b = static_cast<unsigned char>(byte);
        if (!sjis::isLeadByte(b) && tables->single[b] != kReplacement) {
            tables->code[tables->single[b]] = static_cast<std::uint16_t>(b);
        }
    }

    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!sjis::isLeadByte(static_cast<unsigned char>(lead))) {
            continue;
        }
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (!isTrailByte(static_cast<unsigned char>(trail))) {
                continue;
            }
            const std::array<char, 2> source{static_cast<char>(lead), static_cast<char>(trail)};
            const char16_t unit =
                decodeWithIcu(converter.get(), std::string_view(source.data(), 2));
            if (unit == kReplacement || unit < 0x80) {
                continue;
            }
            tables->pair[leadIndex(static_cast<unsigned char>(lead)) * 256 + trail] = unit;
            const auto code = static_cast<std::uint16_t>((lead << 8) | trail);
            std::uint16_t& chosen = tables->code[unit];
            if (chosen == 0 || windowsPreference(code) < windowsPreference(chosen)) {
                chosen = code;
            }
        }
    }

    // Take ICU's choice among duplicates where it agrees with a code that
    // reads back as the same character; ICU and Windows agree on all of them.
    for (std::size_t unit = 0x80; unit < tables->code.size(); ++unit) {
        const std::uint16_t chosen = tables->code[unit];
        if (chosen <= 0xFF) {
            continue;
        }
        const std::uint16_t icu = encodeWithIcu(converter.get(), static_cast<char16_t>(unit));
        if (icu > 0xFF && decodePair(*tables, static_cast<unsigned char>(icu >> 8),
                                     static_cast<unsigned char>(icu & 0xFF)) == unit) {
            tables->code[unit] = icu;
        }
    }
    return tables;
}

const Tables& tables() {
    static const std::unique_ptr<Tables> built = buildTables();
    return *built;
}

// Calls emit(unit) for every character of bytes.
template <typename Emit>
void decode(std::string_view bytes, Emit&& emit) {
    const Tables& t = tables();
    const std::size_t size = bytes.size();
    std::size_t pos = 0;
    while (pos < size) {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (byte < 0x80) {
            emit(static_cast<char16_t>(byte));
            ++pos;
        } else if (!sjis::isLeadByte(byte)) {
            emit(t.single[byte]);
            ++pos;
        } else if (pos + 1 < size && isTrailByte(static_cast<unsigned char>(bytes[pos + 1]))) {
            const char16_t unit = decodePair(t, byte, static_cast<unsigned char>(bytes[pos + 1]));
            emit(unit != 0 ? unit : kReplacement);
            pos += 2;
        } else {
            emit(kReplacement);
            ++pos;
        }
    }
}

// Appends the CP932 code of unit; false when CP932 cannot hold it.
bool appendCode(const Tables& t, char16_t unit, std::string& out) {
    if (unit < 0x80) {
        out.push_back(static_cast<char>(unit));
        return true;
    }
    const std::uint16_t code = t.code[unit];
    if (code == 0) {
        return false;
    }
    if (code > 0xFF) {
        out.push_back(static_cast<char>(code >> 8));
    }
    out.push_back(static_cast<char>(code & 0xFF));
    return true;
}

}  // namespace

std::u16string toUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    decode(bytes, [&out](char16_t unit) { out.push_back(unit); });
    return out;
}

void toUtf8(std::string_view bytes, std::string& out) {
    // No byte becomes more than three: written in place, then cut to length.
    out.resize(bytes.size() * 3);
    char* const start = out.data();
    char* next = start;
    decode(bytes, [&next](char16_t unit) {
        if (unit < 0x80) {
            *next++ = static_cast<char>(unit);
        } else if (unit < 0x800) {
            *next++ = static_cast<char>(0xC0 | (unit >> 6));
            *next++ = static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            *next++ = static_cast<char>(0xE0 | (unit >> 12));
            *next++ = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            *next++ = static_cast<char>(0x80 | (unit & 0x3F));
        }
    });
    out.resize(static_cast<std::size_t>(next - start));
}

std::string toUtf8(std::string_view bytes) {
    std::string out;
    toUtf8(bytes, out);
    return out;
}

bool isWellFormed(std::string_view bytes) {
    const Tables& t = tables();
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (!sjis::isLeadByte(byte)) {
            continue;
        }
        if (pos + 1 >= bytes.size()) {
            return false;
        }
        const auto trail = static_cast<unsigned char>(bytes[pos + 1]);
        if (!isTrailByte(trail) || decodePair(t, byte, trail) == 0) {
            return false;
        }
        ++pos;
    }
    return true;
}

std::optional<std::string> fromUtf16(std::u16string_view text) {
    const Tables& t = tables();
    std::string out;
    out.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        if (!appendCode(t, unit, out)) {
            return std::nullopt;
        }
    }
    return out;
}

std::optional<std::string> fromUtf8(std::string_view text) {
    const Tables& t = tables();
    std::string out;
    out.reserve(text.size());
    if (!utf8::forEachBmpUnit(text, [&](char16_t unit) { return appendCode(t, unit, out); })) {
        return std::nullopt;
    }
    return out;
}

}  // namespace ruv::cp932
