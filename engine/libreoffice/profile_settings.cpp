#include "engine/libreoffice/profile_settings.h"

#include <fstream>

namespace plainquill::engine::libreoffice {

void writeProfileSettings(const std::filesystem::path& profile)
{
    const std::filesystem::path user = profile / "user";
    std::filesystem::create_directories(user);
    std::ofstream settings(user / "registrymodifications.xcu", std::ios::trunc);
    settings << R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="UseLocking" oor:op="fuse"><value>false</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Security/Scripting">
  <prop oor:name="BlockUntrustedRefererLinks" oor:op="fuse"><value>true</value></prop></item>
<item oor:path="/org.openoffice.Office.Writer/Content/Update">
  <prop oor:name="Link" oor:op="fuse"><value>0</value></prop></item>
)";
    // Without these content providers LibreOffice has no way to open an http, https, WebDAV, FTP
    // or CMIS address at all: whatever a document names, it can only fail to load it.
    constexpr const char* providers =
        "/org.openoffice.ucb.Configuration/ContentProviders/Local/SecondaryKeys/Office/ProviderData";
    for (const char* provider : {"Provider3", "Provider4", "Provider4a", "Provider12", "Provider12a",
                                 "Provider12b", "Provider6", "Provider43"}) {
        settings << "<item oor:path=\"" << providers << "\"><node oor:name=\"" << provider
                 << "\" oor:op=\"remove\"/></item>\n";
    }
    settings << "</oor:items>\n";
    if (!settings)
        throw std::filesystem::filesystem_error("cannot write LibreOffice's settings", user,
                                                std::make_error_code(std::errc::io_error));
}

} // namespace plainquill::engine::libreoffice
