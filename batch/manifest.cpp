#include "batch/manifest.h"

#include "batch/csv_reader.h"
#include "batch/whole_file.h"
#include "batch/whole_number.h"
#include "engine/csv_report.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <system_error>

namespace plainquill::batch {

namespace fs = std::filesystem;

namespace {

const CsvRecord kHeader{"target", "source", "size", "modified", "outcome", "recorded"};
constexpr std::string_view kFilePrefix = ".plainquill-manifest";
constexpr std::string_view kFileEnding = ".csv";

// A path with its line breaks (and the escape character) escaped, so that every line of the
// file is one whole record: a cut line can then never swallow the lines after it.
std::string escaped(std::string_view text)
{
    std::string result;
    for (const char c : text)
        result += c == '%' ? "%25" : c == '\n' ? "%0A" : c == '\r' ? "%0D" : std::string(1, c);
    return result;
}

std::string unescaped(std::string_view text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string_view code = text.substr(i, 3);
        const char c = code == "%25" ? '%' : code == "%0A" ? '\n' : code == "%0D" ? '\r' : '\0';
        result += c == '\0' ? text[i] : c;
        i += c == '\0' ? 0 : 2;
    }
    return result;
}

std::optional<ManifestLine> lineOf(std::string_view text)
{
    const auto records = readCsv(text);
    if (!records || records->size() != 1)
        return std::nullopt;
    const CsvRecord& record = records->front();
    if (record.size() != kHeader.size() || record == kHeader)
        return std::nullopt;
    const auto size = wholeNumber<std::uintmax_t>(record[2]);
    const auto modified = wholeNumber<std::int64_t>(record[3]);
    const auto recorded = wholeNumber<std::int64_t>(record[5]);
    if (!size || !modified || !recorded || record[0].empty())
        return std::nullopt;
    return ManifestLine{unescaped(record[0]), unescaped(record[1]), {*size, *modified}, record[4], *recorded};
}

bool isManifestFile(const fs::directory_entry& entry)
{
    const std::string name = entry.path().filename().string();
    std::error_code error;
    return name.starts_with(kFilePrefix) && name.ends_with(kFileEnding) && entry.is_regular_file(error);
}

std::int64_t nowNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace

std::optional<SourceFacts> sourceFacts(const fs::path& document)
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(document, error);
    if (error)
        return std::nullopt;
    const auto modified = fs::last_write_time(document, error);
    if (error)
        return std::nullopt;
    return SourceFacts{size, std::int64_t(modified.time_since_epoch().count())};
}

std::string manifestTarget(const fs::path& outputFolder, const fs::path& target)
{
    return target.lexically_normal().lexically_relative(outputFolder.lexically_normal()).generic_string();
}

std::string manifestSource(const fs::path& document)
{
    std::error_code error;
    const fs::path absolute = fs::absolute(document, error);
    return (error ? document : absolute).lexically_normal().string();
}

std::string manifestFileName(const std::optional<Shard>& shard)
{
    std::string name(kFilePrefix);
    if (shard)
        name += '.' + std::to_string(shard->index) + "-of-" + std::to_string(shard->count);
    return name + std::string(kFileEnding);
}

std::string manifestLineText(const ManifestLine& line)
{
    return csvField(escaped(line.target)) + ',' + csvField(escaped(line.source)) + ',' + std::to_string(line.facts.size) + ','
         + std::to_string(line.facts.modified) + ',' + csvField(line.outcome) + ',' + std::to_string(line.recorded)
         + '\n';
}

std::vector<ManifestLine> parseManifest(std::string_view text)
{
    // What follows the last line end is a line cut short.
    std::vector<ManifestLine> lines;
    for (std::size_t begin = 0, end; (end = text.find('\n', begin)) != std::string_view::npos; begin = end + 1)
        if (auto line = lineOf(text.substr(begin, end + 1 - begin)))
            lines.push_back(std::move(*line));
    return lines;
}

Manifest readManifests(const fs::path& outputFolder)
{
    std::vector<ManifestLine> lines;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(outputFolder, error)) {
        if (!isManifestFile(entry))
            continue;
        for (ManifestLine& line : parseManifest(readWholeFile(entry.path()).value_or("")))
            lines.push_back(std::move(line));
    }
    // Stable: lines of one file recorded in the same tick keep their order.
    std::stable_sort(lines.begin(), lines.end(),
                     [](const ManifestLine& a, const ManifestLine& b) { return a.recorded < b.recorded; });
    Manifest manifest;
    for (ManifestLine& line : lines)
        manifest.insert_or_assign(line.target, std::move(line));
    return manifest;
}

ManifestWriter::ManifestWriter(const fs::path& file)
    : m_fd(::open(file.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666))
{
    if (m_fd < 0)
        throw std::system_error(errno, std::generic_category(), file.string());
    if (!dropLineCutShort() || !startNewFile()) {
        const int error = errno;
        ::close(m_fd);
        throw std::system_error(error, std::generic_category(), file.string());
    }
}

// A line an earlier run left cut short goes, so that the next line does not run on from it.
bool ManifestWriter::dropLineCutShort()
{
    const off_t size = ::lseek(m_fd, 0, SEEK_END);
    off_t whole = size;
    for (char c = 0; whole > 0 && ::pread(m_fd, &c, 1, whole - 1) == 1 && c != '\n';)
        --whole;
    return size >= 0 && (whole == size || ::ftruncate(m_fd, whole) == 0);
}

bool ManifestWriter::startNewFile()
{
    if (::lseek(m_fd, 0, SEEK_END) != 0)
        return true;
    const std::string header = "target,source,size,modified,outcome,recorded\n";
    return ::write(m_fd, header.data(), header.size()) == ssize_t(header.size());
}

ManifestWriter::~ManifestWriter()
{
    if (m_fd < 0)
        return;
    if (m_unsynced)
        ::fdatasync(m_fd);
    ::close(m_fd);
}

bool ManifestWriter::append(const std::vector<ManifestLine>& lines, Sync sync)
{
    const std::int64_t recorded = nowNanoseconds();
    std::string text;
    for (ManifestLine line : lines) {
        line.recorded = recorded;
        text += manifestLineText(line);
    }
    // One write with O_APPEND: the lines land whole, after everything written before.
    const ssize_t written = ::write(m_fd, text.data(), text.size());
    if (written != ssize_t(text.size()))
        return false;
    const auto now = std::chrono::steady_clock::now();
    if (sync == Sync::Soon && now - m_lastSync < std::chrono::seconds(1)) {
        m_unsynced = true;
        return true;
    }
    m_lastSync = now;
    m_unsynced = false;
    return ::fdatasync(m_fd) == 0;
}

} // namespace plainquill::batch
