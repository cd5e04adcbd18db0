#include "batch/resume.h"

#include "engine/native_path.h"

namespace plainquill::batch {

namespace fs = std::filesystem;

namespace {

const char* outcomeWord(Status status)
{
    switch (status) {
    case Status::Converted: return kManifestConverted;
    case Status::Failed: return "failed";
    case Status::Skipped: return "skipped";
    case Status::Pending:
    case Status::NotDone: break;
    }
    return "not done";
}

bool textNewerThanDocument(const BatchItem& item)
{
    std::error_code error;
    const auto target = fs::last_write_time(item.target, error);
    if (error)
        return false;
    const auto source = fs::last_write_time(item.source, error);
    return !error && target > source;
}

} // namespace

bool keepsItsText(const BatchItem& item, const fs::path& outputFolder, const Manifest& manifest)
{
    const auto entry = manifest.find(manifestTarget(outputFolder, item.target));
    if (entry == manifest.end() || entry->second.outcome != kManifestConverted)
        return false;
    if (entry->second.source != manifestSource(item.source) || sourceFacts(item.source) != entry->second.facts)
        return false;
    std::error_code error;
    return fs::is_regular_file(item.target, error) && textNewerThanDocument(item);
}

RunRecord::RunRecord(const fs::path& outputFolder, const std::optional<Shard>& shard, std::FILE* err)
    : m_outputFolder(outputFolder), m_file(outputFolder / manifestFileName(shard)), m_err(err)
{
}

RunRecord::~RunRecord() = default;

void RunRecord::started(const std::vector<BatchItem>& queue, const std::vector<std::size_t>& todo)
{
    std::vector<ManifestLine> lines;
    for (const std::size_t position : todo) {
        const BatchItem& item = queue[position];
        const SourceFacts facts = sourceFacts(item.source).value_or(SourceFacts{});
        m_facts[position] = facts;
        lines.push_back({manifestTarget(m_outputFolder, item.target), manifestSource(item.source), facts,
                         kManifestStarted, 0});
    }
    // On the disk before any text is replaced: a resume must not trust an older line for them.
    if (!lines.empty())
        append(lines, ManifestWriter::Sync::Now);
}

void RunRecord::finished(const BatchItem& item, std::size_t position, Status status)
{
    append({{manifestTarget(m_outputFolder, item.target), manifestSource(item.source), m_facts[position],
             outcomeWord(status), 0}},
           ManifestWriter::Sync::Soon);
}

void RunRecord::append(const std::vector<ManifestLine>& lines, ManifestWriter::Sync sync)
{
    if (m_failed)
        return;
    std::string problem = "cannot write to it";
    try {
        if (!m_writer)
            m_writer = std::make_unique<ManifestWriter>(m_file);
        if (m_writer->append(lines, sync))
            return;
    } catch (const std::system_error& error) {
        problem = error.code().message();
    }
    std::fprintf(m_err, "plainquill-batch: warning: cannot keep the manifest %s (%s): a resumed run will convert "
                        "these documents again\n",
                 displayText(m_file).toStdString().c_str(), problem.c_str());
    m_writer.reset();
    m_failed = true;
}

} // namespace plainquill::batch
