#pragma once
// Settings written into our private LibreOffice profile before LibreOffice first reads it.
#include <filesystem>

namespace plainquill::engine::libreoffice {

// Turns off LibreOffice's ".~lock.<name>#" files. LibreOffice makes one beside every file it
// stores and removes it afterwards; when we must kill it mid-save the lock file would stay in the
// user's output folder. Our documents are read-only and our outputs are private temporary files,
// so there is nothing for a lock to protect.
//
// Shuts LibreOffice off from the network. A document that names an image, a style sheet, a
// template or a linked object on a web server would otherwise make it fetch that address: the
// document could tell its author who converted it, and when, or probe the user's private network.
// The content providers for remote addresses are removed, linked images from untrusted documents
// are blocked, and links are never updated. Throws std::filesystem::filesystem_error.
void writeProfileSettings(const std::filesystem::path& profile);

} // namespace plainquill::engine::libreoffice
