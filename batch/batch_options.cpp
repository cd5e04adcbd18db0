#include "batch/batch_options.h"

#include "batch/whole_number.h"

#include <functional>
#include <map>

namespace plainquill::batch {

namespace {

enum class Takes { Nothing, Value };

struct Option {
    Takes takes;
    std::function<void(BatchOptions&, const std::string& value, std::string& error)> apply;
};

void setWorkers(BatchOptions& options, const std::string& value, std::string& error)
{
    const std::optional<int> count = wholeNumber<int>(value);
    if (!count || *count < 1 || *count > kMaxWorkers)
        error = "-j takes a number of workers from 1 to " + std::to_string(kMaxWorkers) + ", not '" + value + "'";
    else
        options.workers = *count;
}

void setNonEmpty(std::filesystem::path& field, const char* option, const std::string& value, std::string& error)
{
    if (value.empty())
        error = std::string(option) + " takes a non-empty path";
    else
        field = value;
}

void setTextParts(BatchOptions& options, const std::string& value, std::string& error)
{
    std::string unknown;
    if (const auto parts = engine::parseTextParts(value, unknown))
        options.textParts = *parts;
    else
        error = "--include takes headers, footers, comments (any of them, with commas) or all, not '" + unknown + "'";
}

void setEndings(BatchOptions& options, const std::string& value, std::string& error)
{
    if (auto endings = parseDocumentEndings(value, error)) {
        options.endings = std::move(*endings);
        options.endingsChosen = true;
    } else {
        error = "--formats takes word, all, list or a comma list of endings: " + error;
    }
}

const std::map<std::string, Option>& longOptions()
{
    static const std::map<std::string, Option> options{
        {"recursive", {Takes::Nothing, [](BatchOptions& o, auto&, auto&) { o.recursive = true; }}},
        {"jobs", {Takes::Value, setWorkers}},
        {"output", {Takes::Value, [](BatchOptions& o, auto& v, auto& e) { setNonEmpty(o.outputFolder, "-o", v, e); }}},
        {"quiet", {Takes::Nothing, [](BatchOptions& o, auto&, auto&) { o.quiet = true; }}},
        {"keep-tree", {Takes::Nothing, [](BatchOptions& o, auto&, auto&) { o.keepTree = true; }}},
        {"skip-existing", {Takes::Nothing, [](BatchOptions& o, auto&, auto&) { o.skipExisting = true; }}},
        {"report",
         {Takes::Value, [](BatchOptions& o, auto& v, auto& e) { setNonEmpty(o.reportFile, "--report", v, e); }}},
        {"libreoffice", {Takes::Value, [](BatchOptions& o, auto& v, auto& e) {
             if (v.empty())
                 e = "--libreoffice takes a program";
             o.libreOffice = v;
         }}},
        {"include", {Takes::Value, setTextParts}},
        {"formats", {Takes::Value, setEndings}},
        {"timings", {Takes::Nothing, [](BatchOptions& o, auto&, auto&) { o.timings = true; }}},
        {"verbose", {Takes::Nothing, [](BatchOptions& o, auto&, auto&) { o.verbose = true; }}},
        {"shard", {Takes::Value, [](BatchOptions& o, auto& v, auto& e) { o.shard = parseShard(v, e); }}},
        {"queue", {Takes::Value, [](BatchOptions& o, auto& v, auto& e) { setNonEmpty(o.queueFile, "--queue", v, e); }}},
        {"write-queue",
         {Takes::Value, [](BatchOptions& o, auto& v, auto& e) { setNonEmpty(o.writeQueue, "--write-queue", v, e); }}},
    };
    return options;
}

const std::map<char, std::string> kShortOptions{{'r', "recursive"}, {'j', "jobs"}, {'o', "output"}, {'q', "quiet"},
                                               {'v', "verbose"}};

class Parser {
public:
    Parser(const std::vector<std::string>& arguments, int cores) : m_arguments(arguments)
    {
        m_result.options.workers = cores < 1 ? 1 : cores > kMaxWorkers ? kMaxWorkers : cores;
    }

