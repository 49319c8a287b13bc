#include "shell/exp/exp_key_filter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include "core/exp/exp_key_filters.h"

namespace ruv {

namespace {

bool isControlCharacter(char32_t c) {
    return c < 0x20 || c == 0x7f;
}

}  // namespace

bool TypedKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            return filterKey(*static_cast<QKeyEvent*>(event));
        case QEvent::InputMethod:
            return filterCommit(watched, *static_cast<QInputMethodEvent*>(event));
        default:
            return QObject::eventFilter(watched, event);
    }
}

bool TypedKeyFilter::filterKey(const QKeyEvent& key) const {
    const bool chord = (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0;
    if (chord) {
        return false;
    }
    for (const uint code : key.text().toUcs4()) {
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

// A Japanese input method in kana mode commits full-width digits: the field
// gets what typing the committed text key by key would have left.
bool TypedKeyFilter::filterCommit(QObject* watched, const QInputMethodEvent& input) const {
    const QString committed = input.commitString();
    const std::u32string typed = committed.toStdU32String();
    const std::u32string kept = acceptedCharacters(typed, accepts_);
    if (kept == typed) {
        return false;
    }
    QInputMethodEvent filtered(input.preeditString(), input.attributes());
    filtered.setCommitString(QString::fromStdU32String(kept), input.replacementStart(),
                             input.replacementLength());
    QCoreApplication::sendEvent(watched, &filtered);
    return true;
}

}  // namespace ruv
