#include "output/pagelayout.h"

#include "model/rounding.h"
#include "model/runtimeerror.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace kinetra {

namespace {

const QString kEllipsis = QStringLiteral("\u2026");

// The length of the longest start of s no wider than width, at least one character. Widths
// grow with the length, so the length is found by doubling and then halving, which keeps the
// number of measures small even for a long paragraph.
int fittingLength(const TextMeasure &measure, QStringView s, int width)
{
    int good = 1;
    int n = std::min<int>(int(s.size()), 64);
    while (measure(s.left(n).toString()) <= width) {
        good = n;
        if (n == s.size())
            return n;
        n = std::min<int>(int(s.size()), n * 2);
    }
    int bad = n;
    while (bad - good > 1) {
        const int mid = (good + bad) / 2;
        if (measure(s.left(mid).toString()) <= width)
            good = mid;
        else
            bad = mid;
    }
    return good;
}

// A sample drawn with a round or square cap reaches half its width past each end.
double capReach(const LegendEntry &e)
{
    return e.width / 2;
}

// How far past the sample's end its end marker reaches: the arrowhead's tip, or the pen of
// the cross bar.
double endReach(const LegendEntry &e)
{
    if (e.endType == 0)
        return std::max(e.marker, capReach(e));
    return capReach(e);
}

// The shortest sample that shows the line's dash twice (solid lines two lines long), with
// its caps and end marker.
double shortestSample(const LegendEntry &e, int lineHeight)
{
    if (e.kind != LegendKind::Line)
        return e.mark.width();
    const double dash = 2 * dashPeriod(e.type) * std::max(1.0, e.width);
    return std::max(dash, 2.0 * lineHeight) + capReach(e) + endReach(e);
}

// The height a sample takes: its pen, or its end marker across the line.
double sampleHeight(const LegendEntry &e)
{
    if (e.kind != LegendKind::Line)
        return e.mark.height();
    const bool marked = e.endType == 0 || e.endType == 1;
    return std::max(e.width, marked ? 2 * e.marker + (e.endType == 1 ? e.width : 0) : 0.0);
}

} // namespace

QString elideText(const QString &text, int width, const TextMeasure &measure)
{
    if (measure(text) <= width)
        return text;
    int good = 0;
    int bad = int(text.size());
    while (bad - good > 1) {
        const int mid = (good + bad) / 2;
        if (measure(text.left(mid) + kEllipsis) <= width)
            good = mid;
        else
            bad = mid;
    }
    return text.left(good).trimmed() + kEllipsis;
}

QStringList wrapLines(const QString &text, const std::function<int(int line)> &lineWidth,
                      int maxLines, const TextMeasure &measure)
{
    QString normalised = text;
    normalised.replace("\r\n", "\n").replace('\r', '\n');
    const QStringList paragraphs = normalised.split('\n');
    QStringList lines;
    for (int p = 0; p < paragraphs.size(); ++p) {
        // The rest of the paragraph is a view, never a copy: copying it for every line made
        // a long paragraph take time in the square of its length.
        QStringView rest = paragraphs[p];
        for (;;) {
            const int width = lineWidth(int(lines.size()));
            if (int(lines.size()) == maxLines - 1) {
                // The last line there is room for takes all that is left, elided.
                QStringList left{rest.toString()};
                left += paragraphs.mid(p + 1);
                lines << elideText(left.join(' '), width, measure);
                return lines;
            }
            const int fit = rest.isEmpty() ? 0 : fittingLength(measure, rest, width);
            if (fit >= rest.size()) {
                lines << rest.toString();
                break;
            }
            const int blank = int(rest.lastIndexOf(u' ', fit));
            const int cut = blank > 0 ? blank : fit;
            lines << rest.left(cut).toString();
            rest = rest.mid(blank > 0 ? cut + 1 : cut);
        }
    }
    return lines;
}

QList<PlacedText> layoutTextBlock(const QString &text, QPoint at, int pageWidth, QRect keepOut,
                                  int lineHeight, int maxLines, const TextMeasure &measure)
{
    const int gap = std::max(1, lineHeight / 2);
    auto lineWidth = [&](int line) {
        const int top = at.y() + line * lineHeight;
        const bool besideKeepOut = !keepOut.isNull() && top < keepOut.bottom() + 1
                                   && top + lineHeight > keepOut.top();
        return (besideKeepOut ? keepOut.left() - gap : pageWidth) - at.x();
    };
    QList<PlacedText> placed;
    const QStringList lines = wrapLines(text, lineWidth, maxLines, measure);
    for (int i = 0; i < lines.size(); ++i)
        placed << PlacedText{at + QPoint(0, i * lineHeight), lines[i]};
    return placed;
}

