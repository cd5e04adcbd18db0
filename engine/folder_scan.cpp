#include "engine/folder_scan.h"

#include "engine/native_path.h"
#include "engine/queue_rules.h"
#include "engine/seen_files.h"

#include <QRegularExpression>

#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace plainquill {

namespace {

using Names = std::vector<fs::path>;

bool isHidden(const fs::path& name) { return name.native().starts_with('.'); }

// Case-insensitive first, so a listing reads the way people sort names; ties by the exact bytes
// so the order is still total. Each name is folded once, not once per comparison.
void sortNames(Names& names)
{
    std::vector<std::pair<QString, fs::path>> keyed;
    keyed.reserve(names.size());
    for (fs::path& name : names)
        keyed.emplace_back(displayText(name).toCaseFolded(), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[i].second);
}

struct FolderListing {
    Names files;
    Names folders;
    bool readable = false;
};

FolderListing listFolder(const fs::path& folder, const UnreadableFolder& onUnreadable)
{
    FolderListing listing;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error) {
        if (onUnreadable)
            onUnreadable(folder);
        return listing;
    }
    listing.readable = true;
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        if (error)
            break;
        std::error_code typeError;
        fs::path name = it->path().filename();
        if (it->is_regular_file(typeError))
            listing.files.push_back(std::move(name));
        else if (it->is_directory(typeError))
            listing.folders.push_back(std::move(name));
    }
    sortNames(listing.files);
    sortNames(listing.folders);
    return listing;
}

class FilePattern {
public:
    explicit FilePattern(const QString& pattern)
        : m_everything(pattern == QLatin1String("*.*") || pattern == QLatin1String("*")),
          m_pattern(m_everything ? QRegularExpression()
                                 : QRegularExpression(QRegularExpression::wildcardToRegularExpression(
                                       pattern, QRegularExpression::UnanchoredWildcardConversion)))
    {
    }
    bool matches(const fs::path& name) const
    {
        return m_everything || m_pattern.match(displayText(name)).hasMatch();
    }

private:
    bool m_everything;
    QRegularExpression m_pattern;
};


class TreeScan {
public:
    TreeScan(Names& found, const QString& pattern, const UnreadableFolder& onUnreadable)
        : m_found(found), m_pattern(pattern), m_onUnreadable(onUnreadable)
    {
    }

    void scan(const fs::path& strFolder, bool bIncludeSubfolders)
    {
        const std::string folder = TrailingSlash(strFolder).native();
        if (!enterOnce(folder))
            return;
        const FolderListing listing = listFolder(folder, m_onUnreadable);
        for (const fs::path& name : listing.files)
            if (!isHidden(name) && m_pattern.matches(name))
                m_found.push_back(folder + name.native());
        if (!bIncludeSubfolders)
            return;
        for (const fs::path& name : listing.folders)
            if (!isHidden(name))
                scan(folder + name.native(), true);
    }

private:
    // A link back to an ancestor would otherwise make the scan endless.
    bool enterOnce(const std::string& folder) { return m_visited.firstTime(folder).value_or(false); }

    Names& m_found;
    FilePattern m_pattern;
    const UnreadableFolder& m_onUnreadable;
    SeenFiles m_visited;
};

} // namespace

bool FolderExists(const fs::path& path)
{
    std::error_code error;
    return !path.empty() && fs::is_directory(path, error);
}

bool FileExists(const fs::path& path)
{
    std::error_code error;
    return !path.empty() && fs::is_regular_file(path, error);
}

Names FolderFileNames(const fs::path& folder, const UnreadableFolder& onUnreadable)
{
    return listFolder(folder, onUnreadable).files;
}

void RecursiveDir(Names& colFiles, const fs::path& strFolder, const QString& strFileSpec, bool bIncludeSubfolders,
                  const UnreadableFolder& onUnreadable)
{
    TreeScan(colFiles, strFileSpec, onUnreadable).scan(strFolder, bIncludeSubfolders);
}

} // namespace plainquill
