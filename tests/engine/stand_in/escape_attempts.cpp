// Started in LibreOffice's place, confined as LibreOffice is, this program plays code that took
// LibreOffice over through a document: it tries each way out of the confinement and reports, a
// line each, whether the way was open. Arguments are name=value pairs naming the targets.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

namespace {

std::map<std::string, std::string> targets(int argc, char** argv)
{
    std::map<std::string, std::string> named;
    for (int index = 1; index < argc; ++index) {
        const std::string argument = argv[index];
        const auto equals = argument.find('=');
        if (equals != std::string::npos)
            named[argument.substr(0, equals)] = argument.substr(equals + 1);
    }
    return named;
}

// Whether `program` ran and succeeded with the arguments `first` and `second`.
bool runs(const char* program, const char* first, const char* second = nullptr)
{
    const pid_t child = ::fork();
    if (child == 0) {
        char* const argv[] = {const_cast<char*>(program), const_cast<char*>(first), const_cast<char*>(second), nullptr};
        char* const environment[] = {nullptr};
        ::execve(program, argv, environment);
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool copies(const std::string& from, const std::string& to)
{
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    out << in.rdbuf();
    out.close();
    return in && out && ::chmod(to.c_str(), 0755) == 0;
}

bool mapsToRun(const std::string& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    void* mapped = ::mmap(nullptr, 4096, PROT_READ | PROT_EXEC, MAP_PRIVATE, fd, 0);
    ::close(fd);
    return mapped != MAP_FAILED;
}

bool connectsUnix(const std::string& path, bool abstract)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + (abstract ? 1 : 0), path.data(), path.size());
    const socklen_t size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() + (abstract ? 1 : 0));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), size) == 0;
    ::close(fd);
    return connected;
}

sockaddr_in loopback(const std::string& port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(std::atoi(port.c_str())));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

bool sendsUdp(const std::string& port)
{
    const sockaddr_in address = loopback(port);
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    const bool sent = fd >= 0 && ::sendto(fd, "out", 3, 0, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 3;
    ::close(fd);
    return sent;
}

bool connectsTcp(const std::string& port)
{
    const sockaddr_in address = loopback(port);
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const bool connected = fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

std::string userEntry()
{
    const passwd* entry = ::getpwuid(::getuid());
    if (entry == nullptr)
        return "none";
    int entries = 0;
    ::setpwent();
    while (::getpwent() != nullptr)
        ++entries;
    ::endpwent();
    return std::string(entry->pw_name) + ":" + entry->pw_gecos + ":" + entry->pw_dir + ":" + entry->pw_shell + " of "
         + std::to_string(entries);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "succeed") == 0)
        return 0;
    auto named = targets(argc, argv);
    std::ofstream report(named["report"]);
    const auto say = [&report](const char* way, bool open) { report << way << ": " << (open ? "open" : "closed") << '\n'; };

    const std::string written = named["own-folder"] + "/run-me";
    const bool copied = copies(argv[0], written);
    say("run the shell", runs("/bin/sh", "-c", "exit 0"));
    say("run a file it wrote", copied && runs(written.c_str(), "succeed"));
    say("map a file it wrote to run", copied && mapsToRun(written));
    say("delete in /tmp", ::unlink(named["tmp-victim"].c_str()) == 0);
    say("delete in /var/tmp", ::unlink(named["var-tmp-victim"].c_str()) == 0);
    say("connect to a socket in /tmp", connectsUnix(named["socket"], false));
    say("connect to an abstract socket", connectsUnix(named["abstract"], true));
    say("send UDP to the loopback", sendsUdp(named["udp"]));
    say("connect over TCP to the loopback", connectsTcp(named["tcp"]));
    say("signal a process outside", ::kill(std::atoi(named["signal"].c_str()), 0) == 0);
    report << "user: " << userEntry() << '\n';
    return report ? 0 : 1;
}
