// The memory one LibreOffice started ahead of a run holds while it waits: the resident set (RSS)
// and the proportional share (PSS, shared pages divided among their users) of each of its
// processes, once it has settled.
// Usage: standby_memory [SETTLE_SECONDS]   (default 5)
#include "engine/libreoffice/interruptible_libreoffice.h"
#include "engine/standby_workers.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace plainquill::engine;

std::string fileText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The number after `key` in a /proc file of "Key:   123 kB" lines, in kB; 0 when absent.
long kilobytes(const std::string& text, const std::string& key)
{
    const auto at = text.find("\n" + key + ":");
    return at == std::string::npos ? 0 : std::strtol(text.c_str() + at + key.size() + 2, nullptr, 10);
}

void printProcessesOf(const fs::path& scratch)
{
    long rss = 0, pss = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string cmdline = fileText(entry.path() / "cmdline");
        if (cmdline.find(scratch.string()) == std::string::npos)
            continue;
        const long processRss = kilobytes("\n" + fileText(entry.path() / "status"), "VmRSS");
        const long processPss = kilobytes("\n" + fileText(entry.path() / "smaps_rollup"), "Pss");
        std::printf("  pid %-8s RSS %6.1f MB  PSS %6.1f MB  %s\n", entry.path().filename().c_str(),
                    processRss / 1024.0, processPss / 1024.0, cmdline.substr(0, cmdline.find('\0')).c_str());
        rss += processRss;
        pss += processPss;
    }
    std::printf("waiting LibreOffice: RSS %.1f MB, PSS %.1f MB\n", rss / 1024.0, pss / 1024.0);
}

} // namespace

int main(int argc, char* argv[])
{
    const int settle = argc > 1 ? std::atoi(argv[1]) : 5;
    char pattern[] = "/tmp/plainquill-standby-memory-XXXXXX";
    const fs::path scratch = ::mkdtemp(pattern);
    {
        StandbyWorkers standby([&] {
            LibreOfficeOptions options;
            options.scratchParent = scratch;
            return std::make_unique<InterruptibleLibreOffice>(std::move(options));
        });
        standby.warmUp();
        for (int tenths = 0; standby.ready() == 0; ++tenths) {
            if (tenths > 1200) {
                std::fprintf(stderr, "LibreOffice did not start within two minutes\n");
                return 1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        std::this_thread::sleep_for(std::chrono::seconds(settle));
        printProcessesOf(scratch);
    }
    fs::remove_all(scratch);
    return 0;
}
