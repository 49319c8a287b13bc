#include "shell/exp/exp_key_filter.h"

#include <QKeyEvent>

#include "core/exp/exp_key_filters.h"

namespace ruv {

namespace {

bool isControlCharacter(char32_t c) {
    return c < 0x20 || c == 0x7f;
}

}  // namespace

bool TypedKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool chord = (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0;
    if (chord) {
        return false;
    }
    for (const uint code : key->text().toUcs4()) {
        const auto c = static_cast<char32_t>(code);
        if (c != kBackspaceKey && isControlCharacter(c)) {
            continue;
        }
        if (!accepts_(c)) {
            return true;
        }
    }
    return false;
}

}  // namespace ruv
