#pragma once
// What a zip archive (a .docx, say) claims about itself, read from its central directory without
// inflating anything: enough to refuse an archive that would expand to more than LibreOffice can
// hold before LibreOffice ever sees it. Every offset and length in the file is treated as hostile.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace plainquill::engine::libreoffice {

struct ZipArchiveSizes {
    std::uint64_t entries = 0;
    std::uint64_t expandedTotal = 0;    // the declared uncompressed sizes, summed
    std::uint64_t largestEntry = 0;     // the largest declared uncompressed size
    // The largest declared uncompressed / compressed size among entries that expand to more than
    // kRatioFloor: a small part may compress as well as it likes.
    std::uint64_t largestRatio = 0;
    static constexpr std::uint64_t kRatioFloor = std::uint64_t{32} << 20;
};

struct ZipArchiveReading {
    std::optional<ZipArchiveSizes> sizes; // empty when the archive cannot be read
    std::string problem;                  // why not, in plain words
};

// `bytes` is the whole archive.
ZipArchiveReading readZipArchiveSizes(std::string_view bytes);

// The same for a file, reading only its end and its central directory. Empty (no problem either)
// when the file does not begin like a zip archive.
std::optional<ZipArchiveReading> readZipArchiveFile(const std::filesystem::path& file);

struct ZipExpansionLimits {
    std::uint64_t expandedTotal; // at most this many bytes in all
    std::uint64_t ratio;          // at most this largestRatio
};

// Generous for real documents: XML compresses 5 to 30 times, pictures hardly at all.
inline constexpr ZipExpansionLimits kDefaultZipExpansionLimits{std::uint64_t{1} << 30, 200};

// Why an archive with these sizes is refused, or "" when it is not.
std::string expansionRefusal(const ZipArchiveSizes& sizes, const ZipExpansionLimits& limits);

} // namespace plainquill::engine::libreoffice
