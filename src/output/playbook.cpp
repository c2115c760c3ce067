#include "output/playbook.h"

#include "model/framelist.h"
#include "model/playconfig.h"
#include "model/rounding.h"
#include "output/pagelayout.h"
#include "output/playimager.h"
#include "output/printtarget.h"
#include "surface/framelooks.h"
#include "surface/monolooks.h"

#include <QFileInfo>
#include <QPrinter>

#include <memory>
#include <vector>

namespace kinetra {

namespace {

struct Cancelled
{
};

// The contents pages: the playbook's name in the heading font, then a row per play.
void printContents(PrintTarget &target, const QList<ContentsPage> &pages, const QFont &font,
                   const QFont &headingFont, const QImage &icon, int total)
{
    const QSize page = target.pageSize();
    for (int p = 0; p < pages.size(); ++p) {
        if (p > 0)
            target.newPage();
        if (!icon.isNull())
            target.drawImage(headerIconRect(page), icon);
        printPageFooter(target, p + 1, total);
        const ContentsPage &contents = pages[p];
        if (!contents.heading.isEmpty()) {
            target.setFont(headingFont);
            for (const PlacedText &line : contents.heading)
                target.drawText(line.at, line.text);
            target.setFont(font);
        }
        if (contents.ruleY >= 0)
            target.drawLine(QPoint(0, contents.ruleY), QPoint(page.width() - 10, contents.ruleY),
                            QPen(Qt::black, 1));
        QPen dots(Qt::gray, std::max(1, target.dotsPerInch() / 150), Qt::DotLine, Qt::RoundCap);
        for (const ContentsRow &row : contents.rows) {
            target.drawText(row.title.at, row.title.text);
            if (!row.leader.isNull())
                target.drawLine(row.leader.p1(), row.leader.p2(), dots);
            target.drawText(row.number.at, row.number.text);
        }
    }
}

// Whether the player stands on the field in any of the frames: drawn there, his x rounding
// (half to even) above 0.
bool onTheField(const FrameList &frames, int player)
{
    if (player < 0 || player >= 2 * kPlayersPerSide)
        return false;
    const size_t i = size_t(player % kPlayersPerSide);
    for (int f = 1; f <= frames.count(); ++f) {
        const PlayConfig &frame = frames.frame(int16_t(f));
        if ((player < kPlayersPerSide ? frame.OPlayerX[i] : frame.DPlayerX[i]) > 0.5f)
            return true;
    }
    return false;
}

} // namespace

QList<PlaybookPart> playbookParts(const QString &name, const PrintOptions &options,
                                  const QList<PlaybookPlay> &plays)
{
    QList<PlaybookPart> parts;
    PrintOptions all = options;
    all.allFrames = true;
    for (int i = 0; i < plays.size(); ++i)
        parts << PlaybookPart{i, -1, all, plays[i].name};
    for (const QString &position : options.positions) {
        const QString label = position.trimmed();
        if (label.isEmpty())
            continue;
        const QString section = QString("%1 - %2").arg(label, name);
        for (int i = 0; i < plays.size(); ++i) {
            const PlaybookPlay &play = plays[i];
            PlaybookPart part{i, -1, all, i == 0 ? section : QString()};
            part.options.sheet = true;
            part.options.heading = section;
            part.options.focus.clear();
            const int player = play.play ? playerLabelled(play.play->looks.labels, label) : -1;
            if (onTheField(play.play->frames, player)) {
                part.focus = player;
                part.options.focus = label;
            } else {
                part.options.heading += QString("\n%1 not in this play").arg(label);
            }
            parts << part;
        }
    }
    return parts;
}

PlaybookSource readPlaybookPlays(const QStringList &files, const Preferences &prefs)
{
    PlaybookSource source;
    source.prefs = prefs;
    for (const QString &file : files) {
        try {
            source.plays << readPlayForExport(file, prefs);
        } catch (const ExportError &e) {
            // A message that names the file already stands as it is.
            if (QString::fromStdString(e.what()).startsWith(file + ": "))
                throw;
            throw ExportError(QString("%1 could not be read: %2")
                                  .arg(file, QString::fromStdString(e.what()))
                                  .toStdString());
        }
        source.files << file;
    }
    return source;
}

std::optional<int> printPlaybook(PrintTarget &target, const QString &name,
                                 const PrintOptions &options, const QList<PlaybookPlay> &plays,
                                 const ExportProgress &progress)
{
    const QFont &font = options.font;
    target.setFont(font);
    target.setDocumentTitle(name);
    target.begin();
    const QSize page = target.pageSize();
    const int h = toInt32(target.textHeight("X"));
    QFont headingFont = font;
    headingFont.setBold(true);
    if (font.pointSizeF() > 0)
        headingFont.setPointSizeF(font.pointSizeF() * 2);
    else
        headingFont.setPixelSize(font.pixelSize() * 2);
    // The name's lines are measured in the heading font, everything else in the printer font.
    target.setFont(headingFont);
    const int headingHeight = toInt32(target.textHeight("X"));
    target.setFont(font);
    const TextMeasure heading = [&](const QString &text) {
        target.setFont(headingFont);
        const int width = target.textWidth(text);
        target.setFont(font);
        return width;
    };
    const TextMeasure measure = [&](const QString &text) { return target.textWidth(text); };
    QList<ContentsPage> contents;
    auto layout = [&](const QList<ContentsEntry> &entries) {
        contents = layoutContents(page, h, headingHeight, heading, measure, name, entries);
    };

    // The contents come first, so the parts' page numbers follow from how many pages they
    // take; every part's pages are counted before any is printed.
    const QList<PlaybookPart> parts = playbookParts(name, options, plays);
    QList<ContentsEntry> entries;
    for (const PlaybookPart &part : parts)
        if (!part.entry.isEmpty())
            entries << ContentsEntry{part.entry, 1};
    layout(entries);
    int total = int(contents.size());
    QList<int> firstPages;
    int frames = 0;
    for (qsizetype p = 0, e = 0; p < parts.size(); ++p) {
        const PlaybookPart &part = parts[p];
        const PlaybookPlay &play = plays[part.play];
        firstPages << total + 1;
        if (!part.entry.isEmpty())
            entries[e++].firstPage = total + 1;
        total += countPlayPages(target, *play.play, part.options, play.surfaceSize,
                                PageNumbering{total + 1, 1});
        frames += play.play->frames.count();
    }
    layout(entries);

    int done = 0;
    auto report = [&] { return !progress || progress(done, frames); };
    if (!report())
        return std::nullopt;
    printContents(target, contents, font, headingFont,
                  options.mono ? greyPicture(options.icon) : options.icon, total);
    try {
        for (qsizetype p = 0; p < parts.size(); ++p) {
            const PlaybookPart &part = parts[p];
            const PlaybookPlay &play = plays[part.play];
            printPlayPages(target, *play.play, part.options, play.surfaceSize,
                           [&](int16_t index) {
                               FrameShot picture = play.picture(index, part.focus);
                               ++done;
                               if (!report())
                                   throw Cancelled();
                               return picture;
                           },
                           PageNumbering{firstPages[p], total});
        }
    } catch (const Cancelled &) {
        return std::nullopt;
    }
    target.finish();
    return total;
}

std::optional<int> printPlaybookPlays(PrintTarget &target, const QString &name,
                                      const PlaybookSource &source, const PrintOptions &options,
                                      const QString &programDir, const ExportProgress &progress)
{
    std::vector<std::unique_ptr<PlayImager>> imagers;
    QList<PlaybookPlay> plays;
    for (int i = 0; i < source.plays.size(); ++i) {
        const PlaySnapshot &read = source.plays[i];
        // An imager holds a surface, which cannot move: it is made in its place.
        imagers.emplace_back(new PlayImager(PlayImager::forPlay(read.looks, source.prefs, programDir)));
        PlayImager &imager = *imagers.back();
        imager.setMono(options.mono);
        PlaybookPlay play;
        const QString title = QString::fromStdString(read.title);
        play.name = title.trimmed().isEmpty()
                        ? QFileInfo(source.files.value(i)).completeBaseName()
                        : title;
        play.play = &read;
        play.surfaceSize = imager.size();
        // Printed from the surface itself, at the printer's resolution.
        play.picture = [&imager, &read](int16_t index, int focus) -> FrameShot {
            imager.setFocus(focus);
            imager.draw(read.frames.frame(index));
            return imager.surface();
        };
        plays << play;
    }
    // Players and symbols look alike in every play: the user's looks draw them.
    PrintOptions withLooks = options;
    if (!imagers.empty())
        withLooks.looks = imagers.front()->looks();
    return printPlaybook(target, name, withLooks, plays, progress);
}

bool exportPlaybook(const QString &output, const QString &name, const PlaybookSource &source,
                    const PrintOptions &options, const QString &programDir,
                    const ExportProgress &progress)
{
    QPrinter layout(QPrinter::HighResolution);
    const std::unique_ptr<QPrinter> printer = pdfPrinterLike(layout);
    PrinterPrintTarget target(*printer, output);
    return printPlaybookPlays(target, name, source, options, programDir, progress)
        .has_value();
}

} // namespace kinetra
