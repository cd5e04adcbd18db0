#include "engine/libreoffice/private_namespaces.h"

#include <fcntl.h>
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string_view>
#include <vector>

namespace plainquill::engine::libreoffice {
namespace {

namespace fs = std::filesystem;

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

// A remount inside a user namespace must keep the access time rules of the mount it copies, or
// the kernel refuses it.
unsigned long atimeFlagsOf(const fs::path& folder)
{
    struct statvfs info {};
    if (::statvfs(folder.c_str(), &info) != 0)
        return 0;
    unsigned long flags = 0;
    if ((info.f_flag & ST_NOATIME) != 0)
        flags |= MS_NOATIME;
    if ((info.f_flag & ST_NODIRATIME) != 0)
        flags |= MS_NODIRATIME;
    if ((info.f_flag & ST_RELATIME) != 0)
        flags |= MS_RELATIME;
    return flags;
}

// Some systems forbid ordinary users namespaces of their own, or mounts in them; a child finds
// out without harm to us.
bool enteredInChild(const PrivateNamespaces& namespaces)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(enterPrivateNamespaces(namespaces) == 0 ? 0 : 1);
    if (child < 0)
        return false;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

PrivateNamespaces plannedFor(const fs::path& folder)
{
    return {folder.string(), {}, std::to_string(::getuid()) + " " + std::to_string(::getuid()) + " 1",
            std::to_string(::getgid()) + " " + std::to_string(::getgid()) + " 1", atimeFlagsOf(folder), {}};
}

// How many paths may be kept visible: the child holds a descriptor for each in an array of its own.
constexpr std::size_t kMaxKeptVisible = 16;

// Whether `inner` is `outer` or lies beneath it.
bool holds(const fs::path& outer, const fs::path& inner)
{
    const fs::path relative = inner.lexically_relative(outer);
    return !relative.empty() && *relative.begin() != "..";
}

// The needed paths under /tmp and /var/tmp, each with a place made for it in `folder`, where the
// program will find it. Not /tmp itself nor what holds the private folder: that would show it all.
std::vector<std::string> keptVisible(const fs::path& folder, const std::vector<fs::path>& needed)
{
    std::error_code error;
    const fs::path realFolder = fs::canonical(folder, error);
    std::vector<std::string> kept;
    for (const fs::path& path : needed) {
        const fs::path real = fs::canonical(path, error);
        if (error || holds(real, realFolder))
            continue;
        for (const fs::path covered : {"/tmp", "/var/tmp"}) {
            if (!holds(covered, real) || real == covered)
                continue;
            const fs::path place = folder / real.lexically_relative(covered);
            fs::create_directories(fs::is_directory(real) ? place : place.parent_path(), error);
            if (!fs::is_directory(real))
                std::ofstream{place};
            kept.push_back(real.string());
        }
    }
    return kept;
}

// `number`'s digits at `out`, terminated; async-signal-safe, unlike the library's formatting.
void writeNumber(int number, char* out) noexcept
{
    char digits[12];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number > 0);
    while (count > 0)
        *out++ = digits[--count];
    *out = '\0';
}

int bind(const std::string& from, const char* to, bool mustExist = true) noexcept
{
    if (::mount(from.c_str(), to, nullptr, MS_BIND, nullptr) == 0 || (!mustExist && errno == ENOENT))
        return 0;
    return errno;
}

int enterMountNamespace(const PrivateNamespaces& namespaces) noexcept
{
    // Our mounts must not leak out to the machine's namespace.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return errno;
    if (!namespaces.userDatabase.empty())
        if (const int error = bind(namespaces.userDatabase, "/etc/passwd"); error != 0)
            return error;
    const char* folder = namespaces.privateFolder.c_str();
    if (const int error = bind(namespaces.privateFolder, folder); error != 0)
        return error;
    if (::mount(nullptr, folder, nullptr,
                MS_REMOUNT | MS_BIND | MS_NOEXEC | MS_NOSUID | MS_NODEV | namespaces.atimeFlags, nullptr)
        != 0)
        return errno;
    // What is kept visible is held open while /tmp is covered, then bound into the cover by the
    // name /proc gives the descriptor.
    int kept[kMaxKeptVisible];
    const std::size_t keptCount = namespaces.keptVisible.size();
    for (std::size_t index = 0; index < keptCount; ++index) {
        kept[index] = ::open(namespaces.keptVisible[index].c_str(), O_PATH | O_CLOEXEC);
        if (kept[index] < 0)
            return errno;
    }
    // Binds of the folder's now unrunnable mount, so unrunnable too.
    if (const int error = bind(namespaces.privateFolder, "/tmp"); error != 0)
        return error;
    if (const int error = bind(namespaces.privateFolder, "/var/tmp", false); error != 0)
        return error;
    for (std::size_t index = 0; index < keptCount; ++index) {
        char source[32] = "/proc/self/fd/";
        writeNumber(kept[index], source + std::strlen(source));
        if (::mount(source, namespaces.keptVisible[index].c_str(), nullptr, MS_BIND | MS_REC, nullptr) != 0)
            return errno;
        ::close(kept[index]);
    }
    if (::mount("none", "/run", "tmpfs", MS_RDONLY | MS_NOEXEC | MS_NOSUID | MS_NODEV, "size=4k") != 0
        && errno != ENOENT)
        return errno;
    return 0;
}

} // namespace

std::optional<PrivateNamespaces> preparePrivateNamespaces(const fs::path& folder, const std::vector<fs::path>& needed)
{
    PrivateNamespaces namespaces = plannedFor(folder);
    namespaces.keptVisible = keptVisible(folder, needed);
    if (namespaces.keptVisible.size() > kMaxKeptVisible)
        return std::nullopt;
    if (const std::optional<std::string> entry = currentUserEntry()) {
        namespaces.userDatabase = (folder / "passwd").string();
        std::ofstream file(namespaces.userDatabase, std::ios::binary | std::ios::trunc);
        file << *entry;
        file.close();
        if (!file)
            return std::nullopt;
    }
    if (!enteredInChild(namespaces))
        return std::nullopt;
    return namespaces;
}

bool privateNamespacesAllowed()
{
    std::error_code error;
    const fs::path folder = fs::temp_directory_path(error);
    return !error && enteredInChild(plannedFor(folder));
}

int enterPrivateNamespaces(const PrivateNamespaces& namespaces) noexcept
{
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS | CLONE_NEWNET) != 0)
        return errno;
    // An ordinary user may map its own ids only once it gave up setgroups.
    if (const int error = writeWhole("/proc/self/setgroups", "deny"); error != 0 && error != ENOENT)
        return error;
    if (const int error = writeWhole("/proc/self/uid_map", namespaces.uidMap); error != 0)
        return error;
    if (const int error = writeWhole("/proc/self/gid_map", namespaces.gidMap); error != 0)
        return error;
    return enterMountNamespace(namespaces);
}

} // namespace plainquill::engine::libreoffice
