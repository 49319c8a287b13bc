#include "shell/views/text_size_control.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QWheelEvent>

#include <optional>

#include "shell/views/channel_view.h"

namespace ruv {

namespace {

constexpr int kWheelNotch = 120;

// Ctrl with +, - or 0, the keypad's included; Shift is allowed since "+" needs
// it on Japanese keyboards.
std::optional<TextSizeStep> stepOfKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers others =
        key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (others != Qt::ControlModifier) {
        return std::nullopt;
    }
    switch (key.key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            return TextSizeStep::Larger;
        case Qt::Key_Minus:
            return TextSizeStep::Smaller;
        case Qt::Key_0:
            return TextSizeStep::Reset;
        default:
            return std::nullopt;
    }
}

}  // namespace

TextSizeControl::TextSizeControl(QObject* parent) : QObject(parent) {}

void TextSizeControl::addView(ChannelView& view) {
    watch(view, *view.viewport());
}

void TextSizeControl::addErrorLog(QPlainTextEdit& errorLog) {
    // Its own Ctrl+wheel zoom would leave it apart from the views.
    watch(errorLog, *errorLog.viewport());
}

void TextSizeControl::addList(QAbstractScrollArea& list) {
    watch(list, *list.viewport());
}

void TextSizeControl::watch(QWidget& widget, QWidget& viewport) {
    widgets_.append(QPointer<QWidget>(&widget));
    widget.installEventFilter(this);
    viewport.installEventFilter(this);
    apply(widget);
}

void TextSizeControl::setSize(TextSize size) {
    if (size == size_) {
        return;
    }
    size_ = size;
    for (const QPointer<QWidget>& widget : widgets_) {
        if (widget) {
            apply(*widget);
        }
    }
    emit sizeChanged(size_);
}

void TextSizeControl::apply(QWidget& widget) const {
    QFont font = widget.font();
    font.setPixelSize(size_.pixels());
    widget.setFont(font);
}

bool TextSizeControl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (const auto keyStep = stepOfKey(*static_cast<QKeyEvent*>(event))) {
            step(*keyStep);
            return true;
        }
    } else if (event->type() == QEvent::ShortcutOverride) {
        // Claims the keys before a menu shortcut could take them.
        if (stepOfKey(*static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
    } else if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if ((wheel->modifiers() & Qt::ControlModifier) != 0) {
            wheelRemainder_ += wheel->angleDelta().y();
            while (wheelRemainder_ >= kWheelNotch) {
                wheelRemainder_ -= kWheelNotch;
                step(TextSizeStep::Larger);
            }
            while (wheelRemainder_ <= -kWheelNotch) {
                wheelRemainder_ += kWheelNotch;
                step(TextSizeStep::Smaller);
            }
            wheel->accept();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace ruv
