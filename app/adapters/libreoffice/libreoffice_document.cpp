#include "app/adapters/libreoffice/libreoffice_document.h"

#include "app/adapters/libreoffice/session.h"
#include "app/adapters/libreoffice/staged_output_file.h"
#include "app/adapters/libreoffice/text_export.h"

#include <com/sun/star/util/XCloseable.hpp>

#include <algorithm>
#include <optional>
#include <system_error>
#include <utility>

namespace plainquill::adapters::libreoffice {

namespace {

using namespace std::chrono_literals;

// Closing takes milliseconds; a document saved at the last moment still gets this long to close
// before LibreOffice is killed for it.
constexpr auto kCloseGrace = 1s;

} // namespace

LibreOfficeDocument::LibreOfficeDocument(std::shared_ptr<Session> session,
                                         css::uno::Reference<css::lang::XComponent> model, bool web,
                                         std::chrono::steady_clock::time_point opened_at)
    : session_(std::move(session)), model_(std::move(model)), web_(web), opened_at_(opened_at)
{
}

LibreOfficeDocument::~LibreOfficeDocument()
{
    close();
}

Outcome LibreOfficeDocument::save_text(const std::filesystem::path& target)
{
    if (!model_.is())
        return {Failure::CouldNotSave, "the document is closed"};
    std::optional<StagedOutputFile> staged;
    std::filesystem::path absolute_target;
    try {
        absolute_target = std::filesystem::absolute(target);
        staged.emplace(absolute_target);
    } catch (const std::exception& error) {
        return {Failure::CouldNotSave, error.what()};
    }

    Outcome outcome = session_->guarded(Failure::CouldNotSave, session_->deadline_for(opened_at_), [&] {
        export_text(model_, web_, staged->path());
        return Outcome{};
    });
    if (!outcome.ok())
        return outcome;

    // Every document has at least one paragraph, whose text ends in a line feed; LibreOffice
    // reports success and leaves nothing behind when the disk is full.
    std::error_code error;
    const auto size = std::filesystem::file_size(staged->path(), error);
    if (error || size == 0)
        return {Failure::CouldNotSave, "LibreOffice wrote no text (is the disk full?)"};
    try {
        staged->commit();
    } catch (const std::system_error& failure) {
        return {Failure::CouldNotSave, failure.what()};
    }
    return {};
}

void LibreOfficeDocument::close() noexcept
{
    if (!model_.is())
        return;
    try {
        // Failure::None: a close that throws is of no consequence; only a time limit or a dead
        // LibreOffice still registers, through the session.
        const auto deadline = std::max(session_->deadline_for(opened_at_), Session::Clock::now() + kCloseGrace);
        session_->guarded(Failure::None, deadline, [this] {
            const css::uno::Reference<css::util::XCloseable> closeable(model_, css::uno::UNO_QUERY);
            if (closeable.is())
                closeable->close(true);
            return Outcome{};
        });
    } catch (...) {
    }
    model_.clear();
}

} // namespace plainquill::adapters::libreoffice
