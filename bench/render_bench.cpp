// Cost of showing one frame the way every edit and every playback step does: wipe the surface
// back to the field picture, then draw the frame. Compared with the wipe alone; and the same
// frame shown zoomed, drawn again at the view's resolution, against 100 % in the same run.
#include "model/playconfig.h"
#include "surface/framelooks.h"
#include "surface/framerenderer.h"
#include "surface/scaledview.h"
#include "surface/surface.h"
#include "surface/zoom.h"

#include <benchmark/benchmark.h>

#include <QPainter>

#include <cmath>

namespace {

using namespace kinetra;

QImage fieldPicture(int density = 1)
{
    QImage field(400 * density, 373 * density, QImage::Format_RGB32);
    QPainter painter(&field);
    painter.scale(density, density);
    QLinearGradient grass(0, 0, 400, 373);
    grass.setColorAt(0, QColor(40, 120, 40));
    grass.setColorAt(1, QColor(70, 160, 60));
    painter.fillRect(field.rect(), grass);
    painter.setBrush(QColor(180, 130, 80));
    painter.drawPolygon(QPolygon({QPoint(200, 180), QPoint(300, 270), QPoint(200, 360),
                                  QPoint(100, 270)}));
    return field;
}

QImage symbolPicture(int k, int density = 1)
{
    QImage symbol(24 * density, 24 * density, QImage::Format_RGB32);
    symbol.fill(Qt::white);
    QPainter painter(&symbol);
    painter.scale(density, density);
    painter.setBrush(QColor::fromHsv(k * 45, 255, 200));
    painter.drawEllipse(3, 3, 18, 18);
    return symbol;
}

FrameLooks fullLooks()
{
    FrameLooks looks;
    looks.PlayerSize = {15, 15};
    looks.PlayerShape = {1, 3};
    looks.PlayerBcolr = {Qt::black, Qt::black};
    looks.PlayerFcolr = {QColor(255, 255, 0), Qt::white};
    looks.PlayerTcolr = {Qt::blue, Qt::red};
    const char *defense[] = {"P", "C", "1B", "2B", "3B", "SS", "RF", "CF", "LF", "Sp"};
    for (int k = 0; k < 10; ++k) {
        looks.OPLabel[k] = QString("B%1").arg(k + 1);
        looks.DPLabel[k] = defense[k];
    }
    for (int k = 0; k < 8; ++k) {
        looks.ActionType[k] = int16_t(1 + k % 5);
        looks.ActionSize[k] = int16_t(k % 3 == 0 ? 1 : k % 3 == 1 ? 3 : 6);
        looks.ActionColor[k] = QColor::fromHsv(k * 45, 255, 220);
        looks.ActionEndType[k] = int16_t(k % 2); // arrowheads and cross bars
        looks.symbols[k] = symbolPicture(k);
        looks.symbolCompanions[k] = {symbolPicture(k, 2), symbolPicture(k, 4)};
    }
    return looks;
}

PlayConfig fullFrame()
{
    PlayConfig frame;
    frame.Blank_Frame();
    for (int i = 0; i < 10; ++i) {
        frame.OPlayerX[i] = 40.0f + i * 35;
        frame.OPlayerY[i] = 300.0f - (i % 3) * 25;
        frame.DPlayerX[i] = 40.0f + i * 35;
        frame.DPlayerY[i] = 120.0f + (i % 2) * 40;
    }
    frame.ActivePlyr = 13;
    for (int k = 0; k < 8; ++k) {
        frame.SYMBOLX[k] = 20.0f + k * 45;
        frame.SYMBOLY[k] = 20;
    }
    frame.TxtSYMBOLX = {150, 250};
    frame.TxtSYMBOLY = {60, 210};
    frame.TxtValue = {"Bunt play", "Cover 1B"};
    const int ex[] = {300, 100, 203, 200, 290, 110, 290, 110};
    const int ey[] = {232, 229, 330, 180, 320, 320, 180, 180};
    for (int k = 0; k < 8; ++k) {
        frame.ActionSX[k] = 200;
        frame.ActionSY[k] = 230;
        frame.ActionEX[k] = float(ex[k]);
        frame.ActionEY[k] = float(ey[k]);
    }
    return frame;
}

void prepare(Surface &pic)
{
    pic.setPicture(fieldPicture(), {fieldPicture(2), fieldPicture(4)});
    QFont font("DejaVu Sans", 8);
    font.setBold(true);
    pic.setFont(font);
    pic.setForeColor(Qt::black);
}

// DrawSelected: wipe, then draw the full frame.
void BM_DrawSelectedFullFrame(benchmark::State &state)
{
    Surface pic;
    prepare(pic);
    const FrameLooks looks = fullLooks();
    const PlayConfig frame = fullFrame();
    for (auto _ : state) {
        pic.clear();
        FrameRenderer::Draw(frame, pic, looks);
        benchmark::DoNotOptimize(pic.image().constBits());
    }
}
BENCHMARK(BM_DrawSelectedFullFrame)->Unit(benchmark::kMicrosecond);

// The wipe alone. The image shares the field picture until something is drawn, so this is
// nearly free; the copy of the picture is paid by the first drawing call.
void BM_WipeOnly(benchmark::State &state)
{
    Surface pic;
    prepare(pic);
    for (auto _ : state) {
        pic.clear();
        benchmark::DoNotOptimize(pic.image().constBits());
    }
}
BENCHMARK(BM_WipeOnly)->Unit(benchmark::kMicrosecond);

// The wipe plus the one-pixel line every drawing ends with: the wipe including the copy of
// the field picture it entails, and the cost of a blank frame.
void BM_WipeAndBlankFrame(benchmark::State &state)
{
    Surface pic;
    prepare(pic);
    const FrameLooks looks = fullLooks();
    PlayConfig blank;
    blank.Blank_Frame();
    for (auto _ : state) {
        pic.clear();
        FrameRenderer::Draw(blank, pic, looks);
        benchmark::DoNotOptimize(pic.image().constBits());
    }
}
BENCHMARK(BM_WipeAndBlankFrame)->Unit(benchmark::kMicrosecond);

// Wipes and draws the frame, then (above 100 %) brings the view drawn at the zoomed size up to
// date, once per iteration.
void showAtZoom(benchmark::State &state, Surface &pic, const PlayConfig &frame,
                const FrameLooks &looks, int zoom)
{
    const QSize shown = zoomedSize(pic.size(), zoom);
    ScaledView view;
    for (auto _ : state) {
        pic.clear();
        FrameRenderer::Draw(frame, pic, looks);
        if (zoom == 100)
            benchmark::DoNotOptimize(pic.image().constBits());
        else
            benchmark::DoNotOptimize(view.image(pic, shown).constBits());
    }
}

// What the canvas does at a zoom on an ordinary screen: wipe, draw the full frame, then (above
// 100 %) bring the view drawn at the zoomed size up to date. The argument is the zoom.
void BM_ShowFullFrameAtZoom(benchmark::State &state)
{
    Surface pic;
    prepare(pic);
    const FrameLooks looks = fullLooks();
    const PlayConfig frame = fullFrame();
    const int zoom = int(state.range(0));
    showAtZoom(state, pic, frame, looks, zoom);
}
BENCHMARK(BM_ShowFullFrameAtZoom)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMicrosecond);

