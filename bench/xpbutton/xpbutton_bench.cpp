// What one state change costs: XpB redraws its whole face (Refresh) at the Help button's
// 89 x 25 pixels, for every look in each state, next to the progress bar's repaint at its own
// size in the same run, so the two can be compared on one machine under one load.
#include "bench/support/progress_bar_repaint.h"
#include "controls/progressbar/xp_progress_bar.h"
#include "controls/xpbutton/xp_button.h"
#include "platform/host/headless_host.h"

#include <benchmark/benchmark.h>

namespace {

using namespace plainquill;
using contracts::MOUSE_LEFT;

enum State { Normal, Hover, Pressed, Focused, Disabled };

void Refresh(benchmark::State& state)
{
    host::HeadlessHost host(std::make_unique<xpbutton::XpB>(), {.name = "XpB1", .size = {89, 25}});
    contracts::PropertyBag stored;
    stored.WriteProperty("ButtonStyle", std::int64_t{state.range(0)});
    stored.WriteProperty("Caption", std::string("Help"));
    contracts::Bitmap picture = contracts::Bitmap::create({12, 18});
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 12; ++x)
            picture.setPixel(x, y, (x + y) % 3 ? contracts::rgb(52, 110, 220) : contracts::kBlack);
    stored.WriteProperty("Picture", contracts::Picture::fromBitmap(picture));
    for (const char* key : {"PictureWidth", "OriginalPicSizeW"})
        stored.WriteProperty(key, std::int64_t{12});
    for (const char* key : {"PictureHeight", "OriginalPicSizeH"})
        stored.WriteProperty(key, std::int64_t{18});
    host.load(stored);
    auto& button = host.controlAs<xpbutton::XpB>();
    const contracts::Point middle{44, 12};
    switch (state.range(1)) {
    case Hover:
        host.moveMouse(middle);
        break;
    case Pressed:
        host.press(MOUSE_LEFT, middle);
        break;
    case Focused:
        host.giveFocus();
        break;
    case Disabled:
        button.SetEnabled(false);
        break;
    default:
        break;
    }
    for (auto _ : state) {
        button.Refresh();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Refresh)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 4, 1), benchmark::CreateDenseRange(Normal, Disabled, 1)})
    ->ArgNames({"style", "state"});

// The progress bar's repaint, every style, as its own benchmark measures it.
void ProgressBarValueWrite(benchmark::State& state)
{
    bench::repaintProgressBar(state, state.range(0), false);
}
BENCHMARK(ProgressBarValueWrite)->DenseRange(0, 9, 1)->ArgName("style");

} // namespace
