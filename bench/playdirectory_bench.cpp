// Listing a folder of 1000 plays in the Play Directory (file name, title and date of each, read
// from the header line only), against listing the file names alone and against reading every
// play whole, as a list that opened each play would.
#include "model/playfile.h"
#include "windows/frmdir.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace kinetra;

constexpr int kPlays = 1000;
constexpr int16_t kFramesPerPlay = 60; // a long play: about 30 KB

/// A folder of kPlays plays, each of kFramesPerPlay frames with every player placed.
class PlayFolder
{
public:
    PlayFolder()
    {
        FrameList frames;
        frames.resize(kFramesPerPlay);
        for (int16_t f = 1; f <= kFramesPerPlay; ++f) {
            PlayConfig &frame = frames.frame(f);
            for (int i = 0; i < kPlayersPerSide; ++i) {
                frame.OPlayerX[i] = 40.5f + i * 30 + f;
                frame.OPlayerY[i] = 300.25f - f;
                frame.DPlayerX[i] = 42.75f + i * 30;
                frame.DPlayerY[i] = 120.5f + f;
            }
        }
        PlaySnapshot play;
        play.date = "03-02-2026";
        play.time = "09:00:00";
        play.notes = std::string(600, 'n');
        play.frames = std::move(frames);
        for (int n = 0; n < kPlays; ++n) {
            play.title = "Play number " + std::to_string(n);
            const QString file = m_dir.filePath(QString("play%1.ktr").arg(n, 4, 10, QChar('0')));
            writePlay(QFile::encodeName(file).toStdString(), play);
        }
    }

    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

PlayFolder &folder()
{
    static PlayFolder plays;
    return plays;
}

void BM_PlayDirectoryList(benchmark::State &state)
{
    frmdir window(folder().path());
    for (auto _ : state) {
        window.Dir1_Change();
        benchmark::DoNotOptimize(window.List1->count());
    }
    if (window.List1->count() != kPlays)
        state.SkipWithError("the list does not hold every play");
}
BENCHMARK(BM_PlayDirectoryList)->Unit(benchmark::kMillisecond);

// Baseline: the same folder listed by file name only.
void BM_FileNamesOnly(benchmark::State &state)
{
    QListWidget list;
    for (auto _ : state) {
        QDir dir(folder().path());
        dir.setNameFilters({"*.ktr"});
        dir.setSorting(QDir::Name | QDir::IgnoreCase);
        list.clear();
        for (const QString &name : dir.entryList(QDir::Files))
            list.addItem(name);
        benchmark::DoNotOptimize(list.count());
    }
}
BENCHMARK(BM_FileNamesOnly)->Unit(benchmark::kMillisecond);

// What reading each play whole would cost.
void BM_ReadEveryPlayWhole(benchmark::State &state)
{
    const QStringList names = QDir(folder().path()).entryList({"*.ktr"}, QDir::Files);
    for (auto _ : state) {
        int frames = 0;
        for (const QString &name : names)
            frames += readPlayFile(QFile::encodeName(QDir(folder().path()).filePath(name))
                                       .toStdString())
                          .framesRead;
        benchmark::DoNotOptimize(frames);
    }
}
BENCHMARK(BM_ReadEveryPlayWhole)->Unit(benchmark::kMillisecond);

} // namespace
