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
    explicit Fields(std::string_view bytes) : bytes_(bytes) {}
    bool has(std::size_t at, std::size_t length) const
    {
        return at <= bytes_.size() && length <= bytes_.size() - at;
    }
    std::uint64_t get(std::size_t at, std::size_t width) const // caller checked has(at, width)
    {
        std::uint64_t value = 0;
        for (std::size_t i = width; i-- > 0;)
            value = (value << 8) | static_cast<unsigned char>(bytes_[at + i]);
        return value;
    }
    std::string_view bytes() const { return bytes_; }

private:
    std::string_view bytes_;
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
std::optional<std::size_t> find_end_record(const Fields& tail)
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
std::optional<Directory> read_zip64_directory(const ReadAt& read_at, std::uint64_t end_record_offset,
                                              std::string& why)
{
    if (end_record_offset < kZip64LocatorSize) {
        why = "its zip64 locator is missing";
        return std::nullopt;
    }
    const auto locator_bytes = read_at(end_record_offset - kZip64LocatorSize, kZip64LocatorSize);
    if (!locator_bytes || Fields(*locator_bytes).get(0, 4) != kZip64Locator) {
        why = "its zip64 locator is missing";
        return std::nullopt;
    }
    const Fields locator(*locator_bytes);
    if (locator.get(4, 4) != 0 || locator.get(16, 4) > 1) {
        why = "it spans several disks";
        return std::nullopt;
    }
    const std::uint64_t record_offset = locator.get(8, 8);
    const auto record_bytes = read_at(record_offset, kZip64EndSize);
    if (!record_bytes || Fields(*record_bytes).get(0, 4) != kZip64End
        || record_offset > end_record_offset - kZip64LocatorSize) {
        why = "its zip64 end record is missing";
        return std::nullopt;
    }
    const Fields record(*record_bytes);
    if (record.get(16, 4) != 0 || record.get(20, 4) != 0 || record.get(24, 8) != record.get(32, 8)) {
        why = "it spans several disks";
        return std::nullopt;
    }
    return Directory{record.get(32, 8), record.get(40, 8), record.get(48, 8)};
}

// For a field that says "see the zip64 extra field" (all ones), the value from that field; the
// extra field holds, in order, only those of the four values that were all ones.
bool read_zip64_sizes(const Fields& extra, std::uint64_t& compressed, std::uint64_t& expanded)
{
    const bool want_expanded = expanded == 0xffffffff;
    const bool want_compressed = compressed == 0xffffffff;
    std::size_t at = 0;
    while (extra.has(at, 4)) {
        const std::uint64_t id = extra.get(at, 2);
        const std::size_t length = extra.get(at + 2, 2);
        if (!extra.has(at + 4, length))
            return false;
        if (id == kZip64ExtraField) {
            std::size_t field = at + 4;
            const std::size_t field_end = field + length;
            if (want_expanded) {
                if (field + 8 > field_end)
                    return false;
                expanded = extra.get(field, 8);
                field += 8;
            }
            if (want_compressed) {
                if (field + 8 > field_end)
                    return false;
                compressed = extra.get(field, 8);
            }
            return true;
        }
        at += 4 + length;
    }
    return !want_expanded && !want_compressed;
}

ZipArchiveReading read_central_directory(std::string_view directory, std::uint64_t declared_entries)
{
    const Fields fields(directory);
    ZipArchiveSizes sizes;
    std::size_t at = 0;
    while (at < directory.size()) {
        if (!fields.has(at, kCentralHeaderSize) || fields.get(at, 4) != kCentralHeader)
            return problem("its central directory is damaged");
        std::uint64_t compressed = fields.get(at + 20, 4);
        std::uint64_t expanded = fields.get(at + 24, 4);
        const std::size_t name_length = fields.get(at + 28, 2);
        const std::size_t extra_length = fields.get(at + 30, 2);
        const std::size_t comment_length = fields.get(at + 32, 2);
        const std::size_t extra_at = at + kCentralHeaderSize + name_length;
        if (!fields.has(extra_at, extra_length + comment_length))
            return problem("its central directory is damaged");
        if (!read_zip64_sizes(Fields(directory.substr(extra_at, extra_length)), compressed, expanded))
            return problem("an entry's zip64 sizes are missing");
        ++sizes.entries;
        if (expanded > std::numeric_limits<std::uint64_t>::max() - sizes.expanded_total)
            return problem("its declared sizes overflow");
        sizes.expanded_total += expanded;
        sizes.largest_entry = std::max(sizes.largest_entry, expanded);
        if (expanded > ZipArchiveSizes::kRatioFloor)
            sizes.largest_ratio = std::max(sizes.largest_ratio, expanded / std::max<std::uint64_t>(compressed, 1));
        at = extra_at + extra_length + comment_length;
    }
    if (sizes.entries != declared_entries)
        return problem("its central directory does not hold the entries it declares");
    return {sizes, {}};
}

