#include "batch/queue_file.h"

#include "batch/csv_reader.h"
#include "batch/whole_file.h"
#include "batch/whole_number.h"
#include "engine/csv_report.h"

#include <cstdio>

namespace plainquill::batch {

namespace fs = std::filesystem;

namespace {

const CsvRecord kHeader{"source", "size", "target"};

std::string identityOf(std::string_view text)
{
    // FNV-1a: enough to tell two queue files apart, and the same on every node.
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return std::string(hex) + '-' + std::to_string(text.size());
}

// A target that stays below the output folder, whatever folder that is.
bool staysBelow(const fs::path& target)
{
    if (target.empty() || target.is_absolute())
        return false;
    for (const fs::path& part : target.lexically_normal())
        if (part == "..")
            return false;
    return true;
}

} // namespace

std::string queueFileText(const std::vector<BatchItem>& queue, const fs::path& outputFolder)
{
    std::string text = "source,size,target\n";
    for (const BatchItem& item : queue) {
        std::error_code error;
        const std::uintmax_t size = fs::file_size(item.source, error);
        text += csvField(item.source.string()) + ',' + std::to_string(error ? 0 : size) + ','
              + csvField(item.target.lexically_relative(outputFolder).string()) + '\n';
    }
    return text;
}

std::optional<QueueFile> parseQueueFile(std::string_view text, const fs::path& outputFolder, std::string& error)
{
    const auto records = readCsv(text);
    if (!records || records->empty() || records->front() != kHeader) {
        error = "is not a queue file (written by --write-queue)";
        return std::nullopt;
    }
    QueueFile queue{{}, {}, identityOf(text)};
    for (std::size_t row = 1; row < records->size(); ++row) {
        const CsvRecord& record = (*records)[row];
        const auto size = record.size() == kHeader.size() ? wholeNumber<std::uintmax_t>(record[1]) : std::nullopt;
        if (!size || record[0].empty() || !staysBelow(record[2])) {
            error = "has a damaged row (" + std::to_string(row + 1) + ")";
            return std::nullopt;
        }
        queue.items.push_back({record[0], outputFolder / record[2]});
        queue.sizes.push_back(*size);
    }
    return queue;
}

std::optional<QueueFile> readQueueFile(const fs::path& file, const fs::path& outputFolder, std::string& error)
{
    const std::optional<std::string> text = readWholeFile(file);
    if (!text) {
        error = "cannot be read";
        return std::nullopt;
    }
    return parseQueueFile(*text, outputFolder, error);
}

} // namespace plainquill::batch
