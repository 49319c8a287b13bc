#include "core/log/unattachable_log.h"

#include <system_error>

#include "core/log/attach_texts.h"
#include "core/text/fixed_text.h"

namespace ruv {

namespace {

inline const FixedText kMissing{": ファイルがありません。"};
inline const FixedText kFolder{": ファイルではなくフォルダーです。"};
inline const FixedText kUnopenable{": ファイルを開けません。"};

}  // namespace

UnattachableReason whyUnattachable(const std::optional<std::filesystem::path>& native) {
    std::error_code status;
    if (!native) {
        return UnattachableReason::Unopenable;
    }
    if (std::filesystem::is_directory(*native, status)) {
        return UnattachableReason::Folder;
    }
    if (!std::filesystem::exists(*native, status) && !status) {
        return UnattachableReason::Missing;
    }
    return UnattachableReason::Unopenable;
}

std::string unattachableLogText(std::string_view cp932Path, UnattachableReason reason) {
    std::string text(attachText(AttachText::SizeUnavailable));
    text += ' ';
    text += cp932Path;
    switch (reason) {
        case UnattachableReason::Missing:
            text += kMissing;
            break;
        case UnattachableReason::Folder:
            text += kFolder;
            break;
        case UnattachableReason::Unopenable:
            text += kUnopenable;
            break;
    }
    return text;
}

}  // namespace ruv
