#pragma once
// Namespaces of LibreOffice's own, where the kernel lets us make them. Landlock decides which
// files LibreOffice may open, but not whom it may reach by other ways: sockets named in /tmp (other
// programs' UNO pipes among them) or in /run, abstract sockets, the loopback network. So each
// LibreOffice gets:
// - a network namespace with no interface up: no network, and no abstract socket of anyone else;
// - a mount namespace where its private folder is /tmp and /var/tmp, an empty /run hides the
//   machine's sockets, and the private folder, the one place it may write, runs nothing;
// - a user database holding its own entry alone (LibreOffice looks itself up to name its pipe).
// Its user and group ids stay what they are outside, so its files and its pipe remain ours. What
// it needs from under /tmp or /var/tmp (a LibreOffice unpacked there, say) stays where it was.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plainquill::engine::libreoffice {

struct PrivateNamespaces {
    std::string privateFolder; // seen inside as itself, as /tmp and as /var/tmp
    std::string userDatabase;  // its own /etc/passwd; empty when the user has no entry to copy
    std::string uidMap;        // "<uid> <uid> 1": the same user inside as outside
    std::string gidMap;
    unsigned long atimeFlags = 0; // the private folder's mount's, which a remount must keep
    std::vector<std::string> keptVisible; // what it needs under the folders it loses
};

// Where the private folder is seen inside: every path LibreOffice is given lies under it.
inline const std::filesystem::path kPrivateFolderInside = "/tmp";

// Plans the namespaces for a program whose private folder is `folder` and which needs the files
// and folders `needed`, writing the user's entry to `folder`/passwd. Nothing when the kernel
// refuses them (tried once in a child process): the program then runs in the machine's.
std::optional<PrivateNamespaces> preparePrivateNamespaces(const std::filesystem::path& folder,
                                                         const std::vector<std::filesystem::path>& needed);

// Whether this system lets us make them at all, for the warning a program gives once.
bool privateNamespacesAllowed();

// Enters `namespaces` for the calling process and what it runs from now on. For the child
// between fork and exec: async-signal-safe. Returns 0 or errno.
int enterPrivateNamespaces(const PrivateNamespaces& namespaces) noexcept;

} // namespace plainquill::engine::libreoffice
