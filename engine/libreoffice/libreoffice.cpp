#include "engine/libreoffice/libreoffice.h"

#include "engine/libreoffice/document_loader.h"
#include "engine/libreoffice/input_checks.h"
#include "engine/libreoffice/libreoffice_document.h"
#include "engine/libreoffice/session.h"

#include <utility>

namespace plainquill::engine {
namespace {

using libreoffice::Outcome;

// A refusal made before LibreOffice was asked anything.
OpenResult refusedBeforeOpening(Failure failure, std::string detail, std::string rawDetail = {})
{
    OpenResult refused(nullptr, failure, std::move(detail), std::move(rawDetail));
    refused.reachedWordProcessor = false;
    return refused;
}

} // namespace

LibreOffice::LibreOffice(std::shared_ptr<libreoffice::Session> session,
                         std::shared_ptr<libreoffice::LayoutCrashes> layoutCrashes)
    : m_session(std::move(session)), m_layoutCrashes(std::move(layoutCrashes)),
      m_handover(m_session->scratchPath() / "documents")
{
}

LibreOffice::~LibreOffice()
{
    Quit();
}

bool LibreOffice::IsObjectValid()
{
    return m_session->answers();
}

OpenResult LibreOffice::Open(const std::filesystem::path& file)
{
    std::filesystem::path absolute;
    try {
        absolute = std::filesystem::absolute(file);
    } catch (const std::exception& error) {
        return refusedBeforeOpening(Failure::CouldNotOpen, "the file's name cannot be used", error.what());
    }
    const auto started = libreoffice::Session::Clock::now();
    if (std::optional<OpenResult> refused = libreoffice::refusalBeforeOpening(absolute, m_session->archiveLimits()))
        return std::move(*refused);

    libreoffice::HandedOverDocument handed;
    try {
        handed = m_handover.handOver(absolute);
    } catch (const std::exception& error) {
        return refusedBeforeOpening(Failure::CouldNotOpen,
                                    "the file could not be copied into LibreOffice's private folder; check the free space there",
                                    error.what());
    }

    libreoffice::LoadedDocument loaded;
    const Outcome outcome = m_session->guarded(Failure::CouldNotOpen, m_session->deadlineFor(started), [&] {
        loaded = libreoffice::loadDocument(m_session->uno(), handed.path(), m_session->seenInside(handed.path()));
        return loaded.outcome;
    });
    if (!outcome.ok())
        return {nullptr, outcome.failure, outcome.detail, outcome.rawDetail};
    return {std::make_unique<libreoffice::LibreOfficeDocument>(m_session, std::move(loaded.model),
                                                               loaded.web, started, std::move(handed), absolute,
                                                               m_layoutCrashes),
            Failure::None, {}};
}

SaveResult LibreOffice::SaveAs(Document& document, const std::filesystem::path& target,
                               SaveFormat format)
{
    auto* ours = dynamic_cast<libreoffice::LibreOfficeDocument*>(&document);
    if (ours == nullptr)
        return {Failure::CouldNotSave, "the document was not opened by LibreOffice"};
    if (format != SaveFormat::Text)
        return {Failure::CouldNotSave, "LibreOffice saves only plain text here"};
    const Outcome outcome = ours->saveText(target);
    SaveResult saved{outcome.failure, outcome.detail, outcome.rawDetail};
    saved.noText = outcome.noText;
    return saved;
}

void LibreOffice::Close(std::unique_ptr<Document> document)
{
    if (auto* ours = dynamic_cast<libreoffice::LibreOfficeDocument*>(document.get()))
        ours->close();
}

void LibreOffice::Quit()
{
    m_session->quit();
}

void LibreOffice::setTimeLimit(std::chrono::milliseconds limit)
{
    m_session->setTimeLimit(limit);
}

std::function<void()> LibreOffice::interrupter() const
{
    return [session = std::weak_ptr<libreoffice::Session>(m_session)] {
        if (const auto alive = session.lock())
            alive->interrupt();
    };
}

std::filesystem::path LibreOffice::privateFolder() const
{
    return m_session->scratchPath();
}

std::filesystem::path LibreOffice::seenInside(const std::filesystem::path& path) const
{
    return m_session->seenInside(path);
}

std::vector<std::filesystem::path> LibreOffice::ipcSocketFiles() const
{
    return m_session->ipcSocketFiles();
}

} // namespace plainquill::engine
