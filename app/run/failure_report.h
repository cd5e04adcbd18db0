#pragma once
// The message that ends a run that was stopped, or in which some checked files were not
// converted, some were saved under another name than their own, or some gave no text.
#include "engine/output_names.h"
#include "engine/word_processor.h"

#include <QString>

#include <vector>

namespace plainquill {

struct FailedFile {
    QString path;
    engine::Failure failure;
    QString detail;
};

struct RunOutcome {
    std::vector<FailedFile> failed;
    std::vector<RenamedOutput> renamed;
    std::vector<QString> textless; // converted, to no text: pictures only (a scan, say)
    int checked = 0;      // checked files when the run began
    int tried = 0;        // checked files the run finished with, converted or not
    bool stopped = false; // ended by the user before its last checked file
};

// Lists at most this many files of each kind in the message, which must fit on a small screen
// whatever the counts; its details, a scrolling list, name them all.
constexpr int kFilesListed = 3;

struct RunReport {
    QString text;    // empty when there is nothing to tell
    QString details; // every file named, with its path in full
};

RunReport endOfRunReport(const RunOutcome& outcome);

} // namespace plainquill
