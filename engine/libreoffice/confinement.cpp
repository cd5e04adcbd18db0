#include "engine/libreoffice/confinement.h"

#include <cstdlib>

namespace plainquill::engine::libreoffice {
namespace {

namespace fs = std::filesystem;

// fontconfig's cache and the fonts of the user's own, which LibreOffice lays text out with.
std::vector<fs::path> userFontFolders()
{
    const char* home = std::getenv("HOME");
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* data = std::getenv("XDG_DATA_HOME");
    std::vector<fs::path> folders;
    if (cache != nullptr && *cache == '/')
        folders.push_back(fs::path(cache) / "fontconfig");
    if (data != nullptr && *data == '/')
        folders.push_back(fs::path(data) / "fonts");
    if (home != nullptr && *home == '/') {
        folders.push_back(fs::path(home) / ".cache/fontconfig");
        folders.push_back(fs::path(home) / ".local/share/fonts");
        folders.push_back(fs::path(home) / ".fonts");
        folders.push_back(fs::path(home) / ".config/fontconfig");
    }
    return folders;
}

// What LibreOffice needs beside its user database and its private folder.
SandboxFolders libreOfficeFolders(const ProgramFiles& files)
{
    SandboxFolders folders;
    folders.readable = {"/usr", "/lib", "/lib64", "/lib32", "/libx32", "/bin", "/sbin",
                        "/etc/fonts", "/etc/ld.so.cache", "/etc/libreoffice", "/etc/localtime", "/etc/locale.alias",
                        "/etc/nsswitch.conf", "/var/lib/libreoffice", "/var/spool/libreoffice",
                        "/var/cache/fontconfig", "/dev/urandom", "/dev/random"};
    // An installation outside /usr (a tarball in /opt) is read from where it lies: program/..
    if (const fs::path installation = files.entry.parent_path().parent_path(); !installation.empty())
        folders.readable.push_back(installation);
    for (fs::path& folder : userFontFolders())
        folders.readable.push_back(std::move(folder));
    folders.executable = files.executable;
    folders.writable = {"/dev/null"};
    return folders;
}

std::vector<fs::path> everythingIn(const SandboxFolders& folders)
{
    std::vector<fs::path> paths = folders.readable;
    paths.insert(paths.end(), folders.executable.begin(), folders.executable.end());
    return paths;
}

// `folders` with the private folder and the user database added, as the namespaces have them.
SandboxFolders withPrivateParts(SandboxFolders folders, const fs::path& privateFolder,
                                const std::optional<PrivateNamespaces>& namespaces)
{
    const bool ownUserDatabase = namespaces && !namespaces->userDatabase.empty();
    folders.readable.push_back(ownUserDatabase ? fs::path(namespaces->userDatabase) : "/etc/passwd");
    folders.writable.push_back(privateFolder);
    if (!namespaces)
        folders.socketFolders = {"/tmp", "/var/tmp"};
    return folders;
}

} // namespace

Confinement::Confinement(const fs::path& program, const fs::path& privateFolder)
    : m_privateFolder(privateFolder),
      m_files(programFiles(program)),
      m_folders(libreOfficeFolders(m_files)),
      m_namespaces(preparePrivateNamespaces(privateFolder, everythingIn(m_folders))),
      m_ruleset(withPrivateParts(m_folders, privateFolder, m_namespaces))
{
}

std::vector<std::string> Confinement::environment(std::vector<std::string> environment) const
{
    environment.insert(environment.end(), m_files.environment.begin(), m_files.environment.end());
    return environment;
}

fs::path Confinement::folderInside() const
{
    return m_namespaces ? kPrivateFolderInside : m_privateFolder;
}

fs::path Confinement::seenInside(const fs::path& path) const
{
    return m_namespaces ? kPrivateFolderInside / path.lexically_relative(m_privateFolder) : path;
}

std::vector<fs::path> Confinement::socketFolders() const
{
    if (m_namespaces)
        return {m_privateFolder};
    return {"/tmp", "/var/tmp"};
}

ProcessLimits Confinement::limits(std::uint64_t dataBytes) const
{
    return {dataBytes, m_ruleset.fd(), m_namespaces ? &*m_namespaces : nullptr};
}

ConfinementFeatures confinementFeatures()
{
    return {landlockAbi(), privateNamespacesAllowed()};
}

std::string confinementWarning(const ConfinementFeatures& features)
{
    if (features.landlockAbi == 0)
        return "this kernel cannot confine LibreOffice (no Landlock); documents may make it read local files";
    const bool scoped = features.landlockAbi >= kLandlockScopesAbi;
    std::vector<std::string> ways;
    std::vector<std::string> reasons;
    if (!scoped) {
        ways.push_back("signal other processes");
        reasons.push_back("this kernel's Landlock is version " + std::to_string(features.landlockAbi) + ", not "
                          + std::to_string(kLandlockScopesAbi));
    }
    if (!features.privateNamespaces) {
        ways.push_back("reach sockets in /tmp and /run and the loopback network");
        reasons.push_back("this system allows us no namespaces");
    }
    if (!scoped && !features.privateNamespaces)
        ways.push_back("reach abstract sockets");
    if (ways.empty())
        return {};
    std::string warning = "LibreOffice is less confined here than it could be: it may";
    for (std::size_t index = 0; index < ways.size(); ++index)
        warning += (index == 0 ? " " : index + 1 == ways.size() ? " and " : ", ") + ways[index];
    warning += " (";
    for (std::size_t index = 0; index < reasons.size(); ++index)
        warning += (index == 0 ? "" : "; ") + reasons[index];
    return warning + ")";
}

} // namespace plainquill::engine::libreoffice
