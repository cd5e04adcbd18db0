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

double milliseconds_since(Clock::time_point start)
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
    const std::filesystem::path output_folder = argv[1];

    const auto started = Clock::now();
    LibreOfficeLauncher launcher;
    std::unique_ptr<WordProcessor> word_processor = launcher.Start();
    if (!word_processor) {
        std::fprintf(stderr, "cannot start LibreOffice: %s\n", launcher.last_failure().c_str());
        return 1;
    }
    std::printf("start\t%.1f\n", milliseconds_since(started));

    int failures = 0;
    for (int i = 2; i < argc; ++i) {
        const std::filesystem::path input = argv[i];
        // Keep the extension in the name: the corpus has raw_text.doc, raw_text.rtf, ...
        const std::filesystem::path output = output_folder / (input.filename().string() + ".txt");
        const auto file_started = Clock::now();
        OpenResult opened = word_processor->Open(input);
        SaveResult saved{opened.failure, opened.detail};
        if (opened.document) {
            saved = word_processor->SaveAs(*opened.document, output, SaveFormat::Text);
            word_processor->Close(std::move(opened.document));
        }
        std::printf("file\t%.1f\t%s\t%s\n", milliseconds_since(file_started),
                    saved.ok() ? "ok" : describe(saved.failure).c_str(), input.c_str());
        failures += saved.ok() ? 0 : 1;
    }

    const auto quitting = Clock::now();
    word_processor->Quit();
    std::printf("quit\t%.1f\n", milliseconds_since(quitting));
    std::printf("total\t%.1f\n", milliseconds_since(started));
    return failures == 0 ? 0 : 1;
}
