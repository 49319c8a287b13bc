#pragma once
// The settings as an ordered list of key=value rows, numbered from 1 in file
// order, mirroring config.ini byte for byte.
//
// Failures are thrown, all as ConfigError (config_error.h):
// - reading (key, value, intValue) a row before 1 or past count() throws
//   RowOutOfRange, except that every row of an empty store reads as empty;
//   setKey and deleteRow throw it for any row outside 1..count(), setValue
//   for a row before 1;
// - intValue throws NotAnInteger for a value parseInteger refuses;
// - setKey, setValue and add throw UnsavableText for text that would not
//   read back the same (a line break anywhere, "=" in a key);
// - load throws FileError for a file that exists but can't be read, save for
//   a file that can't be written (the old file then stays whole).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/config_row.h"
#include "core/config/list_file.h"

namespace ruv::config {

class ConfigStore {
  public:
    // The process-start state: one placeholder row with empty key and value.
    ConfigStore();

    // Replaces all rows with the lines of the file. A missing file leaves the
    // store unchanged and gives FileLoad::Missing.
    FileLoad load(const std::filesystem::path& file);
    // Writes every row followed by CR LF, atomically, creating or replacing it.
    void save(const std::filesystem::path& file) const;

    int count() const noexcept { return static_cast<int>(rows_.size()); }
    // Text before the first "=" of the row; empty when the line has none.
    const std::string& key(ConfigRow row) const;
    // Text after the first "="; the whole line when it has none.
    const std::string& value(ConfigRow row) const;
    int intValue(ConfigRow row) const;
    // The row as it is written, without its line break.
    std::string line(ConfigRow row) const;

    // Keeps the row's key and replaces its value. A row past the end appends
    // one new row (at count() + 1) with an empty key and that value.
    void setValue(ConfigRow row, std::string_view text);
    void setKey(ConfigRow row, std::string_view text);
    void setFlag(ConfigRow row, bool on);  // "1" or "0"
    void setInt(ConfigRow row, int number);

    // Appends a line, split at its first "=" as a loaded line is.
    void add(std::string_view line);
    // Removes the row; the rows after it move up by one.
    void deleteRow(ConfigRow row);
    void clear() noexcept { rows_.clear(); }

    // True when the store holds exactly the 60 canonical keys in order.
    bool hasCanonicalLayout() const noexcept;

    friend bool operator==(const ConfigStore&, const ConfigStore&) = default;

  private:
    struct Row {
        std::string key;
        std::string value;
        bool hasSeparator = false;  // the line holds "="
        friend bool operator==(const Row&, const Row&) = default;
    };

    static Row parse(std::string_view line);
    const Row* readable(ConfigRow row) const;
    Row& existing(ConfigRow row);

    std::vector<Row> rows_;
};

// The canonical 60 rows with their first-run values.
ConfigStore firstRunConfigStore();

}  // namespace ruv::config
