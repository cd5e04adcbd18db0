#include "engine/libreoffice/zip_archive_sizes.h"

#include "tests/engine/support/zip_writer.h"

#include <gtest/gtest.h>


namespace plainquill::engine::libreoffice {
namespace {

using testing::storedEntry;
using testing::zipArchive;
using testing::ZipEntry;
using testing::ZipLayout;

constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;

// Overwrites the `width`-byte little-endian field at `at` (from the end when negative).
std::string patched(std::string bytes, long at, int width, std::uint64_t value)
{
    const std::size_t position = at < 0 ? bytes.size() - static_cast<std::size_t>(-at) : static_cast<std::size_t>(at);
    for (int i = 0; i < width; ++i)
        bytes[position + i] = static_cast<char>((value >> (8 * i)) & 0xff);
    return bytes;
}

std::uint64_t field(const std::string& bytes, long at, int width)
{
    const std::size_t position = bytes.size() - static_cast<std::size_t>(-at);
    std::uint64_t value = 0;
    for (int i = width; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[position + i]);
    return value;
}

ZipEntry declared(std::string name, std::uint64_t expanded, std::uint64_t compressed, bool zip64)
{
    ZipEntry entry = storedEntry(std::move(name), "xxxx");
    entry.method = 8;
    entry.expanded = expanded;
    entry.compressed = compressed;
    entry.zip64 = zip64;
    return entry;
}

const std::string kTwoFiles = zipArchive({storedEntry("a.xml", "<a/>"), storedEntry("b/c.xml", "hello")});
// End record fields from the end: entries -14 and -12, directory size -10, offset -6, comment length -2.
struct Row {
    const char* name;
    std::string bytes;
    std::uint64_t entries;        // when readable
    std::uint64_t expandedTotal; // when readable
    const char* problem;          // when not
};

std::vector<Row> rows()
{
    const std::string commentWithFakeEnd =
        "PK\x05\x06" + std::string(16, '\0') + std::string("\xff\x00", 2) + "trailing";
    return {
        {"two_stored_files", kTwoFiles, 2, 9, nullptr},
        {"empty_archive", zipArchive({}), 0, 0, nullptr},
        {"comment_holding_a_false_end_record", zipArchive({storedEntry("a", "abc")}, {false, commentWithFakeEnd}),
         1, 3, nullptr},
        {"zip64_sizes_of_an_entry", zipArchive({declared("big.xml", 5 * kGiB, 100, true)}), 1, 5 * kGiB, nullptr},
        {"zip64_end_record", zipArchive({storedEntry("a", "abcd"), declared("b", 7, 7, true)}, {true, ""}), 2, 11,
         nullptr},
        {"nothing", "", 0, 0, "no end record"},
        {"cut_short", kTwoFiles.substr(0, kTwoFiles.size() - 5), 0, 0, "no end record"},
        {"comment_longer_than_the_file", patched(kTwoFiles, -2, 2, 40), 0, 0, "no end record"},
        {"directory_beyond_the_end", patched(kTwoFiles, -6, 4, 0x7fffffff), 0, 0, "outside the file"},
        {"directory_larger_than_the_file", patched(kTwoFiles, -10, 4, kTwoFiles.size()), 0, 0, "outside the file"},
        {"directory_of_gigabytes", patched(kTwoFiles, -10, 4, 0xfffffff0), 0, 0, "implausibly large"},
        {"more_entries_declared_than_held", patched(patched(kTwoFiles, -12, 2, 3), -14, 2, 3), 0, 0,
         "does not hold the entries"},
        {"several_disks", patched(kTwoFiles, -18, 2, 1), 0, 0, "several disks"},
        {"directory_starting_a_byte_early",
         patched(patched(kTwoFiles, -6, 4, field(kTwoFiles, -6, 4) - 1), -10, 4, field(kTwoFiles, -10, 4) + 1), 0, 0,
         "damaged"},
        {"zip64_marker_without_its_extra_field",
         patched(zipArchive({storedEntry("a", "abc")}), -22 - 47 + 24, 4, 0xffffffff), 0, 0, "zip64 sizes"},
        {"zip64_end_marker_without_a_locator", patched(patched(kTwoFiles, -12, 2, 0xffff), -14, 2, 0xffff), 0, 0,
         "zip64 locator"},
        {"zip64_locator_pointing_past_the_end",
         patched(zipArchive({storedEntry("a", "abcd")}, {true, ""}), -22 - 20 + 8, 8, 1 << 20), 0, 0,
         "zip64 end record"},
        {"sizes_that_overflow",
         zipArchive({declared("a", ~std::uint64_t{0} - 10, 1, true), declared("b", 20, 1, true)}), 0, 0,
         "overflow"},
    };
}

TEST(ZipArchiveSizes, ReadsTheCentralDirectoryAndRefusesWhatItCannotTrust)
{
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.name);
        const ZipArchiveReading reading = readZipArchiveSizes(row.bytes);
        if (row.problem == nullptr) {
            ASSERT_TRUE(reading.sizes) << reading.problem;
            EXPECT_EQ(reading.sizes->entries, row.entries);
            EXPECT_EQ(reading.sizes->expandedTotal, row.expandedTotal);
        } else {
            EXPECT_FALSE(reading.sizes);
            EXPECT_NE(reading.problem.find(row.problem), std::string::npos) << reading.problem;
        }
    }
}

TEST(ZipArchiveSizes, RefusesArchivesThatWouldExpandBeyondTheLimits)
{
    const ZipExpansionLimits limits{kGiB, 200};
    struct Case {
        const char* name;
        std::vector<ZipEntry> entries;
        const char* refusal; // "" when accepted
    };
    const std::vector<Case> cases{
        {"small_part_compressing_extremely_well", {declared("styles.xml", 30 << 20, 1 << 10, false)}, ""},
        {"just_under_the_total",
         {declared("a", kGiB / 2, kGiB / 4, true), declared("b", kGiB / 2, kGiB / 4, true)}, ""},
        {"over_the_total", {declared("a", kGiB / 2 + 1, kGiB / 4, true), declared("b", kGiB / 2, kGiB / 4, true)},
         "would expand to"},
        {"bomb", {declared("word/document.xml", kGiB - 1, 1 << 20, false)}, "times over"},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        const auto reading = readZipArchiveSizes(zipArchive(item.entries));
        ASSERT_TRUE(reading.sizes) << reading.problem;
        const std::string refusal = expansionRefusal(*reading.sizes, limits);
        EXPECT_EQ(refusal.empty(), *item.refusal == '\0') << refusal;
        EXPECT_NE(refusal.find(item.refusal), std::string::npos) << refusal;
    }
}

} // namespace
} // namespace plainquill::engine::libreoffice
