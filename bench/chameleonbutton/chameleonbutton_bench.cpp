// One Redraw of chameleonButton at the window's 89 x 25 pixels, for every look in its up, hover,
// down and disabled state, beside one repaint of the progress bar in its slowest style, so the
// two can be compared in the same run. The XP look also runs with a picture, as the window's
// buttons carry one.
#include "bench/support/progress_bar_repaint.h"
#include "controls/chameleonbutton/chameleon_button.h"
#include "controls/progressbar/xp_progress_bar.h"
#include "platform/host/headless_host.h"

#include <benchmark/benchmark.h>

namespace {

using namespace plainquill;
using chameleon::chameleonButton;

enum State { Up, Hover, Down, Disabled };

contracts::PictureRef smallPicture()
{
    contracts::Bitmap image = contracts::Bitmap::create({16, 16});
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, (x + y) % 5 == 0 ? contracts::kWhite : contracts::rgb(200, 40 + 10 * x, 10 * y));
    return contracts::Picture::fromBitmap(image);
}

void Redraw(benchmark::State& state)
{
    host::HeadlessHost host(std::make_unique<chameleonButton>(), {.name = "chameleonButton1", .size = {89, 25}});
    contracts::PropertyBag stored;
    stored.WriteProperty("BTYPE", std::int64_t{state.range(0)});
    stored.WriteProperty("TX", std::string("Remove All"));
    stored.WriteProperty("MCOL", contracts::ColourValue{contracts::kWhite});
    if (state.range(2) != 0)
        stored.WriteProperty("PICN", smallPicture());
    host.load(stored);
    auto& button = host.controlAs<chameleonButton>();
    const int look = static_cast<int>(state.range(1));
    if (look == Hover)
        host.moveMouse({44, 12});
    if (look == Disabled)
        button.SetEnabled(false);
    const int drawn = look == Down ? chameleon::Down : chameleon::Up;
    for (auto _ : state) {
        button.Redraw(drawn, true);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Redraw)
    ->ArgsProduct({benchmark::CreateDenseRange(1, 14, 1), {Up, Hover, Down, Disabled}, {0}})
    ->Args({3, Up, 1})
    ->Args({3, Hover, 1})
    ->Args({3, Down, 1})
    ->Args({3, Disabled, 1})
    ->ArgNames({"type", "state", "picture"});

// The progress bar's slowest style with its text, the yardstick of the goal above.
void ProgressBarRepaint(benchmark::State& state)
{
    bench::repaintProgressBar(state, state.range(0), true);
}
BENCHMARK(ProgressBarRepaint)->DenseRange(0, 9, 1)->ArgName("style");

} // namespace
