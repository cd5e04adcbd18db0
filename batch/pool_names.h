#pragma once
// The engine's worker pool, under the names the batch command's files use.
#include "engine/worker_pool.h"

namespace plainquill::batch {

using engine::InterruptibleLauncher;
using engine::ItemResult;
using engine::LauncherFactory;
using engine::Status;
using engine::WorkerPool;
using engine::WorkerTimes;

} // namespace plainquill::batch
