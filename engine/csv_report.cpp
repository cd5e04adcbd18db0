#include "engine/csv_report.h"

#include <cstdio>

namespace plainquill {

std::string csvField(std::string_view field)
{
    const bool quoted = field.find_first_of(",\"\r\n") != std::string_view::npos
                     || (!field.empty() && (field.front() == ' ' || field.back() == ' '));
    if (!quoted)
        return std::string(field);
    std::string text = "\"";
    for (const char ch : field) {
        if (ch == '"')
            text += '"';
        text += ch;
    }
    return text + '"';
}

std::string csvReport(const std::vector<ReportRow>& rows)
{
    std::string text = "source,target,status,reason,seconds\n";
    for (const ReportRow& row : rows) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.3f", row.seconds);
        text += csvField(row.source) + ',' + csvField(row.target) + ',' + csvField(row.status) + ','
              + csvField(row.reason) + ',' + seconds + '\n';
    }
    return text;
}

} // namespace plainquill
