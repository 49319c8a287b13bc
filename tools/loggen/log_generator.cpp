#include "loggen/log_generator.h"

#include <array>
#include <cstdio>
#include <stdexcept>

#include "core/search/log_day.h"
#include "core/text/cp932.h"

namespace ruv::loggen {

namespace {

std::string sjisOf(std::string_view utf8) {
    auto bytes = cp932::fromUtf8(utf8);
    if (!bytes) {
        throw std::logic_error("log generator text not representable in CP932");
    }
    return *bytes;
}

std::vector<std::string> sjisAll(std::initializer_list<std::string_view> texts) {
    std::vector<std::string> out;
    out.reserve(texts.size());
    for (std::string_view text : texts) {
        out.push_back(sjisOf(text));
    }
    return out;
}

// Several names and messages hold characters whose trail byte is '\' (表 ソ 能
// 十 予) or '|' (ポ 怖), which a byte-wise search would mistake for ASCII.
struct Pools {
    std::vector<std::string> names = sjisAll({
        "表裏一体",
        "ソフィア",
        "能登",
        "ポチ",
        "十六夜",
        "予言者ソーマ",
        "アルカディア",
        "みすと",
        "さくら",
        "黒猫",
        "ハル",
        "ゆうき",
        "剣士ソラ",
        "怖がり",
        "Kirito",
        "mist_01",
        "ネコ能力者",
        "ソ\\ポ",
    });
    std::vector<std::string> messages = sjisAll({
        "こんばんは～",
        "よろしくお願いします！",
        "表示がおかしいかも",
        "ソロで狩りに行ってきます",
        "能力値を振り直した",
        "ポーションください",
        "十字路で待ってます",
        "予定どおり21時集合で",
        "ｃｌｕｂ戦まだ？",
        "w",
        "おつかれさまでした",
        "誰か一緒にダンジョン行きませんか",
        "<b>太字</b>は効かないよ",
        "a < b & c > d",
        "3 : 2 で勝ち",
        "C:\\Games\\ソフト表",
        "|パイプ|と\\円記号\\",
        "怖い話しよう",
        "OK",
        "了解です。今から向かいます",
        "ドロップ率アップ中らしい",
        "&lt;これは実体参照&gt;",
    });
    std::vector<std::string> battle = sjisAll({
        "スライムを倒した。",
        "ゴブリンに 120 のダメージを与えた。",
        "表皮が硬くて攻撃が通らない。",
        "ソードスキルが発動した！",
        "能力低下の効果を受けた。",
        "ポイズンの効果が切れた。",
        "オーガから 58 のダメージを受けた。",
        "クリティカルヒット！",
    });
    std::vector<std::string> system = sjisAll({
        "サーバーメンテナンスのお知らせ",
        "ソロモンがログインしました。",
        "アイテムを手に入れました。",
        "能力値が上昇しました。",
        "十分後に再起動します。",
        "予約が完了しました。",
        "ポイントが加算されました。",
    });
    std::string gainStart = sjisOf("経験値が");
    std::string gainEnd = sjisOf(" 上がりました。");
    std::string levelUpSuffix = sjisOf("はレベルアップしました！");
};

const Pools& pools() {
    static const Pools instance;
    return instance;
}

constexpr std::array<Colour, 7> kSingleBlankColours{
    colours::kTeam,   colours::kClub,      colours::kWhis,        colours::kShout,
    colours::kBattle, colours::kSystemRed, colours::kSystemGreen,
};

}  // namespace

std::optional<LogDate> parseLogDate(std::string_view text) {
    const auto day = parseLogDay(text);
    if (!day) {
        return std::nullopt;
    }
    return LogDate{day->year, day->month, day->day};
}

std::string timeStampText(LogDate date, int secondsOfDay) {
    const int seconds = secondsOfDay % 86400;
    std::array<char, 32> buffer{};
    const int n =
        std::snprintf(buffer.data(), buffer.size(), "[%02d/%02d %02d:%02d:%02d] ", date.month % 100,
                      date.day % 100, seconds / 3600, seconds / 60 % 60, seconds % 60);
    std::string out(buffer.data(), static_cast<std::size_t>(n));
    out.resize(kTimeStampBytes, ' ');
    return out;
}

std::string tagBlock(Colour colour, TagBlockForm form) {
    const std::string font = "<font size=\"2\" color=\"" + colourText(colour) + "\">";
    return form == TagBlockForm::BlankBefore ? "</font> " + font : "</font>" + font + " ";
}

LogGenerator::LogGenerator(std::uint64_t seed, LogDate date)
    : random_(seed), date_(date), secondsOfDay_(static_cast<int>(seed % 3600) + 20 * 3600) {}

std::uint64_t LogGenerator::below(std::uint64_t bound) {
    if (bound <= 1) {
        return 0;
    }
    // Rejection sampling keeps the draw uniform and platform-independent.
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % bound;
    std::uint64_t value = random_();
    while (value >= limit) {
        value = random_();
    }
    return value % bound;
}

const std::string& LogGenerator::pick(const std::vector<std::string>& pool) {
    return pool[below(pool.size())];
}

std::string LogGenerator::header() const {
    std::string out;
    out.append(markers::kHeaderBody).append("\n");
    out.append(markers::kHeaderTitle).append("\n");
    std::array<char, 64> buffer{};
    const int n =
        std::snprintf(buffer.data(), buffer.size(), "%04d/%02d/%02d %02d:%02d:%02d",
                      date_.year % 10000, date_.month % 100, date_.day % 100,
                      secondsOfDay_ / 3600 % 24, secondsOfDay_ / 60 % 60, secondsOfDay_ % 60);
    std::string dateLine(markers::kHeaderDatePrefix);
    dateLine.append(buffer.data(), static_cast<std::size_t>(n));
    const std::string_view close = " </b></font></br>";
    // The game pads the date so that the line is always the same width.
    dateLine.resize(markers::kHeaderDateLineBytes - 1 - close.size(), ' ');
    dateLine.append(close);
    out.append(dateLine).append("\n");
    out.append(markers::kHeaderFace).append("\n");
    return out;
}

std::string LogGenerator::timeStamp() {
    secondsOfDay_ += static_cast<int>(below(4));
    return timeStampText(date_, secondsOfDay_);
}

GeneratedLine LogGenerator::makeLine(Colour colour, TagBlockForm form, std::string_view body) {
    GeneratedLine line;
    line.colour = colour;
    line.form = form;
    line.bytes.reserve(kMarkerAndSeparatorBytes + kTimeStampBytes + kTagBlockBytes + body.size() +
                       kLineCloseBytes);
    line.bytes.append(markers::kLine).append(" ");
    line.bytes.append(timeStamp());
    line.bytes.append(tagBlock(colour, form));
    line.bytes.append(body);
    line.bytes.append(markers::kLineClose);
    line.hasEntity = line.bytes.find("&nbsp") != std::string::npos;
    if (const auto match = ownMarker(removeEntities(line.bytes))) {
        line.channel = match->channel;
    }
    return line;
}

std::string LogGenerator::chatBody() {
    const Pools& p = pools();
    std::string body = pick(p.names);
    body.append(" : ");
    body.append(pick(p.messages));
    const std::uint64_t extra = below(20);
    if (extra < 2) {
        static constexpr std::array<std::string_view, 3> kEntities{"&nbsp ", "&nbsp;", "&nbsp"};
        body.append(kEntities[below(kEntities.size())]);
        body.append(pick(p.messages));
    } else if (extra < 5) {
        body.append(" ");
        body.append(pick(p.messages));
    }
    return body;
}

std::string LogGenerator::battleBody(std::int64_t& gain, bool& levelUp) {
    const Pools& p = pools();
    const std::uint64_t kind = below(100);
    if (kind < 35) {
        gain = below(10) == 0 ? static_cast<std::int64_t>(below(250000)) + 1
                              : static_cast<std::int64_t>(below(5000)) + 1;
        std::string body = below(3) == 0 ? " " : "";
        body.append(p.gainStart).append(" ").append(std::to_string(gain)).append(p.gainEnd);
        return body;
    }
    if (kind < 39) {
        levelUp = true;
        return pick(p.names) + p.levelUpSuffix;
    }
    return pick(p.battle);
}

std::string LogGenerator::systemBody() {
    return pick(pools().system);
}

GeneratedLine LogGenerator::nextLine() {
    const std::uint64_t roll = below(100);
    GeneratedLine line;
    std::int64_t gain = 0;
    bool levelUp = false;
    auto form = [&](int blankAfterPercent) {
        return below(100) < static_cast<std::uint64_t>(blankAfterPercent)
                   ? TagBlockForm::BlankAfter
                   : TagBlockForm::BlankBefore;
    };
    if (roll < 18) {
        line = makeLine(colours::kOpenGreen, form(30), chatBody());
    } else if (roll < 23) {
        line = makeLine(colours::kOpenWhite, form(30), chatBody());
    } else if (roll < 33) {
        line = makeLine(colours::kTeam, TagBlockForm::BlankBefore, chatBody());
    } else if (roll < 42) {
        line = makeLine(colours::kClub, TagBlockForm::BlankBefore, chatBody());
    } else if (roll < 49) {
        line = makeLine(colours::kWhis, TagBlockForm::BlankBefore, chatBody());
    } else if (roll < 55) {
        line = makeLine(colours::kShout, TagBlockForm::BlankBefore, chatBody());
    } else if (roll < 80) {
        std::string body = battleBody(gain, levelUp);
        line = makeLine(colours::kBattle, TagBlockForm::BlankBefore, body);
    } else if (roll < 88) {
        line = makeLine(colours::kSystemRed, TagBlockForm::BlankBefore, systemBody());
    } else if (roll < 96) {
        line = makeLine(colours::kSystemGreen, TagBlockForm::BlankBefore, systemBody());
    } else {
        // The blank-after form of a non-Open colour: belongs to no channel.
        const Colour colour = kSingleBlankColours[below(kSingleBlankColours.size())];
        line = makeLine(colour, TagBlockForm::BlankAfter, chatBody());
    }
    line.gain = gain;
    line.levelUp = levelUp;
    ++totals_.lines;
    if (gain != 0) {
        totals_.gainSum += gain;
        ++totals_.gainCount;
    }
    if (levelUp) {
        ++totals_.levelUps;
    }
    return line;
}

std::string LogGenerator::generate(std::size_t approxBytes) {
    std::string out = header();
    while (out.size() < approxBytes) {
        out.append(nextLine().bytes).append("\n");
    }
    return out;
}

std::string LogGenerator::generate(std::size_t approxBytes, std::vector<GeneratedLine>& lines) {
    std::string out = header();
    while (out.size() < approxBytes) {
        GeneratedLine line = nextLine();
        out.append(line.bytes).append("\n");
        lines.push_back(std::move(line));
    }
    return out;
}

}  // namespace ruv::loggen
