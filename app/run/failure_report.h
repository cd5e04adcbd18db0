#pragma once
// The message that ends a run in which some checked files were not converted.
#include "app/adapters/word_processor.h"

#include <QString>

#include <vector>

namespace plainquill {

struct FailedFile {
    QString path;
    adapters::Failure failure;
    QString detail;
};

// Lists at most this many files; the rest are counted.
constexpr int kFailuresListed = 20;

QString failureReport(const std::vector<FailedFile>& failed, int checkedFiles);

} // namespace plainquill