    ParsedArguments parse()
    {
        if (!m_arguments.empty() && m_arguments.front() == "--merge-reports")
            return mergeReports();
        bool optionsEnded = false;
        for (m_next = 0; m_next < m_arguments.size() && m_error.empty();) {
            const std::string& argument = m_arguments[m_next++];
            if (optionsEnded || argument == "-" || !argument.starts_with('-'))
                m_result.options.inputs.emplace_back(argument);
            else if (argument == "--")
                optionsEnded = true;
            else if (argument == "--help" || argument == "-h")
                return finish(Action::Help);
            else if (argument == "--version")
                return finish(Action::Version);
            else if (asksForFormatsList(argument))
                return finish(Action::ListFormats);
            else if (argument == "--merge-reports")
                m_error = "--merge-reports comes first on its command line, with no other options";
            else if (argument.starts_with("--"))
                longOption(argument.substr(2));
            else
                shortOptions(argument.substr(1));
        }
        if (m_error.empty())
            checkTogether();
        return finish(m_error.empty() ? Action::Run : Action::UsageError);
    }

private:
    // "--formats list" or "--formats=list": answered at once, like --help.
    bool asksForFormatsList(const std::string& argument) const
    {
        if (argument == "--formats=list")
            return true;
        return argument == "--formats" && m_next < m_arguments.size() && m_arguments[m_next] == "list";
    }

    // What the options say only together.
    void checkTogether()
    {
        const BatchOptions& options = m_result.options;
        if (options.outputFolder.empty())
            m_error = "no output folder: give one with -o OUTDIR";
        else if (!options.queueFile.empty() && !options.inputs.empty())
            m_error = "--queue takes the documents from its file: name no files or folders with it";
        else if (!options.queueFile.empty() && options.endingsChosen)
            m_error = "--queue takes the documents from its file: give --formats to the run that writes it with "
                      "--write-queue";
        else if (!options.queueFile.empty() && !options.writeQueue.empty())
            m_error = "--queue and --write-queue do not go together";
        else if (!options.writeQueue.empty() && options.shard)
            m_error = "--write-queue writes the whole queue: give --shard to the runs that read it with --queue";
        else if (options.inputs.empty() && options.queueFile.empty())
            m_error = "nothing to convert: name at least one file or folder";
    }

    // "--merge-reports OUT SHARD...", alone on its command line.
    ParsedArguments mergeReports()
    {
        if (m_arguments.size() < 3)
            m_error = "--merge-reports takes the merged report's name, then every shard's report";
        else if (m_arguments[1].empty())
            m_error = "--merge-reports takes a non-empty path";
        if (!m_error.empty())
            return finish(Action::UsageError);
        m_result.options.mergedReport = m_arguments[1];
        m_result.options.shardReports.assign(m_arguments.begin() + 2, m_arguments.end());
        return finish(Action::MergeReports);
    }

    void longOption(const std::string& text)
    {
        const std::size_t equals = text.find('=');
        const std::string name = text.substr(0, equals);
        const auto found = longOptions().find(name);
        if (found == longOptions().end()) {
            m_error = "unknown option --" + name;
            return;
        }
        if (found->second.takes == Takes::Nothing) {
            if (equals != std::string::npos)
                m_error = "--" + name + " takes no value";
            else
                found->second.apply(m_result.options, {}, m_error);
            return;
        }
        if (equals != std::string::npos)
            found->second.apply(m_result.options, text.substr(equals + 1), m_error);
        else if (const std::string* value = nextValue("--" + name))
            found->second.apply(m_result.options, *value, m_error);
    }

