#include "core/exp/basic_page_layout.h"

namespace ruv {

namespace {

using C = BasicPageControl;

constexpr BasicPageLayout kLayout01{{
    {C::LabeledEdit09, true, 0, 16},    {C::LabeledEdit07, true, 96, 16},
    {C::LabeledEdit08, true, 192, 16},  {C::LabeledEdit03, true, 0, 56},
    {C::LabeledEdit04, true, 96, 56},   {C::LabeledEdit05, true, 192, 56},
    {C::Label03, true, 8, 80},          {C::TimeH01, true, 112, 80},
    {C::Label04, true, 120, 80},        {C::TimeM01, true, 160, 80},
    {C::Label05, true, 168, 80},        {C::TimeS01, true, 192, 80},
    {C::Label06, true, 200, 80},        {C::Label07, true, 216, 80},
    {C::TimeLabel01, false, 248, 80},   {C::Label01, true, 8, 96},
    {C::Label02, true, 128, 96},        {C::TimeInLabel01, true, 288, 88},
    {C::LabeledEdit01, false, 0, 16},   {C::LabeledEdit06, false, 96, 16},
    {C::LabeledEdit02, false, 192, 16},
}};

constexpr BasicPageLayout kLayout02{{
    {C::LabeledEdit09, true, 0, 56},   {C::LabeledEdit07, true, 96, 56},
    {C::LabeledEdit08, true, 192, 56}, {C::LabeledEdit03, true, 0, 96},
    {C::LabeledEdit04, true, 96, 96},  {C::LabeledEdit05, true, 192, 96},
    {C::Label03, true, 8, 120},        {C::TimeH01, true, 112, 120},
    {C::Label04, true, 120, 120},      {C::TimeM01, true, 160, 120},
    {C::Label05, true, 168, 120},      {C::TimeS01, true, 192, 120},
    {C::Label06, true, 200, 120},      {C::Label07, true, 216, 120},
    {C::TimeLabel01, false, 248, 120}, {C::Label01, true, 8, 136},
    {C::Label02, true, 128, 136},      {C::TimeInLabel01, true, 288, 88},
    {C::LabeledEdit01, true, 0, 16},   {C::LabeledEdit06, true, 96, 16},
    {C::LabeledEdit02, true, 192, 16},
}};

}  // namespace

std::optional<ExpLayout> expLayoutFromIndex(int index) noexcept {
    switch (index) {
        case 0:
            return ExpLayout::Layout01;
        case 1:
            return ExpLayout::Layout02;
        default:
            return std::nullopt;
    }
}

int indexOf(ExpLayout layout) noexcept {
    return layout == ExpLayout::Layout01 ? 0 : 1;
}

BasicPageLayout basicPageLayout(ExpLayout layout, const ElapsedTexts& elapsed) noexcept {
    BasicPageLayout out = layout == ExpLayout::Layout01 ? kLayout01 : kLayout02;
    for (ControlPlacement& row : out) {
        std::string_view number;
        if (row.control == C::TimeH01) {
            number = elapsed.hours;
        } else if (row.control == C::TimeM01) {
            number = elapsed.minutes;
        } else if (row.control == C::TimeS01) {
            number = elapsed.seconds;
        }
        if (number.size() > 1) {
            row.left -= 6;
        }
    }
    return out;
}

}  // namespace ruv
