#include "core/app/window_options.h"

namespace ruv {

WindowAlpha alphaFor(Transparency transparency) noexcept {
    switch (transparency) {
        case Transparency::Default:
            return {false, 255};
        case Transparency::Percent10:
            return {true, 230};
        case Transparency::Percent20:
            return {true, 204};
        case Transparency::Percent30:
            return {true, 179};
        case Transparency::Percent40:
            return {true, 153};
        case Transparency::Percent50:
            return {true, 128};
    }
    return {false, 255};
}

std::optional<int> intervalSeconds(UpdateIntervalEntry entry) noexcept {
    switch (entry) {
        case UpdateIntervalEntry::Seconds1:
            return 1;
        case UpdateIntervalEntry::Seconds5:
            return 5;
        case UpdateIntervalEntry::Seconds10:
            return 10;
        case UpdateIntervalEntry::Seconds30:
            return 30;
        case UpdateIntervalEntry::Seconds60:
            return 60;
        case UpdateIntervalEntry::Stop:
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace ruv
