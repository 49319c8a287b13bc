// bouyomiuserlist.txt as a player may edit it by hand: reading never fails,
// every line is kept as read, the unusable ones are named, and the rows the
// dialog writes back read again as the same rows.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/config/list_file.h"
#include "core/speech/voice_list.h"
#include "fuzz_check.h"

namespace {

using namespace ruv;

// Later rows of one name take the values of its first row when read back.
std::vector<VoiceProfile> withFirstValues(std::vector<VoiceProfile> profiles) {
    for (std::size_t i = 0; i < profiles.size(); ++i) {
        for (std::size_t first = 0; first < i; ++first) {
            if (profiles[first].Name == profiles[i].Name) {
                const std::string name = profiles[i].Name;
                profiles[i] = profiles[first];
                profiles[i].Name = name;
                break;
            }
        }
    }
    return profiles;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const config::TextLines lines = config::splitLines(input.ConsumeRandomLengthString(4096));

    VoiceListReading reading = LoadVoiceList(lines);
    VoiceList& list = reading.list;
    FUZZ_CHECK(SaveVoiceList(list) == lines);
    FUZZ_CHECK(list.Profiles().size() + reading.unusableLineNumbers.size() <= lines.size());
    std::size_t previous = 0;
    for (const std::size_t number : reading.unusableLineNumbers) {
        FUZZ_CHECK(number > previous && number <= lines.size());
        FUZZ_CHECK(!lines[number - 1].empty());
        previous = number;
    }
    for (const VoiceProfile& profile : list.Profiles()) {
        FUZZ_CHECK(!profile.Name.empty() && profile.Name.find('=') == std::string::npos);
    }
    if (!reading.unusableLineNumbers.empty()) {
        FUZZ_CHECK(!unusableVoiceLinesErrorText(reading.unusableLineNumbers).empty());
    }

    // The dialog's OK with the rows unchanged.
    const std::vector<VoiceProfile> usable = list.Profiles();
    list.replaceProfiles(usable);
    const VoiceListReading again = LoadVoiceList(SaveVoiceList(list));
    FUZZ_CHECK(again.list.Profiles() == usable);
    FUZZ_CHECK(again.unusableLineNumbers.size() == reading.unusableLineNumbers.size());

    // The dialog's OK with rows typed in: they read back first, in order.
    std::vector<VoiceProfile> typed;
    while (input.remaining_bytes() > 0 && typed.size() < 16) {
        VoiceProfile profile;
        profile.Name = input.ConsumeRandomLengthString(12);
        if (profile.Name.empty() || profile.Name.find_first_of("=\r\n") != std::string::npos) {
            continue;
        }
        profile.Voice = input.ConsumeIntegral<int>();
        profile.Volume = input.ConsumeIntegral<int>();
        profile.Speed = input.ConsumeIntegral<int>();
        profile.Tone = input.ConsumeIntegral<int>();
        typed.push_back(profile);
    }
    list.replaceProfiles(typed);
    const VoiceListReading typedBack = LoadVoiceList(SaveVoiceList(list));
    const std::vector<VoiceProfile> expected = withFirstValues(typed);
    FUZZ_CHECK(typedBack.list.Profiles().size() >= expected.size());
    FUZZ_CHECK(std::equal(expected.begin(), expected.end(), typedBack.list.Profiles().begin()));
    return 0;
}
