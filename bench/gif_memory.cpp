// Peak memory of the real program exporting an animated GIF at a large scale, for plays of
// different lengths, against the same program exporting one PNG of the first frame at that
// scale (one picture held, nothing else), measured in the same run. A plain program, as a
// benchmark loop would blur the figure: each export is a child process of its own, whose peak
// resident memory wait4() reports.
// Usage: kinetra_gif_memory [scale] [frames ...]   (default: 8 50 200)

#include "gui/exportsample.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

using namespace kinetra;

namespace {

struct Run
{
    long peakKiB = -1;
    double seconds = 0;
};

Run runProgram(std::vector<std::string> args)
{
    const std::string program = std::string(KINETRA_PROGRAM_DIR) + "/kinetra";
    args.insert(args.begin(), program);
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::string platform = "QT_QPA_PLATFORM=offscreen";
    std::vector<char *> env{platform.data()};
    for (char **e = environ; *e; ++e)
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0)
            env.push_back(*e);
    env.push_back(nullptr);
    Run run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), env.data()) != 0)
        return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return run;
    run.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakKiB = usage.ru_maxrss;
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string scale = argc > 1 ? argv[1] : "8";
    std::vector<int> counts;
    for (int i = 2; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {50, 200};
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/";

    if (!writeSamplePlay(dir.filePath("one.KTR"), 1))
        return 1;
    const Run png =
        runProgram({"--export", folder + "one.png", "--scale", scale, folder + "one.KTR"});
    std::printf("scale %s, one PNG (baseline): peak %.1f MiB, %.1f s\n", scale.c_str(),
                png.peakKiB / 1024.0, png.seconds);
    for (const int count : counts) {
        const QString play = dir.filePath(QString("play%1.KTR").arg(count));
        const QString gif = dir.filePath(QString("play%1.gif").arg(count));
        if (!writeSamplePlay(play, count))
            return 1;
        const Run run = runProgram({"--export", gif.toStdString(), "--scale", scale,
                                    play.toStdString()});
        if (run.peakKiB < 0) {
            std::printf("%d frames: the export failed\n", count);
            return 1;
        }
        std::printf("scale %s, GIF of %d frames: peak %.1f MiB = %.2f x the PNG's, file %.1f MiB,"
                    " %.1f s\n",
                    scale.c_str(), count, run.peakKiB / 1024.0,
                    double(run.peakKiB) / double(png.peakKiB),
                    QFileInfo(gif).size() / 1048576.0, run.seconds);
    }
    return 0;
}
