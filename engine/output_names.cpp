#include "engine/output_names.h"

#include "engine/native_path.h"

namespace plainquill {

namespace fs = std::filesystem;

namespace {

// The deepest folder that holds every one of `documents`.
fs::path commonFolder(const std::vector<fs::path>& documents)
{
    fs::path common = documents.front().parent_path();
    for (const fs::path& document : documents) {
        const fs::path folder = document.parent_path();
        fs::path shared;
        for (auto a = common.begin(), b = folder.begin(); a != common.end() && b != folder.end() && *a == *b; ++a, ++b)
            shared /= *a;
        common = shared;
    }
    return common;
}

} // namespace

std::string textFileName(const fs::path& document)
{
    std::string name = document.filename().native();
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos)
        name.resize(dot);
    return name + ".txt";
}

fs::path OutputNames::targetFor(const fs::path& document) const
{
    const std::string own = textFileName(document);
    if (!m_written.contains(own))
        return m_folder / own;
    const std::string base = own.substr(0, own.size() - 4);
    for (std::size_t n = 2;; ++n) {
        std::string numbered = base + " (" + std::to_string(n) + ").txt";
        if (!m_written.contains(numbered))
            return m_folder / numbered;
    }
}

void OutputNames::written(const fs::path& document, const fs::path& target)
{
    m_written.insert(target.filename().native());
    m_saved.push_back({document, textFileName(document), target.filename().native()});
}

fs::path OutputNames::claim(const fs::path& document)
{
    fs::path target = targetFor(document);
    written(document, target);
    return target;
}

std::vector<RenamedOutput> OutputNames::renamed() const
{
    std::map<std::string, std::vector<fs::path>> byOwnName;
    for (const Saved& saved : m_saved)
        byOwnName[saved.ownName].push_back(saved.document);
    std::vector<RenamedOutput> renamed;
    for (const Saved& saved : m_saved) {
        if (saved.savedAs == saved.ownName)
            continue;
        const fs::path shown = saved.document.lexically_relative(commonFolder(byOwnName[saved.ownName]));
        renamed.push_back({displayText(shown.empty() ? saved.document.filename() : shown), displayText(saved.savedAs),
                           displayText(saved.document), displayText(m_folder / saved.savedAs)});
    }
    return renamed;
}

} // namespace plainquill
