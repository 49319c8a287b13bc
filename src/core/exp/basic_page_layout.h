#pragma once
// The two arrangements of the basic page of the EXP tab, as pixel positions
// from the page's top-left corner. The pause and reset buttons and the layout
// list itself never move.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace ruv {

enum class ExpLayout { Layout01, Layout02 };

// LayoutList01's index: 0 is レイアウト01 (the default), 1 is レイアウト02.
std::optional<ExpLayout> expLayoutFromIndex(int index) noexcept;
int indexOf(ExpLayout layout) noexcept;

enum class BasicPageControl {
    LabeledEdit09,  // 取得EXP
    LabeledEdit07,  // EXPのカウント
    LabeledEdit08,  // 平均EXP
    LabeledEdit03,  // 時給
    LabeledEdit04,  // 最高時給
    LabeledEdit05,  // 最低時給
    Label03,        // 初回取得EXPから
    TimeH01,
    Label04,  // 時間
    TimeM01,
    Label05,  // 分
    TimeS01,
    Label06,  // 秒
    Label07,  // 経過
    TimeLabel01,
    Label01,
    Label02,
    TimeInLabel01,
    LabeledEdit01,  // 日給
    LabeledEdit06,  // 取得EXP総CT数
    LabeledEdit02,  // 日給÷24時間
};

struct ControlPlacement {
    BasicPageControl control;
    bool shown;  // the position applies to hidden controls too
    int left;
    int top;
};

inline constexpr std::size_t kBasicPageControlCount = 21;
using BasicPageLayout = std::array<ControlPlacement, kBasicPageControlCount>;

// The texts TimeH01, TimeM01 and TimeS01 show when the layout is applied.
struct ElapsedTexts {
    std::string_view hours;
    std::string_view minutes;
    std::string_view seconds;
};

// ApplyLayout: every control's placement. The right-aligned numbers TimeH01,
// TimeM01 and TimeS01 sit 6 pixels further left while their text is longer
// than one character.
BasicPageLayout basicPageLayout(ExpLayout layout, const ElapsedTexts& elapsed) noexcept;

}  // namespace ruv
