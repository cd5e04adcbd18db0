#include "engine/libreoffice/program_files.h"

#include <elf.h>

#include <cstring>
#include <fstream>

namespace plainquill::engine::libreoffice {
namespace {

namespace fs = std::filesystem;

template <class Header, class ProgramHeader>
fs::path interpreterIn(std::ifstream& file)
{
    Header header{};
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(&header), sizeof header) || header.e_phentsize != sizeof(ProgramHeader))
        return {};
    for (unsigned index = 0; index < header.e_phnum; ++index) {
        ProgramHeader segment{};
        file.seekg(static_cast<std::streamoff>(header.e_phoff + index * sizeof segment));
        if (!file.read(reinterpret_cast<char*>(&segment), sizeof segment))
            return {};
        if (segment.p_type != PT_INTERP)
            continue;
        if (segment.p_filesz == 0 || segment.p_filesz > 4096)
            return {};
        std::string path(segment.p_filesz, '\0');
        file.seekg(static_cast<std::streamoff>(segment.p_offset));
        if (!file.read(path.data(), static_cast<std::streamsize>(path.size())))
            return {};
        return path.c_str(); // up to its terminating NUL
    }
    return {};
}

// The interpreter a "#!" script names, or "".
fs::path scriptInterpreter(const fs::path& program)
{
    std::ifstream file(program, std::ios::binary);
    std::string line;
    if (!std::getline(file, line) || line.rfind("#!", 0) != 0)
        return {};
    const auto start = line.find_first_not_of(" \t", 2);
    if (start == std::string::npos)
        return {};
    return line.substr(start, line.find_first_of(" \t\r", start) - start);
}

// `executable`'s program loader, which the kernel runs with it.
void addLoaderOf(const fs::path& executable, std::vector<fs::path>& runnable)
{
    std::error_code error;
    if (const fs::path loader = elfInterpreter(executable); !loader.empty()) {
        const fs::path realLoader = fs::canonical(loader, error);
        if (!error)
            runnable.push_back(realLoader);
    }
}

} // namespace

fs::path elfInterpreter(const fs::path& executable)
{
    std::ifstream file(executable, std::ios::binary);
    unsigned char identity[EI_NIDENT] = {};
    if (!file.read(reinterpret_cast<char*>(identity), sizeof identity) || std::memcmp(identity, ELFMAG, SELFMAG) != 0)
        return {};
    if (identity[EI_CLASS] == ELFCLASS64)
        return interpreterIn<Elf64_Ehdr, Elf64_Phdr>(file);
    if (identity[EI_CLASS] == ELFCLASS32)
        return interpreterIn<Elf32_Ehdr, Elf32_Phdr>(file);
    return {};
}

ProgramFiles programFiles(const fs::path& program)
{
    std::error_code error;
    const fs::path real = fs::canonical(program, error);
    if (error)
        return {program, {}, {}};
    const fs::path folder = real.parent_path();
    ProgramFiles files{real, {}, {folder}};
    const fs::path interpreter = scriptInterpreter(real);
    if (!interpreter.empty() && fs::is_regular_file(folder / "oosplash", error)) {
        files.entry = folder / "oosplash";
        files.environment = {"SAL_ENABLE_FILE_LOCKING=1"};
    } else if (!interpreter.empty()) {
        // A script of one's own: its interpreter runs, and then only what lies in its folder.
        if (const fs::path realInterpreter = fs::canonical(interpreter, error); !error) {
            files.executable.push_back(realInterpreter);
            addLoaderOf(realInterpreter, files.executable);
        }
    }
    addLoaderOf(files.entry, files.executable);
    return files;
}

} // namespace plainquill::engine::libreoffice
