#pragma once
// The word processor as the conversion run sees it: start it, test it, open a document, save that
// document as plain text, close it, quit. LibreOffice over UNO implements it for real
// (libreoffice/); tests may put a fake beside it for the run's control flow.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace plainquill::engine {

// Why one operation did not do its job. Carried to the user in the run's closing message.
enum class Failure {
    None,
    CouldNotOpen,   // missing, damaged, password-protected or refused by the import filters
    NotADocument,   // readable only as plain text (random bytes, a renamed file) or empty
    CouldNotSave,   // the target folder refused the file, or the save left nothing behind
    TimedOut,       // the document outlived its time limit; the word processor was killed
    Stopped,        // the word processor went away during the operation
    TooLarge,       // the document would take more memory than the word processor may have
};

std::string describe(Failure failure);

// The plain-text format; the only one this program saves in.
enum class SaveFormat { Text = 2 };

// An open document. Destroying it without Close closes it all the same.
class Document {
public:
    virtual ~Document() = default;
};

// Both results are built as {document, failure, detail[, rawDetail]} and {failure, detail[, rawDetail]}.
struct OpenResult {
    OpenResult() = default;
    OpenResult(std::unique_ptr<Document> opened, Failure why, std::string words = {}, std::string raw = {})
        : document(std::move(opened)), failure(why), detail(std::move(words)), rawDetail(std::move(raw))
    {
    }

    std::unique_ptr<Document> document; // null on failure
    Failure failure = Failure::None;
    // What happened and what the user can do, in plain words: the text the window shows.
    std::string detail;
    // The word processor's or the system's own words, when it gave any: for a log or a verbose
    // line, never for the window.
    std::string rawDetail;
    // False when the file was refused before the word processor saw it (missing, empty, an
    // archive too large): such a refusal does not wear the word processor.
    bool reachedWordProcessor = true;
};

struct SaveResult {
    SaveResult() = default;
    SaveResult(Failure why, std::string words = {}, std::string raw = {})
        : failure(why), detail(std::move(words)), rawDetail(std::move(raw))
    {
    }

    Failure failure = Failure::None;
    std::string detail;     // as OpenResult::detail
    std::string rawDetail; // as OpenResult::rawDetail
    // Saved, but the document gave no text at all: only pictures, charts or objects (a scanned
    // letter, say), or text only in the parts not asked for. Its text file is blank; people then
    // look for another way to read it.
    bool noText = false;
    bool ok() const { return failure == Failure::None; }
};

// True when `text` holds nothing but spaces, tabs and line ends: a document that gave no text.
bool isBlankText(std::string_view text);

class WordProcessor {
public:
    virtual ~WordProcessor() = default;

    // True while the word processor answers and can take documents.
    virtual bool IsObjectValid() = 0;

    // Opens `file` read-only, without a view, never running macros or asking the user anything.
    virtual OpenResult Open(const std::filesystem::path& file) = 0;

    // Writes `document` to `target`. The target is replaced only once the new text is complete:
    // a failed save leaves any earlier file of that name as it was.
    virtual SaveResult SaveAs(Document& document, const std::filesystem::path& target,
                              SaveFormat format) = 0;

    virtual void Close(std::unique_ptr<Document> document) = 0;

    // Ends the word processor and every process it started. Safe to call more than once.
    virtual void Quit() = 0;
};

// Why a word processor could not be started.
struct StartFailure {
    // False when it is not installed (not found where it is looked for): the user has to install
    // it. True when it is there but did not start.
    bool installed = false;
    std::string reason;     // plain words for the user, when installed
    std::string rawDetail; // the system's or the word processor's own words, for a log
};

// Starts word processors. The run starts one at its beginning and a fresh one whenever the
// current one has died, timed out or served its share of documents.
class WordProcessorLauncher {
public:
    virtual ~WordProcessorLauncher() = default;
    // Null when the word processor cannot be started (not installed, does not answer).
    virtual std::unique_ptr<WordProcessor> Start() = 0;
    // Why the last Start returned null.
    virtual StartFailure lastStartFailure() const = 0;
    // How many times a stop of its instances was asked for so far: a document stopped so is
    // given up, not tried again.
    virtual unsigned stopsAsked() const { return 0; }
    // What its word processors' Open would refuse `file` with unseen (reachedWordProcessor false),
    // told without starting one; nothing when only a word processor can judge the file. A run
    // starts a word processor only for a file it does not refuse. Any thread.
    virtual std::optional<OpenResult> refusalBeforeStart(const std::filesystem::path&) const { return std::nullopt; }
};

// A launcher whose instances can be ended from another thread.
class InterruptibleLauncher : public WordProcessorLauncher {
public:
    // Ends the current instance at once and refuses to start another. Any thread.
    virtual void interrupt() = 0;
};

} // namespace plainquill::engine
