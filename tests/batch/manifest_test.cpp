// The output folder's manifest read back: what a crash can leave, and which line wins.
#include "batch/manifest.h"
#include "tests/engine/support/test_files.h"

#include <gtest/gtest.h>

namespace plainquill::batch {
namespace {

namespace fs = std::filesystem;
using engine::testing::TemporaryFolder;
using engine::testing::writeBytes;

ManifestLine line(const std::string& target, const std::string& source, const char* outcome, std::int64_t recorded)
{
    return {target, source, {12, 345}, outcome, recorded};
}

std::vector<std::string> targets(const std::vector<ManifestLine>& lines)
{
    std::vector<std::string> names;
    for (const ManifestLine& each : lines)
        names.push_back(each.target + ':' + each.outcome);
    return names;
}

TEST(Manifest, ReadsBackOnlyWholeLines)
{
    const std::string header = "target,source,size,modified,outcome,recorded\n";
    const std::string a = manifestLineText(line("a.txt", "/in/a.doc", "converted", 1));
    const std::string odd = manifestLineText(line("b, \"odd\"\nname.txt", "/in/b\n.doc", "converted", 2));
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> read;
    } cases[] = {
        {"whole", header + a + odd + "\n", {"a.txt:converted", "b, \"odd\"\nname.txt:converted"}},
        {"the last line without its end", header + a + a.substr(0, a.size() - 1), {"a.txt:converted"}},
        {"cut after a path's line break", header + a + odd.substr(0, odd.find("%0A") + 3), {"a.txt:converted"}},
        {"cut inside the header", header.substr(0, 10), {}},
        {"a size that is no number", header + "a.txt,/in/a.doc,12x,345,converted,1\n" + a, {"a.txt:converted"}},
        {"a field missing", header + "a.txt,/in/a.doc,12,345,converted\n", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(targets(parseManifest(c.text)), c.read) << c.name;
    const ManifestLine back = parseManifest(header + odd).at(0);
    EXPECT_EQ(back.source, "/in/b\n.doc");
    EXPECT_EQ(back.facts, (SourceFacts{12, 345}));
}

TEST(Manifest, TheLatestLineOfAnyManifestInTheFolderWins)
{
    TemporaryFolder output;
    const std::string header = "target,source,size,modified,outcome,recorded\n";
    writeBytes(output.path() / ".plainquill-manifest.0-of-2.csv",
               header + manifestLineText(line("a.txt", "/in/a.doc", "converted", 10))
                   + manifestLineText(line("b.txt", "/in/b.doc", "started", 20)));
    writeBytes(output.path() / ".plainquill-manifest.1-of-2.csv",
               header + manifestLineText(line("a.txt", "/in/a.docx", "started", 30))
                   + manifestLineText(line("b.txt", "/in/b.doc", "converted", 15)));
    writeBytes(output.path() / "not-a-manifest.csv", header + manifestLineText(line("a.txt", "/x", "converted", 99)));
    const Manifest manifest = readManifests(output.path());
    ASSERT_EQ(manifest.size(), 2u);
    EXPECT_EQ(manifest.at("a.txt").source, "/in/a.docx");
    EXPECT_EQ(manifest.at("a.txt").outcome, "started");
    EXPECT_EQ(manifest.at("b.txt").outcome, "started");
}

TEST(Manifest, ALineAppendedAfterOneCutShortStandsOnItsOwn)
{
    TemporaryFolder output;
    const fs::path file = output.path() / manifestFileName(std::nullopt);
    {
        ManifestWriter writer(file);
        ASSERT_TRUE(writer.append({line("a.txt", "/in/a.doc", "converted", 0)}));
    }
    fs::resize_file(file, fs::file_size(file) - 3);
    ManifestWriter writer(file);
    ASSERT_TRUE(writer.append({line("b.txt", "/in/b.doc", "converted", 0)}));
    EXPECT_EQ(readManifests(output.path()).size(), 1u);
    EXPECT_TRUE(readManifests(output.path()).contains("b.txt"));
}

} // namespace
} // namespace plainquill::batch
