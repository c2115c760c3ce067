// Cost of printing and of the safe picture export. Printing 30 frames small to a PDF file is
// compared with drawing the same 30 frames alone; long notes printed, 10 MB against 1 MB;
// writing a bitmap through a temporary file that is renamed into place is compared with QImage
// writing the file directly.
#include "model/framelist.h"
#include "model/playconfig.h"
#include "model/playfile.h"
#include "output/bitmapexport.h"
#include "output/playprinter.h"
#include "output/printtarget.h"
#include "surface/colors.h"
#include "surface/framelooks.h"
#include "surface/framerenderer.h"
#include "surface/surface.h"

#include <benchmark/benchmark.h>

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

using namespace kinetra;

QImage fieldPicture()
{
    QImage field(400, 373, QImage::Format_RGB32);
    QPainter painter(&field);
    QLinearGradient grass(0, 0, 400, 373);
    grass.setColorAt(0, QColor(40, 120, 40));
    grass.setColorAt(1, QColor(70, 160, 60));
    painter.fillRect(field.rect(), grass);
    painter.setBrush(QColor(180, 130, 80));
    painter.drawPolygon(QPolygon({QPoint(200, 180), QPoint(300, 270), QPoint(200, 360),
                                  QPoint(100, 270)}));
    return field;
}

FrameLooks looks()
{
    FrameLooks l;
    l.PlayerSize = {15, 15};
    l.PlayerShape = {1, 3};
    l.PlayerBcolr = {Qt::black, Qt::black};
    l.PlayerFcolr = {QColor(255, 255, 0), Qt::white};
    l.PlayerTcolr = {Qt::blue, Qt::red};
    for (int k = 0; k < 10; ++k) {
        l.OPLabel[k] = QString("B%1").arg(k + 1);
        l.DPLabel[k] = QString("D%1").arg(k + 1);
    }
    for (int k = 0; k < 8; ++k) {
        l.ActionType[k] = int16_t(1 + k % 5);
        l.ActionSize[k] = int16_t(k % 3 == 0 ? 1 : k % 3 == 1 ? 3 : 6);
        l.ActionColor[k] = QColor::fromHsv(k * 45, 255, 220);
    }
    return l;
}

// The action-line looks of looks(), as a play file carries them.
ActionLooks actionLooks()
{
    const FrameLooks l = looks();
    ActionLooks actions;
    for (size_t k = 0; k < actions.size(); ++k)
        actions[k] = {std::string(), l.ActionType[k], l.ActionSize[k],
                      rgbIntFromColor(l.ActionColor[k]), l.ActionEndType[k]};
    return actions;
}

// 30 frames of 20 players and 8 action lines, each a little further on than the last.
FrameList play()
{
    FrameList frames;
    frames.reset();
    while (frames.count() < 30)
        frames.AppendFrame();
    for (int16_t f = 1; f <= 30; ++f) {
        PlayConfig &frame = frames.frame(f);
        for (int i = 0; i < 10; ++i) {
            frame.OPlayerX[i] = 40.0f + i * 35 + f;
            frame.OPlayerY[i] = 300.0f - (i % 3) * 25;
            frame.DPlayerX[i] = 40.0f + i * 35;
            frame.DPlayerY[i] = 120.0f + (i % 2) * 40 + f;
        }
        for (int k = 0; k < 8; ++k) {
            frame.ActionSX[k] = 200;
            frame.ActionSY[k] = 230;
            frame.ActionEX[k] = float(100 + 25 * k);
            frame.ActionEY[k] = float(180 + f);
        }
    }
    return frames;
}

void prepare(Surface &pic)
{
    pic.setPicture(fieldPicture());
    pic.setFont(QFont("DejaVu Sans", 8));
}

// What "All Frames" + "Small" costs: 30 frames drawn and placed in rows of small pictures with headers
// and legends, plus the notes page, written as a 300-dot PDF file.
void BM_PrintAllFramesSmallToPdf(benchmark::State &state)
{
    Surface pic;
    prepare(pic);
    PlaySnapshot squeeze;
    squeeze.title = "Squeeze";
    squeeze.notes = "Bunt\r\nRun";
    squeeze.looks.actions = actionLooks();
    squeeze.frames = play();
    PrintOptions options;
    options.small = true;
    options.allFrames = true;
    options.font = QFont("DejaVu Sans", 10);
    const FrameLooks l = looks();
    QTemporaryDir dir;
    QPrinter layout(QPrinter::HighResolution);
    for (auto _ : state) {
        const auto pdf = pdfPrinterLike(layout);
        PrinterPrintTarget target(*pdf, dir.filePath("play.pdf"));
        benchmark::DoNotOptimize(printPlay(target, squeeze, options, l, pic));
    }
}
BENCHMARK(BM_PrintAllFramesSmallToPdf)->Unit(benchmark::kMillisecond);

// Baseline: the same 30 frames drawn on the surface and nothing else.
void BM_DrawThirtyFrames(benchmark::State &state)
{
    Surface pic;
    prepare(pic);
    const FrameList frames = play();
    const FrameLooks l = looks();
    for (auto _ : state) {
        for (int16_t f = 1; f <= 30; ++f) {
            pic.clear();
            FrameRenderer::Draw(frames.frame(f), pic, l);
        }
        benchmark::DoNotOptimize(pic.image().constBits());
    }
}
BENCHMARK(BM_DrawThirtyFrames)->Unit(benchmark::kMillisecond);

// Notes of one paragraph of `state.range(0)` MB, printed after the current frame to a 300-dot
// PDF: the layout must take time in proportion to the notes' length, so 10 MB against 1 MB
// in the same run is the figure to read.
void BM_PrintLongNotesToPdf(benchmark::State &state)
{
    Surface pic;
    prepare(pic);
    PlaySnapshot squeeze;
    squeeze.title = "Squeeze";
    squeeze.looks.actions = actionLooks();
    const std::string words = "Runner on third breaks for home as the pitcher commits. ";
    const size_t length = size_t(state.range(0)) * 1000 * 1000;
    squeeze.notes.reserve(length + words.size());
    while (squeeze.notes.size() < length)
        squeeze.notes += words;
    PrintOptions options;
    options.font = QFont("DejaVu Sans", 10);
    const FrameLooks l = looks();
    QTemporaryDir dir;
    QPrinter layout(QPrinter::HighResolution);
    int pages = 0;
    for (auto _ : state) {
        const auto pdf = pdfPrinterLike(layout);
        PrinterPrintTarget target(*pdf, dir.filePath("notes.pdf"));
        pages = printPlay(target, squeeze, options, l, pic);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PrintLongNotesToPdf)->Arg(1)->Arg(10)->Unit(benchmark::kSecond)->Iterations(1);

// Save as Bmp as the program does it: a temporary file renamed over the target.
void BM_WriteBmpThroughTemporary(benchmark::State &state)
{
    const QImage image = fieldPicture();
    QTemporaryDir dir;
    const QString path = dir.filePath("field.bmp");
    for (auto _ : state)
        writeBmp(image, path);
}
BENCHMARK(BM_WriteBmpThroughTemporary)->Unit(benchmark::kMicrosecond);

// Baseline: QImage writing the same file in place.
void BM_SaveBmpInPlace(benchmark::State &state)
{
    const QImage image = fieldPicture();
    QTemporaryDir dir;
    const QString path = dir.filePath("field.bmp");
    for (auto _ : state)
        benchmark::DoNotOptimize(image.save(path, "BMP"));
}
BENCHMARK(BM_SaveBmpInPlace)->Unit(benchmark::kMicrosecond);

} // namespace
