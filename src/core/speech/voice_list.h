#pragma once
// The per-character voices and their file form (bouyomiuserlist.txt).

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/speech/voice_params.h"

namespace ruv {

struct VoiceProfile {
    std::string Name;  // CP932, as written before " : " in chat lines
    int Voice = 0;
    int Volume = 100;
    int Speed = 100;
    int Tone = 100;

    VoiceParams params() const noexcept { return {Speed, Tone, Volume, Voice}; }
    friend bool operator==(const VoiceProfile&, const VoiceProfile&) = default;
};

// Name "=" Voice "," Volume "," Speed "," Tone.
std::string voiceProfileLine(const VoiceProfile& profile);

// The ordered list, kept in both forms: file lines and usable rows. A line that
// cannot be read as a row stays among the lines as it was but is never matched.
class VoiceList {
  public:
    VoiceList() = default;
    explicit VoiceList(std::vector<VoiceProfile> profiles);

    // The usable rows in list order; the last matching row wins.
    const std::vector<VoiceProfile>& Profiles() const noexcept { return profiles_; }
    // The file form: one line per row, unusable lines kept as read.
    const std::vector<std::string>& lines() const noexcept { return lines_; }

    // Rebuilds both forms from the dialog's rows; unusable lines read from the
    // file are kept after them.
    void replaceProfiles(std::vector<VoiceProfile> profiles);

  private:
    friend struct VoiceListReading LoadVoiceList(std::span<const std::string> lines);
    std::vector<VoiceProfile> profiles_;
    std::vector<std::string> lines_;
    std::vector<std::string> unusableLines_;
};

struct VoiceListReading {
    VoiceList list;
    // 1-based numbers of the non-empty lines that were not used.
    std::vector<std::size_t> unusableLineNumbers;
};

// Reads the file's lines: the name is the text before the first "="; the rest
// is split into fields by commas and blanks (a field in double quotes may hold
// either) taken as Voice, Volume, Speed, Tone. Lines with one name share the
// values of the first of them. A line without "=", with an empty name or with
// a field that is not a whole number is kept but not used.
VoiceListReading LoadVoiceList(std::span<const std::string> lines);
// The lines to write, in list order.
std::vector<std::string> SaveVoiceList(const VoiceList& list);

// The fields of a comma-and-blank separated value list.
std::vector<std::string> splitVoiceFields(std::string_view values);

// One error line (without its date and time) naming the unused lines.
std::string unusableVoiceLinesErrorText(const std::vector<std::size_t>& lineNumbers);

}  // namespace ruv