    // "-rq", "-j4", "-o out", "-rj 2".
    void shortOptions(const std::string& letters)
    {
        for (std::size_t i = 0; i < letters.size() && m_error.empty(); ++i) {
            const auto found = kShortOptions.find(letters[i]);
            if (found == kShortOptions.end()) {
                m_error = std::string("unknown option -") + letters[i];
                return;
            }
            const Option& option = longOptions().at(found->second);
            if (option.takes == Takes::Nothing) {
                option.apply(m_result.options, {}, m_error);
                continue;
            }
            if (i + 1 < letters.size())
                option.apply(m_result.options, letters.substr(i + 1), m_error);
            else if (const std::string* value = nextValue(std::string("-") + letters[i]))
                option.apply(m_result.options, *value, m_error);
            return;
        }
    }

    const std::string* nextValue(const std::string& option)
    {
        if (m_next < m_arguments.size())
            return &m_arguments[m_next++];
        m_error = option + " needs a value";
        return nullptr;
    }

    ParsedArguments finish(Action action)
    {
        m_result.action = action;
        m_result.error = m_error;
        return m_result;
    }

    const std::vector<std::string>& m_arguments;
    std::size_t m_next = 0;
    ParsedArguments m_result;
    std::string m_error;
};

constexpr const char* kHelpAbout =
    R"(Converts word-processor documents to plain text (UTF-8, LF line ends, no byte-order mark) with
LibreOffice, the way Plainquill's window does. Each document becomes OUTDIR/<base name>.txt; a file
named on the command line is converted whatever its ending, a folder adds its files with the endings
--formats chooses (by default doc, docx, rtf, htm and html), in any case.
Documents that share a base name are kept apart by queue order: the first keeps <base name>.txt,
later ones get <base name> (2).txt, (3), ... whatever the number of workers.
)";

constexpr const char* kHelpOptions =
    R"(Options:
  -o, --output OUTDIR     where the text files go; made if missing
  -r, --recursive         take folders with their sub-folders, depth first (hidden files and
                          folders left out; a folder reached again through a link is skipped)
  -j, --jobs N            N LibreOffice workers side by side, each with a private profile
                          (default: the number of processor cores)
      --keep-tree         mirror each file's folder below the folder named on the command line
                          into OUTDIR, instead of putting every text file directly in OUTDIR
      --skip-existing     leave a document alone when OUTDIR's manifest (see below) says its text
                          was converted from this very document, unchanged since, and the text
                          is still there and newer than it; so a stopped run started again does
                          only what is left. A text the manifest does not vouch for (a folder
                          converted by an older version, a text under another document's name)
                          is converted again
      --report FILE       write one CSV row per document: source, target, status, reason, seconds
      --formats LIST      the endings a folder adds: word (the default: doc, docx, rtf, htm, html),
                          all (every ending listed below), or a comma list of endings and of
                          those two words, in any case, with or without the dot ("odt,.wpd",
                          "word,pages"); list prints the endings known and ends
      --include PARTS     also write these parts of each document: headers, footers, comments
                          (a comma list of any of them, or all); see below
  -q, --quiet             no progress and no summary; failures are still listed
  -v, --verbose           with each failure listed, the raw details behind its reason
                          (LibreOffice's or the system's own message, internal codes included)
      --timings           after the run, where each worker's time went
      --shard K/N         convert only share K of N (K from 0 to N-1, as a job array's task ids
                          run with --array=0-(N-1)); every share builds the same queue and names
                          every text file as one run would, so the N shares together write
                          exactly what one run writes. Shares are balanced by file size. With
                          --report, the report lists the whole queue and each document's shard
      --write-queue FILE  write the queue (each document, its size and its text file's name) to
                          FILE and convert nothing; for the shards of a cluster to share
      --queue FILE        convert the documents FILE lists, under its names, instead of naming
                          files and folders; a document whose size changed since is converted
                          anyway, with a warning. With --shard, every share reads the same file,
                          so the shares cannot disagree on who converts what
      --merge-reports OUT SHARD...
                          merge the shards' reports into OUT, the report one run would have
                          written, and end as that run would (0, 1 or 2), naming any shard that
                          did not report; refuses (2) reports of shards that read different
                          queue files
      --libreoffice PROG  the LibreOffice to run (default: soffice in PATH, then
                          /usr/lib/libreoffice/program/soffice)
  -h, --help              this text
      --version           the version
)";

// What a text holds beyond LibreOffice's own export, and what --include adds.
constexpr const char* kHelpText =
    R"(Each text holds the document's body, with each footnote or endnote mark as its label in brackets
("word[1]"), the text of every text box after the paragraph it is anchored to, and then, after a
blank line each, the footnotes and the endnotes as "[label] text". --include headers puts each
distinct header text before the body, footers after it, and comments ("[comment: author] text")
come last. A document that gives no text (pictures only, a scan) gives an empty text file: the
summary names it, and the report says "no text" beside it.
)";

constexpr const char* kHelpManifest =
    R"(One run at a time writes into OUTDIR: another run finding it in use says which run has it and
exits 2, writing nothing; the shards of one split (--shard of the same queue) share it.
Every run keeps a manifest in OUTDIR, the hidden file .plainquill-manifest.csv (a shard's:
.plainquill-manifest.K-of-N.csv): for each text file, the document it was converted from, that
document's size and time, and how its conversion ended, a line written as each ends. --skip-existing
reads every manifest in OUTDIR; a run without it records its own for a later resume.
)";