double dashPeriod(int16_t type)
{
    switch (type) {
    case 2: return 6;  // dash 4, gap 2
    case 3: return 3;  // dot 1, gap 2
    case 4: return 9;  // dash, gap, dot, gap
    case 5: return 12; // dash, gap, dot, gap, dot, gap
    default: return 0;
    }
}

LegendLayout layoutLegend(const QList<LegendEntry> &entries, int width, int bottom,
                          int lineHeight, const TextMeasure &measure)
{
    LegendLayout legend;
    const int n = int(entries.size());
    if (n == 0)
        return legend;
    const int h = lineHeight;
    const int pad = std::max(1, h / 2);
    const int innerWidth = width - 10 - 2 * pad;
    auto cellWidth = [&](int columns) { return (innerWidth - (columns - 1) * pad) / columns; };

    // The lines, then the marks from a row of their own.
    QList<QList<int>> groups(2);
    for (int i = 0; i < n; ++i)
        groups[entries[i].kind == LegendKind::Line ? 0 : 1] << i;
    groups.removeIf([](const QList<int> &g) { return g.isEmpty(); });
    // A mark's name stands beside its picture, a line's name above its sample.
    auto nameRoom = [&](const LegendEntry &e, int w) {
        return e.kind == LegendKind::Line ? w : w - int(std::ceil(e.mark.width())) - pad;
    };
    auto fitsInOneLine = [&](const QList<int> &group, int columns) {
        const int w = cellWidth(columns);
        return std::all_of(group.begin(), group.end(), [&](int i) {
            return measure(entries[i].name) <= nameRoom(entries[i], w)
                   && shortestSample(entries[i], h) <= w;
        });
    };
    legend.columns = 1;
    for (const QList<int> &g : groups) {
        const int count = int(g.size());
        legend.columns = std::max(
            legend.columns, fitsInOneLine(g, count) || count <= 4 ? count : (count + 1) / 2);
    }
    // A few entries keep the width of a quarter of the row rather than stretch across it.
    const int w = cellWidth(std::max(legend.columns, 4));

    // Each row: the entries in it, as tall as its longest name and tallest sample.
    struct Row
    {
        QList<int> entries;
        bool marks = false;
        int nameLines = 1;
        int sampleRoom = 0;
    };
    QList<Row> rows;
    QList<QStringList> names(n);
    for (const QList<int> &g : groups) {
        for (int k = 0; k < g.size(); ++k) {
            if (k % legend.columns == 0)
                rows << Row();
            Row &row = rows.last();
            const int i = g[k];
            row.entries << i;
            row.marks = entries[i].kind != LegendKind::Line;
            const int room = std::max(1, nameRoom(entries[i], w));
            names[i] = wrapLines(entries[i].name, [room](int) { return room; }, 2, measure);
            row.nameLines = std::max(row.nameLines, int(names[i].size()));
            row.sampleRoom = std::max(row.sampleRoom, int(std::ceil(sampleHeight(entries[i]))));
        }
    }
    legend.rows = int(rows.size());
    const int nameGap = std::max(1, h / 3);
    auto heightOf = [&](const Row &row) {
        return row.marks ? std::max(row.nameLines * h, row.sampleRoom)
                         : row.nameLines * h + nameGap + row.sampleRoom;
    };
    int boxHeight = 2 * pad + (legend.rows - 1) * pad;
    for (const Row &row : rows)
        boxHeight += heightOf(row);
    const int top = bottom - boxHeight;
    legend.box = QRect(QPoint(0, top), QPoint(width - 10, bottom));

    const int gridWidth = legend.columns * w + (legend.columns - 1) * pad;
    const int left = pad + (innerWidth - gridWidth) / 2;
    int rowTop = top + pad;
    for (const Row &row : rows) {
        const int rowHeight = heightOf(row);
        for (int column = 0; column < row.entries.size(); ++column) {
            const int i = row.entries[column];
            const LegendEntry &e = entries[i];
            LegendCell cell;
            cell.entry = i;
            cell.cell = QRect(left + column * (w + pad), rowTop, w, rowHeight);
            cell.name = names[i];
            cell.nameAt = cell.cell.topLeft();
            const double y = rowTop + row.nameLines * h + nameGap + row.sampleRoom / 2.0;
            if (e.kind == LegendKind::Line) {
                const double x0 = cell.cell.left() + capReach(e);
                const double x1 = std::max(x0, cell.cell.left() + w - endReach(e));
                cell.sample = QLineF(x0, y, x1, y);
                const double halfHeight = sampleHeight(e) / 2;
                cell.sampleBounds = QRectF(QPointF(x0 - capReach(e), y - halfHeight),
                                           QPointF(x1 + endReach(e), y + halfHeight));
            } else {
                // The picture at the left, the name beside it, both centred on the row.
                const QSizeF size(std::min<double>(e.mark.width(), w), e.mark.height());
                const double middle = rowTop + rowHeight / 2.0;
                cell.sampleBounds =
                    QRectF(QPointF(cell.cell.left(), middle - size.height() / 2), size);
                cell.sample = QLineF(cell.sampleBounds.center(), cell.sampleBounds.center());
                cell.nameAt = QPoint(cell.cell.left() + int(std::ceil(size.width())) + pad,
                                     int(middle) - int(cell.name.size()) * h / 2);
            }
            legend.cells << cell;
        }
        rowTop += rowHeight + pad;
    }
    return legend;
}

