// Converts the files named on the command line through the LibreOffice adapter, the way the
// conversion run does: start once, then open, save and close each file. Prints one line per file
// (milliseconds, outcome, file) and a summary, for bench/engine/compare_with_soffice.sh.
#include "engine/libreoffice/libreoffice_launcher.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    using namespace plainquill::engine;
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER FILE...\n", argv[0]);
        return 2;
    }
    const std::filesystem::path outputFolder = argv[1];

    const auto started = Clock::now();
    LibreOfficeLauncher launcher;
    std::unique_ptr<WordProcessor> wordProcessor = launcher.Start();
    if (!wordProcessor) {
        std::fprintf(stderr, "cannot start LibreOffice: %s\n", launcher.lastFailure().c_str());
        return 1;
    }
    std::printf("start\t%.1f\n", millisecondsSince(started));

    int failures = 0;
    for (int i = 2; i < argc; ++i) {
        const std::filesystem::path input = argv[i];
        // Keep the extension in the name: the corpus has raw_text.doc, raw_text.rtf, ...
        const std::filesystem::path output = outputFolder / (input.filename().string() + ".txt");
        const auto fileStarted = Clock::now();
        OpenResult opened = wordProcessor->Open(input);
        SaveResult saved{opened.failure, opened.detail};
        if (opened.document) {
            saved = wordProcessor->SaveAs(*opened.document, output, SaveFormat::Text);
            wordProcessor->Close(std::move(opened.document));
        }
        std::printf("file\t%.1f\t%s\t%s\n", millisecondsSince(fileStarted),
                    saved.ok() ? "ok" : describe(saved.failure).c_str(), input.c_str());
        failures += saved.ok() ? 0 : 1;
    }

    const auto quitting = Clock::now();
    wordProcessor->Quit();
    std::printf("quit\t%.1f\n", millisecondsSince(quitting));
    std::printf("total\t%.1f\n", millisecondsSince(started));
    return failures == 0 ? 0 : 1;
}
