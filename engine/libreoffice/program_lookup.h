#pragma once
// Finding the program to run, the way a shell would, but in a search path the caller chooses:
// that is what lets a test stand for "LibreOffice is not installed".
#include <filesystem>
#include <optional>
#include <string>

namespace plainquill::engine::libreoffice {

// `program` containing a '/' is taken as it is; a bare name is looked up in the ':'-separated
// `searchPath` (empty entries mean the current folder, as in $PATH). Only executable regular
// files count.
std::optional<std::filesystem::path> findProgram(const std::string& program,
                                                 const std::string& searchPath);

} // namespace plainquill::engine::libreoffice
