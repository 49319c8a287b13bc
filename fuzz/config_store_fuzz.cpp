// config.ini as a player may edit it by hand, read for the routing switches,
// then changed by the program the way the dialogs and the exit do: loading
// never fails on the content, every failure is a ConfigError, and what is
// saved loads back as the same rows and saves again byte for byte. A file
// written the way save writes it (every line ended by CR LF) survives load
// and save unchanged.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "core/app/settings_apply.h"
#include "core/config/config_error.h"
#include "core/config/config_store.h"
#include "fuzz_check.h"

namespace {

using namespace ruv;
using config::ConfigRow;
using config::ConfigStore;

// Every line break is a CR LF pair, and the text ends with one (or is empty).
bool isSavedForm(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')) {
            return false;
        }
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) {
            return false;
        }
    }
    return bytes.empty() || bytes.back() == '\n';
}

void edit(ConfigStore& store, FuzzedDataProvider& input) {
    const ConfigRow row = config::configRow(input.ConsumeIntegralInRange(-2, store.count() + 2));
    const std::string text = input.ConsumeRandomLengthString(16);
    try {
        switch (input.ConsumeIntegralInRange(0, 8)) {
            case 0:
                store.setValue(row, text);
                break;
            case 1:
                store.setKey(row, text);
                break;
            case 2:
                store.setFlag(row, input.ConsumeBool());
                break;
            case 3:
                store.setInt(row, input.ConsumeIntegral<int>());
                break;
            case 4:
                store.add(text);
                break;
            case 5:
                store.deleteRow(row);
                break;
            case 6:
                (void)store.intValue(row);
                break;
            case 7:
                (void)store.line(row);
                (void)store.key(row);
                (void)store.value(row);
                break;
            default:
                (void)store.hasCanonicalLayout();
                break;
        }
    } catch (const config::ConfigError&) {
        // Refused; the store stays usable.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string file = input.ConsumeRandomLengthString(4096);
    const std::filesystem::path hand = fuzz::scratch() / "config.ini";
    const std::filesystem::path saved = fuzz::scratch() / "saved.ini";
    fuzz::writeBytes(hand, file);

    ConfigStore store;
    FUZZ_CHECK(store.load(hand) == config::FileLoad::Loaded);
    store.save(saved);
    const std::string savedBytes = fuzz::readBytes(saved);
    if (isSavedForm(file)) {
        FUZZ_CHECK(savedBytes == file);
    }

    // Start-up applies the rows by key; a row that cannot be applied is
    // skipped, and what it stores stays in range.
    SessionState settings;
    config::applyConfigRows(store, settings);
    const auto readMode = parseSettingInteger(settings.speech.readMode);
    FUZZ_CHECK(readMode && *readMode >= 0 && *readMode < kReadModeCount);
    FUZZ_CHECK(config::isIntervalEntry(settings.intervalSeconds));
    FUZZ_CHECK(config::isTransparencyEntry(settings.transparencyPercent));

    while (input.remaining_bytes() > 0) {
        edit(store, input);
    }
    if (input.ConsumeBool() && store.hasCanonicalLayout()) {
        config::writeExitRows(store, settings);
    }
    store.save(saved);
    const std::string edited = fuzz::readBytes(saved);
    ConfigStore reloaded;
    FUZZ_CHECK(reloaded.load(saved) == config::FileLoad::Loaded);
    FUZZ_CHECK(reloaded == store);
    reloaded.save(saved);
    FUZZ_CHECK(fuzz::readBytes(saved) == edited);
    return 0;
}
