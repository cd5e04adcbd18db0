#pragma once
// The message that ends a run in which some checked files were not converted, or some were saved
// under another name than their own.
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
    int tried = 0;        // checked files the run went to convert
    bool stopped = false; // ended by the user before its last checked file
};

// Lists at most this many files of each kind; the rest are counted.
constexpr int kFailuresListed = 20;

// Empty when there is nothing to tell.
QString endOfRunReport(const RunOutcome& outcome);

} // namespace plainquill
