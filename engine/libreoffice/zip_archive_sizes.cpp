#include "engine/libreoffice/zip_archive_sizes.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <limits>

namespace plainquill::engine::libreoffice {
namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfCentralDirectory = 0x06054b50;
constexpr std::uint32_t kZip64End = 0x06064b50;
constexpr std::uint32_t kZip64Locator = 0x07064b50;
constexpr std::uint16_t kZip64ExtraField = 0x0001;
constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kZip64LocatorSize = 20;
constexpr std::size_t kZip64EndSize = 56;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kLongestComment = 0xffff;
// A central directory is about 100 bytes an entry; this allows hundreds of thousands of entries,
// far more than any document has, and keeps what we read bounded.
constexpr std::uint64_t kLargestCentralDirectory = std::uint64_t{64} << 20;

// Reads `length` bytes at `offset` of the archive, or nothing when they are not all there.
using ReadAt = std::function<std::optional<std::string>(std::uint64_t offset, std::size_t length)>;

// Little-endian fields of a buffer, every read bounds-checked.
class Fields {
public:
    explicit Fields(std::string_view bytes) : m_bytes(bytes) {}
    bool has(std::size_t at, std::size_t length) const
    {
        return at <= m_bytes.size() && length <= m_bytes.size() - at;
    }
    std::uint64_t get(std::size_t at, std::size_t width) const // caller checked has(at, width)
    {
        std::uint64_t value = 0;
        for (std::size_t i = width; i-- > 0;)
            value = (value << 8) | static_cast<unsigned char>(m_bytes[at + i]);
        return value;
    }
    std::string_view bytes() const { return m_bytes; }

private:
    std::string_view m_bytes;
};

struct Directory {
    std::uint64_t entries = 0;
    std::uint64_t size = 0;
    std::uint64_t offset = 0;
};

ZipArchiveReading problem(std::string text)
{
    return {std::nullopt, std::move(text)};
}

// The end record is the last thing in the file but for a comment of up to 64 KiB; the last
// signature whose comment length reaches exactly to the end is it.
std::optional<std::size_t> findEndRecord(const Fields& tail)
{
    const std::string_view bytes = tail.bytes();
    if (bytes.size() < kEndRecordSize)
        return std::nullopt;
    for (std::size_t at = bytes.size() - kEndRecordSize + 1; at-- > 0;) {
        if (tail.get(at, 4) == kEndOfCentralDirectory
            && at + kEndRecordSize + tail.get(at + 20, 2) == bytes.size())
            return at;
    }
    return std::nullopt;
}

// The zip64 end record, found through its locator just before the ordinary end record.
std::optional<Directory> readZip64Directory(const ReadAt& readAt, std::uint64_t endRecordOffset,
                                            std::string& why)
{
    if (endRecordOffset < kZip64LocatorSize) {
        why = "its zip64 locator is missing";
        return std::nullopt;
    }
    const auto locatorBytes = readAt(endRecordOffset - kZip64LocatorSize, kZip64LocatorSize);
    if (!locatorBytes || Fields(*locatorBytes).get(0, 4) != kZip64Locator) {
        why = "its zip64 locator is missing";
        return std::nullopt;
    }
    const Fields locator(*locatorBytes);
    if (locator.get(4, 4) != 0 || locator.get(16, 4) > 1) {
        why = "it spans several disks";
        return std::nullopt;
    }
    const std::uint64_t recordOffset = locator.get(8, 8);
    const auto recordBytes = readAt(recordOffset, kZip64EndSize);
    if (!recordBytes || Fields(*recordBytes).get(0, 4) != kZip64End
        || recordOffset > endRecordOffset - kZip64LocatorSize) {
        why = "its zip64 end record is missing";
        return std::nullopt;
    }
    const Fields record(*recordBytes);
    if (record.get(16, 4) != 0 || record.get(20, 4) != 0 || record.get(24, 8) != record.get(32, 8)) {
        why = "it spans several disks";
        return std::nullopt;
    }
    return Directory{record.get(32, 8), record.get(40, 8), record.get(48, 8)};
}

// For a field that says "see the zip64 extra field" (all ones), the value from that field; the
// extra field holds, in order, only those of the four values that were all ones.
bool readZip64Sizes(const Fields& extra, std::uint64_t& compressed, std::uint64_t& expanded)
{
    const bool wantExpanded = expanded == 0xffffffff;
    const bool wantCompressed = compressed == 0xffffffff;
    std::size_t at = 0;
    while (extra.has(at, 4)) {
        const std::uint64_t id = extra.get(at, 2);
        const std::size_t length = extra.get(at + 2, 2);
        if (!extra.has(at + 4, length))
            return false;
        if (id == kZip64ExtraField) {
            std::size_t field = at + 4;
            const std::size_t fieldEnd = field + length;
            if (wantExpanded) {
                if (field + 8 > fieldEnd)
                    return false;
                expanded = extra.get(field, 8);
                field += 8;
            }
            if (wantCompressed) {
                if (field + 8 > fieldEnd)
                    return false;
                compressed = extra.get(field, 8);
            }
            return true;
        }
        at += 4 + length;
    }
    return !wantExpanded && !wantCompressed;
}

ZipArchiveReading readCentralDirectory(std::string_view directory, std::uint64_t declaredEntries)
{
    const Fields fields(directory);
    ZipArchiveSizes sizes;
    std::size_t at = 0;
    while (at < directory.size()) {
        if (!fields.has(at, kCentralHeaderSize) || fields.get(at, 4) != kCentralHeader)
            return problem("its central directory is damaged");
        std::uint64_t compressed = fields.get(at + 20, 4);
        std::uint64_t expanded = fields.get(at + 24, 4);
        const std::size_t nameLength = fields.get(at + 28, 2);
        const std::size_t extraLength = fields.get(at + 30, 2);
        const std::size_t commentLength = fields.get(at + 32, 2);
        const std::size_t extraAt = at + kCentralHeaderSize + nameLength;
        if (!fields.has(extraAt, extraLength + commentLength))
            return problem("its central directory is damaged");
        if (!readZip64Sizes(Fields(directory.substr(extraAt, extraLength)), compressed, expanded))
            return problem("an entry's zip64 sizes are missing");
        ++sizes.entries;
        if (expanded > std::numeric_limits<std::uint64_t>::max() - sizes.expandedTotal)
            return problem("its declared sizes overflow");
        sizes.expandedTotal += expanded;
        sizes.largestEntry = std::max(sizes.largestEntry, expanded);
        if (expanded > ZipArchiveSizes::kRatioFloor)
            sizes.largestRatio = std::max(sizes.largestRatio, expanded / std::max<std::uint64_t>(compressed, 1));
        at = extraAt + extraLength + commentLength;
    }
    if (sizes.entries != declaredEntries)
        return problem("its central directory does not hold the entries it declares");
    return {sizes, {}};
}

ZipArchiveReading readSizes(const ReadAt& readAt, std::uint64_t fileSize)
{
    const std::size_t tailLength =
        static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, kEndRecordSize + kLongestComment));
    const auto tailBytes = readAt(fileSize - tailLength, tailLength);
    if (!tailBytes)
        return problem("it cannot be read");
    const Fields tail(*tailBytes);
    const auto endAt = findEndRecord(tail);
    if (!endAt)
        return problem("it has no end record");
    const std::uint64_t endOffset = fileSize - tailLength + *endAt;

    Directory directory{tail.get(*endAt + 10, 2), tail.get(*endAt + 12, 4), tail.get(*endAt + 16, 4)};
    if (tail.get(*endAt + 4, 2) != 0 || tail.get(*endAt + 6, 2) != 0
        || tail.get(*endAt + 8, 2) != directory.entries)
        return problem("it spans several disks");
    if (directory.entries == 0xffff || directory.size == 0xffffffff || directory.offset == 0xffffffff) {
        std::string why;
        const auto zip64 = readZip64Directory(readAt, endOffset, why);
        if (!zip64)
            return problem(why);
        directory = *zip64;
    }
    if (directory.size > kLargestCentralDirectory)
        return problem("its central directory is implausibly large");
    if (directory.offset > endOffset || directory.size > endOffset - directory.offset)
        return problem("its central directory lies outside the file");
    const auto directoryBytes = readAt(directory.offset, static_cast<std::size_t>(directory.size));
    if (!directoryBytes)
        return problem("it cannot be read");
    return readCentralDirectory(*directoryBytes, directory.entries);
}

} // namespace

