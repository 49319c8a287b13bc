#pragma once
// Text the user typed, as CP932. Text that CP932 cannot hold is refused, never
// altered: the caller names the first character it cannot hold.

#include <QString>

#include <optional>
#include <string>

namespace ruv {

struct Cp932Input {
    std::optional<std::string> bytes;  // empty when refused
    QString refused;                   // the first character CP932 cannot hold
};

Cp932Input cp932Input(const QString& text);

}  // namespace ruv
