#include "core/log/past_log_sort.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

#include "core/lines/line_cut.h"
#include "core/platform/shared_file.h"
#include "core/text/sjis.h"

namespace ruv {

namespace {

bool startsAt(std::string_view text, std::size_t pos, std::string_view prefix) noexcept {
    return text.size() - pos >= prefix.size() &&
           std::memcmp(text.data() + pos, prefix.data(), prefix.size()) == 0;
}

// Whether a line end (LF, or CR LF) starts at pos; where the next line starts.
std::optional<std::size_t> lineEndAt(std::string_view text, std::size_t pos) noexcept {
    const LineCut cut = cutLine(text, pos);
    if (!cut.ended || !cut.text.empty()) {
        return std::nullopt;
    }
    return cut.next;
}

// A raw line of tidying: from `from` up to the first character-wise
// "</font></br>" that ends a line.
struct TidyCut {
    std::size_t close;  // where "</font></br>" starts
    std::size_t next;   // where the next raw line starts
};

std::optional<TidyCut> findLineEnd(std::string_view text, std::size_t from) noexcept {
    const std::size_t close = kLineCloseBytes;
    for (std::size_t at = from; at < text.size();) {
        const LineCut line = cutLine(text, at);
        if (!line.ended) {
            break;
        }
        const std::size_t end = at + line.text.size();
        if (end - from >= close &&
            std::memcmp(text.data() + end - close, markers::kLineClose.data(), close) == 0 &&
            sjis::startsCharacter(text, from, end - close)) {
            return TidyCut{end - close, line.next};
        }
        at = line.next;
    }
    return std::nullopt;
}

// The first character-wise occurrence of needle at or after from, for needles
// that begin with '<'.
std::size_t findTag(std::string_view text, std::string_view needle, std::size_t from) noexcept {
    for (std::size_t at = text.find(needle, from); at != std::string_view::npos;
         at = text.find(needle, at + 1)) {
        if (sjis::startsCharacter(text, from, at)) {
            return at;
        }
    }
    return sjis::npos;
}

// out = text without any needle (character-wise, left to right); out must not
// hold text.
void removeAllInto(std::string_view text, std::string_view needle, std::string& out) {
    out.clear();
    std::size_t start = 0;
    for (std::size_t pos = sjis::find(text, needle); pos != sjis::npos;
         pos = sjis::find(text, needle, start)) {
        out.append(text.data() + start, pos - start);
        start = pos + needle.size();
    }
    out.append(text.data() + start, text.size() - start);
}

// displayText of chat_format.h into a reused buffer.
void sliceDisplay(std::string_view raw, std::string& out) {
    std::string_view rest = raw.substr(std::min(raw.size(), kMarkerAndSeparatorBytes));
    const std::size_t stamp = std::min(rest.size(), kTimeStampBytes);
    out.assign(rest.data(), stamp);
    rest.remove_prefix(stamp);
    rest.remove_prefix(std::min(rest.size(), kTagBlockBytes));
    out.append(rest.data(), rest.size());
    if (out.size() >= kLineCloseBytes) {
        out.resize(out.size() - kLineCloseBytes);
    }
}

// out = text with every line end that a raw line of several lines holds written
// as a lone line feed. A carriage return before a line feed is part of the
// line end whatever stands before it, so a CR LF log tidies as its LF twin.
void lineEndsAsLineFeeds(std::string_view text, std::string& out) {
    out.clear();
    std::size_t start = 0;
    for (std::size_t cr = text.find("\r\n"); cr != std::string_view::npos;
         cr = text.find("\r\n", start)) {
        out.append(text.data() + start, cr - start);
        start = cr + 1;
    }
    out.append(text.data() + start, text.size() - start);
}

void dropZeroBytes(std::string& bytes) {
    char* data = bytes.data();
    const std::size_t n = bytes.size();
    const void* zero = std::memchr(data, '\0', n);
    if (zero == nullptr) {
        return;
    }
    std::size_t out = static_cast<std::size_t>(static_cast<const char*>(zero) - data);
    std::size_t in = out + 1;
    while (in < n) {
        const void* next = std::memchr(data + in, '\0', n - in);
        const std::size_t end =
            next == nullptr ? n : static_cast<std::size_t>(static_cast<const char*>(next) - data);
        std::memmove(data + out, data + in, end - in);
        out += end - in;
        in = end + 1;
    }
    bytes.resize(out);
}

}  // namespace

PastLogSort::PastLogSort(std::string bytes) : bytes_(std::move(bytes)) {
    dropZeroBytes(bytes_);
}

bool PastLogSort::remainderHoldsLineMarker() {
    if (nextLineMarker_ && *nextLineMarker_ >= pos_) {
        return true;
    }
    const std::size_t found = findTag(bytes_, markers::kLine, pos_);
    if (found == sjis::npos) {
        nextLineMarker_.reset();
        return false;
    }
    nextLineMarker_ = found;
    return true;
}

void PastLogSort::stripHeaderBlock() {
    const std::string_view text(bytes_);
    const auto stripLine = [&](std::string_view line) {
        if (startsAt(text, pos_, line)) {
            if (const auto next = lineEndAt(text, pos_ + line.size())) {
                pos_ = *next;
            }
        }
    };
    stripLine(markers::kHeaderBody);
    stripLine(markers::kHeaderTitle);
    if (startsAt(text, pos_, markers::kHeaderDatePrefix)) {
        pos_ = std::min(text.size(), pos_ + markers::kHeaderDateLineBytes);
        // The fixed width holds the line feed of an LF line end; of a CR LF
        // end it leaves the line feed, which goes with the date line too.
        if (pos_ < text.size() && text[pos_ - 1] == '\r' && text[pos_] == '\n') {
            ++pos_;
        }
        // The fixed-width cut may end inside a character: search afresh.
        nextLineMarker_.reset();
    }
    stripLine(markers::kHeaderFace);
}

SortProgress PastLogSort::step(PastLogSink& sink, LineCount maxLines) {
    for (std::int64_t line = 0; line < maxLines.value && !done_; ++line) {
        if (!remainderHoldsLineMarker()) {
            done_ = true;
            break;
        }
        stripHeaderBlock();
        const std::optional<TidyCut> end = findLineEnd(bytes_, pos_);
        if (!end) {
            done_ = true;
            break;
        }
        const std::string_view cut =
            std::string_view(bytes_).substr(pos_, end->close + kLineCloseBytes - pos_);
        pos_ = end->next;
        sortLine(cut, sink);
    }
    if (!done_ && !remainderHoldsLineMarker()) {
        done_ = true;
    }
    return done_ ? SortProgress::Done : SortProgress::More;
}

void PastLogSort::runToEnd(PastLogSink& sink) {
    while (step(sink, LineCount{std::numeric_limits<std::int64_t>::max()}) == SortProgress::More) {
    }
}

void PastLogSort::sortLine(std::string_view cut, PastLogSink& sink) {
    std::string_view raw = cut;
    if (raw.find('\r') != std::string_view::npos) {
        lineEndsAsLineFeeds(raw, scratch_);
        raw = scratch_;
    }
    if (raw.find('&') != std::string_view::npos) {
        removeAllInto(raw, "&nbsp ", cleaned_);
        removeAllInto(cleaned_, "&nbsp", scratch_);
        raw = scratch_;
    }
    const LineMarkup markup = scanLineMarkup(raw);
    if (markup.header || !markup.own) {
        return;
    }
    const ChannelMatch* own = &*markup.own;
    sliceDisplay(raw, display_);
    if (sink.heldBack(raw, display_)) {
        sink.append(ChatChannel::NG, display_, own->colour);
        return;
    }
    if (own->channel == ChatChannel::Battle && isLevelUp(raw)) {
        sink.levelUp(std::string_view(display_).substr(0, kTimeStampBytes));
    }
    if (own->channel == ChatChannel::Battle && isExpGain(raw)) {
        if (const auto amount = gainAmount(raw)) {
            sink.addDayGain(*amount, std::string_view(display_).substr(0, kTimeStampBytes));
        } else {
            sink.unreadableGain(display_);
        }
    }
    sink.lineSorted(own->channel, display_);
    if (isChatChannel(own->channel)) {
        sink.append(ChatChannel::Normal, display_, own->colour);
    }
    sink.append(own->channel, display_, own->colour);
}

bool holdsChatLine(std::string bytes) {
    struct FirstAppend final : PastLogSink {
        bool seen = false;
        void append(ChatChannel, std::string_view, Colour) override { seen = true; }
        void addDayGain(std::int64_t, std::string_view) override {}
        void unreadableGain(std::string_view) override {}
    } sink;
    PastLogSort sort(std::move(bytes));
    while (!sink.seen && sort.step(sink, LineCount{1}) == SortProgress::More) {
    }
    return sink.seen;
}

PastLogBytes readPastLog(const platform::FileOpener& opener, const std::filesystem::path& path,
                         ByteOffset upTo) {
    PastLogBytes result;
    const std::unique_ptr<platform::SharedReadFile> file = opener.openShared(path, result.error);
    if (!file) {
        return result;
    }
    const std::optional<ByteOffset> size = file->size();
    if (!size) {
        result.error = file->lastError();
        return result;
    }
    const std::int64_t wanted = std::clamp<std::int64_t>(upTo.value, 0, size->value);
    result.bytes.resize(static_cast<std::size_t>(wanted));
    const std::optional<std::size_t> got = platform::readFully(*file, result.bytes);
    if (!got) {
        result.bytes.clear();
        result.error = file->lastError();
        return result;
    }
    result.bytes.resize(*got);
    return result;
}

PastLogBytes readPastLog(const std::filesystem::path& path, ByteOffset upTo) {
    return readPastLog(platform::NativeFileOpener{}, path, upTo);
}

PastLogBytes readPastLog(const std::filesystem::path& path) {
    return readPastLog(path, ByteOffset{std::numeric_limits<std::int64_t>::max()});
}

}  // namespace ruv
