// Peak memory of opening a 32767-frame play, against the size of its file.
// Usage: playfile_memory [folder] [whole]   (writes its play there, default the temp folder;
// "whole" uses whole-number coordinates, which make a shorter file for the same frames)

#include "bigplay.h"

#include "model/playfile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>

using namespace kinetra;

namespace {

long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char **argv)
{
    const std::filesystem::path folder =
        argc > 1 ? argv[1] : std::filesystem::temp_directory_path();
    const std::string path = (folder / "kinetra_memory.KTR").string();
    // Building and writing the play touches more memory than reading it: write it here,
    // then measure the opening in a fresh process.
    if (argc < 4) {
        const bool whole = argc > 2 && std::string(argv[2]) == "whole";
        {
            const bench::BigPlay play(!whole);
            if (!writePlay(path, play).ok())
                return 1;
        }
        const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
        const std::string command = "'" + self + "' '" + folder.string() + "' "
                                    + (whole ? "whole" : "fractional") + " measure";
        return std::system(command.c_str());
    }

    const long before = peakKiB();
    const PlayReadResult r = readPlayFile(path);
    const long after = peakKiB();
    if (r.status != PlayReadStatus::Opened)
        return 1;

    const double fileMiB = double(std::filesystem::file_size(path)) / (1 << 20);
    size_t listBytes = sizeof(FrameList) + sizeof(PlayConfig) * size_t(r.play.frames.count());
    for (int n = 1; n <= r.play.frames.count(); ++n) {
        for (const std::string &text : r.play.frames.frame(int16_t(n)).TxtValue) {
            if (text.capacity() > std::string().capacity())
                listBytes += text.capacity() + 1;
        }
    }
    const double peakMiB = double(after - before) / 1024;
    const double listMiB = double(listBytes) / (1 << 20);
    std::printf("%s coordinates: frames %d, file %.1f MiB, sizeof(PlayConfig) %zu\n", argv[2],
                r.play.frames.count(), fileMiB, sizeof(PlayConfig));
    std::printf("peak growth while opening %.1f MiB = %.2f x file\n", peakMiB, peakMiB / fileMiB);
    std::printf("frame list held afterwards %.1f MiB = %.2f x file\n", listMiB, listMiB / fileMiB);
    std::filesystem::remove(path);
    return 0;
}
