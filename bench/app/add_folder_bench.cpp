// Adding a large folder tree to the queue, beside a plain recursive listing with stat of the same
// tree. Each measurement runs in its own child process so its peak memory is its own.
//
//   add_folder_bench [files=40000] [work folder=/tmp]
//   add_folder_bench --add-only FOLDER     one add in this process, for a profiler
#include "app/window/drawn_controls.h"
#include "app/window/form1.h"
#include "app/window/window_control_factory.h"
#include "engine/libreoffice/interruptible_libreoffice.h"
#include "engine/standby_workers.h"
#include "tests/support/fake_shell.h"
#include "tests/support/fake_word_processor.h"

#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// 40 top folders of 10 sub-folders each; files spread evenly, a fifth of them refused endings.
void makeTree(const fs::path& root, int acceptedFiles)
{
    const char* endings[] = {".doc", ".docx", ".rtf", ".html"};
    const int folders = 400;
    int made = 0;
    for (int f = 0; made < acceptedFiles; f = (f + 1) % folders) {
        const fs::path folder = root / ("top" + std::to_string(f / 10)) / ("sub" + std::to_string(f % 10));
        fs::create_directories(folder);
        const std::string stem = "document " + std::to_string(made);
        std::ofstream(folder / (stem + endings[made % 4])) << "x";
        if (made % 4 == 0)
            std::ofstream(folder / (stem + ".txt")) << "x";
        ++made;
    }
}

struct Timed {
    long result;
    double seconds;
};

double since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

Timed plainListing(const fs::path& root)
{
    const auto start = Clock::now();
    long files = 0;
    struct stat info {};
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (::stat(entry.path().c_str(), &info) == 0 && S_ISREG(info.st_mode))
            ++files;
    return {files, since(start)};
}

// Only the add is timed: starting Qt and building the window come before it. With `startAhead`
// the add starts a LibreOffice in the background, as the program does once documents are queued.
Timed addThroughTheWindow(const fs::path& root, bool startAhead = false)
{
    int argc = 1;
    char name[] = "add_folder_bench";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    plainquill::testing::FakeShell shell;
    plainquill::WindowControlFactory controls;
    plainquill::testing::FakeLauncher wordProcessor;
    plainquill::engine::StandbyWorkers standby(
        [] { return std::make_unique<plainquill::engine::InterruptibleLibreOffice>(); });
    plainquill::Form1 form({shell, controls, wordProcessor.factory(), QString(), {}, {}, 1, [&] {
                                if (startAhead)
                                    standby.warmUp(1);
                            }});
    form.control<QRadioButton>("Option2")->click();
    form.control<QCheckBox>("Check2")->setChecked(true);
    shell.chosenFolders = {QString::fromStdString(root.string())};
    const auto start = Clock::now();
    form.Browse_Click();
    return {long(form.queue().length()), since(start)};
}

struct Measured {
    long result;
    double seconds;
    long peakKiB;
};

// Runs `work` in a child process; the child reports its count and time through a pipe.
Measured inChild(const std::function<Timed()>& work)
{
    int ends[2];
    if (::pipe(ends) != 0)
        return {-1, 0, 0};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ends[0]);
        const Timed timed = work();
        const Measured m{timed.result, timed.seconds, 0};
        const bool ok = ::write(ends[1], &m, sizeof m) == sizeof m;
        ::_exit(ok ? 0 : 1);
    }
    ::close(ends[1]);
    Measured m{-1, 0, 0};
    if (::read(ends[0], &m, sizeof m) != sizeof m)
        m.result = -1;
    ::close(ends[0]);
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    m.peakKiB = usage.ru_maxrss;
    return m;
}

} // namespace

int main(int argc, char* argv[])
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc == 3 && std::string(argv[1]) == "--add-only")
        return addThroughTheWindow(argv[2]).result > 0 ? 0 : 1;
    const int total = argc > 1 ? std::stoi(argv[1]) : 40000;
    const fs::path work = fs::path(argc > 2 ? argv[2] : "/tmp") / "plainquill-add-bench";

    std::printf("%8s %10s %12s %10s %12s %8s %14s\n", "files", "list s", "list KiB", "add s", "add KiB", "ratio",
                "add+LO ahead s");
    for (int files : {total / 4, total / 2, total}) {
        fs::remove_all(work);
        makeTree(work, files);
        plainListing(work); // warm the cache so both measure the same thing
        const Measured list = inChild([&] { return plainListing(work); });
        const Measured add = inChild([&] { return addThroughTheWindow(work); });
        const Measured ahead = inChild([&] { return addThroughTheWindow(work, true); });
        std::printf("%8ld %10.3f %12ld %10.3f %12ld %8.2f %14.3f\n", add.result, list.seconds, list.peakKiB,
                    add.seconds, add.peakKiB, add.seconds / list.seconds, ahead.seconds);
        if (add.result != files) {
            std::fprintf(stderr, "queued %ld of %d files\n", add.result, files);
            return 1;
        }
    }
    fs::remove_all(work);
    return 0;
}
