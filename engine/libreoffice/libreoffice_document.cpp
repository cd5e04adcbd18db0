#include "engine/libreoffice/libreoffice_document.h"

#include "engine/libreoffice/failure_words.h"
#include "engine/libreoffice/session.h"
#include "engine/libreoffice/text_export.h"
#include "engine/staged_output_file.h"

#include <com/sun/star/util/XCloseable.hpp>

#include <algorithm>
#include <optional>
#include <system_error>
#include <utility>

namespace plainquill::engine::libreoffice {

namespace {

using namespace std::chrono_literals;

// Closing takes milliseconds; a document saved at the last moment still gets this long to close
// before LibreOffice is killed for it.
constexpr auto kCloseGrace = 1s;

} // namespace

LibreOfficeDocument::LibreOfficeDocument(std::shared_ptr<Session> session,
                                         css::uno::Reference<css::lang::XComponent> model, bool web,
                                         std::chrono::steady_clock::time_point openedAt,
                                         HandedOverDocument file, std::filesystem::path source,
                                         std::shared_ptr<LayoutCrashes> layoutCrashes)
    : m_session(std::move(session)), m_model(std::move(model)), m_web(web), m_openedAt(openedAt),
      m_file(std::move(file)), m_source(std::move(source)), m_layoutCrashes(std::move(layoutCrashes))
{
}

LibreOfficeDocument::~LibreOfficeDocument()
{
    close();
}

namespace {

Outcome writeFailure(const std::system_error& failure)
{
    const int error = failure.code().value();
    if (dynamic_cast<const TargetNotReplaced*>(&failure) && (error == EPERM || error == EACCES || error == EBUSY))
        return {Failure::CouldNotSave, unreplaceableTargetWords(), failure.what()};
    return {Failure::CouldNotSave, wordsForWriteError(error), failure.what()};
}

} // namespace

Outcome LibreOfficeDocument::saveText(const std::filesystem::path& target)
{
    if (!m_model.is())
        return {Failure::CouldNotSave, "the document was closed before its text was written"};
    std::optional<StagedOutputFile> staged;
    try {
        staged.emplace(std::filesystem::absolute(target));
    } catch (const std::system_error& failure) {
        return writeFailure(failure);
    } catch (const std::exception& failure) {
        return {Failure::CouldNotSave, "the text file's name cannot be used", failure.what()};
    }

    std::string text;
    Outcome outcome = m_session->guarded(Failure::CouldNotSave, m_session->deadlineFor(m_openedAt), [&] {
        if (!m_surrounding)
            m_surrounding = readyForExport(m_session->uno(), m_model, m_session->textParts(), *m_layoutCrashes, m_source);
        if (m_surrounding->bodyHasText)
            text = exportText(m_session->uno(), m_model, m_web);
        if (m_surrounding->laidOut)
            m_layoutCrashes->end(m_source);
        return Outcome{};
    });
    if (!outcome.ok())
        return outcome;
    // A body with text has at least one paragraph, whose text ends in a line feed.
    if (m_surrounding->bodyHasText && text.empty())
        return {Failure::CouldNotSave, wordsForException(Step::Writing), "the text export gave no bytes"};
    const std::string whole = m_surrounding->before + text + m_surrounding->after;
    try {
        staged->write(whole);
        staged->commit();
    } catch (const std::system_error& failure) {
        return writeFailure(failure);
    }
    Outcome saved;
    saved.noText = isBlankText(whole);
    return saved;
}

void LibreOfficeDocument::close() noexcept
{
    if (!m_model.is())
        return;
    try {
        // Failure::None: a close that throws is of no consequence; only a time limit or a dead
        // LibreOffice still registers, through the session.
        const auto deadline = std::max(m_session->deadlineFor(m_openedAt), Session::Clock::now() + kCloseGrace);
        m_session->guarded(Failure::None, deadline, [this] {
            const css::uno::Reference<css::util::XCloseable> closeable(m_model, css::uno::UNO_QUERY);
            if (closeable.is())
                closeable->close(true);
            return Outcome{};
        });
    } catch (...) {
    }
    m_model.clear();
    m_file.remove();
}

} // namespace plainquill::engine::libreoffice
