#include "batch/csv_reader.h"

namespace plainquill::batch {

std::optional<std::vector<CsvRecord>> readCsv(std::string_view text)
{
    std::vector<CsvRecord> records;
    CsvRecord record;
    std::string field;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"' && field.empty()) {
            // A quoted field runs to the quote that is not doubled.
            for (++i;; ++i) {
                if (i >= text.size())
                    return std::nullopt;
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"')
                        ++i;
                    else
                        break;
                }
                field += text[i];
            }
            ++i;
            if (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r')
                return std::nullopt;
            continue;
        }
        const char ch = text[i++];
        if (ch == ',') {
            record.push_back(std::move(field));
            field.clear();
        } else if (ch == '\n' || (ch == '\r' && i < text.size() && text[i] == '\n')) {
            if (ch == '\r')
                ++i;
            record.push_back(std::move(field));
            field.clear();
            records.push_back(std::move(record));
            record.clear();
        } else if (ch == '"') {
            return std::nullopt;
        } else {
            field += ch;
        }
    }
    if (!field.empty() || !record.empty()) {
        record.push_back(std::move(field));
        records.push_back(std::move(record));
    }
    return records;
}

} // namespace plainquill::batch
