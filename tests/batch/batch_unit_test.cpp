// The batch command's rules that need no LibreOffice: its command line, its queue and target
// names, and its CSV.
#include "batch/batch_options.h"
#include "batch/batch_queue.h"
#include "engine/csv_report.h"
#include "tests/engine/support/test_files.h"

#include <gtest/gtest.h>

namespace plainquill::batch {
namespace {

namespace fs = std::filesystem;
using engine::testing::TemporaryFolder;
using engine::testing::writeBytes;

ParsedArguments parse(const std::vector<std::string>& arguments)
{
    return parseArguments(arguments, 3);
}

TEST(BatchOptions, TakesEverySpellingOfTheOptions)
{
    const ParsedArguments all = parse({"-rqv", "-j2", "--keep-tree", "--skip-existing", "--report=r.csv",
                                       "--output", "out", "a.doc", "--", "-b.doc"});
    ASSERT_EQ(all.action, Action::Run) << all.error;
    EXPECT_TRUE(all.options.recursive && all.options.quiet && all.options.keepTree && all.options.skipExisting);
    EXPECT_TRUE(all.options.verbose);
    EXPECT_TRUE(parse({"--verbose", "-o", "out", "a.doc"}).options.verbose);
    EXPECT_EQ(all.options.workers, 2);
    EXPECT_EQ(all.options.reportFile, "r.csv");
    EXPECT_EQ(all.options.outputFolder, "out");
    EXPECT_EQ(all.options.inputs, (std::vector<fs::path>{"a.doc", "-b.doc"})) << "after -- a dash is a name";

    const ParsedArguments defaults = parse({"-o", "out", "x"});
    EXPECT_EQ(defaults.options.workers, 3) << "one worker per core";
    EXPECT_FALSE(defaults.options.recursive || defaults.options.keepTree || defaults.options.skipExisting);
    EXPECT_EQ(parse({"x", "--jobs", "64", "-oout"}).options.workers, 64);
    EXPECT_EQ(parse({"--help", "-j", "0"}).action, Action::Help);
    EXPECT_EQ(parse({"--version"}).action, Action::Version);

    const ParsedArguments queued = parse({"--queue", "q.csv", "--shard", "1/2", "-o", "out"});
    ASSERT_EQ(queued.action, Action::Run) << queued.error << " (--queue needs no files or folders)";
    EXPECT_EQ(queued.options.queueFile, "q.csv");
    EXPECT_EQ(parse({"--write-queue=q.csv", "-r", "-o", "out", "in"}).options.writeQueue, "q.csv");
}

TEST(BatchOptions, RefusesWhatItCannotRunAndSaysWhy)
{
    const struct {
        std::vector<std::string> arguments;
        const char* says;
    } cases[] = {
        {{"a.doc"}, "no output folder"},
        {{"-o", "out"}, "nothing to convert"},
        {{"-o", "out", "a.doc", "-j", "0"}, "from 1 to 64"},
        {{"-o", "out", "a.doc", "-j65"}, "from 1 to 64"},
        {{"-o", "out", "a.doc", "--jobs=2x"}, "not '2x'"},
        {{"-o", "out", "a.doc", "-x"}, "unknown option -x"},
        {{"-o", "out", "a.doc", "--fast"}, "unknown option --fast"},
        {{"a.doc", "-o"}, "-o needs a value"},
        {{"-o", "out", "a.doc", "--quiet=yes"}, "takes no value"},
        {{"-o", "", "a.doc"}, "non-empty"},
        {{"-o", "out", "--queue", "q.csv", "a.doc"}, "name no files or folders"},
        {{"-o", "out", "--queue", "q.csv", "--write-queue", "r.csv"}, "do not go together"},
        {{"-o", "out", "--write-queue", "q.csv", "--shard", "0/2", "in"}, "give --shard to the runs"},
        {{"-o", "out", "--queue="}, "non-empty"},
        {{"-o", "out", "--formats", "odt,pdf", "in"}, "unknown ending 'pdf'"},
        {{"-o", "out", "--formats=", "in"}, "empty ending"},
        {{"-o", "out", "in", "--formats"}, "--formats needs a value"},
        {{"-o", "out", "--queue", "q.csv", "--formats", "all"}, "give --formats to the run that writes it"},
    };
    for (const auto& c : cases) {
        const ParsedArguments parsed = parse(c.arguments);
        EXPECT_EQ(parsed.action, Action::UsageError) << c.says;
        EXPECT_NE(parsed.error.find(c.says), std::string::npos) << parsed.error;
    }
}

TEST(BatchOptions, FormatsChoosesWhatAFolderGivesAndListAnswersAtOnce)
{
    EXPECT_EQ(parse({"-o", "out", "in"}).options.endings, DocumentEndings::word()) << "the default";
    EXPECT_EQ(parse({"--formats", "all", "-o", "out", "in"}).options.endings, DocumentEndings::all());
    const ParsedArguments some = parse({"-r", "--formats=.ODT,wpd", "-o", "out", "in"});
    ASSERT_EQ(some.action, Action::Run) << some.error;
    const std::vector<std::string_view> chosen = some.options.endings.endings();
    EXPECT_EQ(chosen, (std::vector<std::string_view>{"odt", "wpd"}));
    const ParsedArguments written = parse({"--formats", "word,odt", "--write-queue", "q.csv", "-o", "out", "in"});
    EXPECT_EQ(written.action, Action::Run) << written.error << " (the queue file carries the choice)";

    for (const auto& arguments : {std::vector<std::string>{"--formats", "list"}, {"--formats=list"},
                                  {"-r", "--formats", "list", "-j", "0"}})
        EXPECT_EQ(parse(arguments).action, Action::ListFormats) << "needs neither -o nor inputs";
    const std::string listing = formatsText();
    for (const char* line : {".doc ", ".pages ", "Word 2003 XML", "word (the default)"})
        EXPECT_NE(listing.find(line), std::string::npos) << line << " in\n" << listing;
    EXPECT_NE(helpText("plainquill-batch").find(listing), std::string::npos) << "--help lists the endings too";
}

TEST(CsvReport, QuotesOnlyTheFieldsThatNeedIt)
{
    const std::pair<const char*, const char*> cases[] = {
        {"plain/name.doc", "plain/name.doc"},
        {"", ""},
        {"a, b.doc", "\"a, b.doc\""},
        {"say \"hi\".doc", "\"say \"\"hi\"\".doc\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\rhere", "\"cr\rhere\""},
        {" padded ", "\" padded \""},
    };
    for (const auto& [field, expected] : cases)
        EXPECT_EQ(csvField(field), expected) << field;
    EXPECT_EQ(csvReport({{"a,b.doc", "out/a,b.txt", "failed", "could not open", 1.25}}),
              "source,target,status,reason,seconds\n\"a,b.doc\",\"out/a,b.txt\",failed,could not open,1.250\n");
}

// Names that collide within a folder and between folders, beside files that are no documents. The
// same file given again (in/a.doc by name after its folder, and as the hard link in/s/same.doc) is
// queued once, where it first comes.
class BatchQueueTest : public ::testing::Test {
protected:
    BatchQueueTest()
    {
        for (const char* name : {"in/a.doc", "in/a.rtf", "in/notes.txt", "in/.hidden.doc", "in/s/a.html",
                                 "in/s/t/b.DOCX", "in/s/b.Doc", "in/u/b.htm", "named.pdf",
                                 "in/guide.adoc", "in/mydoc", "in/.doc", "in/s/c.odt", "in/r.WPD", "in/.x.pages"})
            fs::create_directories((root / name).parent_path()), writeBytes(root / name, "x");
        fs::create_directory_symlink(root / "in", root / "in/s/loop"); // a link back up the tree
        fs::create_hard_link(root / "in/a.doc", root / "in/s/same.doc");
    }
    std::vector<std::string> targets(Layout layout, bool recursive,
                                     const DocumentEndings& endings = DocumentEndings::word()) const
    {
        std::vector<std::string> names;
        const std::vector<fs::path> inputs{root / "in", root / "named.pdf", root / "in/a.doc"};
        for (const BatchItem& item : buildQueue({inputs, recursive, layout, "out", endings}))
            names.push_back(item.source.lexically_relative(root.path()).string() + " > " + item.target.string());
        return names;
    }
    TemporaryFolder root;
};

TEST_F(BatchQueueTest, NamesEveryTargetByQueueOrderBeforeAnythingIsConverted)
{
    EXPECT_EQ(targets(Layout::Flat, true),
              (std::vector<std::string>{"in/a.doc > out/a.txt", "in/a.rtf > out/a (2).txt",
                                        "in/s/a.html > out/a (3).txt", "in/s/b.Doc > out/b.txt",
                                        "in/s/t/b.DOCX > out/b (2).txt", "in/u/b.htm > out/b (3).txt",
                                        "named.pdf > out/named.txt"}));
    EXPECT_EQ(targets(Layout::Flat, false),
              (std::vector<std::string>{"in/.hidden.doc > out/.hidden.txt", "in/a.doc > out/a.txt",
                                        "in/a.rtf > out/a (2).txt", "named.pdf > out/named.txt"}));
    EXPECT_EQ(targets(Layout::KeepTree, true),
              (std::vector<std::string>{"in/a.doc > out/a.txt", "in/a.rtf > out/a (2).txt", "in/s/a.html > out/s/a.txt",
                                        "in/s/b.Doc > out/s/b.txt", "in/s/t/b.DOCX > out/s/t/b.txt", "in/u/b.htm > out/u/b.txt",
                                        "named.pdf > out/named.txt"}));
}

TEST_F(BatchQueueTest, AFolderGivesTheEndingsChosenAndANamedFileIsQueuedWhateverItsEnding)
{
    std::string error;
    EXPECT_EQ(targets(Layout::Flat, true, *parseDocumentEndings("odt,wpd", error)),
              (std::vector<std::string>{"in/r.WPD > out/r.txt", "in/s/c.odt > out/c.txt", "named.pdf > out/named.txt",
                                        "in/a.doc > out/a.txt"})); // the folder gave no .doc: named, it comes here
    EXPECT_EQ(targets(Layout::Flat, false, DocumentEndings::all()),
              (std::vector<std::string>{"in/.hidden.doc > out/.hidden.txt", "in/.x.pages > out/.x.txt",
                                        "in/a.doc > out/a.txt", "in/a.rtf > out/a (2).txt", "in/r.WPD > out/r.txt",
                                        "named.pdf > out/named.txt"}));
}

} // namespace
} // namespace plainquill::batch
