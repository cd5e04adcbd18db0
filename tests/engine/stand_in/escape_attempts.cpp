// Started in LibreOffice's place, confined as LibreOffice is, this program plays code that took
// LibreOffice over through a document: it tries each way out and reports, a line each, whether
// the way was open. Its arguments, in order: the report file, its own folder as it sees it, a file
// in /tmp and one in /var/tmp to delete, a unix socket's path, an abstract socket's name, a UDP and
// a TCP port on the loopback, and a process to signal.
#include <arpa/inet.h>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

// Whether `program` ran and succeeded with the arguments given.
bool runs(const char* program, const char* first, const char* second = nullptr)
{
    const pid_t child = ::fork();
    if (child == 0) {
        char* const argv[] = {const_cast<char*>(program), const_cast<char*>(first), const_cast<char*>(second), nullptr};
        ::execve(program, argv, environ);
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool mapsToRun(const std::string& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    const bool mapped = fd >= 0 && ::mmap(nullptr, 4096, PROT_READ | PROT_EXEC, MAP_PRIVATE, fd, 0) != MAP_FAILED;
    ::close(fd);
    return mapped;
}

// Whether a socket reaches `address`: connects to it, or for a datagram, sends it one.
template <class Address>
bool reaches(int type, const Address& address, socklen_t size)
{
    const int fd = ::socket(reinterpret_cast<const sockaddr&>(address).sa_family, type, 0);
    const auto* to = reinterpret_cast<const sockaddr*>(&address);
    const bool reached = fd >= 0 && (type == SOCK_DGRAM ? ::sendto(fd, "x", 1, 0, to, size) == 1 : ::connect(fd, to, size) == 0);
    ::close(fd);
    return reached;
}

bool reachesUnix(const std::string& name, bool abstract)
{
    sockaddr_un address{AF_UNIX, {}};
    std::memcpy(address.sun_path + (abstract ? 1 : 0), name.data(), name.size());
    return reaches(SOCK_STREAM, address, socklen_t(offsetof(sockaddr_un, sun_path) + name.size() + (abstract ? 1 : 0)));
}

bool reachesLoopback(int type, const char* port)
{
    const sockaddr_in address{AF_INET, htons(uint16_t(std::atoi(port))), {htonl(INADDR_LOOPBACK)}, {}};
    return reaches(type, address, sizeof address);
}

// The user's entry, and how many entries the user database holds.
std::string userEntry()
{
    const passwd* entry = ::getpwuid(::getuid());
    if (entry == nullptr)
        return "none";
    const std::string found = std::string(entry->pw_name) + ":" + entry->pw_gecos + ":" + entry->pw_dir + ":" + entry->pw_shell;
    int entries = 0;
    for (::setpwent(); ::getpwent() != nullptr;)
        ++entries;
    return found + " of " + std::to_string(entries);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "succeed") == 0)
        return 0;
    if (argc != 10)
        return 2;
    std::ofstream report(argv[1]);
    const auto say = [&report](const char* way, bool open) { report << way << ": " << (open ? "open" : "closed") << '\n'; };
    const std::string written = std::string(argv[2]) + "/run-me";
    {
        std::ifstream self(argv[0], std::ios::binary);
        std::ofstream(written, std::ios::binary) << self.rdbuf();
        ::chmod(written.c_str(), 0755);
    }
    say("run the shell", runs("/bin/sh", "-c", "exit 0"));
    say("run a file it wrote", runs(written.c_str(), "succeed"));
    say("map a file it wrote to run", mapsToRun(written));
    say("delete in /tmp", ::unlink(argv[3]) == 0);
    say("delete in /var/tmp", ::unlink(argv[4]) == 0);
    say("connect to a socket in /tmp", reachesUnix(argv[5], false));
    say("connect to an abstract socket", reachesUnix(argv[6], true));
    say("send UDP to the loopback", reachesLoopback(SOCK_DGRAM, argv[7]));
    say("connect over TCP to the loopback", reachesLoopback(SOCK_STREAM, argv[8]));
    say("signal a process outside", ::kill(std::atoi(argv[9]), 0) == 0);
    report << "user: " << userEntry() << '\n';
    return report ? 0 : 1;
}
