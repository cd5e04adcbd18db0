#pragma once
// What a user reads when LibreOffice fails: what happened and what they can do about it, in plain
// words. LibreOffice's own words ("InteractiveAugmentedIOException", "error 0x04004039",
// "Binary URP bridge disposed") mean nothing to a user; they go into the result's raw detail,
// for a log, and never into these.
#include <com/sun/star/uno/Any.hxx>

#include <chrono>
#include <cstdint>
#include <string>

namespace plainquill::engine::libreoffice {

// What LibreOffice was doing with the document when it failed.
enum class Step { Reading, Writing, Closing };

// A time limit as people read it: "120 s", or "1500 ms" where it is not whole seconds.
std::string secondsText(std::chrono::milliseconds limit);
// LibreOffice went away (crashed, or was killed from outside) during `step`.
std::string wordsForStop(Step step);
// LibreOffice was still busy with `step` when the time limit `limit` passed, and was killed.
std::string wordsForTimeLimit(Step step, std::chrono::milliseconds limit);
// A call failed with an exception whose message only LibreOffice's developers can read.
std::string wordsForException(Step step);
// A question LibreOffice asked while loading (password, repair, an error code), which we aborted.
std::string wordsForRequest(const css::uno::Any& request);
// The error code of LibreOffice's ErrorCodeRequest.
std::string wordsForErrorCode(unsigned code);
// LibreOffice needed more than `limit` bytes of memory for the document and was stopped.
std::string wordsForMemoryLimit(std::uint64_t limit);
// The document's archive declares contents that would expand past what LibreOffice may hold.
std::string wordsForOversizedArchive();
// The document's archive cannot be read.
std::string wordsForDamagedArchive();
// Writing the text file failed with the system error `error` (an errno value).
std::string wordsForWriteError(int error);

} // namespace plainquill::engine::libreoffice
