#pragma once
// One repaint of the progress bar at the window's size, the yardstick the button benchmarks are
// measured against: each value write repaints the bar.
#include "controls/progressbar/xp_progress_bar.h"
#include "platform/host/headless_host.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

namespace plainquill::bench {

inline void repaintProgressBar(benchmark::State& state, std::int64_t style, bool showText)
{
    host::HeadlessHost host(std::make_unique<progressbar::XP_ProgressBar>(), {.size = {97, 17}});
    contracts::PropertyBag stored;
    stored.WriteProperty("Scrolling", style);
    stored.WriteProperty("ShowText", showText);
    host.load(stored);
    auto& bar = host.controlAs<progressbar::XP_ProgressBar>();
    std::int32_t value = 0;
    for (auto _ : state) {
        bar.SetValue(value);
        value = (value + 7) % 101;
        benchmark::ClobberMemory();
    }
}

} // namespace plainquill::bench
