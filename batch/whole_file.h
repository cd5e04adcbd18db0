#pragma once
// The files the batch command reads back whole: queue files, shard reports, manifests.
#include <filesystem>
#include <optional>
#include <string>

namespace plainquill::batch {

// The bytes of `file`; nothing when it cannot be read, a folder among such.
std::optional<std::string> readWholeFile(const std::filesystem::path& file);

} // namespace plainquill::batch
