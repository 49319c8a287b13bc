#include "core/speech/speech_test_buttons.h"

namespace ruv {

std::string connectionTestAdvice() {
    // "以下の事を確認して、再度通信テストをして見てください"
    std::string text =
        "\x88\xc8\x89\xba\x82\xcc\x8e\x96\x82\xf0\x8am\x94"
        "F\x82\xb5\x82\xc4\x81"
        "A\x8d\xc4\x93x"
        "\x92\xca\x90M\x83"
        "e\x83X\x83g\x82\xf0\x82\xb5\x82\xc4\x8c\xa9\x82\xc4\x82\xad\x82\xbe"
        "\x82\xb3\x82\xa2";
    text += "\r\n\r\n";
    // "１：棒読みちゃんの起動の確認"
    text +=
        "\x82P\x81"
        "F\x96_\x93\xc7\x82\xdd\x82\xbf\x82\xe1\x82\xf1\x82\xcc\x8bN\x93\xae\x82\xcc"
        "\x8am\x94"
        "F";
    text += "\r\n";
    // "２：棒読みちゃんの「Socket通信を使う」が「True」になっているか確認"
    text +=
        "\x82Q\x81"
        "F\x96_\x93\xc7\x82\xdd\x82\xbf\x82\xe1\x82\xf1\x82\xcc\x81uSocket\x92\xca"
        "\x90M\x82\xf0\x8eg\x82\xa4\x81v\x82\xaa\x81uTrue\x81v\x82\xc9\x82\xc8\x82\xc1\x82\xc4"
        "\x82\xa2\x82\xe9\x82\xa9\x8am\x94"
        "F";
    text += "\r\n";
    // "３：棒読みちゃんのポート番号の確認"
    text +=
        "\x82R\x81"
        "F\x96_\x93\xc7\x82\xdd\x82\xbf\x82\xe1\x82\xf1\x82\xcc\x83|\x81[\x83g\x94"
        "\xd4\x8d\x86\x82\xcc\x8am\x94"
        "F";
    text += "\r\n";
    // "４：ファイヤーウォール等の設定の確認"
    text +=
        "\x82S\x81"
        "F\x83t\x83@\x83"
        "C\x83\x84\x81[\x83"
        "E\x83H\x81[\x83\x8b\x93\x99\x82"
        "\xcc\x90\xdd\x92\xe8\x82\xcc\x8am\x94"
        "F";
    return text;
}

SpeechRequest connectionTestRequest(const SpeechEndpoint& endpoint) {
    return {endpoint, speechRequestBytes(VoiceParams{100, 100, 100, 0}, kConnectionTestMessage)};
}

SpeechRequest voiceTestRequest(const SpeechEndpoint& endpoint, const VoiceParams& voice) {
    return {endpoint, speechRequestBytes(voice, kVoiceTestMessage)};
}

}  // namespace ruv
