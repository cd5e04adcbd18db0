// plainquill-batch: converts documents to plain text from the command line, with LibreOffice
// workers side by side.
#include "batch/batch_command.h"
#include "batch/batch_options.h"
#include "batch/libreoffice_workers.h"
#include "batch/shard_report.h"
#include "engine/libreoffice/confinement.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

int main(int argc, char* argv[])
{
    using namespace plainquill::batch;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedArguments parsed = parseArguments(arguments, int(std::thread::hardware_concurrency()));
    switch (parsed.action) {
    case Action::Help:
        std::fputs(helpText("plainquill-batch").c_str(), stdout);
        return kAllConverted;
    case Action::Version:
        std::fputs(versionText().c_str(), stdout);
        return kAllConverted;
    case Action::ListFormats:
        std::fputs(formatsText().c_str(), stdout);
        return kAllConverted;
    case Action::UsageError:
        std::fprintf(stderr, "plainquill-batch: %s\nTry 'plainquill-batch --help' for more information.\n",
                     parsed.error.c_str());
        return kUsageError;
    case Action::MergeReports:
        return mergeReportFiles(parsed.options.mergedReport, parsed.options.shardReports, stderr);
    case Action::Run:
        break;
    }
    namespace lo = plainquill::engine::libreoffice;
    if (const std::string warning = lo::confinementWarning(lo::confinementFeatures()); !warning.empty())
        std::fprintf(stderr, "plainquill-batch: warning: %s\n", warning.c_str());
    winsize size{};
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    if (terminal)
        ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size);
    return runBatch(parsed.options, {stdout, stderr, terminal, int(size.ws_col)},
                    libreOfficeWorkers(parsed.options.libreOffice, parsed.options.textParts));
}
