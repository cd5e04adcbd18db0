#pragma once
// LibreOffice looks itself up in the user database (it names its UNO pipe after the user), so a
// LibreOffice that Landlock confines must still be let read /etc/passwd, and with it every
// account of the machine. Where the kernel lets us make namespaces, LibreOffice gets a user
// database of its own instead: in a private mount namespace, /etc/passwd is a file holding its
// own entry alone. Its user and group ids stay what they are outside, so its pipe keeps the name
// we look for.
#include <filesystem>
#include <optional>
#include <string>

namespace plainquill::engine::libreoffice {

struct PrivateUserDatabase {
    std::string file;   // the entry's file, put where /etc/passwd was
    std::string uidMap; // "<uid> <uid> 1": the same user inside the namespace as outside
    std::string gidMap;
};

// Writes the current user's entry to `folder`/passwd. Nothing when the user has no entry or the
// kernel refuses the namespaces (tried once in a child process): LibreOffice then reads the
// machine's own user database, as it would unconfined.
std::optional<PrivateUserDatabase> preparePrivateUserDatabase(const std::filesystem::path& folder);

// Puts `database` in place for the calling process and what it runs from now on. For the child
// between fork and exec: async-signal-safe. Returns 0 or errno.
int enterPrivateUserDatabase(const PrivateUserDatabase& database) noexcept;

} // namespace plainquill::engine::libreoffice
