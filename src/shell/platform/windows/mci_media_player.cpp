#include "shell/platform/windows/mci_media_player.h"

#include <windows.h>

#include <mmsystem.h>

#include <array>
#include <fstream>

#include "core/platform/native_path.h"
#include "core/sound/sound_file_kind.h"

namespace ruv {

namespace {

// Each player speaks to MCI through an alias of its own.
int nextAliasNumber = 0;

// The MCI device for a file that passed checkSoundFile: its RIFF/WAVE header
// tells a wave file from MPEG audio.
const wchar_t* deviceFor(const std::filesystem::path& file) {
    std::array<char, 12> head{};
    std::ifstream in(file, std::ios::binary);
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    const std::string_view bytes(head.data(), static_cast<std::size_t>(in.gcount()));
    const bool wave =
        bytes.size() == 12 && bytes.substr(0, 4) == "RIFF" && bytes.substr(8, 4) == "WAVE";
    return wave ? L"waveaudio" : L"mpegvideo";
}

}  // namespace

MciMediaPlayer::MciMediaPlayer()
    : alias_(L"ruvivuvaz_sound_" + std::to_wstring(++nextAliasNumber)) {}

MciMediaPlayer::~MciMediaPlayer() {
    close();
}

bool MciMediaPlayer::send(const std::wstring& command) const {
    return mciSendStringW(command.c_str(), nullptr, 0, nullptr) == 0;
}

MediaOpenResult MciMediaPlayer::open(std::string_view cp932Path) {
    close();
    const MediaOpenResult result = checkSoundFile(cp932Path);
    if (result != MediaOpenResult::Opened) {
        return result;
    }
    const auto path = platform::toNativePath(cp932Path);
    deviceOpen_ = path && send(L"open \"" + path->wstring() + L"\" type " + deviceFor(*path) +
                               L" alias " + alias_);
    open_ = true;
    return result;
}

void MciMediaPlayer::close() {
    if (deviceOpen_) {
        send(L"close " + alias_);
    }
    deviceOpen_ = false;
    open_ = false;
}

bool MciMediaPlayer::stop() {
    if (!open_) {
        return false;
    }
    if (deviceOpen_) {
        send(L"stop " + alias_);
    }
    return true;
}

void MciMediaPlayer::seekToStart() {
    if (deviceOpen_) {
        send(L"seek " + alias_ + L" to start");
    }
}

void MciMediaPlayer::play() {
    if (!open_) {
        return;
    }
    ++playCount_;
    if (deviceOpen_) {
        send(L"play " + alias_);
    }
}

std::wstring MciMediaPlayer::deviceType() const {
    if (!deviceOpen_) {
        return {};
    }
    std::array<wchar_t, 64> answer{};
    const std::wstring command = L"capability " + alias_ + L" device type";
    if (mciSendStringW(command.c_str(), answer.data(), static_cast<UINT>(answer.size()), nullptr) !=
        0) {
        return {};
    }
    return answer.data();
}

}  // namespace ruv
