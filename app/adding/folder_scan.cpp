#include "app/adding/folder_scan.h"

#include "app/queue/queue_rules.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace plainquill {

namespace {

fs::path toPath(const QString& text) { return fs::path(QFile::encodeName(text).toStdString()); }
QString fromName(const fs::path& name) { return QFile::decodeName(name.native().c_str()); }

bool isHidden(const QString& name) { return name.startsWith(QLatin1Char('.')); }

// Case-insensitive first, so a listing reads the way people sort names; ties by exact text so
// the order is still total. Each name is folded once, not once per comparison.
void sortNames(QStringList& names)
{
    std::vector<std::pair<QString, QString>> keyed;
    keyed.reserve(names.size());
    for (QString& name : names)
        keyed.emplace_back(name.toCaseFolded(), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[i].second);
}

struct FolderListing {
    QStringList files;
    QStringList folders;
    bool readable = false;
};

FolderListing listFolder(const QString& folder)
{
    FolderListing listing;
    std::error_code error;
    fs::directory_iterator it(toPath(folder), error);
    if (error)
        return listing;
    listing.readable = true;
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        if (error)
            break;
        std::error_code typeError;
        const QString name = fromName(it->path().filename());
        if (it->is_regular_file(typeError))
            listing.files.push_back(name);
        else if (it->is_directory(typeError))
            listing.folders.push_back(name);
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
    bool matches(const QString& name) const
    {
        return m_everything || m_pattern.match(name).hasMatch();
    }

private:
    bool m_everything;
    QRegularExpression m_pattern;
};

using FolderId = std::pair<dev_t, ino_t>;

class TreeScan {
public:
    TreeScan(QStringList& found, const QString& pattern) : m_found(found), m_pattern(pattern) {}

    void scan(const QString& strFolder, bool bIncludeSubfolders)
    {
        const QString folder = TrailingSlash(strFolder);
        if (!enterOnce(folder))
            return;
        const FolderListing listing = listFolder(folder);
        for (const QString& name : listing.files)
            if (!isHidden(name) && m_pattern.matches(name))
                m_found.push_back(folder + name);
        if (!bIncludeSubfolders)
            return;
        for (const QString& name : listing.folders)
            if (!isHidden(name))
                scan(folder + name, true);
    }

private:
    // A link back to an ancestor would otherwise make the scan endless.
    bool enterOnce(const QString& folder)
    {
        struct stat info {};
        if (::stat(QFile::encodeName(folder).constData(), &info) != 0)
            return false;
        return m_visited.insert({info.st_dev, info.st_ino}).second;
    }

    QStringList& m_found;
    FilePattern m_pattern;
    std::set<FolderId> m_visited;
};

} // namespace

bool FolderExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool FileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QStringList FolderFileNames(const QString& folder)
{
    return listFolder(folder).files;
}

void RecursiveDir(QStringList& colFiles, const QString& strFolder, const QString& strFileSpec,
                  bool bIncludeSubfolders)
{
    TreeScan(colFiles, strFileSpec).scan(strFolder, bIncludeSubfolders);
}

} // namespace plainquill
