#include "engine/libreoffice/private_user_database.h"

#include <fcntl.h>
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string_view>
#include <vector>

namespace plainquill::engine::libreoffice {
namespace {

std::optional<std::string> currentUserEntry()
{
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return std::nullopt;
    return std::string(entry.pw_name) + ":x:" + std::to_string(entry.pw_uid) + ":" + std::to_string(entry.pw_gid)
           + ":" + entry.pw_gecos + ":" + entry.pw_dir + ":" + entry.pw_shell + "\n";
}

int writeWhole(const char* path, std::string_view text) noexcept
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const ssize_t written = ::write(fd, text.data(), text.size());
    const int error = written == static_cast<ssize_t>(text.size()) ? 0 : (written < 0 ? errno : EIO);
    ::close(fd);
    return error;
}

// Some systems forbid ordinary users namespaces of their own, or mounts in them; a child finds
// out without harm to us.
bool namespacesAllowed(const PrivateUserDatabase& database)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(enterPrivateUserDatabase(database) == 0 ? 0 : 1);
    if (child < 0)
        return false;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

std::optional<PrivateUserDatabase> preparePrivateUserDatabase(const std::filesystem::path& folder)
{
    const std::optional<std::string> entry = currentUserEntry();
    if (!entry)
        return std::nullopt;
    PrivateUserDatabase database{(folder / "passwd").string(),
                                 std::to_string(::getuid()) + " " + std::to_string(::getuid()) + " 1",
                                 std::to_string(::getgid()) + " " + std::to_string(::getgid()) + " 1"};
    std::ofstream file(database.file, std::ios::binary | std::ios::trunc);
    file << *entry;
    file.close();
    if (!file || !namespacesAllowed(database))
        return std::nullopt;
    return database;
}

int enterPrivateUserDatabase(const PrivateUserDatabase& database) noexcept
{
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return errno;
    // An ordinary user may map its own ids only once it gave up setgroups.
    if (const int error = writeWhole("/proc/self/setgroups", "deny"); error != 0 && error != ENOENT)
        return error;
    if (const int error = writeWhole("/proc/self/uid_map", database.uidMap); error != 0)
        return error;
    if (const int error = writeWhole("/proc/self/gid_map", database.gidMap); error != 0)
        return error;
    // Our mounts must not leak out to the machine's namespace.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return errno;
    if (::mount(database.file.c_str(), "/etc/passwd", nullptr, MS_BIND, nullptr) != 0)
        return errno;
    return 0;
}

} // namespace plainquill::engine::libreoffice