constexpr const char* kHelpProgress =
    R"(Progress goes to standard error: a one-line bar on a terminal, a line per document otherwise.
Each document may take 120 seconds; a LibreOffice that dies or hangs is replaced, and its document
is reported as failed. Ctrl-C, SIGTERM, SIGHUP or SIGPIPE stops at once: LibreOffice is ended, no
partial text file is left, and the report lists what was done. Progress nobody reads any more (a
pipe into `head`) is dropped; with --report the run goes on, without it the run stops as on SIGPIPE.
)";

constexpr const char* kHelpConfinement =
    R"(LibreOffice runs confined by the kernel's Landlock: it may read only the system's program,
library and font folders and the few files of /etc it needs (its own settings, fonts, the dynamic
linker's cache, the user database), and read and write only its private folder in the temporary
folder, where each document is handed to it (a hard link, or a copy on another file system); it
may open no TCP connection. So pictures, style sheets and other files a document names are not
read. Where the kernel has no Landlock, LibreOffice runs unconfined and a warning says so once.
)";

constexpr const char* kHelpFormats =
    R"(Each document is opened with LibreOffice Writer's import filter for what it holds; one that holds
something else than its ending says (random bytes, a renamed text, a spreadsheet, a .xml that is not
Word 2003 XML) fails with the reason. The endings known, their kinds and the --formats choice that
takes them:
)";

constexpr const char* kHelpExitStatus =
    R"(Exit status: 0 every document converted (or skipped as up to date), 1 some failed (each listed with
its reason on standard error), 2 a usage error (a path named that does not exist, too) or no
LibreOffice, 128 + the signal's number when stopped by one: 130 SIGINT, 143 SIGTERM, 129 SIGHUP,
141 SIGPIPE.
)";

} // namespace

ParsedArguments parseArguments(const std::vector<std::string>& arguments, int cores)
{
    return Parser(arguments, cores).parse();
}

std::string helpText(const std::string& program)
{
    return "Usage: " + program + " [OPTION]... -o OUTDIR PATH...\n"
           "  or:  " + program + " [OPTION]... -o OUTDIR --queue QUEUE.csv\n"
           "  or:  " + program + " --merge-reports OUT.csv SHARD.csv...\n"
         + kHelpAbout + "\n" + kHelpOptions + "\n" + kHelpText + "\n" + kHelpManifest + "\n" + kHelpProgress + "\n"
         + kHelpFormats + formatsText() + "\n" + kHelpConfinement + "\n" + kHelpExitStatus;
}

std::string formatsText()
{
    std::string text;
    const std::string listing = documentKindsListing();
    for (std::size_t start = 0; start < listing.size();) {
        const std::size_t end = listing.find('\n', start) + 1;
        text += "  " + listing.substr(start, end - start);
        start = end;
    }
    return text;
}

std::string versionText()
{
    return "plainquill-batch 1.0\n";
}

} // namespace plainquill::batch
