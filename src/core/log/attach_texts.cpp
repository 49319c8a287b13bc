#include "core/log/attach_texts.h"

#include <array>
#include <string>

#include "core/text/cp932.h"

namespace ruv {

namespace {

constexpr std::array<std::string_view, 4> kUtf8Texts = {
    "アタッチ",
    "整頓 ",
    "ファイルサイズの取得に失敗しました。",
    "指定したファイルは存在しません",
};

}  // namespace

std::string_view attachText(AttachText text) {
    static const std::array<std::string, kUtf8Texts.size()> converted = [] {
        std::array<std::string, kUtf8Texts.size()> texts;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            texts[i] = cp932::fromUtf8(kUtf8Texts[i]).value_or(std::string{});
        }
        return texts;
    }();
    return converted[static_cast<std::size_t>(text)];
}

}  // namespace ruv
