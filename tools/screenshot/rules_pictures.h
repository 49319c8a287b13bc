#pragma once
// The rules dialog and 過去ログで試す, photographed for the README.

#include <QString>

namespace ruv {

// Returns the tool's exit status.
int photographRules(const QString& appFolder, const QString& output);

}  // namespace ruv
