#include "core/lines/log_reader.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "core/lines/chat_format.h"
#include "core/lines/line_cut.h"

namespace ruv {

void LogReader::setTimeBudget(const platform::MonotonicClock& clock,
                              std::chrono::nanoseconds budget) {
    sliceClock_ = &clock;
    sliceBudget_ = budget;
}

SliceResult LogReader::readSlice() {
    SliceResult result;
    if (!tail_.attached()) {
        return result;
    }
    const std::chrono::nanoseconds deadline =
        sliceClock_ ? sliceClock_->now() + sliceBudget_ : std::chrono::nanoseconds::max();
    const auto outOfTime = [&] { return sliceClock_ && sliceClock_->now() >= deadline; };
    const std::uint64_t attachment = tail_.attachment();

    std::unique_ptr<platform::SharedReadFile> file =
        files_.openShared(tail_.path(), result.sizeError);
    const std::optional<ByteOffset> size = file ? file->size() : std::nullopt;
    if (!size) {
        if (file) {
            result.sizeError = file->lastError();
        }
        result.status = SliceStatus::SizeUnavailable;
        return result;
    }
    result.status = SliceStatus::CaughtUp;
    if (isAnotherFile(attachment, file->identity(), *size)) {
        // Its bytes at the old count are the middle of some line of its own.
        restartFromFirstByte(attachment);
    }
    ByteOffset start = tail_.consumed();
    if (*size <= start) {
        return result;
    }
    if (waiting_ && waiting_->attachment == attachment && waiting_->consumed == start &&
        waiting_->size == *size) {
        return result;
    }
    waiting_.reset();

    // The last consumed bytes are read again with the new ones: a file written
    // anew under the name may come back with the old one's identity, and only
    // its bytes tell.
    std::int64_t lead = std::min(kConsumedTailBytes, start.value);
    std::optional<std::size_t> got = readFrom(*file, start - ByteOffset{lead}, *size);
    if (got && !stillTheConsumedFile(attachment, start, lead)) {
        restartFromFirstByte(attachment);
        start = ByteOffset{0};
        lead = 0;
        got = readFrom(*file, start, *size);
    }
    file.reset();
    if (!got) {
        platform::reportFailure(errors_, clock_, kLogReadFailureText);
        result.status = SliceStatus::ReadFailed;
        return result;
    }
    const std::string_view block = std::string_view(buffer_).substr(static_cast<std::size_t>(lead));

    std::size_t next = 0;
    auto advanceTo = [&](std::size_t end) {
        next = end;
        return tail_.advance(attachment, start + ByteOffset{static_cast<std::int64_t>(end)});
    };
    // What this slice consumed, kept for the next look's comparison.
    auto remember = [&] {
        rememberConsumedTail(attachment, static_cast<std::size_t>(lead) + next);
    };
    while (next < block.size()) {
        const LineCut line = cutLine(block, next);
        if (!line.ended) {
            break;
        }
        routeLine(line.text, result);
        if (!advanceTo(line.next)) {
            result.status = SliceStatus::Reattached;
            return result;
        }
        if (next < block.size() && outOfTime()) {
            remember();
            result.status = SliceStatus::MoreWaiting;
            return result;
        }
    }
    // A whole block without a line feed is routed as one line, so the reader
    // never stalls on it.
    if (next == 0 && block.size() == static_cast<std::size_t>(kLogBlockBytes)) {
        routeLine(withoutLineEnd(block), result);
        if (!advanceTo(block.size())) {
            result.status = SliceStatus::Reattached;
            return result;
        }
    }

    remember();
    const ByteOffset readEnd = start + ByteOffset{static_cast<std::int64_t>(block.size())};
    if (next > 0 && readEnd < *size) {
        result.status = SliceStatus::MoreWaiting;
    } else if (next < block.size()) {
        waiting_ = Waiting{attachment, tail_.consumed(), *size};
    }
    return result;
}

std::optional<std::size_t> LogReader::readFrom(platform::SharedReadFile& file, ByteOffset from,
                                               ByteOffset size) {
    const ByteOffset consumed = tail_.consumed();
    const std::int64_t wanted =
        (consumed - from).value + std::min(kLogBlockBytes, (size - consumed).value);
    buffer_.resize(static_cast<std::size_t>(wanted));
    const std::optional<std::size_t> got =
        file.seek(from) ? platform::readFully(file, buffer_) : std::nullopt;
    if (got) {
        buffer_.resize(*got);
    }
    return got;
}

bool LogReader::stillTheConsumedFile(std::uint64_t attachment, ByteOffset start,
                                     std::int64_t lead) const {
    if (buffer_.size() < static_cast<std::size_t>(lead)) {
        return false;  // shorter than consumed by now
    }
    if (!consumedTail_ || consumedTail_->attachment != attachment || consumedTail_->end != start) {
        // Nothing seen of this attachment at this count: this is the first look.
        return true;
    }
    const std::string_view seen = consumedTail_->bytes;
    return seen.size() == static_cast<std::size_t>(lead) &&
           std::string_view(buffer_).substr(0, seen.size()) == seen;
}

void LogReader::rememberConsumedTail(std::uint64_t attachment, std::size_t endInBuffer) {
    const std::size_t kept = std::min(static_cast<std::size_t>(kConsumedTailBytes), endInBuffer);
    if (!consumedTail_) {
        consumedTail_.emplace();
    }
    consumedTail_->attachment = attachment;
    consumedTail_->end = tail_.consumed();
    consumedTail_->bytes.assign(buffer_, endInBuffer - kept, kept);
}

void LogReader::restartFromFirstByte(std::uint64_t attachment) {
    tail_.advance(attachment, ByteOffset{0});
    waiting_.reset();
    consumedTail_.reset();
}

bool LogReader::isAnotherFile(std::uint64_t attachment,
                              const std::optional<platform::FileIdentity>& identity,
                              ByteOffset size) {
    const bool replaced = followed_ && followed_->attachment == attachment && followed_->identity &&
                          identity && *followed_->identity != *identity;
    followed_ = Followed{attachment, identity};
    // The log only grows while the game writes it: shorter means written anew.
    return replaced || size < tail_.consumed();
}

SliceResult LogReader::readAll() {
    SliceResult total;
    for (;;) {
        const SliceResult slice = readSlice();
        total.status = slice.status;
        total.routed.value += slice.routed.value;
        total.failed.value += slice.failed.value;
        total.sizeError = slice.sizeError;
        if (slice.status != SliceStatus::MoreWaiting) {
            return total;
        }
    }
}

void LogReader::routeLine(std::string_view bytes, SliceResult& result) {
    line_.assign(bytes);
    // Zero bytes are dropped from the text; they neither end nor split a line.
    if (line_.find('\0') != std::string::npos) {
        std::erase(line_, '\0');
    }
    // '&' is never the second byte of a character, so a plain search tells
    // whether entity removal has anything to do.
    if (line_.find("&nbsp") != std::string::npos) {
        line_ = removeEntities(line_);
    }
    ++result.routed.value;
    try {
        sink_.routeLine(line_);
    } catch (const UncountedGain&) {
        unreadable_->gainNotCounted(displayText(line_));
    } catch (...) {
        ++result.failed.value;
        platform::reportFailure(errors_, clock_, kLogReadFailureText);
    }
}

}  // namespace ruv
