#pragma once
// Files and folders for the adapter's tests.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace plainquill::engine::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, std::string_view bytes);

// The names in `folder`, hidden ones included, sorted.
std::vector<std::string> fileNames(const std::filesystem::path& folder);

// Text compared the way the corpus's own tests compare it: tabs, CR and no-break spaces count as
// spaces, runs of spaces become one, each line is trimmed and blank lines are dropped.
std::string normalisedLines(std::string_view text);

} // namespace plainquill::engine::testing
