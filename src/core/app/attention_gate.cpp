#include "core/app/attention_gate.h"

namespace ruv {

void AttentionGate::setWindowActivity(WindowActivity activity) noexcept {
    activity_ = activity;
    if (activity == WindowActivity::Active) {
        flashed_ = false;
    }
}

void AttentionGate::requestAttention() {
    if (activity_ == WindowActivity::Active || flashed_) {
        return;
    }
    flashed_ = true;
    flash_.requestAttention();
}

}  // namespace ruv
