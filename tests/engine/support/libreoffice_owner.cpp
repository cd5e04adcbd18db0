// Owns a LibreOffice and converts one document over and over until it is killed.
// Usage: libreoffice_owner <scratch parent> <document> <output folder>; prints the private folder,
// then "converting" before each round.
#include "engine/libreoffice/libreoffice_launcher.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv)
{
    using namespace plainquill::engine;
    if (argc != 4)
        return 2;
    LibreOfficeOptions options;
    options.scratchParent = argv[1];
    LibreOfficeLauncher launcher(options);
    auto libreoffice = launcher.StartLibreOffice();
    if (!libreoffice)
        return 1;
    std::printf("%s\n", libreoffice->privateFolder().c_str());
    for (;;) {
        std::printf("converting\n");
        std::fflush(stdout);
        OpenResult opened = libreoffice->Open(argv[2]);
        if (!opened.document)
            return 1;
        libreoffice->SaveAs(*opened.document, std::filesystem::path(argv[3]) / "out.txt", SaveFormat::Text);
        libreoffice->Close(std::move(opened.document));
    }
}
