#pragma once
// The run's report as CSV: one row per document with where it went, how it ended and why.
#include <string>
#include <string_view>
#include <vector>

namespace plainquill {

// `field` as one CSV field: quoted, with its quotes doubled, when it holds a comma, a quote or a
// line break, or begins or ends with a blank (which readers would trim); as it is otherwise.
std::string csvField(std::string_view field);

struct ReportRow {
    std::string source;
    std::string target;
    std::string status; // converted, skipped, failed, not done
    std::string reason; // empty when converted
    double seconds = 0;
};

// The header line and every row, LF line ends.
std::string csvReport(const std::vector<ReportRow>& rows);

} // namespace plainquill
