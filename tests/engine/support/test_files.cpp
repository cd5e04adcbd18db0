#include "tests/engine/support/test_files.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace plainquill::engine::testing {

TemporaryFolder::TemporaryFolder()
{
    std::string nameTemplate = (std::filesystem::temp_directory_path() / "plainquill-test-XXXXXX").native();
    if (::mkdtemp(nameTemplate.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    m_path = nameTemplate;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string readBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeBytes(const std::filesystem::path& file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

std::vector<std::string> fileNames(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string normalisedLines(std::string_view text)
{
    std::string spaced;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 2) == "\xC2\xA0") { // U+00A0 in UTF-8
            spaced += ' ';
            ++i;
        } else if (text[i] == '\t' || text[i] == '\r') {
            spaced += ' ';
        } else {
            spaced += text[i];
        }
    }
    std::string result;
    std::istringstream lines(spaced);
    std::string line;
    while (std::getline(lines, line)) {
        std::string collapsed;
        for (const char c : line) {
            if (c == ' ' && (collapsed.empty() || collapsed.back() == ' '))
                continue;
            collapsed += c;
        }
        while (!collapsed.empty() && collapsed.back() == ' ')
            collapsed.pop_back();
        if (!collapsed.empty())
            result += collapsed + '\n';
    }
    return result;
}

} // namespace plainquill::engine::testing
