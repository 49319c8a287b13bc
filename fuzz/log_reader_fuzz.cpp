// The log reader following a real file that grows in arbitrary chunks, read
// between the chunks at arbitrary moments. Every complete line is routed once
// and in order, exactly as a plain splitter of the whole file cuts it.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/lines/chat_format.h"
#include "core/lines/log_reader.h"
#include "fuzz_check.h"

namespace {

using namespace ruv;

struct CollectingSink final : LineSink {
    std::vector<std::string> lines;
    void routeLine(std::string_view raw) override { lines.emplace_back(raw); }
};

struct CountingErrors final : platform::ErrorLog {
    int count = 0;
    void append(std::string_view) override { ++count; }
};

void appendToFile(const std::filesystem::path& path, const std::string& bytes, const char* mode) {
    std::FILE* file = std::fopen(path.c_str(), mode);
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
    FUZZ_CHECK(std::fclose(file) == 0);
}

// What the reader should have routed from the whole file: lines cut at each
// line feed, and a run of a whole block without one cut as a line of its own;
// a last line without its line feed is not complete.
struct Reference {
    std::vector<std::string> lines;
    std::size_t consumed = 0;
};

// The line end first (a CR right before the cut belongs to it, as every reader
// of a log cuts), then the zero bytes, which never end or split a line.
std::string cleaned(std::string line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    std::erase(line, '\0');
    return removeEntities(line);
}

Reference split(const std::string& bytes) {
    const auto block = static_cast<std::size_t>(kLogBlockBytes);
    Reference out;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t feed = start;
        while (feed < bytes.size() && feed - start < block && bytes[feed] != '\n') {
            ++feed;
        }
        if (feed < bytes.size() && bytes[feed] == '\n') {
            out.lines.push_back(cleaned(bytes.substr(start, feed - start)));
            start = feed + 1;
        } else if (feed - start == block) {
            out.lines.push_back(cleaned(bytes.substr(start, block)));
            start += block;
        } else {
            break;
        }
    }
    out.consumed = start;
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::filesystem::path path = fuzz::scratch() / "MHChatLog_2024_05_01.html";
    appendToFile(path, {}, "wb");

    LogTail tail;
    tail.attach(path, ByteOffset{0});
    CollectingSink sink;
    CountingErrors errors;
    const platform::NativeFileOpener files;
    const platform::ManualClock clock;
    LogReader reader(tail, sink, files, errors, clock);

    std::string written;
    constexpr std::size_t kMaxFileBytes = 400'000;
    while (input.remaining_bytes() > 0 && written.size() < kMaxFileBytes) {
        std::string chunk;
        // Now and then a long run of one byte, so that lines longer than a
        // block and bursts over a block come up without huge inputs.
        if (input.ConsumeIntegralInRange<int>(0, 7) == 0) {
            const auto length = input.ConsumeIntegralInRange<std::size_t>(1, 150'000);
            chunk.assign(length, input.ConsumeIntegral<char>());
        } else {
            chunk = input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, 64));
        }
        appendToFile(path, chunk, "ab");
        written += chunk;
        for (int reads = input.ConsumeIntegralInRange<int>(0, 2); reads > 0; --reads) {
            const SliceResult slice = reader.readSlice();
            FUZZ_CHECK(slice.status == SliceStatus::CaughtUp ||
                       slice.status == SliceStatus::MoreWaiting);
        }
    }
    const SliceResult last = reader.readAll();
    FUZZ_CHECK(last.status == SliceStatus::CaughtUp);
    FUZZ_CHECK(errors.count == 0);

    const Reference expected = split(written);
    FUZZ_CHECK(sink.lines == expected.lines);
    FUZZ_CHECK(tail.consumed() == ByteOffset{static_cast<std::int64_t>(expected.consumed)});
    // Nothing more arrives from a file that no longer grows.
    const SliceResult again = reader.readAll();
    FUZZ_CHECK(again.routed.value == 0 && sink.lines.size() == expected.lines.size());
    return 0;
}
