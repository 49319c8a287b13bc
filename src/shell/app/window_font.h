#pragma once

#include <QFont>

namespace ruv {

// "ＭＳ Ｐゴシック" 12 px; where it is missing the metric-compatible IPAPGothic.
QFont windowFont();

}  // namespace ruv
