#pragma once
// A view's lines as a text file of their own (このタブを保存…).

#include <string>

#include "core/views/line_store.h"

namespace ruv {

enum class TextFileEncoding { Utf8, ShiftJis };

// Every line followed by CR LF, in UTF-8 (without a byte-order mark) or as
// the Shift-JIS (CP932) bytes the view holds.
std::string viewTextFile(const LineStore& store, TextFileEncoding encoding);

}  // namespace ruv
