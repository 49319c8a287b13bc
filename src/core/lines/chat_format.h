#pragma once
// The game's chat log format: channels, markers, entity removal, display
// slicing and the two battle messages that carry experience.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/text/fixed_text.h"
#include "core/vocabulary/channel.h"

namespace ruv {

namespace markers {
// Opens the time stamp of every chat line.
inline constexpr std::string_view kLine = "<font size=\"2\" color=\"white\">";
inline constexpr std::string_view kLineClose = "</font></br>";

inline constexpr std::string_view kOpenGreenBefore = "</font> <font size=\"2\" color=\"#c8ffc8\">";
inline constexpr std::string_view kOpenGreenAfter = "</font><font size=\"2\" color=\"#c8ffc8\"> ";
inline constexpr std::string_view kOpenWhiteBefore = "</font> <font size=\"2\" color=\"#ffffff\">";
inline constexpr std::string_view kOpenWhiteAfter = "</font><font size=\"2\" color=\"#ffffff\"> ";
inline constexpr std::string_view kTeam = " <font size=\"2\" color=\"#f7b73c\">";
inline constexpr std::string_view kClub = " <font size=\"2\" color=\"#94ddfa\">";
inline constexpr std::string_view kWhis = " <font size=\"2\" color=\"#64ff64\">";
inline constexpr std::string_view kShout = " <font size=\"2\" color=\"#c896c8\">";
inline constexpr std::string_view kBattle = " <font size=\"2\" color=\"#ff64ff\">";
inline constexpr std::string_view kSystemRed = " <font size=\"2\" color=\"#ff6464\">";
inline constexpr std::string_view kSystemGreen = " <font size=\"2\" color=\"#64ff80\">";

// A gain reads kBattle, an optional blank, kGainWord, the amount and kGainEnd.
inline const FixedText kGainWord{"経験値が "};
inline const FixedText kGainEnd{" 上がりました。"};
inline const FixedText kLevelUp{"レベルアップしました！"};

// The header block that opens a new day's file.
inline constexpr std::string_view kHeaderBody = "<body bgcolor=\"black\">";
inline constexpr std::string_view kHeaderTitle =
    "<font size=\"2\" color=\"white\"> <b> Mistharbour Chat Message Log </b></font></br>";
inline constexpr std::string_view kHeaderDatePrefix =
    "<font size=\"2\" color=\"white\"> <b> Date : ";
inline const FixedText kHeaderFace{"<font face=\"ＭＳ ゴシック\">"};
inline constexpr std::size_t kHeaderDateLineBytes = 89;
}  // namespace markers

// Widths of the fixed chat line layout, in bytes.
inline constexpr std::size_t kMarkerAndSeparatorBytes = 30;
inline constexpr std::size_t kTimeStampBytes = 17;
inline constexpr std::size_t kTagBlockBytes = 39;
inline constexpr std::size_t kLineCloseBytes = 12;
// 1-based byte 96 of the raw line starts the gain amount.
inline constexpr std::size_t kGainAmountOffset = 95;

// Deletes every "&nbsp " and then every remaining "&nbsp" (case-sensitive).
std::string removeEntities(std::string_view line);
// Deletes every CR LF pair.
std::string removeCrLf(std::string_view line);
// The time stamp followed by the body: marker, separator, tag block and the
// closing tags cut off, each step clamped to what is there.
std::string displayText(std::string_view raw);
// The two parts displayText joins, as views into the raw line.
struct DisplayParts {
    std::string_view stamp;
    std::string_view body;
};
DisplayParts displayParts(std::string_view raw) noexcept;
// The 17-byte time stamp that starts the display text of a raw chat line.
std::string_view timeStampOf(std::string_view raw) noexcept;
// The display text without its 17-byte time stamp.
std::string_view bodyOfDisplay(std::string_view display) noexcept;

struct ChannelMatch {
    ChatChannel channel;
    Colour colour;
};
// The line's own marker: of the channel markers in raw, the one that starts
// first, character-wise. Markup further on was typed into the message by a
// player and never decides where the line goes. Empty when raw holds none.
std::optional<ChannelMatch> ownMarker(std::string_view raw) noexcept;
// For sorting many lines in one pass: the line's own marker, as ownMarker
// decides it, and whether header text stands anywhere in the line.
struct LineMarkup {
    std::optional<ChannelMatch> own;
    bool header = false;
};
LineMarkup scanLineMarkup(std::string_view raw) noexcept;

// A raw line cut once, for every step of routing: its own marker and its
// display text with the display's two parts.
struct ParsedLine {
    std::string_view raw;
    std::optional<ChannelMatch> own;
    DisplayParts parts;        // views into raw
    std::string_view display;  // the parts joined, held by the LineParser
    // The display text without its time stamp: what is spoken.
    std::string_view spoken() const noexcept { return bodyOfDisplay(display); }
};
// Parses lines into one buffer it reuses.
class LineParser {
  public:
    // Valid until the next parse, and while raw lives.
    const ParsedLine& parse(std::string_view raw);

  private:
    std::string display_;
    ParsedLine line_;
};
// Open, Team, Club, Whis and Shout: the channels whose lines have a speaker
// and are shown in the 通常 view too.
bool isChatChannel(ChatChannel channel) noexcept;
bool containsOpenGreen(std::string_view text) noexcept;
bool containsOpenWhite(std::string_view text) noexcept;

bool isExpGain(std::string_view raw) noexcept;
bool isLevelUp(std::string_view raw) noexcept;

// The amount of an experience-gain line: from byte 96 up to the first
// " 上がりました。", a signed decimal integer with leading blanks skipped.
// Empty when the text is not such an integer.
std::optional<std::int64_t> gainAmount(std::string_view raw) noexcept;
// Reads a signed decimal integer the way the settings files write them; leading
// blanks are skipped. Empty on any other text or on overflow.
std::optional<std::int64_t> parseDecimal(std::string_view text, bool skipLeadingBlanks) noexcept;

// The speaker's name of a chat line's body: the text before its first " : ".
// Empty when the body holds no " : " (a continuation line).
std::optional<std::string_view> namedSpeaker(std::string_view body) noexcept;

// One line of the log as the system handles it.
struct ChatLine {
    std::string raw;
    std::string display;
    std::string body;
    std::optional<ChatChannel> channel;
    Colour colour;
    std::string speaker;

    // From a line as cut at its line feed: CR LF pairs and entities are removed.
    static ChatLine fromLogLine(std::string_view line);
    // From a line whose CR LF pairs and entities are already removed (what the
    // log reader hands on); nothing is removed again.
    static ChatLine fromRaw(std::string_view raw);
};

// "MHChatLog_yyyy_mm_dd.html"
std::string dailyLogName(int year, int month, int day);

}  // namespace ruv
