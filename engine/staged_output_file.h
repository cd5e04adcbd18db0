#pragma once
// A file written under a hidden temporary name beside its target and renamed over the target only
// once complete. rename() is atomic within a folder, so readers see either the old file or the
// whole new one, and a failed save leaves the old file as it was.
//
// Every step is checked: a short or failed write, a failed flush to the disk and a failed close
// all fail the save, so a full disk can never pass a truncated text off as complete.
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace plainquill {

// The whole new text was written, but the file it should replace refused to be replaced (made
// immutable, or another user's in a sticky folder): the folder itself took the text.
class TargetNotReplaced : public std::system_error {
public:
    using std::system_error::system_error;
};

class StagedOutputFile {
public:
    // Creates an empty ".<name>.plainquill-<pid>-<start>-XXXXXXXX.tmp" beside `target`, with the
    // permissions a new file gets (umask applies); the pid and its start time name this process
    // as the owner (see removeAbandonedStagedFiles). Throws std::system_error when the folder
    // refuses it.
    explicit StagedOutputFile(const std::filesystem::path& target);
    // Removes the temporary file unless it was committed.
    ~StagedOutputFile();
    StagedOutputFile(const StagedOutputFile&) = delete;
    StagedOutputFile& operator=(const StagedOutputFile&) = delete;

    const std::filesystem::path& path() const { return m_temporary; }

    // Appends `bytes`. Throws std::system_error.
    void write(std::string_view bytes);

    // Flushes the text to the disk, checks that all of it is there and moves the temporary file
    // over the target. Throws std::system_error, TargetNotReplaced when only the move failed.
    void commit();
    // Moves the file now at path() over the target, as another writer left it there (a word
    // processor that saved to path()); this object's own descriptor is only closed. Throws
    // std::system_error, TargetNotReplaced when only the move failed.
    void commitWrittenElsewhere();

private:
    void closeFile();

    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    int m_fd = -1;
    unsigned long long m_written = 0;
    bool m_committed = false;
};

// What a user is told when the text was written but the file already there refused to be replaced.
std::string unreplaceableTargetWords();

// The hidden temporary name used for `targetName`, with `randomPart` in it; kept within the
// 255-byte limit on a name by shortening the part taken from the target (never inside a UTF-8
// character).
std::string stagedFileName(const std::string& targetName, const std::string& randomPart);

// Removes the staged files in `folder` whose owning process has ended (killed before it could
// remove them: SIGKILL, a power cut). A running owner's files and files of any other shape are
// left alone. Errors are ignored: the files are only clutter. Returns how many were removed.
int removeAbandonedStagedFiles(const std::filesystem::path& folder);

// Writes `text` to `file` through a staged file, so that the file is complete or absent, never
// cut short. Throws std::system_error.
void writeWholeFile(const std::filesystem::path& file, std::string_view text);

} // namespace plainquill
