// What one repaint of isButton costs at the Start button's 89 x 25 pixels, per look and state,
// beside the progress bar's repaint in the same run (its slowest style is the yardstick).
#include "bench/support/progress_bar_repaint.h"
#include "controls/isbutton/is_button.h"
#include "controls/progressbar/xp_progress_bar.h"
#include "platform/host/headless_host.h"

#include <benchmark/benchmark.h>

namespace {

using namespace plainquill;

// 0 normal, 1 hot, 2 pressed, 3 disabled, 4 focused.
void bringInto(host::HeadlessHost& host, isbutton::isButton& button, int state)
{
    const contracts::Point middle{44, 12};
    switch (state) {
    case 1:
        host.moveMouse(middle);
        break;
    case 2:
        host.moveMouse(middle);
        host.press(contracts::MOUSE_LEFT, middle);
        break;
    case 3:
        button.SetEnabled(false);
        break;
    case 4:
        host.giveFocus();
        break;
    default:
        break;
    }
}

void IsButtonRepaint(benchmark::State& state)
{
    host::HeadlessHost host(std::make_unique<isbutton::isButton>(), {.name = "isButton1", .size = {89, 25}});
    contracts::PropertyBag stored;
    stored.WriteProperty("Style", std::int64_t{state.range(0)});
    stored.WriteProperty("Caption", std::string("Start"));
    host.load(stored);
    auto& button = host.controlAs<isbutton::isButton>();
    if (button.Style() != state.range(0))
        state.SkipWithError("the look fell back to another (no theme?)");
    bringInto(host, button, static_cast<int>(state.range(1)));
    for (auto _ : state) {
        button.Refresh();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(IsButtonRepaint)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 10, 1), benchmark::CreateDenseRange(0, 4, 1)})
    ->ArgNames({"style", "state"});

void ProgressBarRepaint(benchmark::State& state)
{
    bench::repaintProgressBar(state, state.range(0), true);
}
BENCHMARK(ProgressBarRepaint)->DenseRange(0, 9, 1)->ArgName("style");

} // namespace
