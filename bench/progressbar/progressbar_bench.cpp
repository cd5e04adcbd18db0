// What one Value write costs the window during a run: the whole repaint of XP_ProgressBar (every
// style, without and with its text) into its buffer and the copy to the window, at the main
// window's 97 x 17 pixels.
#include "bench/support/progress_bar_repaint.h"
#include "controls/progressbar/xp_progress_bar.h"
#include "platform/host/headless_host.h"

#include <benchmark/benchmark.h>

namespace {

using namespace plainquill;

void ValueWrite(benchmark::State& state)
{
    bench::repaintProgressBar(state, state.range(0), state.range(1) != 0);
}
BENCHMARK(ValueWrite)->ArgsProduct({benchmark::CreateDenseRange(0, 9, 1), {0, 1}})->ArgNames({"style", "text"});

} // namespace