// The full frame with its 8 straight lines replaced by 64 bent ones, 8 of each kind and
// 4 bend points each: arcs of 100 to 360 pixels around the middle of the field, as runners'
// paths and throws crossing each other.
PlayConfig bentLinesFrame()
{
    PlayConfig frame = fullFrame();
    for (int k = 0; k < 8; ++k)
        frame.clearActionKind(k);
    for (int i = 0; i < kMaxLinesInFrame; ++i) {
        const float r = 40.0f + float(i % 8) * 15;
        const float a = float(i) * 0.4f;
        auto at = [&](int step) {
            return LinePoint{200 + r * std::cos(a + step * 0.5f),
                             190 + r * std::sin(a + step * 0.5f)};
        };
        frame.addActionLine(i / 8, at(0), at(5), {at(1), at(2), at(3), at(4)});
    }
    return frame;
}

// The full frame with today's 8 straight lines (first argument 8) or 64 bent ones (64), shown
// at a zoom (second argument) as BM_ShowFullFrameAtZoom does; the lines in the full frame's
// mixed looks (third argument 0: widths 1, 3 and 6, all dash styles) or all one pixel wide
// and solid (1), as they are at first start.
void BM_ShowLinesAtZoom(benchmark::State &state)
{
    Surface pic;
    prepare(pic);
    FrameLooks looks = fullLooks();
    if (state.range(2) == 1) {
        looks.ActionType.fill(1);
        looks.ActionSize.fill(1);
    }
    const PlayConfig frame = state.range(0) == 8 ? fullFrame() : bentLinesFrame();
    const int zoom = int(state.range(1));
    showAtZoom(state, pic, frame, looks, zoom);
}
BENCHMARK(BM_ShowLinesAtZoom)
    ->ArgsProduct({{8, 64}, {100, 400}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);


// The full frame's 20 players with 64 straight lines in the full frame's looks, each from a
// point above the players to a player's centre (first argument 1), or the same lines with
// their ends moved 17 pixels right and down, off every marker into open field (0). Shown at a
// zoom (second argument) as BM_ShowFullFrameAtZoom does.
PlayConfig linesToPlayersFrame(bool atMarkers)
{
    PlayConfig frame = fullFrame();
    for (int k = 0; k < 8; ++k)
        frame.clearActionKind(k);
    const float offset = atMarkers ? 0 : 17;
    for (int i = 0; i < kMaxLinesInFrame; ++i) {
        const int player = i % 20;
        const auto &xs = player < 10 ? frame.OPlayerX : frame.DPlayerX;
        const auto &ys = player < 10 ? frame.OPlayerY : frame.DPlayerY;
        const LinePoint start{20.0f + float((i * 47) % 360), 70.0f + float(i % 4) * 5};
        const LinePoint end{xs[size_t(player % 10)] + offset, ys[size_t(player % 10)] + offset};
        frame.addActionLine(i / 8, start, end);
    }
    return frame;
}

void BM_ShowLinesEndingAtMarkers(benchmark::State &state)
{
    Surface pic;
    prepare(pic);
    const FrameLooks looks = fullLooks();
    const PlayConfig frame = linesToPlayersFrame(state.range(0) == 1);
    showAtZoom(state, pic, frame, looks, int(state.range(1)));
}
BENCHMARK(BM_ShowLinesEndingAtMarkers)
    ->ArgsProduct({{0, 1}, {100, 400}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
