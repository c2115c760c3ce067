// kinetra-contentgen: writes the content of Kinetra's program folder that is not a picture.
//   kinetra-contentgen plays <program folder>          the sample plays, into <folder>/Plays
//   kinetra-contentgen help <help sources> <output>     the help file from the page sources
//   kinetra-contentgen tips <tip source> <output>        the tip file, checked line by line

#include "helpbuilder.h"
#include "playbuilder.h"

#include "model/playfile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QString>

#include <cstdio>
#include <exception>

namespace {

using namespace kinetra::content;

int fail(const QString &message)
{
    std::fprintf(stderr, "kinetra-contentgen: %s\n", qPrintable(message));
    return 1;
}

int writePlays(const QString &programDir)
{
    const QDir dir(programDir);
    if (!dir.mkpath("Plays"))
        return fail("cannot create " + dir.filePath("Plays"));
    const std::string folder = QFile::encodeName(dir.filePath("Plays")).toStdString();
    try {
        for (const PlayBuilder &play : samplePlays()) {
            std::string error;
            if (!play.write(folder, error))
                return fail(QString::fromStdString(error));
            // What ships must read back whole, or a coach's first play opens with a message.
            const kinetra::PlayReadResult read =
                kinetra::readPlayFile(folder + "/" + play.fileName());
            if (read.status != kinetra::PlayReadStatus::Opened)
                return fail(QString::fromStdString(play.fileName()) + " does not read back");
        }
    } catch (const std::exception &e) {
        return fail(e.what());
    }
    return 0;
}

bool save(const QString &path, const QByteArray &bytes)
{
    QSaveFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

int writeHelp(const QString &sourceDir, const QString &output)
{
    const QStringList files = QDir(sourceDir).entryList({"*.html"}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        return fail("no help pages in " + sourceDir);
    std::vector<HelpPage> pages;
    for (const QString &file : files) {
        HelpPage page;
        QString error;
        if (!readHelpPage(QDir(sourceDir).filePath(file), page, error))
            return fail(error);
        pages.push_back(page);
    }
    if (!save(output, buildHelp(pages).toUtf8()))
        return fail("cannot write " + output);
    return 0;
}

int writeTips(const QString &source, const QString &output)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return fail("cannot read " + source);
    // Every line is a tip, so an empty line would show an empty tip.
    QByteArray out;
    int number = 0;
    for (QByteArray line : in.readAll().split('\n')) {
        ++number;
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith('#'))
            continue; // a note for whoever edits the tips
        out += line + "\r\n";
    }
    if (out.isEmpty())
        return fail(source + " holds no tips");
    if (!save(output, out))
        return fail("cannot write " + output);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const QString command = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (command == "plays" && argc == 3)
        return writePlays(QString::fromLocal8Bit(argv[2]));
    if (command == "help" && argc == 4)
        return writeHelp(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (command == "tips" && argc == 4)
        return writeTips(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    std::fprintf(stderr, "usage: kinetra-contentgen plays <program folder>\n"
                         "       kinetra-contentgen help <help sources> <output>\n"
                         "       kinetra-contentgen tips <tip source> <output>\n");
    return 2;
}
