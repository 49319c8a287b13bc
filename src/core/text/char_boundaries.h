#pragma once
// Many searches in one CP932 text: the character boundaries are worked out
// once, so each search is a plain byte search whose hits are accepted only at
// a boundary. Gives the same answers as sjis::find.

#include <cstddef>
#include <string_view>
#include <vector>

namespace ruv {

class CharBoundaries {
  public:
    // The text must outlive the searches made until the next reset.
    void reset(std::string_view text);

    std::size_t find(std::string_view needle, std::size_t from = 0) const noexcept;
    bool contains(std::string_view needle) const noexcept {
        return find(needle) != std::string_view::npos;
    }
    std::string_view text() const noexcept { return text_; }

  private:
    std::string_view text_;
    std::vector<unsigned char> atBoundary_;
};

}  // namespace ruv
