#include "core/app/status_bar_share.h"

namespace ruv {

void StatusBarShare::showAttachStatus(StatusPanel panel, std::string_view cp932) {
    if (panel == StatusPanel::State && tidying_) {
        return;
    }
    out_.show(panel, cp932);
}

void StatusBarShare::showTidyProgress(std::string_view cp932) {
    tidying_ = true;
    out_.show(StatusPanel::State, cp932);
}

void StatusBarShare::endTidy(std::string_view attachState) {
    tidying_ = false;
    out_.show(StatusPanel::State, heldClock_.value_or(std::string(attachState)));
    heldClock_.reset();
}

void StatusBarShare::showPanels(std::string_view panel0, std::string_view panel1) {
    if (tidying_) {
        heldClock_ = std::string(panel0);
    } else {
        out_.show(StatusPanel::State, panel0);
    }
    out_.show(StatusPanel::Path, panel1);
}

}  // namespace ruv
