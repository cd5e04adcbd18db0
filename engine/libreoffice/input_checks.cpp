#include "engine/libreoffice/input_checks.h"

#include "engine/libreoffice/failure_words.h"
#include "engine/libreoffice/outcome.h"

#include <fstream>

namespace plainquill::engine::libreoffice {
namespace {

Outcome checkInputFile(const std::filesystem::path& file)
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
Outcome checkArchive(const std::filesystem::path& file, const ZipExpansionLimits& limits)
{
    const auto reading = readZipArchiveFile(file);
    if (!reading)
        return {};
    if (!reading->sizes)
        return {Failure::CouldNotOpen, wordsForDamagedArchive(), reading->problem};
    const std::string refusal = expansionRefusal(*reading->sizes, limits);
    if (!refusal.empty())
        return {Failure::TooLarge, wordsForOversizedArchive(), refusal};
    return {};
}

} // namespace

std::optional<OpenResult> refusalBeforeOpening(const std::filesystem::path& file, const ZipExpansionLimits& limits)
{
    Outcome checked = checkInputFile(file);
    if (checked.ok())
        checked = checkArchive(file, limits);
    if (checked.ok())
        return std::nullopt;
    OpenResult refused(nullptr, checked.failure, std::move(checked.detail), std::move(checked.rawDetail));
    refused.reachedWordProcessor = false;
    return refused;
}

} // namespace plainquill::engine::libreoffice
