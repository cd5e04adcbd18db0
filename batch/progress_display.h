#pragma once
// What a person or a log sees while the batch runs, on standard error: on a terminal one line
// redrawn in place (a bar, the count, a document in hand, the rate and the time left); elsewhere
// one plain line per finished document; with -q nothing.
#include "batch/batch_queue.h"
#include "batch/pool_names.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace plainquill::batch {

enum class ProgressMode { Bar, Lines, Quiet };

class ProgressDisplay {
public:
    // `total`: the documents to convert, those skipped not counted.
    ProgressDisplay(ProgressMode mode, std::FILE* out, std::size_t total, int columns);

    void documentFinished(const BatchItem& item, const ItemResult& result);
    // Redraws the bar (nothing in the other modes) with the documents now in hand.
    void refresh(const std::vector<std::filesystem::path>& inHand);
    // Takes the bar off the screen before other output follows.
    void clear();
    // True once a write found nobody reading the pipe (progress piped into `head`): the progress
    // is dropped from then on, and the run decides whether to go on.
    bool pipeBroken() const { return m_pipeBroken; }

private:
    std::string barLine(const std::vector<std::filesystem::path>& inHand) const;
    void put(const std::string& text);

    ProgressMode m_mode;
    std::FILE* m_out;
    std::size_t m_total;
    std::size_t m_done = 0;
    int m_columns;
    bool m_barShown = false;
    bool m_pipeBroken = false;
    std::chrono::steady_clock::time_point m_started = std::chrono::steady_clock::now();
};

// "1:05", "12:00:03": a duration in whole seconds.
std::string clockText(double seconds);

} // namespace plainquill::batch
