#include "shell/app/file_drop_pass_through.h"

#include <QApplication>
#include <QDialog>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QUrl>

#include <algorithm>

namespace ruv {

namespace {

bool carriesOnlyLocalFiles(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().isEmpty()) {
        return false;
    }
    const QList<QUrl> urls = data->urls();
    return std::all_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

// The widget that takes a drop for a text field: the line edit itself, or a
// text edit's viewport.
bool isTextField(const QWidget& widget) {
    if (qobject_cast<const QLineEdit*>(&widget) != nullptr) {
        return true;
    }
    const QWidget* parent = widget.parentWidget();
    return parent != nullptr && (qobject_cast<const QPlainTextEdit*>(parent) != nullptr ||
                                 qobject_cast<const QTextEdit*>(parent) != nullptr);
}

}  // namespace

FileDropPassThrough::FileDropPassThrough(QWidget& window, std::function<void(QDropEvent&)> handle)
    : QObject(&window), window_(window), handle_(std::move(handle)) {
    qApp->installEventFilter(this);
}

bool FileDropPassThrough::ownsTextField(const QObject* watched) const {
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (widget == nullptr || !isTextField(*widget)) {
        return false;
    }
    // The field's own window is the main window or one of its dialogs. A
    // window of its own, such as the search window, keeps its drops.
    for (const QWidget* top = widget->window(); top != nullptr;
         top = top->parentWidget() ? top->parentWidget()->window() : nullptr) {
        if (top == &window_) {
            return true;
        }
        if (qobject_cast<const QDialog*>(top) == nullptr) {
            return false;
        }
    }
    return false;
}

bool FileDropPassThrough::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: {
            auto& drop = static_cast<QDropEvent&>(*event);
            if (!carriesOnlyLocalFiles(drop.mimeData()) || !ownsTextField(watched)) {
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
