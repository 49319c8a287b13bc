// Creates the main window, fills several tabs with coloured sample lines and
// saves a picture of it: mh_ruvivuvaz-screenshot <output.png>

#include <QApplication>
#include <QPixmap>
#include <QStatusBar>
#include <QTimer>

#include <cstdio>
#include <string>

#include "core/text/cp932.h"
#include "shell/app/ruvivuvaz.h"

namespace {

using ruv::ChatChannel;
using ruv::Colour;

void add(ruv::TForm1& window, ChatChannel channel, const char* utf8, Colour colour) {
    const std::string line = ruv::cp932::fromUtf8(utf8).value_or(std::string{});
    window.appendLine(channel, line, colour);
}

void fill(ruv::TForm1& window) {
    namespace c = ruv::colours;
    struct Sample {
        ChatChannel channel;
        const char* text;
        Colour colour;
    };
    const Sample samples[] = {
        {ChatChannel::Open, "[21:15:03]       アルト : こんばんはー", c::kOpenWhite},
        {ChatChannel::Open, "[21:15:09]       ミナ : 港の露店、今日は混んでるね", c::kOpenGreen},
        {ChatChannel::Team, "[21:15:12]       ルカ : 次は灯台の地下いきましょう", c::kTeam},
        {ChatChannel::Club, "[21:15:20]       セツナ : クラブ倉庫に回復薬入れておきました",
         c::kClub},
        {ChatChannel::Whis, "[21:15:31]       ノエル >> 例の件、あとで相談させてください",
         c::kWhis},
        {ChatChannel::Shout, "[21:15:40]       カイ : 露店で鉄鉱石まとめ売り中！", c::kShout},
        {ChatChannel::Team, "[21:15:44]       ルカ : 準備できたら声かけてね", c::kTeam},
        {ChatChannel::Open, "[21:15:51]       アルト : いってらっしゃい", c::kOpenWhite},
    };
    for (const Sample& sample : samples) {
        add(window, sample.channel, sample.text, sample.colour);
        add(window, ChatChannel::Normal, sample.text, sample.colour);
        if (sample.channel != ChatChannel::Shout) {
            add(window, ChatChannel::Original, sample.text, sample.colour);
        }
        if (window.activeTab() != ruv::tabOf(sample.channel)) {
            window.raiseUnread(ruv::tabOf(sample.channel));
        }
    }
    add(window, ChatChannel::Battle, "[21:15:58]       経験値が 1520 上がりました。", c::kBattle);
    add(window, ChatChannel::System, "[21:16:02]       アイテムを手に入れました。", c::kSystemRed);
    add(window, ChatChannel::NG, "[21:16:05]       ？？？ : 格安でゴールド販売中", c::kOpenWhite);
    window.raiseUnread(ruv::Tab::NG);
    window.raiseUnread(ruv::Tab::Original);
    window.setTabShown(ruv::Tab::Battle, ruv::TabVisibility::Shown);
    window.setActiveTab(ruv::Tab::Normal);
    window.setStatusText(ruv::StatusPanel::Path,
                         QStringLiteral("C:\\MistHarbour\\ChatLog\\MHChatLog_2026_12_07.html"));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DIrararezuvero"));
    if (argc != 2) {
        std::fprintf(stderr, "usage: mh_ruvivuvaz-screenshot <output.png>\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    ruv::TForm1 window;
    fill(window);
    window.show();
    int status = 1;
    // Let the window lay itself out and paint before it is grabbed.
    QTimer::singleShot(500, &window, [&] {
        status = window.grab().save(output, "PNG") ? 0 : 1;
        QApplication::quit();
    });
    QApplication::exec();
    if (status != 0) {
        std::fprintf(stderr, "could not write %s\n", argv[1]);
    }
    return status;
}
