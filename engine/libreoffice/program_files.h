#pragma once
// What starting LibreOffice runs, and so what a confined LibreOffice may run. Its `soffice` is a
// shell script that finds its own folder and runs `oosplash` there, which runs `soffice.bin`.
// Starting oosplash ourselves spares LibreOffice the shell and the tools the script calls: it
// then runs nothing but its own program files and the system's program loader.
#include <filesystem>
#include <string>
#include <vector>

namespace plainquill::engine::libreoffice {

struct ProgramFiles {
    std::filesystem::path entry;          // what we execute
    std::vector<std::string> environment; // "NAME=value" that the skipped script would have set
    std::vector<std::filesystem::path> executable; // the entry's folder, interpreters and loaders
};

// For `program`, an soffice or a program of one's own named in its place.
ProgramFiles programFiles(const std::filesystem::path& program);

// The program loader an ELF executable names (its PT_INTERP), or "" when it is no dynamically
// linked ELF executable.
std::filesystem::path elfInterpreter(const std::filesystem::path& executable);

} // namespace plainquill::engine::libreoffice