ZipArchiveReading readZipArchiveSizes(std::string_view bytes)
{
    return readSizes(
        [bytes](std::uint64_t offset, std::size_t length) -> std::optional<std::string> {
            if (offset > bytes.size() || length > bytes.size() - offset)
                return std::nullopt;
            return std::string(bytes.substr(offset, length));
        },
        bytes.size());
}

std::optional<ZipArchiveReading> readZipArchiveFile(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    char signature[4] = {};
    if (!stream.read(signature, sizeof signature)
        || Fields(std::string_view(signature, sizeof signature)).get(0, 4) != kLocalHeader)
        return std::nullopt;
    std::error_code error;
    const std::uint64_t fileSize = std::filesystem::file_size(file, error);
    if (error)
        return problem("it cannot be read");
    return readSizes(
        [&stream, fileSize](std::uint64_t offset, std::size_t length) -> std::optional<std::string> {
            if (offset > fileSize || length > fileSize - offset)
                return std::nullopt;
            std::string bytes(length, '\0');
            stream.clear();
            if (!stream.seekg(static_cast<std::streamoff>(offset))
                || !stream.read(bytes.data(), static_cast<std::streamsize>(length)))
                return std::nullopt;
            return bytes;
        },
        fileSize);
}

std::string expansionRefusal(const ZipArchiveSizes& sizes, const ZipExpansionLimits& limits)
{
    constexpr std::uint64_t kMegabyte = 1 << 20;
    if (sizes.expandedTotal > limits.expandedTotal)
        return "it would expand to " + std::to_string(sizes.expandedTotal / kMegabyte)
               + " MB, more than the " + std::to_string(limits.expandedTotal / kMegabyte) + " MB allowed";
    if (sizes.largestRatio > limits.ratio)
        return "a part of it would expand " + std::to_string(sizes.largestRatio)
               + " times over, as only a decompression bomb does";
    return {};
}

} // namespace plainquill::engine::libreoffice
