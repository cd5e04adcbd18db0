#include "engine/libreoffice/libreoffice.h"

#include "engine/libreoffice/document_loader.h"
#include "engine/libreoffice/failure_words.h"
#include "engine/libreoffice/libreoffice_document.h"
#include "engine/libreoffice/session.h"
#include "engine/libreoffice/zip_archive_sizes.h"

#include <fstream>
#include <utility>

namespace plainquill::engine {
namespace {

using libreoffice::Outcome;

// What can be said about `file` without LibreOffice; ok when it is worth showing to LibreOffice.
Outcome check_input_file(const std::filesystem::path& file)
{
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (!std::filesystem::exists(status))
        return {Failure::CouldNotOpen, "the file does not exist (any more); it may have been moved or deleted"};
    if (!std::filesystem::is_regular_file(status))
        return {Failure::CouldNotOpen, "not a document but a folder, a device or another special file"};
    const auto size = std::filesystem::file_size(file, error);
    if (error)
        return {Failure::CouldNotOpen, "the file cannot be read", error.message()};
    if (size == 0)
        return {Failure::NotADocument, "the file is empty"};
    if (!std::ifstream(file, std::ios::binary))
        return {Failure::CouldNotOpen, "the file cannot be read; check that you may read it"};
    return {};
}

// An archive (a .docx) whose declared contents would expand past what LibreOffice can hold is
// refused before LibreOffice inflates any of it.
Outcome check_archive(const std::filesystem::path& file, const libreoffice::ZipExpansionLimits& limits)
{
    const auto reading = libreoffice::read_zip_archive_file(file);
    if (!reading)
        return {};
    if (!reading->sizes)
        return {Failure::CouldNotOpen, libreoffice::words_for_damaged_archive(), reading->problem};
    const std::string refusal = libreoffice::expansion_refusal(*reading->sizes, limits);
    if (!refusal.empty())
        return {Failure::TooLarge, libreoffice::words_for_oversized_archive(), refusal};
    return {};
}

} // namespace

LibreOffice::LibreOffice(std::shared_ptr<libreoffice::Session> session)
    : session_(std::move(session)), links_(session_->scratch_path() / "links")
{
}

LibreOffice::~LibreOffice()
{
    Quit();
}

bool LibreOffice::IsObjectValid()
{
    return session_->answers();
}

OpenResult LibreOffice::Open(const std::filesystem::path& file)
{
    std::filesystem::path absolute;
    try {
        absolute = std::filesystem::absolute(file);
    } catch (const std::exception& error) {
        return {nullptr, Failure::CouldNotOpen, "the file's name cannot be used", error.what()};
    }
    const auto started = libreoffice::Session::Clock::now();
    Outcome checked = check_input_file(absolute);
    if (checked.ok())
        checked = check_archive(absolute, session_->archive_limits());
    if (!checked.ok())
        return {nullptr, checked.failure, checked.detail, checked.raw_detail};

    std::filesystem::path openable;
    try {
        openable = links_.openable(absolute);
    } catch (const std::exception& error) {
        return {nullptr, Failure::CouldNotOpen,
                "the file's name is not UTF-8 and LibreOffice could not be given another one", error.what()};
    }

    libreoffice::LoadedDocument loaded;
    const Outcome outcome = session_->guarded(Failure::CouldNotOpen, session_->deadline_for(started), [&] {
        loaded = libreoffice::load_document(session_->uno(), openable);
        return loaded.outcome;
    });
    if (!outcome.ok())
        return {nullptr, outcome.failure, outcome.detail, outcome.raw_detail};
    return {std::make_unique<libreoffice::LibreOfficeDocument>(session_, std::move(loaded.model),
                                                               loaded.web, started),
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
    const Outcome outcome = ours->save_text(target);
    return {outcome.failure, outcome.detail, outcome.raw_detail};
}

void LibreOffice::Close(std::unique_ptr<Document> document)
{
    if (auto* ours = dynamic_cast<libreoffice::LibreOfficeDocument*>(document.get()))
        ours->close();
}

void LibreOffice::Quit()
{
    session_->quit();
}

void LibreOffice::set_time_limit(std::chrono::milliseconds limit)
{
    session_->set_time_limit(limit);
}

std::function<void()> LibreOffice::interrupter() const
{
    return [session = std::weak_ptr<libreoffice::Session>(session_)] {
        if (const auto alive = session.lock())
            alive->interrupt();
    };
}

std::filesystem::path LibreOffice::private_folder() const
{
    return session_->scratch_path();
}

std::vector<std::filesystem::path> LibreOffice::ipc_socket_files() const
{
    return session_->ipc_socket_files();
}

} // namespace plainquill::engine
