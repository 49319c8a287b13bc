#pragma once
// The program's fixed texts (captions, messages, markers) are written once, in
// readable UTF-8 beside their names, and handed to the rest of the core as the
// CP932 bytes it works on, converted once on first use.

#include <mutex>
#include <span>
#include <string>
#include <string_view>

namespace ruv {

class FixedText {
  public:
    // utf8 must outlive the text: a string literal.
    explicit FixedText(std::string_view utf8);
    FixedText(const FixedText&) = delete;
    FixedText& operator=(const FixedText&) = delete;

    std::string_view cp932() const;
    operator std::string_view() const { return cp932(); }  // NOLINT: used as the bytes it holds
    std::string_view utf8() const { return utf8_; }

    friend bool operator==(const FixedText& text, std::string_view bytes) {
        return text.cp932() == bytes;
    }

  private:
    std::string_view utf8_;
    mutable std::once_flag converted_;
    // Empty when CP932 cannot hold the text; the round-trip test rules that out.
    mutable std::string cp932_;
};

// Every fixed text linked into the program, in the order they were made.
std::span<const FixedText* const> allFixedTexts();

}  // namespace ruv
