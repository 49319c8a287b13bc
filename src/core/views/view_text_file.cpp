#include "core/views/view_text_file.h"

#include "core/text/cp932.h"

namespace ruv {

std::string viewTextFile(const LineStore& store, TextFileEncoding encoding) {
    std::string bytes = store.text();
    if (!store.empty()) {
        bytes += "\r\n";
    }
    return encoding == TextFileEncoding::Utf8 ? cp932::toUtf8(bytes) : bytes;
}

}  // namespace ruv