namespace {

// The legend for pictures printed `scale` dots to a surface pixel.
LegendLayout scaledLegend(QList<LegendEntry> entries, double scale, int width, int bottom,
                          int lineHeight, const TextMeasure &measure)
{
    for (LegendEntry &e : entries) {
        e.width = std::max(1.0, e.width) * scale;
        e.marker *= scale;
        e.mark *= scale;
    }
    return layoutLegend(entries, width, bottom, lineHeight, measure);
}

} // namespace

int pictureGutter(int dotsPerInch)
{
    return int(std::ceil(3.0 * dotsPerInch / 25.4));
}

QRect headerIconRect(QSize page)
{
    return QRect(page.width() - 70, 2, 64, 64);
}

FramePageLayout layoutFramePage(const FramePageRequest &request, const TextMeasure &measure)
{
    FramePageLayout layout;
    const int pw = request.page.width();
    const int ph = request.page.height();
    const int h = request.lineHeight;
    layout.icon = headerIconRect(request.page);

    // An empty line, the icon, another empty line, then the header and the page number.
    int y = 2 * h;
    // A heading's lines come on top of the header's three.
    layout.header = layoutTextBlock(request.header, QPoint(0, y), pw, layout.icon, h,
                                    3 + int(request.header.count('\n')), measure);
    y += int(layout.header.size()) * h;
    if (!request.pageLine.isEmpty()) {
        layout.header << PlacedText{QPoint(0, y), request.pageLine};
        y += h;
    }
    // An empty line, and the pictures a line further down.
    const int pictureTop = y + 2 * h;

    const int gutter = pictureGutter(request.dotsPerInch);
    int foot = ph;
    if (request.footer) {
        layout.footer = QRect(0, ph - h, pw, h);
        foot = ph - h - gutter;
    }
    const int legendBottom = request.footer ? ph - 2 * h : ph - h;
    auto legendAt = [&](double scale) {
        return scaledLegend(request.entries, scale, pw, legendBottom, h, measure);
    };

    const QSize largest = printPictureSize(request.page, h, request.surface, request.small);
    const bool legend = request.legend && !request.entries.isEmpty();
    if (legend)
        foot = legendAt(double(largest.width()) / request.surface.width()).box.top() - gutter;
    layout.pictureArea = QRect(0, pictureTop, pw, foot - pictureTop);
    if (layout.pictureArea.height() <= 0)
        throw RuntimeError(ErrorCode::PrinterError, "The page is too small to print on");

    // Small pictures leave room for two across and two down; a large one for its caption.
    const int captionRoom = request.captionLines > 0
                                ? captionGap(h) + request.captionLines * request.captionHeight
                                : 0;
    const QSize room = request.small ? QSize((pw - 20 - gutter) / 2,
                                          (layout.pictureArea.height() - gutter) / 2)
                                  : QSize(pw - 40, layout.pictureArea.height() - captionRoom);
    if (room.height() <= 0)
        throw RuntimeError(ErrorCode::PrinterError, "The page is too small to print on");
    QSize picture = largest;
    if (picture.width() > room.width() || picture.height() > room.height()) {
        const double f = std::min(double(room.width()) / picture.width(),
                                  double(room.height()) / picture.height());
        picture = QSize(std::max(1, int(picture.width() * f)),
                        std::max(1, int(picture.height() * f)));
    }
    layout.picture = picture;
    layout.scale = double(picture.width()) / request.surface.width();

    if (request.small) {
        const int columns = std::max(1, (pw - 20 + gutter) / (picture.width() + gutter));
        const int rows = std::max(1, (layout.pictureArea.height() + gutter)
                                         / (picture.height() + gutter));
        const int gridWidth = columns * picture.width() + (columns - 1) * gutter;
        const int left = (pw - gridWidth) / 2;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                layout.places << QRect(QPoint(left + c * (picture.width() + gutter),
                                             pictureTop + r * (picture.height() + gutter)),
                                      picture);
    } else {
        layout.places << QRect(QPoint(toInt32((pw - double(picture.width())) / 2), pictureTop),
                              picture);
        layout.captionTop = pictureTop + picture.height() + captionGap(h);
    }
    if (legend)
        layout.legend = legendAt(layout.scale);
    return layout;
}

