#include "shell/app/file_drop_pass_through.h"

#include <QDropEvent>
#include <QMimeData>

namespace ruv {

FileDropPassThrough::FileDropPassThrough(QObject* parent, std::function<void(QDropEvent&)> handle)
    : QObject(parent), handle_(std::move(handle)) {}

bool FileDropPassThrough::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: {
            auto& drop = static_cast<QDropEvent&>(*event);
            if (drop.mimeData() == nullptr || !drop.mimeData()->hasUrls()) {
                return false;
            }
            handle_(drop);
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace ruv
