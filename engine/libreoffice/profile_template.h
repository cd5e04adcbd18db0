#pragma once
// A copy of a profile LibreOffice has already set up, kept between runs. LibreOffice spends a
// sixth of a second filling an empty profile on every start; a private profile seeded from this
// copy starts as fast as a user's warm one, and stays private and temporary all the same.
#include <filesystem>

namespace plainquill::engine::libreoffice {

// "$XDG_CACHE_HOME/plainquill/libreoffice-profile" (or ~/.cache/...), keyed by the LibreOffice
// program's modification time so that an upgraded LibreOffice sets up a profile of its own.
// Empty when there is no home or cache folder.
std::filesystem::path defaultProfileTemplate(const std::filesystem::path& program);

// Copies the template, if there is one, into the still empty `profile`. Any failure leaves
// `profile` empty, and LibreOffice then sets it up itself.
void seedProfile(const std::filesystem::path& profile, const std::filesystem::path& templateFolder);

// Keeps `profile`, which a LibreOffice has just left by quitting normally, as the template, unless
// there is one already. Another instance doing the same at once is harmless: the copy is made
// aside and renamed into place, and the loser's copy is removed. Failures are ignored.
void keepAsTemplate(const std::filesystem::path& profile, const std::filesystem::path& templateFolder);

} // namespace plainquill::engine::libreoffice
