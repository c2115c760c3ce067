// Opening and saving a 32767-frame play, each next to a baseline measured in the same run:
// opening against reading the file into one buffer and only splitting it into items and
// converting the numbers with std::from_chars; saving against formatting the same values with
// std::to_chars into one buffer and writing it to a file (write, fsync, close). The Parse and
// Format pairs repeat the comparison without the disk. The Lines pairs open and parse the same
// play with 8 further action lines in every frame, each with two bend points, which go into
// the block after the labels.

#include "bigplay.h"

#include "model/playfile.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstring>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace kinetra::bench {
namespace {

const BigPlay &bigPlay()
{
    static const BigPlay play;
    return play;
}

std::string folder()
{
    static const std::string path = [] {
        const auto p = std::filesystem::temp_directory_path() / "kinetra_bench";
        std::filesystem::create_directories(p);
        return p.string();
    }();
    return path;
}

const std::string &playPath()
{
    static const std::string path = [] {
        const std::string p = folder() + "/big.KTR";
        if (!writePlay(p, bigPlay()).ok())
            std::abort();
        return p;
    }();
    return path;
}

// The big play with 8 further lines of two bend points in every frame.
const std::string &linesPath()
{
    static const std::string path = [] {
        BigPlay play;
        for (int n = 1; n <= play.frames.count(); ++n) {
            PlayConfig &f = play.frames.frame(int16_t(n));
            const float a = float(n % 500) + 0.25f;
            for (int k = 0; k < kActionCount; ++k) {
                const float b = float(k * 40) + 10.5f;
                if (!f.addActionLine(k, {a, b}, {b, a}, {{a + 15, b - 7.5f}, {b + 3, a + 12}}))
                    std::abort();
            }
        }
        const std::string p = folder() + "/lines.KTR";
        if (!writePlay(p, play).ok())
            std::abort();
        return p;
    }();
    return path;
}

void BM_OpenPlay(benchmark::State &state)
{
    const std::string &path = playPath();
    for (auto _ : state) {
        PlayReadResult r = readPlayFile(path);
        if (r.status != PlayReadStatus::Opened)
            state.SkipWithError("play did not open");
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(state.iterations() * int64_t(std::filesystem::file_size(path)));
}

// The whole file in one buffer of its size: the cheapest way to have its bytes at hand.
std::string fileContents(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    std::string bytes(std::filesystem::file_size(path), '\0');
    if (fd < 0 || ::read(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()))
        std::abort();
    ::close(fd);
    return bytes;
}

// Splits items at commas and line ends (quoted texts run to the next quote) and converts
// every unquoted item with from_chars; the least any reader of this format has to do.
double splitAndConvert(const std::string &bytes)
{
    const char *p = bytes.data();
    const char *end = p + bytes.size();
    double sum = 0;
    while (p < end) {
        if (*p == '"') {
            const char *close = static_cast<const char *>(std::memchr(p + 1, '"', end - p - 1));
            sum += double(close - p);
            p = close + 1;
        } else {
            float v = 0;
            p = std::from_chars(p, end, v).ptr;
            sum += v;
        }
        while (p < end && (*p == ',' || *p == '\r' || *p == '\n'))
            ++p;
    }
    return sum;
}

void BM_OpenBaseline(benchmark::State &state)
{
    const std::string &path = playPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(splitAndConvert(fileContents(path)));
    state.SetBytesProcessed(state.iterations() * int64_t(std::filesystem::file_size(path)));
}

// The same two on bytes already in memory: parsing alone.
void BM_ParsePlay(benchmark::State &state)
{
    const std::string bytes = fileContents(playPath());
    for (auto _ : state) {
        PlayReadResult r = readPlay(bytes);
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(state.iterations() * int64_t(bytes.size()));
}

void BM_ParseBaseline(benchmark::State &state)
{
    const std::string bytes = fileContents(playPath());
    for (auto _ : state)
        benchmark::DoNotOptimize(splitAndConvert(bytes));
    state.SetBytesProcessed(state.iterations() * int64_t(bytes.size()));
}

void BM_OpenLinesPlay(benchmark::State &state)
{
    const std::string &path = linesPath();
    for (auto _ : state) {
        PlayReadResult r = readPlayFile(path);
        if (r.status != PlayReadStatus::Opened
            || r.play.frames.frame(r.frameCount).actionLineCount() != 2 * kActionCount)
            state.SkipWithError("play did not open with its lines");
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(state.iterations() * int64_t(std::filesystem::file_size(path)));
}

void BM_OpenLinesBaseline(benchmark::State &state)
{
    const std::string &path = linesPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(splitAndConvert(fileContents(path)));
    state.SetBytesProcessed(state.iterations() * int64_t(std::filesystem::file_size(path)));
}

void BM_ParseLinesPlay(benchmark::State &state)
{
    const std::string bytes = fileContents(linesPath());
    for (auto _ : state) {
        PlayReadResult r = readPlay(bytes);
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(state.iterations() * int64_t(bytes.size()));
}

void BM_ParseLinesBaseline(benchmark::State &state)
{
    const std::string bytes = fileContents(linesPath());
    for (auto _ : state)
        benchmark::DoNotOptimize(splitAndConvert(bytes));
    state.SetBytesProcessed(state.iterations() * int64_t(bytes.size()));
}

void BM_SavePlay(benchmark::State &state)
{
    const std::string path = folder() + "/saved.KTR";
    const PlaySnapshot &play = bigPlay();
    for (auto _ : state) {
        if (!writePlay(path, play).ok())
            state.SkipWithError("save failed");
    }
}

void writeWholeFile(const std::string &path, const std::string &bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size())
        || ::fsync(fd) != 0)
        std::abort();
    ::close(fd);
}

template <typename Number>
void put(std::string &out, Number value, bool comma = true)
{
    char text[32];
    const auto r = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 7);
    out.append(text, r.ptr);
    if (comma)
        out += ',';
}

void putText(std::string &out, const std::string &text)
{
    out += '"';
    out += text;
    out += "\",";
}

std::string formatBaseline(const BigPlay &play)
{
    std::string out;
    out.reserve(1 << 20);
    for (int n = 1; n <= play.frames.count(); ++n) {
        const PlayConfig &f = play.frames.frame(int16_t(n));
        for (int i = 0; i < kPlayersPerSide; ++i)
            put(out, f.OPlayerX[i]), put(out, f.OPlayerY[i]);
        for (int i = 0; i < kPlayersPerSide; ++i)
            put(out, f.DPlayerX[i]), put(out, f.DPlayerY[i]);
        char active[8];
        out.append(active, std::to_chars(active, active + 8, f.ActivePlyr).ptr);
        out += ',';
        for (int i = 0; i < kSymbolCount; ++i)
            put(out, f.SYMBOLX[i]), put(out, f.SYMBOLY[i]);
        for (int i = 0; i < kTextLabelCount; ++i)
            put(out, f.TxtSYMBOLX[i]), put(out, f.TxtSYMBOLY[i]), putText(out, f.TxtValue[i]);
        for (int k = 0; k < kActionCount; ++k) {
            put(out, f.ActionSX[k]), put(out, f.ActionSY[k]), put(out, f.ActionEX[k]);
            put(out, f.ActionEY[k], false);
        }
        out += "\r\n";
    }
    return out;
}

void BM_SaveBaseline(benchmark::State &state)
{
    const std::string path = folder() + "/baseline.KTR";
    for (auto _ : state)
        writeWholeFile(path, formatBaseline(bigPlay()));
}

// The same two without the disk: formatting alone.
void BM_FormatPlay(benchmark::State &state)
{
    const PlaySnapshot &play = bigPlay();
    for (auto _ : state)
        benchmark::DoNotOptimize(formatPlay(play));
}

void BM_FormatBaseline(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(formatBaseline(bigPlay()));
}

BENCHMARK(BM_OpenPlay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParsePlay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenLinesPlay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenLinesBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseLinesPlay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseLinesBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavePlay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatPlay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatBaseline)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kinetra::bench

BENCHMARK_MAIN();