int captionGap(int lineHeight)
{
    return std::max(1, lineHeight / 8);
}

PlacedCaption layoutCaption(const QString &number, const QString &text, const QRect &picture,
                            int top, int lineHeight, int maxLines, const TextMeasure &measure)
{
    PlacedCaption caption;
    const QString gap = QStringLiteral("  ");
    const QString whole = text.isEmpty() || number.isEmpty() ? number + text
                                                             : number + gap + text;
    if (measure(whole) <= picture.width() || maxLines < 1) {
        const int left = picture.left() + (picture.width() - measure(whole)) / 2;
        caption.number = PlacedText{QPoint(left, top), number};
        if (!text.isEmpty())
            caption.lines << PlacedText{
                QPoint(left + (number.isEmpty() ? 0 : measure(number + gap)), top), text};
        return caption;
    }
    const int indent = number.isEmpty() ? 0 : measure(number + gap);
    const int room = std::max(1, picture.width() - indent);
    caption.number = PlacedText{QPoint(picture.left(), top), number};
    const QStringList lines = wrapLines(text, [room](int) { return room; }, maxLines, measure);
    for (int i = 0; i < lines.size(); ++i) {
        const int left = number.isEmpty()
                             ? picture.left() + (picture.width() - measure(lines[i])) / 2
                             : picture.left() + indent;
        caption.lines << PlacedText{QPoint(left, top + i * lineHeight), lines[i]};
    }
    return caption;
}

QList<int> sheetPageFrames(int frames)
{
    constexpr int kMost = 6;
    frames = std::max(1, frames);
    const int pages = (frames + kMost - 1) / kMost;
    QList<int> counts;
    for (int p = 0; p < pages; ++p)
        counts << frames / pages + (p < frames % pages ? 1 : 0);
    return counts;
}

