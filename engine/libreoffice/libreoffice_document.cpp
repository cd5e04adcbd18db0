#include "engine/libreoffice/libreoffice_document.h"

#include "engine/libreoffice/failure_words.h"
#include "engine/libreoffice/session.h"
#include "engine/staged_output_file.h"
#include "engine/libreoffice/text_export.h"

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
                                         std::chrono::steady_clock::time_point opened_at)
    : session_(std::move(session)), model_(std::move(model)), web_(web), opened_at_(opened_at)
{
}

LibreOfficeDocument::~LibreOfficeDocument()
{
    close();
}

namespace {

Outcome write_failure(const std::system_error& failure)
{
    return {Failure::CouldNotSave, words_for_write_error(failure.code().value()), failure.what()};
}

} // namespace

Outcome LibreOfficeDocument::save_text(const std::filesystem::path& target)
{
    if (!model_.is())
        return {Failure::CouldNotSave, "the document was closed before its text was written"};
    std::optional<StagedOutputFile> staged;
    try {
        staged.emplace(std::filesystem::absolute(target));
    } catch (const std::system_error& failure) {
        return write_failure(failure);
    } catch (const std::exception& failure) {
        return {Failure::CouldNotSave, "the text file's name cannot be used", failure.what()};
    }

    std::string text;
    Outcome outcome = session_->guarded(Failure::CouldNotSave, session_->deadline_for(opened_at_), [&] {
        text = export_text(session_->uno(), model_, web_);
        return Outcome{};
    });
    if (!outcome.ok())
        return outcome;
    // Every document has at least one paragraph, whose text ends in a line feed.
    if (text.empty())
        return {Failure::CouldNotSave, words_for_exception(Step::Writing), "the text export gave no bytes"};
    try {
        staged->write(text);
        staged->commit();
    } catch (const std::system_error& failure) {
        return write_failure(failure);
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

} // namespace plainquill::engine::libreoffice
