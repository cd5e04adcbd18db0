#pragma once
// The output folder's record of what each text file was made from: a small hidden CSV file per
// run (per shard on a cluster) that a resumed run reads back, so that a text is only ever kept for
// the very document, unchanged, that it was converted from. A name alone cannot tell: names follow
// queue order, so a document added ahead of another takes over that other's text name.
//
// Lines are only ever appended, whole lines per write, so a crash can cut short the last line at
// most; reading ignores such a line, and the next writer removes it. Line breaks in paths are
// escaped, so that a line of the file is always one record. The latest line for a target wins.
#include "batch/shard.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plainquill::batch {

// What tells one state of a document from another without reading it.
struct SourceFacts {
    std::uintmax_t size = 0;
    std::int64_t modified = 0; // the file clock's ticks
    bool operator==(const SourceFacts&) const = default;
};

std::optional<SourceFacts> sourceFacts(const std::filesystem::path& document);

inline constexpr const char* kManifestConverted = "converted";
// Written before a document is converted, so that a crash before its outcome is recorded leaves
// no older line standing for its target.
inline constexpr const char* kManifestStarted = "started";

struct ManifestLine {
    std::string target; // relative to the output folder, as manifestTarget gives it
    std::string source; // as manifestSource gives it
    SourceFacts facts;
    std::string outcome; // started, converted, failed, not done
    std::int64_t recorded = 0; // nanoseconds since the epoch, to order the lines of several files
};

// Each target's latest line.
using Manifest = std::map<std::string, ManifestLine>;

std::string manifestTarget(const std::filesystem::path& outputFolder, const std::filesystem::path& target);
std::string manifestSource(const std::filesystem::path& document);

// ".plainquill-manifest.csv", or ".plainquill-manifest.K-of-N.csv" for a shard, which then
// writes a file no other shard writes.
std::string manifestFileName(const std::optional<Shard>& shard);

// One line as it is written, its line end included.
std::string manifestLineText(const ManifestLine& line);

// The whole lines of a manifest file's text, in order; a line cut short or damaged is left out.
std::vector<ManifestLine> parseManifest(std::string_view text);

// Every manifest file of `outputFolder`, the latest line for each target.
Manifest readManifests(const std::filesystem::path& outputFolder);

// Appends lines to one manifest file.
class ManifestWriter {
public:
    // Throws std::system_error when the file cannot be opened.
    explicit ManifestWriter(const std::filesystem::path& file);
    // Flushes what is not on the disk yet.
    ~ManifestWriter();
    ManifestWriter(const ManifestWriter&) = delete;
    ManifestWriter& operator=(const ManifestWriter&) = delete;

    // Now: the lines reach the disk before append returns. Soon: within a second, or when the
    // writer closes; a crash may lose them, which costs a resumed run a conversion again but never
    // vouches for a text that is not there. (A sync a line took 109 s of 114 over 40,000 files.)
    enum class Sync { Now, Soon };

    // False when the lines could not be written whole.
    bool append(const std::vector<ManifestLine>& lines, Sync sync = Sync::Now);

private:
    bool dropLineCutShort();
    bool startNewFile();

    int m_fd = -1;
    std::chrono::steady_clock::time_point m_lastSync = std::chrono::steady_clock::now();
    bool m_unsynced = false;
};

} // namespace plainquill::batch
