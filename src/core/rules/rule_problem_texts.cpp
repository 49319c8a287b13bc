#include "core/rules/rule_problem_texts.h"

#include <re2/re2.h>

namespace ruv::rule_problem_texts {

namespace {

inline const FixedText kBadEscape{"「\\」の後ろの文字が正規表現の記号として読めません"};
inline const FixedText kBadCharClass{"[ ] の中の文字の種類の書き方が正しくありません"};
inline const FixedText kBadCharRange{
    "[ ] の中の文字の範囲が正しくありません（後ろの文字が前の文字より小さいなど）"};
inline const FixedText kMissingBracket{"角括弧 [ が閉じられていません（] がありません）"};
inline const FixedText kMissingParen{"括弧 ( が閉じられていません（) がありません）"};
inline const FixedText kUnexpectedParen{"対応する ( のない閉じ括弧 ) があります"};
inline const FixedText kTrailingBackslash{"最後の文字が「\\」で終わっています"};
inline const FixedText kRepeatArgument{
    "繰り返しの記号（* + ? など）の前に繰り返す文字がありません"};
inline const FixedText kRepeatSize{
    "{ } の繰り返しの回数が正しくありません（大きすぎる、または最小が最大より大きい）"};
inline const FixedText kRepeatOp{"繰り返しの記号（* + ? など）が重なっています"};
inline const FixedText kBadPerlOp{"(? で始まる書き方が正しくありません"};
inline const FixedText kBadUtf8{"読めない文字（UTF-8 として正しくない文字）が含まれています"};
inline const FixedText kBadNamedCapture{
    "名前付きの括弧 (?P<名前>…) の名前が正しくないか、重なっています"};
inline const FixedText kPatternTooLarge{
    "パターンが大きすぎます（繰り返しの回数や言葉の数を減らしてください）"};
inline const FixedText kInternal{"正規表現の処理で内部エラーが起きました"};

const FixedText& kindText(RE2::ErrorCode code) {
    switch (code) {
        case RE2::ErrorBadEscape:
            return kBadEscape;
        case RE2::ErrorBadCharClass:
            return kBadCharClass;
        case RE2::ErrorBadCharRange:
            return kBadCharRange;
        case RE2::ErrorMissingBracket:
            return kMissingBracket;
        case RE2::ErrorMissingParen:
            return kMissingParen;
        case RE2::ErrorUnexpectedParen:
            return kUnexpectedParen;
        case RE2::ErrorTrailingBackslash:
            return kTrailingBackslash;
        case RE2::ErrorRepeatArgument:
            return kRepeatArgument;
        case RE2::ErrorRepeatSize:
            return kRepeatSize;
        case RE2::ErrorRepeatOp:
            return kRepeatOp;
        case RE2::ErrorBadPerlOp:
            return kBadPerlOp;
        case RE2::ErrorBadUTF8:
            return kBadUtf8;
        case RE2::ErrorBadNamedCapture:
            return kBadNamedCapture;
        case RE2::ErrorPatternTooLarge:
            return kPatternTooLarge;
        case RE2::ErrorInternal:
            return kInternal;
        case RE2::NoError:
            break;
    }
    return kPatternUnusable;
}

}  // namespace

std::string patternProblem(const RE2& refused) {
    std::string text(kindText(refused.error_code()).utf8());
    const std::string& detail = refused.error();
    if (!detail.empty()) {
        text += "（";
        text += detail;
        text += "）";
    }
    return text;
}

}  // namespace ruv::rule_problem_texts
