#include "shell/speech/cp932_refusal.h"

#include <QMetaObject>

#include "core/text/cp932.h"

namespace ruv {

QString cp932RefusalText() {
    return QStringLiteral("Shift-JIS(CP932)で表せない文字が含まれているため入力できません");
}

RefusingCp932Validator::RefusingCp932Validator(std::function<void()> refused, QObject* parent)
    : QValidator(parent), refused_(std::move(refused)) {}

QValidator::State RefusingCp932Validator::validate(QString& input, int& /*pos*/) const {
    if (cp932::fromUtf16(input.toStdU16String())) {
        return Acceptable;
    }
    if (refused_ && !pending_) {
        // Told once the key press that is being turned down is over.
        pending_ = true;
        QMetaObject::invokeMethod(
            const_cast<RefusingCp932Validator*>(this),
            [this] {
                pending_ = false;
                refused_();
            },
            Qt::QueuedConnection);
    }
    return Invalid;
}

}  // namespace ruv