SheetLayout layoutSheet(const SheetRequest &request, const TextMeasure &measure)
{
    SheetLayout layout;
    const int pw = request.page.width();
    const int ph = request.page.height();
    const int h = request.lineHeight;
    const QSize surface = request.surface;
    if (surface.width() <= 0 || surface.height() <= 0)
        throw RuntimeError(ErrorCode::InvalidPicture);
    const int gutter = pictureGutter(request.dotsPerInch);
    layout.icon = headerIconRect(request.page);
    const int ch = request.captionHeight > 0 ? request.captionHeight : h;
    const TextMeasure &captionMeasure =
        request.captionMeasure ? request.captionMeasure : measure;

    // The header as a frame page has it but a line higher, the pictures half a line below it
    // and clear of the icon: a sheet gives the room to its pictures.
    QList<PlacedText> header =
        layoutTextBlock(request.header, QPoint(0, h), pw, layout.icon, h,
                        3 + int(request.header.count('\n')), measure);
    int y = h + int(header.size()) * h;
    if (request.pageLine) {
        header << PlacedText{QPoint(0, y), QString()};
        y += h;
    }
    const int top = std::max(y + h / 2, layout.icon.bottom() + 1 + gutter);
    const int foot = request.footer ? ph - h - gutter : ph;
    const int legendBottom = request.footer ? foot - 1 : ph - h;
    const bool legend = request.legend && !request.entries.isEmpty();
    auto legendAt = [&](double scale) {
        return scaledLegend(request.entries, scale, pw, legendBottom, h, measure);
    };

    const int noteWidth = pw - 10;
    const QStringList notes =
        request.notes ? wrapLines(request.notesText, [noteWidth](int) { return noteWidth; },
                                  INT_MAX, measure)
                      : QStringList();
    // "Notes:", the rule under it and up to twelve lines stay with the last pictures.
    const int notesHead = h + h / 2;
    constexpr int kNotesKept = 12;
    const int notesRoom = request.notes
                              ? gutter + notesHead + std::min<int>(kNotesKept, notes.size()) * h
                              : 0;
    const int gap = captionGap(h);
    const int width = pw - 20;
    auto captionOf = [&](int frame) { return request.captions.value(frame - 1); };
    auto numbered = [&](int frame) {
        const QString text = captionOf(frame);
        return text.isEmpty() ? QString::number(frame)
                              : QString::number(frame) + "  " + text;
    };

    auto newPage = [&] {
        SheetPage page;
        page.header = header;
        layout.pages << page;
        return &layout.pages.last();
    };

    const QList<int> counts = sheetPageFrames(request.frames);
    int first = 1;
    int notesTop = top;
    int notesFoot = foot;
    for (int p = 0; p < counts.size(); ++p) {
        const int count = counts[p];
        const bool last = p == counts.size() - 1;
        int captionLines = 1;
        // The grid with at most one cell empty that makes the pictures largest, with the
        // captions' lines under each row, for pictures above `bottom`.
        auto fit = [&](int bottom, int &columns, int &rows) {
            const int height = bottom - (last ? notesRoom : 0) - top;
            double best = 0;
            for (int c = 1; c <= count; ++c) {
                const int r = (count + c - 1) / c;
                if (c * r - count > 1)
                    continue;
                const double cellWidth = double(width - (c - 1) * gutter) / c;
                const double cellHeight =
                    double(height - r * (gap + captionLines * ch) - (r - 1) * gutter) / r;
                const double scale =
                    std::min(cellWidth / surface.width(), cellHeight / surface.height());
                if (scale > best) {
                    best = scale;
                    columns = c;
                    rows = r;
                }
            }
            return best;
        };
        // Notes end a quarter line above the legend, pictures a gutter above it.
        const int legendGap = last && request.notes ? std::max(1, h / 4) : gutter;
        SheetPage *page = newPage();
        double scale = 0;
        double legendScale = 0;
        LegendLayout legendLayout;
        for (;;) {
            if (legend) {
                // The legend's samples grow with the pictures and the pictures shrink as the
                // legend grows: a few rounds settle both, the samples drawn no larger than
                // the room kept for them allows.
                double reserved = double(pw) / surface.width();
                for (int round = 0; round < 3; ++round) {
                    legendLayout = legendAt(reserved);
                    scale = fit(legendLayout.box.top() - legendGap, page->columns, page->rows);
                    if (round < 2)
                        reserved = std::max(scale, 0.0);
                }
                legendScale = std::min(reserved, scale);
            } else {
                scale = fit(foot, page->columns, page->rows);
            }
            page->picture = QSize(int(surface.width() * scale), int(surface.height() * scale));
            if (page->picture.width() < 1 || page->picture.height() < 1)
                throw RuntimeError(ErrorCode::PrinterError, "The page is too small to print on");
            bool fits = true;
            for (int f = first; f < first + count; ++f)
                fits = fits && captionMeasure(numbered(f)) <= page->picture.width();
            if (fits || captionLines == 2)
                break;
            captionLines = 2;
        }
        page->scale = double(page->picture.width()) / surface.width();
        page->legendScale = legend ? std::min(legendScale, page->scale) : page->scale;
        if (legend)
            legendLayout = legendAt(page->legendScale);
        page->legend = legendLayout;
        notesFoot = legend ? legendLayout.box.top() - legendGap : foot;

        // The pictures, row by row, centred across the page; a short last row centred too.
        const QSize picture = page->picture;
        const int rowPitch = picture.height() + gap + captionLines * ch + gutter;
        for (int i = 0; i < count; ++i) {
            const int row = i / page->columns;
            const int inRow = std::min(page->columns, count - row * page->columns);
            const int rowWidth = inRow * picture.width() + (inRow - 1) * gutter;
            const int left = (pw - rowWidth) / 2;
            const QPoint at(left + i % page->columns * (picture.width() + gutter),
                            top + row * rowPitch);
            const QRect place(at, picture);
            page->places << place;
            page->frames << first + i;
            page->captions << layoutCaption(QString::number(first + i), captionOf(first + i),
                                            place, place.bottom() + 1 + gap, ch, captionLines,
                                            captionMeasure);
        }
        notesTop = top + page->rows * rowPitch;
        first += count;
    }
    if (!request.notes)
        return layout;

    // The notes just above the legend where they all fit under the last pictures, else from
    // under the pictures, or on a page of their own when not even "Notes:" and a line fit;
    // what the page cannot hold goes on over further pages.
    SheetPage *page = &layout.pages.last();
    if (notesTop + notesHead + h > notesFoot) {
        page = newPage();
        notesTop = top;
    } else {
        notesTop = std::max<int>(notesTop, notesFoot - notesHead - int(notes.size()) * h);
    }
    page->notes << PlacedText{QPoint(0, notesTop), QStringLiteral("Notes:")};
    page->notesRuleY = notesTop + h + h / 4;
    int lineTop = notesTop + notesHead;
    int bottom = page->places.isEmpty() ? foot : notesFoot;
    for (const QString &line : notes) {
        if (lineTop + h > bottom) {
            page = newPage();
            lineTop = top;
            bottom = foot;
        }
        page->notes << PlacedText{QPoint(0, lineTop), line};
        lineTop += h;
    }
    return layout;
}

