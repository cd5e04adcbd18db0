#include "app/adapters/libreoffice/profile_settings.h"

#include <fstream>

namespace plainquill::adapters::libreoffice {

void write_profile_settings(const std::filesystem::path& profile)
{
    const std::filesystem::path user = profile / "user";
    std::filesystem::create_directories(user);
    std::ofstream settings(user / "registrymodifications.xcu", std::ios::trunc);
    settings << R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="UseLocking" oor:op="fuse"><value>false</value></prop></item>
</oor:items>
)";
    if (!settings)
        throw std::filesystem::filesystem_error("cannot write LibreOffice's settings", user,
                                                std::make_error_code(std::errc::io_error));
}

} // namespace plainquill::adapters::libreoffice
