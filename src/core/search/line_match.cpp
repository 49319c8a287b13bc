#include "core/search/line_match.h"

#include "core/text/sjis.h"

namespace ruv {
namespace {

constexpr std::string_view kNameEnd = " : ";

std::string_view speakerOf(std::string_view display) {
    const std::string_view body = bodyOfDisplay(display);
    return body.substr(0, sjis::find(body, kNameEnd));
}

}  // namespace

std::optional<SearchHit> LineMatcher::match(std::string_view line) {
    if (query_.text.empty()) {
        return std::nullopt;
    }
    std::string cleaned;
    std::string_view raw = line;
    if (line.find('&') != std::string_view::npos) {
        cleaned = removeEntities(line);
        raw = cleaned;
    }
    const LineMarkup markup = scanLineMarkup(raw);
    if (markup.header || !markup.own || !query_.channels.ticked(markup.own->channel)) {
        return std::nullopt;
    }
    SearchHit hit{markup.own->channel, markup.own->colour, displayText(raw), NgHeld::No, {}};
    if (!sjis::contains(hit.display, query_.text)) {
        return std::nullopt;
    }
    if (query_.speaker &&
        (!isChatChannel(hit.channel) || speakerOf(hit.display) != *query_.speaker)) {
        return std::nullopt;
    }
    const NgSearchFilter& ng = query_.ng;
    if ((ng.usersApplied && ng_.namesUser(raw, ng.lists.users)) ||
        (ng.wordsApplied && ng_.holdsWord(hit.display, ng.lists.words))) {
        if (ng.lines == NgLines::LeftOut) {
            ++leftOutByNg_;
            return std::nullopt;
        }
        hit.ng = NgHeld::Yes;
    }
    return hit;
}

}  // namespace ruv
