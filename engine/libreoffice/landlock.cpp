#include "engine/libreoffice/landlock.h"

#include <fcntl.h>
#include <linux/landlock.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <system_error>

// Debian 12's headers know Landlock's first two ABI versions; later kernels offer more.
#ifndef LANDLOCK_ACCESS_FS_TRUNCATE
#define LANDLOCK_ACCESS_FS_TRUNCATE (1ULL << 14)
#endif
#ifndef LANDLOCK_ACCESS_FS_IOCTL_DEV
#define LANDLOCK_ACCESS_FS_IOCTL_DEV (1ULL << 15)
#endif
#ifndef LANDLOCK_ACCESS_NET_BIND_TCP
#define LANDLOCK_ACCESS_NET_BIND_TCP (1ULL << 0)
#endif
#ifndef LANDLOCK_ACCESS_NET_CONNECT_TCP
#define LANDLOCK_ACCESS_NET_CONNECT_TCP (1ULL << 1)
#endif
#ifndef LANDLOCK_SCOPE_ABSTRACT_UNIX_SOCKET
#define LANDLOCK_SCOPE_ABSTRACT_UNIX_SOCKET (1ULL << 0)
#endif
#ifndef LANDLOCK_SCOPE_SIGNAL
#define LANDLOCK_SCOPE_SIGNAL (1ULL << 1)
#endif

namespace plainquill::engine::libreoffice {
namespace {

namespace fs = std::filesystem;

// The ruleset's attributes as ABI 6 has them; older kernels take it as long as the parts they do
// not know are 0.
struct RulesetAttributes {
    std::uint64_t handledAccessFs;
    std::uint64_t handledAccessNet;
    std::uint64_t scoped;
};

constexpr unsigned long long kReadAccess = LANDLOCK_ACCESS_FS_READ_FILE | LANDLOCK_ACCESS_FS_READ_DIR;
constexpr unsigned long long kRunAccess = kReadAccess | LANDLOCK_ACCESS_FS_EXECUTE;
// The rights that make sense on a file rather than on a folder.
constexpr unsigned long long kFileAccess = LANDLOCK_ACCESS_FS_EXECUTE | LANDLOCK_ACCESS_FS_WRITE_FILE
                                         | LANDLOCK_ACCESS_FS_READ_FILE | LANDLOCK_ACCESS_FS_TRUNCATE
                                         | LANDLOCK_ACCESS_FS_IOCTL_DEV;

// The file system rights the kernel's ABI `abi` knows: all of them are handled, so all are denied
// but where a rule allows them.
unsigned long long fileSystemAccess(int abi)
{
    unsigned long long access = (LANDLOCK_ACCESS_FS_MAKE_SYM << 1) - 1; // ABI 1's thirteen rights
    if (abi >= 2)
        access |= LANDLOCK_ACCESS_FS_REFER;
    if (abi >= 3)
        access |= LANDLOCK_ACCESS_FS_TRUNCATE;
    if (abi >= 5)
        access |= LANDLOCK_ACCESS_FS_IOCTL_DEV;
    return access;
}

long landlockVersionQuery() noexcept
{
    return ::syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
}

} // namespace

int landlockAbi() noexcept
{
    // Kernels without Landlock answer ENOSYS, or EOPNOTSUPP when it is built in but switched off.
    const long result = landlockVersionQuery();
    return result > 0 ? static_cast<int>(result) : 0;
}

LandlockRuleset::LandlockRuleset(const SandboxFolders& folders) : m_abi(landlockAbi())
{
    if (m_abi == 0)
        return;
    const unsigned long long everything = fileSystemAccess(m_abi);
    RulesetAttributes attributes{everything, 0, 0};
    if (m_abi >= 4)
        attributes.handledAccessNet = LANDLOCK_ACCESS_NET_BIND_TCP | LANDLOCK_ACCESS_NET_CONNECT_TCP;
    if (m_abi >= kLandlockScopesAbi)
        attributes.scoped = LANDLOCK_SCOPE_ABSTRACT_UNIX_SOCKET | LANDLOCK_SCOPE_SIGNAL;
    m_fd = static_cast<int>(::syscall(SYS_landlock_create_ruleset, &attributes, sizeof attributes, 0U));
    if (m_fd < 0)
        throw std::system_error(errno, std::generic_category(), "cannot make a Landlock ruleset");
    try {
        for (const fs::path& path : folders.readable)
            allow(path, kReadAccess);
        for (const fs::path& path : folders.executable)
            allow(path, kRunAccess);
        for (const fs::path& path : folders.writable)
            allow(path, everything);
        // Removing too: a LibreOffice restarting itself on a fresh profile must clear the
        // single-instance socket its first run left, or it cannot start. Only where /tmp is the
        // machine's: a private one lies in the writable folder.
        for (const fs::path& path : folders.socketFolders)
            allow(path, LANDLOCK_ACCESS_FS_MAKE_SOCK | LANDLOCK_ACCESS_FS_REMOVE_FILE);
    } catch (...) {
        ::close(m_fd);
        throw;
    }
}

LandlockRuleset::~LandlockRuleset()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void LandlockRuleset::allow(const fs::path& path, unsigned long long access)
{
    const int pathFd = ::open(path.c_str(), O_PATH | O_CLOEXEC);
    if (pathFd < 0)
        return; // not on this system: nothing to allow
    struct stat info {};
    if (::fstat(pathFd, &info) == 0 && !S_ISDIR(info.st_mode))
        access &= kFileAccess;
    landlock_path_beneath_attr rule{};
    rule.allowed_access = access & fileSystemAccess(m_abi);
    rule.parent_fd = pathFd;
    const long added = ::syscall(SYS_landlock_add_rule, m_fd, LANDLOCK_RULE_PATH_BENEATH, &rule, 0U);
    const int error = errno;
    ::close(pathFd);
    if (added != 0)
        throw std::system_error(error, std::generic_category(), "cannot allow " + path.string() + " in Landlock");
}

int confineSelf(int rulesetFd) noexcept
{
    if (rulesetFd < 0)
        return 0;
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
        return errno;
    if (::syscall(SYS_landlock_restrict_self, rulesetFd, 0U) != 0)
        return errno;
    return 0;
}

} // namespace plainquill::engine::libreoffice
