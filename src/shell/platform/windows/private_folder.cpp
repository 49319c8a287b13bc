#include "shell/platform/private_folder.h"

#include <QDir>

namespace ruv::platform {

QString privateRuntimeFolder() {
    return QDir::tempPath();  // the user's own
}

}  // namespace ruv::platform
