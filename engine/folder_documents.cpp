#include "engine/folder_documents.h"

#include "engine/native_path.h"
#include "engine/queue_rules.h"

namespace plainquill {

std::vector<std::filesystem::path> folderDocuments(const std::filesystem::path& folder, bool includeSubfolders,
                                                   const DocumentEndings& endings, const UnreadableFolder& onUnreadable)
{
    std::vector<std::filesystem::path> found;
    if (!includeSubfolders) {
        const std::string prefix = TrailingSlash(folder).native();
        for (const std::filesystem::path& name : FolderFileNames(folder, onUnreadable))
            found.push_back(prefix + name.native());
    } else {
        RecursiveDir(found, folder, QStringLiteral("*.*"), true, onUnreadable);
    }
    std::vector<std::filesystem::path> documents;
    // The ending that decides is plain ASCII, so the shown text judges it as the bytes would.
    for (std::filesystem::path& path : found)
        if (endings.accepts(displayText(path)))
            documents.push_back(std::move(path));
    return documents;
}

} // namespace plainquill
