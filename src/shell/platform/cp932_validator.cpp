#include "shell/platform/cp932_validator.h"

#include "core/text/cp932.h"

namespace ruv {

QValidator::State Cp932Validator::validate(QString& input, int& /*pos*/) const {
    return cp932::fromUtf16(input.toStdU16String()) ? Acceptable : Invalid;
}

}  // namespace ruv
