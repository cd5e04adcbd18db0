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
std::string seconds_text(std::chrono::milliseconds limit);
// LibreOffice went away (crashed, or was killed from outside) during `step`.
std::string words_for_stop(Step step);
// LibreOffice was still busy with `step` when the time limit `limit` passed, and was killed.
std::string words_for_time_limit(Step step, std::chrono::milliseconds limit);
// A call failed with an exception whose message only LibreOffice's developers can read.
std::string words_for_exception(Step step);
// A question LibreOffice asked while loading (password, repair, an error code), which we aborted.
std::string words_for_request(const css::uno::Any& request);
// The error code of LibreOffice's ErrorCodeRequest.
std::string words_for_error_code(unsigned code);
// LibreOffice needed more than `limit` bytes of memory for the document and was stopped.
std::string words_for_memory_limit(std::uint64_t limit);
// The document's archive declares contents that would expand past what LibreOffice may hold.
std::string words_for_oversized_archive();
// The document's archive cannot be read.
std::string words_for_damaged_archive();
// Writing the text file failed with the system error `error` (an errno value).
std::string words_for_write_error(int error);

} // namespace plainquill::engine::libreoffice
