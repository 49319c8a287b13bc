#include <unicode/ucnv.h>

#include <array>
#include <memory>

#include "core/text/cp932.h"

// Conversion through ICU's windows-31j table, adjusted to Windows' code page 932:
// ASCII passes through unchanged (ICU's IBM-based table swaps 0x1A, 0x1C and
// 0x7F), and the single bytes ICU leaves unmapped convert as Windows does.
namespace ruv::cp932 {
namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const noexcept { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openConverter() {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status)) {
        return nullptr;
    }
    return converter;
}

// Single bytes that Windows maps but ICU's table does not.
constexpr std::array<std::pair<unsigned char, char16_t>, 5> kWindowsSingles{{
    {0x80, u'\u0080'},
    {0xA0, u'\uF8F0'},
    {0xFD, u'\uF8F1'},
    {0xFE, u'\uF8F2'},
    {0xFF, u'\uF8F3'},
}};

std::optional<char16_t> windowsSingle(unsigned char byte) {
    for (const auto& [b, unit] : kWindowsSingles) {
        if (b == byte) {
            return unit;
        }
    }
    return std::nullopt;
}

std::optional<unsigned char> windowsSingleByte(char16_t unit) {
    for (const auto& [b, u] : kWindowsSingles) {
        if (u == unit) {
            return b;
        }
    }
    return std::nullopt;
}

bool isLead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Converts a run of bytes without ASCII or Windows-only singles through ICU.
void appendIcu(UConverter* converter, std::string_view bytes, std::u16string& out) {
    if (bytes.empty()) {
        return;
    }
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(converter);
    const auto capacity = static_cast<int32_t>(bytes.size() * 2 + 2);
    const std::size_t base = out.size();
    out.resize(base + static_cast<std::size_t>(capacity));
    const int32_t written =
        ucnv_toUChars(converter, reinterpret_cast<UChar*>(out.data() + base), capacity,
                      bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    out.resize(base + (U_FAILURE(status) ? 0 : static_cast<std::size_t>(written)));
    if (U_FAILURE(status)) {
        out.append(bytes.size(), u'\uFFFD');
    }
}

}  // namespace

std::u16string toUtf16(std::string_view bytes) {
    static thread_local Converter converter = openConverter();
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t runStart = 0;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (isLead(byte) && pos + 1 < bytes.size()) {
            pos += 2;
            continue;
        }
        const bool ascii = byte < 0x80;
        const auto single = windowsSingle(byte);
        if (ascii || single) {
            appendIcu(converter.get(), bytes.substr(runStart, pos - runStart), out);
            out.push_back(ascii ? static_cast<char16_t>(byte) : *single);
            runStart = pos + 1;
        }
        ++pos;
    }
    appendIcu(converter.get(), bytes.substr(runStart), out);
    return out;
}

std::string toUtf8(std::string_view bytes) {
    const std::u16string wide = toUtf16(bytes);
    std::string out;
    out.reserve(wide.size() * 3);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t cp = wide[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::optional<std::string> fromUtf16(std::u16string_view text) {
    static thread_local Converter converter = openConverter();
    std::string out;
    out.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            out.push_back(static_cast<char>(unit));
            continue;
        }
        if (const auto single = windowsSingleByte(unit)) {
            out.push_back(static_cast<char>(*single));
            continue;
        }
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            return std::nullopt;  // outside the BMP: CP932 holds none
        }
        ucnv_reset(converter.get());
        // Refuse instead of substituting.
        UErrorCode status = U_ZERO_ERROR;
        ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                              &status);
        std::array<char, 8> buffer{};
        const UChar source = unit;
        const int32_t written =
            ucnv_fromUChars(converter.get(), buffer.data(), static_cast<int32_t>(buffer.size()),
                            &source, 1, &status);
        if (U_FAILURE(status) || written <= 0) {
            return std::nullopt;
        }
        // A character whose bytes read back as something else is not held.
        const std::string_view bytes(buffer.data(), static_cast<std::size_t>(written));
        if (toUtf16(bytes) != std::u16string(1, unit)) {
            return std::nullopt;
        }
        out.append(bytes);
    }
    return out;
}

std::optional<std::string> fromUtf8(std::string_view text) {
    std::u16string wide;
    wide.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        char32_t cp = 0;
        std::size_t extra = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            cp = lead & 0x1F;
            extra = 1;
        } else if ((lead & 0xF0) == 0xE0) {
            cp = lead & 0x0F;
            extra = 2;
        } else if ((lead & 0xF8) == 0xF0) {
            cp = lead & 0x07;
            extra = 3;
        } else {
            return std::nullopt;
        }
        if (i + extra >= text.size() && extra > 0) {
            return std::nullopt;
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto cont = static_cast<unsigned char>(text[i + k]);
            if ((cont & 0xC0) != 0x80) {
                return std::nullopt;
            }
            cp = (cp << 6) | (cont & 0x3F);
        }
        i += extra + 1;
        if (cp >= 0x10000) {
            return std::nullopt;  // CP932 holds nothing outside the BMP
        }
        wide.push_back(static_cast<char16_t>(cp));
    }
    return fromUtf16(wide);
}

}  // namespace ruv::cp932
