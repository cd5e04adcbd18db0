// Per-call costs of the raster operations a control paint is made of, on a 100 x 30 surface
// (the size of the program's buttons and progress bar). Those with an argument run at 1 and at 2
// device pixels per pixel (a 200 % screen: the device layer drawn as well).
#include "platform/raster/raster_graphics.h"
#include "platform/raster/raster_surface.h"
#include "platform/raster/xp_system_colours.h"

#include <benchmark/benchmark.h>

namespace {

using namespace plainquill::contracts;
using plainquill::raster::RasterGraphics;
using plainquill::raster::RasterSurface;
using plainquill::raster::xpSystemColours;

constexpr Size kSize{100, 30};

struct Setup {
    explicit Setup(int scale = 1) : surface(graphics, kSize, scale) {}
    RasterGraphics graphics{xpSystemColours()};
    RasterSurface surface;
    Dc& dc() { return surface.dc(); }
};

void FillRect100x30(benchmark::State& state)
{
    Setup s(static_cast<int>(state.range(0)));
    const Brush brush = Brush::solid(0x00D8E9EC);
    for (auto _ : state) {
        s.dc().fillRect({0, 0, 100, 30}, brush);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(FillRect100x30)->Arg(1)->Arg(2);

// A vertical gradient as the skins draw it: one pen per row, 30 rows of 100 pixels.
void Gradient30Lines(benchmark::State& state)
{
    Setup s;
    for (auto _ : state) {
        for (int y = 0; y < 30; ++y) {
            const Pen old = s.dc().selectPen(Pen::solid(rgb(255 - y, 240 - y, 200)));
            s.dc().moveTo({0, y});
            s.dc().lineTo({100, y});
            s.dc().selectPen(old);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Gradient30Lines);

void DiagonalLine(benchmark::State& state)
{
    Setup s;
    s.dc().selectPen(Pen::solid(0x000080));
    for (auto _ : state) {
        s.dc().moveTo({0, 0});
        s.dc().lineTo({99, 29});
        benchmark::ClobberMemory();
    }
}
BENCHMARK(DiagonalLine);

// A caption drawn the way the buttons draw it, every paint (the rendered line is cached).
void DrawTextCaption(benchmark::State& state)
{
    Setup s(static_cast<int>(state.range(0)));
    s.dc().selectFont({"DejaVu Sans", 8.25});
    s.dc().setBkMode(TRANSPARENT);
    for (auto _ : state) {
        Rect r{0, 0, 100, 30};
        benchmark::DoNotOptimize(s.dc().drawText("Remove All", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE));
    }
}
BENCHMARK(DrawTextCaption)->Arg(1)->Arg(2);

void DrawTextMeasureWordBreak(benchmark::State& state)
{
    Setup s;
    s.dc().selectFont({"DejaVu Sans", 8.25});
    for (auto _ : state) {
        Rect r{4, 4, 96, 26};
        benchmark::DoNotOptimize(s.dc().drawText("Browse for files...", r, DT_CALCRECT | DT_WORDBREAK));
    }
}
BENCHMARK(DrawTextMeasureWordBreak);

// The first drawing of a caption: font set-up and glyph rendering through Qt.
void DrawTextFirstTime(benchmark::State& state)
{
    for (auto _ : state) {
        Setup s;
        s.dc().selectFont({"DejaVu Sans", 8.25});
        Rect r{0, 0, 100, 30};
        benchmark::DoNotOptimize(s.dc().drawText("Remove All", r, DT_CENTER | DT_SINGLELINE));
    }
}
BENCHMARK(DrawTextFirstTime);

void BitBltCopy100x30(benchmark::State& state)
{
    Setup s(static_cast<int>(state.range(0)));
    auto memory = s.dc().createCompatibleDc();
    memory->selectBitmap(s.dc().createCompatibleBitmap(kSize));
    for (auto _ : state) {
        s.dc().bitBlt(0, 0, 100, 30, memory.get(), 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BitBltCopy100x30)->Arg(1)->Arg(2);

void BitBltInvert100x30(benchmark::State& state)
{
    Setup s(static_cast<int>(state.range(0)));
    auto memory = s.dc().createCompatibleDc();
    memory->selectBitmap(s.dc().createCompatibleBitmap(kSize));
    for (auto _ : state) {
        s.dc().bitBlt(0, 0, 100, 30, memory.get(), 0, 0, SRCINVERT);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BitBltInvert100x30)->Arg(1)->Arg(2);

void DrawEdgeRaised(benchmark::State& state)
{
    Setup s;
    for (auto _ : state) {
        Rect r{0, 0, 100, 30};
        s.dc().drawEdge(r, EDGE_RAISED, BF_RECT);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(DrawEdgeRaised);

} // namespace
