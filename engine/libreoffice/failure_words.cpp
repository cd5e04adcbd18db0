#include "engine/libreoffice/failure_words.h"

#include <com/sun/star/document/BrokenPackageRequest.hpp>
#include <com/sun/star/task/ErrorCodeRequest.hpp>
#include <com/sun/star/task/PasswordRequest.hpp>

#include <cerrno>
#include <cstring>

namespace plainquill::engine::libreoffice {
namespace {

constexpr const char* kRestarted = "; it was restarted for the next one";

const char* doing(Step step)
{
    switch (step) {
    case Step::Reading: return "reading this document";
    case Step::Writing: return "writing this document's text";
    case Step::Closing: return "closing this document";
    }
    return "working on this document";
}


const std::string kUnreadable =
    "LibreOffice could not read this document; it may be damaged or in a format LibreOffice does not support";

// LibreOffice's error codes carry a class in bits 8 to 12 (the rest says which module raised it).
enum class ErrorClass : unsigned {
    NotExists = 3,
    Access = 5,
    Path = 6,
    Locking = 7,
    Space = 9,
    Version = 14,
};

} // namespace

std::string secondsText(std::chrono::milliseconds limit)
{
    const auto count = limit.count();
    if (count % 1000 == 0)
        return std::to_string(count / 1000) + " s";
    return std::to_string(count) + " ms";
}

std::string wordsForStop(Step step)
{
    return std::string("LibreOffice stopped while ") + doing(step) + kRestarted;
}

std::string wordsForTimeLimit(Step step, std::chrono::milliseconds limit)
{
    return "LibreOffice took longer than " + secondsText(limit) + " " + doing(step)
        + " and was stopped" + kRestarted + "; the document may be too large or damaged";
}

std::string wordsForMemoryLimit(std::uint64_t limit)
{
    return "LibreOffice needed more than " + std::to_string(limit >> 20)
        + " MB of memory for this document and was stopped" + kRestarted
        + "; the document is too large to convert here";
}

std::string wordsForOversizedArchive()
{
    return "the document would expand to far more than LibreOffice may hold, so it was not opened; "
           "it may be a decompression bomb";
}

std::string wordsForDamagedArchive()
{
    return "the document is damaged: its contents cannot be read";
}

std::string wordsForException(Step step)
{
    switch (step) {
    case Step::Reading: return kUnreadable;
    case Step::Writing:
        return "LibreOffice could not turn this document into text; it may be damaged";
    case Step::Closing: return "LibreOffice could not close this document";
    }
    return kUnreadable;
}

std::string wordsForRequest(const css::uno::Any& request)
{
    // Every password question (ODF, Microsoft formats, with or without modify passwords) is a
    // PasswordRequest or derives from one.
    if (request.isExtractableTo(cppu::UnoType<css::task::PasswordRequest>::get()))
        return "the document is password-protected; remove the password in a word processor and "
               "convert it again";
    if (request.isExtractableTo(cppu::UnoType<css::document::BrokenPackageRequest>::get()))
        return "the document is damaged; repair it in a word processor and convert it again";
    css::task::ErrorCodeRequest errorCode;
    if (request >>= errorCode)
        return wordsForErrorCode(static_cast<unsigned>(errorCode.ErrCode));
    return kUnreadable;
}

std::string wordsForErrorCode(unsigned code)
{
    switch (static_cast<ErrorClass>((code >> 8) & 0x1F)) {
    case ErrorClass::NotExists:
    case ErrorClass::Path:
        return "LibreOffice could not find the document; it may have been moved or deleted";
    case ErrorClass::Access:
    case ErrorClass::Locking:
        return "LibreOffice was not allowed to read the document; check that you may read the file";
    case ErrorClass::Space:
        return "there was not enough memory or disk space to read the document; close other "
               "programs or free some disk space and convert it again";
    case ErrorClass::Version:
        return "the document was written by a version of its word processor that LibreOffice "
               "cannot read";
    }
    return kUnreadable;
}

std::string wordsForWriteError(int error)
{
    switch (error) {
    case ENOSPC:
        return "the disk is full; free some space on it, or choose another output folder, and "
               "convert the document again";
    case EDQUOT: return "your disk quota is used up; free some space and convert the document again";
    case EACCES:
    case EPERM: return "the output folder cannot be written to; choose a folder you may write to";
    case EROFS: return "the output folder is on a read-only disk; choose another output folder";
    case ENOENT:
    case ENOTDIR: return "the output folder does not exist (any more); choose another output folder";
    case EISDIR: return "a folder has the name the text file should have; rename or move that folder";
    case ENAMETOOLONG: return "the text file's name would be too long; rename the document";
    case EIO: return "the disk reported an error while the text was written; check the disk";
    }
    return std::string("the text file could not be written (") + std::strerror(error) + ")";
}

} // namespace plainquill::engine::libreoffice
