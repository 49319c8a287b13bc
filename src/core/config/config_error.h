#pragma once
// The failures of the settings layer. Every operation of ConfigStore and of
// the list files reports failure by throwing one of these; all derive from
// ConfigError, so a handler can catch that one type at its edge.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace ruv::config {

class ConfigError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A row before the first or past the last was read, changed or deleted.
class RowOutOfRange : public ConfigError {
  public:
    RowOutOfRange(int row, int count)
        : ConfigError("settings row " + std::to_string(row) + " is outside rows 1 to " +
                      std::to_string(count)),
          row_(row) {}
    int row() const noexcept { return row_; }

  private:
    int row_;
};

// A value read as an integer is not one.
class NotAnInteger : public ConfigError {
  public:
    NotAnInteger(int row, const std::string& text)
        : ConfigError("settings row " + std::to_string(row) + " is not an integer: " + text),
          row_(row) {}
    int row() const noexcept { return row_; }

  private:
    int row_;
};

// Text that would not survive a save and load: a line break in a key, value
// or list entry, or "=" in a key.
class UnsavableText : public ConfigError {
  public:
    explicit UnsavableText(const std::string& what) : ConfigError(what) {}
};

// A settings or list file exists but could not be read, or could not be written.
class FileError : public ConfigError {
  public:
    FileError(const std::string& action, const std::filesystem::path& path, std::error_code cause)
        : ConfigError("cannot " + action + " " + path.string() + ": " + cause.message()),
          path_(path),
          cause_(cause) {}
    const std::filesystem::path& path() const noexcept { return path_; }
    std::error_code cause() const noexcept { return cause_; }

  private:
    std::filesystem::path path_;
    std::error_code cause_;
};

}  // namespace ruv::config
