#pragma once
// The small rules every way of adding files shares: which names are documents, how a size
// reads, how a folder text ends.
#include <QString>
#include <cstdint>
#include <filesystem>

namespace plainquill {

// True for file names (or paths) whose extension, after the name's last dot, is one of the Word
// group of document_kinds.h (doc, docx, rtf, htm, html) in any case (Report.Docx passes). A name without a dot (mydoc), with another
// extension (guide.adoc) or a dot only at its start (.doc) is not a document.
bool DocFileCheck(const QString& strFileName);

// A byte count as a person reads it: "1023 bytes", "1.00 KB", "0.98 MB". The unit changes at
// 1000 of the smaller unit; decimals use `decimalSeparator`.
QString FormatSize(std::uint64_t Size, QChar decimalSeparator);

// `strFolder` ending in exactly one separator: empty stays empty, "/" stays "/".
QString TrailingSlash(const QString& strFolder);
// The same for a folder's bytes.
std::filesystem::path TrailingSlash(const std::filesystem::path& strFolder);

// "12  Files": the queue length, a blank and " Files".
QString CountText(qsizetype queueLength);

} // namespace plainquill
