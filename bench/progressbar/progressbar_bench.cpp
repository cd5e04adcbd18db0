// What one Value write costs the window during a run: the whole repaint of XP_ProgressBar (every
// style, without and with its text) into its buffer and the copy to the window, at the main
// window's 97 x 17 pixels.
#include "controls/progressbar/xp_progress_bar.h"
#include "platform/host/headless_host.h"

#include <benchmark/benchmark.h>

namespace {

using namespace plainquill;

void ValueWrite(benchmark::State& state)
{
    host::HeadlessHost host(std::make_unique<progressbar::XP_ProgressBar>(), {.size = {97, 17}});
    contracts::PropertyBag stored;
    stored.WriteProperty("Scrolling", std::int64_t{state.range(0)});
    stored.WriteProperty("ShowText", state.range(1) != 0);
    host.load(stored);
    auto& bar = host.controlAs<progressbar::XP_ProgressBar>();
    std::int32_t value = 0;
    for (auto _ : state) {
        bar.SetValue(value);
        value = (value + 7) % 101;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ValueWrite)->ArgsProduct({benchmark::CreateDenseRange(0, 9, 1), {0, 1}})->ArgNames({"style", "text"});

} // namespace
