#include "core/sound/sound_file_kind.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <optional>

#include "core/platform/native_path.h"

namespace ruv {

namespace {

// How far into the file the chunks of a wave file and the first MP3 frame are
// looked for.
constexpr std::uint64_t kSearchLimit = 64 * 1024;
// Consecutive MP3 frames that must follow each other (fewer when the file ends).
constexpr int kFramesToConfirm = 3;

std::uint32_t le16(std::string_view b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}
std::uint32_t le32(std::string_view b, std::size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}
unsigned byteAt(std::string_view b, std::size_t at) {
    return static_cast<unsigned char>(b[at]);
}

bool isWave(std::uint64_t size, const ReadBytesAt& readAt) {
    const std::string head = readAt(0, 12);
    if (head.size() < 12 || head.compare(0, 4, "RIFF") != 0 || head.compare(8, 4, "WAVE") != 0) {
        return false;
    }
    bool formatSeen = false;
    std::uint64_t pos = 12;
    while (pos + 8 <= size && pos < kSearchLimit) {
        const std::string chunk = readAt(pos, 8 + 16);
        if (chunk.size() < 8) {
            return false;
        }
        const std::string_view id = std::string_view(chunk).substr(0, 4);
        const std::uint64_t length = le32(chunk, 4);
        if (id == "fmt ") {
            if (length < 14 || chunk.size() < 8 + 14) {
                return false;
            }
            const std::uint32_t channels = le16(chunk, 8 + 2);
            const std::uint32_t rate = le32(chunk, 8 + 4);
            const std::uint32_t blockAlign = le16(chunk, 8 + 12);
            if (channels == 0 || rate == 0 || blockAlign == 0) {
                return false;
            }
            formatSeen = true;
        } else if (id == "data") {
            return formatSeen;
        }
        pos += 8 + length + (length & 1);
    }
    // The data chunk lies beyond the search limit; the format chunk vouches for it.
    return formatSeen && pos < size;
}

struct MpegFrame {
    std::uint64_t length = 0;
};

// The frame whose header is the four bytes given; empty when they are no header.
std::optional<MpegFrame> mpegFrame(std::string_view h) {
    if (h.size() < 4 || byteAt(h, 0) != 0xFF || (byteAt(h, 1) & 0xE0) != 0xE0) {
        return std::nullopt;
    }
    const unsigned version = (byteAt(h, 1) >> 3) & 3;  // 0: 2.5, 2: 2, 3: 1
    const unsigned layer = (byteAt(h, 1) >> 1) & 3;    // 1: III, 2: II, 3: I
    const unsigned bitrateIndex = byteAt(h, 2) >> 4;
    const unsigned rateIndex = (byteAt(h, 2) >> 2) & 3;
    const unsigned padding = (byteAt(h, 2) >> 1) & 1;
    const unsigned emphasis = byteAt(h, 3) & 3;
    if (version == 1 || layer == 0 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3 ||
        emphasis == 2) {
        return std::nullopt;
    }
    static constexpr std::array<std::array<unsigned, 15>, 5> kKbps{{
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},  // 1, I
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},     // 1, II
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},      // 1, III
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},     // 2, I
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},          // 2, II/III
    }};
    static constexpr std::array<std::array<unsigned, 3>, 4> kRates{{
        {11025, 12000, 8000},  // 2.5
        {0, 0, 0},
        {22050, 24000, 16000},  // 2
        {44100, 48000, 32000},  // 1
    }};
    const bool mpeg1 = version == 3;
    const std::size_t table = mpeg1 ? 3 - layer : (layer == 3 ? 3 : 4);
    const std::uint64_t bitrate = std::uint64_t{kKbps[table][bitrateIndex]} * 1000;
    const std::uint64_t rate = kRates[version][rateIndex];
    std::uint64_t length = 0;
    if (layer == 3) {
        length = (12 * bitrate / rate + padding) * 4;
    } else {
        const std::uint64_t factor = (layer == 1 && !mpeg1) ? 72 : 144;
        length = factor * bitrate / rate + padding;
    }
    return MpegFrame{length};
}

// Where the audio begins: after an ID3v2 tag, if there is one.
std::optional<std::uint64_t> audioStart(const ReadBytesAt& readAt) {
    const std::string tag = readAt(0, 10);
    if (tag.size() < 10 || tag.compare(0, 3, "ID3") != 0) {
        return 0;
    }
    std::uint64_t length = 0;
    for (std::size_t i = 6; i < 10; ++i) {
        if ((byteAt(tag, i) & 0x80) != 0) {
            return std::nullopt;
        }
        length = (length << 7) | byteAt(tag, i);
    }
    const bool footer = (byteAt(tag, 5) & 0x10) != 0;
    return 10 + length + (footer ? 10 : 0);
}

// Frames follow each other from pos on, to the end of the file or for
// kFramesToConfirm frames.
bool framesFollow(std::uint64_t pos, std::uint64_t size, const ReadBytesAt& readAt) {
    for (int frame = 0; frame < kFramesToConfirm; ++frame) {
        const auto header = mpegFrame(readAt(pos, 4));
        if (!header || pos + header->length > size) {
            return false;
        }
        pos += header->length;
        if (pos == size) {
            return true;
        }
    }
    return true;
}

bool isMp3(std::uint64_t size, const ReadBytesAt& readAt) {
    const auto start = audioStart(readAt);
    if (!start || *start >= size) {
        return false;
    }
    const std::uint64_t end = std::min(size, *start + kSearchLimit);
    const std::string window = readAt(*start, static_cast<std::size_t>(end - *start));
    for (std::size_t at = 0; at + 4 <= window.size(); ++at) {
        if (byteAt(window, at) == 0xFF && mpegFrame(std::string_view(window).substr(at, 4)) &&
            framesFollow(*start + at, size, readAt)) {
            return true;
        }
    }
    return false;
}

}  // namespace

SoundFileKind soundFileKind(std::uint64_t size, const ReadBytesAt& readAt) {
    if (isWave(size, readAt)) {
        return SoundFileKind::Wave;
    }
    if (isMp3(size, readAt)) {
        return SoundFileKind::Mp3;
    }
    return SoundFileKind::Unknown;
}

SoundFileKind soundFileKind(std::string_view bytes) {
    return soundFileKind(bytes.size(), [bytes](std::uint64_t offset, std::size_t count) {
        if (offset >= bytes.size()) {
            return std::string{};
        }
        return std::string(bytes.substr(static_cast<std::size_t>(offset), count));
    });
}

MediaOpenResult checkSoundFile(std::string_view cp932Path) {
    const auto path = platform::toNativePath(cp932Path);
    std::error_code error;
    if (!path || !std::filesystem::is_regular_file(*path, error)) {
        return MediaOpenResult::FileMissing;
    }
    const std::uintmax_t size = std::filesystem::file_size(*path, error);
    std::ifstream in(*path, std::ios::binary);
    if (error || !in) {
        return MediaOpenResult::NotPlayable;
    }
    const auto readAt = [&in](std::uint64_t offset, std::size_t count) {
        std::string bytes(count, '\0');
        in.clear();
        in.seekg(static_cast<std::streamoff>(offset));
        in.read(bytes.data(), static_cast<std::streamsize>(count));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        return bytes;
    };
    return soundFileKind(size, readAt) == SoundFileKind::Unknown ? MediaOpenResult::NotPlayable
                                                                 : MediaOpenResult::Opened;
}

}  // namespace ruv
