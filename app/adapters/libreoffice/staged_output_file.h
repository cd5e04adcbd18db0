#pragma once
// A file written under a hidden temporary name beside its target and renamed over the target only
// once complete. rename() is atomic within a folder, so readers see either the old file or the
// whole new one, and a failed save leaves the old file as it was.
#include <filesystem>

namespace plainquill::adapters::libreoffice {

class StagedOutputFile {
public:
    // Creates an empty ".<name>.plainquill-XXXXXXXX.tmp" beside `target`, with the permissions a
    // new file gets (umask applies). Throws std::system_error when the folder refuses it.
    explicit StagedOutputFile(const std::filesystem::path& target);
    // Removes the temporary file unless it was committed.
    ~StagedOutputFile();
    StagedOutputFile(const StagedOutputFile&) = delete;
    StagedOutputFile& operator=(const StagedOutputFile&) = delete;

    const std::filesystem::path& path() const { return temporary_; }

    // Moves the temporary file over the target. Throws std::system_error.
    void commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    bool committed_ = false;
};

// The hidden temporary name used for `target_name`, with `random_part` in it; kept within the
// 255-byte limit on a name by shortening the part taken from the target (never inside a UTF-8
// character).
std::string staged_file_name(const std::string& target_name, const std::string& random_part);

} // namespace plainquill::adapters::libreoffice
