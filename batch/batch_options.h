#pragma once
// The batch command's command line: what to convert, where to, and how.
#include "batch/shard.h"
#include "engine/document_kinds.h"
#include "engine/text_parts.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plainquill::batch {

struct BatchOptions {
    std::vector<std::filesystem::path> inputs; // files and folders, in the order given
    std::filesystem::path outputFolder;
    bool recursive = false;
    DocumentEndings endings = DocumentEndings::word(); // --formats: what a folder gives
    bool endingsChosen = false;                        // --formats was given
    int workers = 1;
    bool quiet = false;
    bool keepTree = false;
    bool skipExisting = false;
    std::filesystem::path reportFile; // empty: no report
    std::string libreOffice = "soffice"; // a name looked up in PATH, or a path
    bool timings = false;
    bool verbose = false; // each failure's raw details (internal codes) too
    engine::TextParts textParts; // --include: what the texts hold beyond body, notes and boxes
    std::optional<Shard> shard; // convert only this share of the queue
    std::filesystem::path queueFile;  // --queue: the documents come from this file, not `inputs`
    std::filesystem::path writeQueue; // --write-queue: write the queue to this file and convert nothing
    // --merge-reports: the shards' reports, merged into mergedReport
    std::filesystem::path mergedReport;
    std::vector<std::filesystem::path> shardReports;
};

enum class Action { Run, MergeReports, Help, Version, ListFormats, UsageError };

struct ParsedArguments {
    Action action = Action::UsageError;
    BatchOptions options;
    std::string error; // for UsageError
};

// The most workers -j takes: each is a LibreOffice of some 200 MB.
constexpr int kMaxWorkers = 64;

// `arguments` without the program's name; `cores` is the default number of workers.
ParsedArguments parseArguments(const std::vector<std::string>& arguments, int cores);

std::string helpText(const std::string& program);
std::string versionText();
// --formats list: every ending known, with its kind and the choice that takes it.
std::string formatsText();

} // namespace plainquill::batch
