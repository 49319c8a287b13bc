#pragma once
// Saving the six settings files at exit, each on its own: a file that cannot
// be written keeps its old content and costs no other file.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ruv::config {

struct FileToSave {
    std::string_view fileName;
    // Writes the file whole or not at all; throws on failure.
    std::function<void()> write;
};

struct UnsavedFile {
    std::string fileName;
    std::string reason;  // CP932
};

// Tries every file, in order, whatever happened to the ones before.
std::vector<UnsavedFile> saveEachFile(std::span<const FileToSave> files);

// The one warning that names each file not saved and why (CP932).
std::string unsavedFilesMessage(const std::vector<UnsavedFile>& unsaved);

}  // namespace ruv::config
