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

}  // namespace ruv
