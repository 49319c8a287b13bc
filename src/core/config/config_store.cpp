#include "core/config/config_store.h"

#include "core/config/config_error.h"
#include "core/config/integer_text.h"
#include "core/platform/text_file.h"

namespace ruv::config {
namespace {

const std::string kEmpty;

void requireSavable(std::string_view text) {
    if (text.find_first_of("\r\n") != std::string_view::npos) {
        throw UnsavableText("a settings text holds a line break");
    }
}

}  // namespace

ConfigStore::ConfigStore() : rows_(1) {}

ConfigStore::Row ConfigStore::parse(std::string_view line) {
    const std::size_t separator = line.find('=');
    if (separator == std::string_view::npos) {
        return Row{{}, std::string(line), false};
    }
    return Row{std::string(line.substr(0, separator)), std::string(line.substr(separator + 1)),
               true};
}

FileLoad ConfigStore::load(const std::filesystem::path& file) {
    TextLines lines;
    if (loadList(file, lines) == FileLoad::Missing) {
        return FileLoad::Missing;
    }
    std::vector<Row> rows;
    rows.reserve(lines.size());
    for (const std::string& text : lines) {
        rows.push_back(parse(text));
    }
    rows_ = std::move(rows);
    return FileLoad::Loaded;
}

void ConfigStore::save(const std::filesystem::path& file) const {
    TextLines lines;
    lines.reserve(rows_.size());
    for (int number = 1; number <= count(); ++number) {
        lines.push_back(line(configRow(number)));
    }
    saveList(file, lines);
}

const ConfigStore::Row* ConfigStore::readable(ConfigRow row) const {
    if (rows_.empty()) {
        return nullptr;
    }
    const int number = rowNumber(row);
    if (number < 1 || number > count()) {
        throw RowOutOfRange(number, count());
    }
    return &rows_[static_cast<std::size_t>(number - 1)];
}

ConfigStore::Row& ConfigStore::existing(ConfigRow row) {
    const int number = rowNumber(row);
    if (number < 1 || number > count()) {
        throw RowOutOfRange(number, count());
    }
    return rows_[static_cast<std::size_t>(number - 1)];
}

const std::string& ConfigStore::key(ConfigRow row) const {
    const Row* found = readable(row);
    return found != nullptr ? found->key : kEmpty;
}

const std::string& ConfigStore::value(ConfigRow row) const {
    const Row* found = readable(row);
    return found != nullptr ? found->value : kEmpty;
}

int ConfigStore::intValue(ConfigRow row) const {
    const std::string& text = value(row);
    const auto number = parseInteger(text);
    if (!number) {
        throw NotAnInteger(rowNumber(row), text);
    }
    return *number;
}

std::string ConfigStore::line(ConfigRow row) const {
    const Row* found = readable(row);
    if (found == nullptr) {
        return {};
    }
    return found->hasSeparator ? found->key + "=" + found->value : found->value;
}

void ConfigStore::setValue(ConfigRow row, std::string_view text) {
    requireSavable(text);
    if (rowNumber(row) > count()) {
        rows_.push_back(Row{{}, std::string(text), true});
        return;
    }
    Row& target = existing(row);
    target.value = std::string(text);
    target.hasSeparator = true;
}

void ConfigStore::setKey(ConfigRow row, std::string_view text) {
    requireSavable(text);
    if (text.find('=') != std::string_view::npos) {
        throw UnsavableText("a settings key holds \"=\"");
    }
    Row& target = existing(row);
    target.key = std::string(text);
    target.hasSeparator = true;
}

void ConfigStore::setFlag(ConfigRow row, bool on) {
    setValue(row, on ? "1" : "0");
}

void ConfigStore::setInt(ConfigRow row, int number) {
    setValue(row, integerText(number));
}

void ConfigStore::add(std::string_view line) {
    requireSavable(line);
    rows_.push_back(parse(line));
}

void ConfigStore::deleteRow(ConfigRow row) {
    existing(row);
    rows_.erase(rows_.begin() + (rowNumber(row) - 1));
}

bool ConfigStore::hasCanonicalLayout() const noexcept {
    if (count() != kCanonicalRowCount) {
        return false;
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (!rows_[i].hasSeparator || rows_[i].key != kCanonicalLayout[i].key) {
            return false;
        }
    }
    return true;
}

ConfigStore firstRunConfigStore() {
    ConfigStore store;
    store.clear();
    for (const CanonicalRow& canonical : kCanonicalLayout) {
        store.add(std::string(canonical.key) + "=" + std::string(canonical.firstRunValue));
    }
    return store;
}

}  // namespace ruv::config
