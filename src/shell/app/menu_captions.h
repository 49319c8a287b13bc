#pragma once
// Captions of the File menu's log items with their mnemonics: Today's Log and
// Yesterday's Log take theirs after the caption ("(&T)", "(&Y)"), the recent
// logs a digit before it ("&1 " to "&5 "). A path or log name is shown as it
// is: an "&" in it is no mnemonic.

#include <QChar>
#include <QString>

#include <cstddef>

namespace ruv {

inline QString shownAsItIs(const QString& text) {
    QString shown = text;
    return shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

inline QString withMnemonicAfter(const QString& text, QChar letter) {
    return shownAsItIs(text) + QStringLiteral("(&") + letter + QLatin1Char(')');
}

// index 0 to 4: "&1 " to "&5 ".
inline QString historyCaption(std::size_t index, const QString& text) {
    return QStringLiteral("&%1 ").arg(index + 1) + shownAsItIs(text);
}

inline constexpr char16_t kTodaysLogMnemonic = u'T';
inline constexpr char16_t kYesterdaysLogMnemonic = u'Y';

}  // namespace ruv