QList<ContentsPage> layoutContents(QSize page, int lineHeight, int headingHeight,
                                   const TextMeasure &measureHeading,
                                   const TextMeasure &measure, const QString &name,
                                   const QList<ContentsEntry> &entries)
{
    const int pw = page.width();
    const int h = lineHeight;
    const QRect icon = headerIconRect(page);
    const int foot = page.height() - 2 * h; // the footer's line and a line's gap above it
    const int step = h * 3 / 2;
    // Rows on later pages start below the icon.
    const int continuedTop = std::max(2 * h, icon.bottom() + h);

    QList<ContentsPage> pages(1);
    ContentsPage &first = pages.front();
    first.heading = layoutTextBlock(name, QPoint(0, 2 * h), pw, icon, headingHeight, 3,
                                    measureHeading);
    int y = 2 * h + int(first.heading.size()) * headingHeight + h / 2;
    first.ruleY = y;
    y += h;

    int widest = 0;
    for (const ContentsEntry &e : entries)
        widest = std::max(widest, measure(QString::number(e.firstPage)));
    const int titleRoom = pw - widest - 3 * h;
    for (const ContentsEntry &e : entries) {
        if (y + h > foot && !pages.last().rows.isEmpty()) {
            pages << ContentsPage();
            y = continuedTop;
        }
        ContentsRow row;
        row.title = PlacedText{QPoint(0, y), elideText(e.title, titleRoom, measure)};
        const QString number = QString::number(e.firstPage);
        const int numberLeft = pw - measure(number);
        row.number = PlacedText{QPoint(numberLeft, y), number};
        const int from = measure(row.title.text) + h / 2;
        const int to = numberLeft - h / 2;
        if (to - from >= h)
            row.leader = QLine(from, y + h * 3 / 4, to, y + h * 3 / 4);
        pages.last().rows << row;
        y += step;
    }
    return pages;
}

QSize printPictureSize(QSize page, int lineHeight, QSize surface, bool small)
{
    int H = toInt32(page.height() - 12.0 * lineHeight);
    int W = toInt32(page.width() - 40.0);
    if (small) {
        H = toInt32(H / 2.1);
        W = toInt32(W / 2.1);
    }
    if (surface.width() <= 0 || surface.height() <= 0)
        throw RuntimeError(ErrorCode::InvalidPicture);
    if (W <= 0 || H <= 0)
        throw RuntimeError(ErrorCode::PrinterError, "The page is too small to print on");
    const double aspect = double(surface.height()) / surface.width();
    if (aspect < 1) {
        const int fullWidthHeight = toInt32(aspect * W);
        if (fullWidthHeight <= H)
            H = fullWidthHeight;
        else
            W = toInt32(H / aspect);
    } else {
        const int fullHeightWidth = toInt32(H / aspect);
        if (fullHeightWidth <= W)
            W = fullHeightWidth;
        else
            H = toInt32(aspect * W);
    }
    return QSize(W, H);
}

} // namespace kinetra
