#pragma once
// Reads back the CSV the batch command writes: fields quoted when they hold commas, quotes or line
// breaks, quotes doubled inside them.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plainquill::batch {

using CsvRecord = std::vector<std::string>;

// Every record of `text` (LF or CRLF line ends); nullopt when a quoted field is never closed or a
// quote stands in the middle of an unquoted one.
std::optional<std::vector<CsvRecord>> readCsv(std::string_view text);

} // namespace plainquill::batch
