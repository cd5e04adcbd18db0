#include "batch/csv_reader.h"

namespace plainquill::batch {
namespace {

// Appends to `field` the quoted field whose opening quote is at `text[i]`; the position after its
// closing quote, or nothing when that quote is missing or something other than a separator or a
// line end follows it.
std::optional<std::size_t> readQuoted(std::string_view text, std::size_t i, std::string& field)
{
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
    return i;
}

} // namespace

std::optional<std::vector<CsvRecord>> readCsv(std::string_view text)
{
    std::vector<CsvRecord> records;
    CsvRecord record;
    std::string field;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"' && field.empty()) {
            const std::optional<std::size_t> next = readQuoted(text, i, field);
            if (!next)
                return std::nullopt;
            i = *next;
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