ZipArchiveReading read_sizes(const ReadAt& read_at, std::uint64_t file_size)
{
    const std::size_t tail_length =
        static_cast<std::size_t>(std::min<std::uint64_t>(file_size, kEndRecordSize + kLongestComment));
    const auto tail_bytes = read_at(file_size - tail_length, tail_length);
    if (!tail_bytes)
        return problem("it cannot be read");
    const Fields tail(*tail_bytes);
    const auto end_at = find_end_record(tail);
    if (!end_at)
        return problem("it has no end record");
    const std::uint64_t end_offset = file_size - tail_length + *end_at;

    Directory directory{tail.get(*end_at + 10, 2), tail.get(*end_at + 12, 4), tail.get(*end_at + 16, 4)};
    if (tail.get(*end_at + 4, 2) != 0 || tail.get(*end_at + 6, 2) != 0
        || tail.get(*end_at + 8, 2) != directory.entries)
        return problem("it spans several disks");
    if (directory.entries == 0xffff || directory.size == 0xffffffff || directory.offset == 0xffffffff) {
        std::string why;
        const auto zip64 = read_zip64_directory(read_at, end_offset, why);
        if (!zip64)
            return problem(why);
        directory = *zip64;
    }
    if (directory.size > kLargestCentralDirectory)
        return problem("its central directory is implausibly large");
    if (directory.offset > end_offset || directory.size > end_offset - directory.offset)
        return problem("its central directory lies outside the file");
    const auto directory_bytes = read_at(directory.offset, static_cast<std::size_t>(directory.size));
    if (!directory_bytes)
        return problem("it cannot be read");
    return read_central_directory(*directory_bytes, directory.entries);
}

} // namespace

ZipArchiveReading read_zip_archive_sizes(std::string_view bytes)
{
    return read_sizes(
        [bytes](std::uint64_t offset, std::size_t length) -> std::optional<std::string> {
            if (offset > bytes.size() || length > bytes.size() - offset)
                return std::nullopt;
            return std::string(bytes.substr(offset, length));
        },
        bytes.size());
}

std::optional<ZipArchiveReading> read_zip_archive_file(const std::filesystem::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    char signature[4] = {};
    if (!stream.read(signature, sizeof signature)
        || Fields(std::string_view(signature, sizeof signature)).get(0, 4) != kLocalHeader)
        return std::nullopt;
    std::error_code error;
    const std::uint64_t file_size = std::filesystem::file_size(file, error);
    if (error)
        return problem("it cannot be read");
    return read_sizes(
        [&stream, file_size](std::uint64_t offset, std::size_t length) -> std::optional<std::string> {
            if (offset > file_size || length > file_size - offset)
                return std::nullopt;
            std::string bytes(length, '\0');
            stream.clear();
            if (!stream.seekg(static_cast<std::streamoff>(offset))
                || !stream.read(bytes.data(), static_cast<std::streamsize>(length)))
                return std::nullopt;
            return bytes;
        },
        file_size);
}

std::string expansion_refusal(const ZipArchiveSizes& sizes, const ZipExpansionLimits& limits)
{
    constexpr std::uint64_t kMegabyte = 1 << 20;
    if (sizes.expanded_total > limits.expanded_total)
        return "it would expand to " + std::to_string(sizes.expanded_total / kMegabyte)
               + " MB, more than the " + std::to_string(limits.expanded_total / kMegabyte) + " MB allowed";
    if (sizes.largest_ratio > limits.ratio)
        return "a part of it would expand " + std::to_string(sizes.largest_ratio)
               + " times over, as only a decompression bomb does";
    return {};
}

} // namespace plainquill::engine::libreoffice
