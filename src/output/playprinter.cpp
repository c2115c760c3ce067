#include "output/playprinter.h"

#include "model/framelist.h"
#include "model/playfile.h"
#include "model/rounding.h"
#include "model/runtimeerror.h"
#include "output/pagelayout.h"
#include "output/printtarget.h"
#include "surface/colors.h"
#include "surface/framerenderer.h"
#include "surface/monolooks.h"
#include "surface/surface.h"

#include <QStringList>

#include <algorithm>
#include <climits>
#include <cmath>

namespace kinetra {

namespace {

// Relative luminance of an sRGB colour, 0 for black to 1 for white.
double relativeLuminance(const QColor &color)
{
    auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF())
           + 0.0722 * linear(color.blueF());
}

// Colours lighter than this vanish on white paper without an outline.
constexpr double kLightOnPaper = 0.8;

// Measures as another target does and draws nothing: counts the pages a layout takes.
class CountingTarget : public PrintTarget
{
public:
    explicit CountingTarget(const PrintTarget &measure) : m_measure(measure) {}
    void begin() override {}
    QSize pageSize() const override { return m_measure.pageSize(); }
    int dotsPerInch() const override { return m_measure.dotsPerInch(); }
    void setFont(const QFont &) override {}
    int textWidth(const QString &text) const override { return m_measure.textWidth(text); }
    int textHeight(const QString &text) const override { return m_measure.textHeight(text); }
    void drawText(const QPoint &, const QString &) override {}
    void drawLine(const QPoint &, const QPoint &, const QPen &) override {}
    void drawBox(const QPoint &, const QPoint &, const QPen &) override {}
    void drawImage(const QRect &, const QImage &) override {}
    void drawShape(const QPainterPath &, const QPen &, const QBrush &) override {}
    void newPage() override {}
    void finish() override {}

private:
    const PrintTarget &m_measure;
};

// Prints one play's pages from their layout. The print position of the notes pages moves
// down one line per printed line, as on a line printer.
class PagePrinter
{
public:
    PagePrinter(PrintTarget &target, const PlaySnapshot &play, const PrintOptions &options,
                PageNumbering numbering)
        : m_target(target)
        , m_play(play)
        , m_options(options)
        , m_numbering(numbering)
        , m_page(target.pageSize())
        , m_h(toInt32(target.textHeight("X")))
        , m_pageNumber(numbering.first - 1)
        , m_measure([&target](const QString &text) { return target.textWidth(text); })
    {
        m_header = QString::fromStdString(play.title + " : Created on " + play.date + " at "
                                          + play.time);
        // The marks are drawn as the frames draw them, plain: no focus, no label, none hidden.
        m_markLooks = options.mono ? monoLooks(options.looks) : options.looks;
        m_entries = legendEntries(play, options.allFrames, m_markLooks);
        // In black and white a line's sample is as wide as the frames draw the line.
        if (options.mono)
            for (LegendEntry &e : m_entries)
                if (e.kind == LegendKind::Line)
                    e.width = std::max(e.width, double(kMonoMinLineWidth));
        m_markLooks.focusPlayer = -1;
        m_markLooks.hideOffense.fill(false);
        m_markLooks.hideDefense.fill(false);
        m_markLooks.OPLabel.fill(QString());
        m_markLooks.DPLabel.fill(QString());
        m_markLooks.drawingSuppressed = nullptr;
        m_captionFont = captionFont(options.font);
        m_target.setFont(m_captionFont);
        m_captionHeight = toInt32(m_target.textHeight("X"));
        m_target.setFont(m_options.font);
        m_captionMeasure = [this](const QString &text) {
            m_target.setFont(m_captionFont);
            const int width = m_target.textWidth(text);
            m_target.setFont(m_options.font);
            return width;
        };
        const int printed = options.allFrames ? play.frames.count() : 1;
        for (int i = 1; i <= printed; ++i)
            m_captions << QString::fromStdString(
                (options.allFrames ? play.frames.frame(int16_t(i)) : play.frames.currentFrame())
                    .Caption);
    }

    int run(QSize surfaceSize, const FramePicture &picture)
    {
        return m_options.sheet ? runSheet(surfaceSize, picture)
                               : runFramePages(surfaceSize, picture);
    }

private:
    // The heading's lines, then the header, each after a blank as the header prints.
    QString headerText() const
    {
        QString text;
        for (const QString &line : m_options.heading.split('\n', Qt::SkipEmptyParts))
            text += " " + line + "\n";
        return text + " " + m_header;
    }

    int runSheet(QSize surfaceSize, const FramePicture &picture)
    {
        const PrintOptions &o = m_options;
        SheetRequest request;
        request.page = m_page;
        request.lineHeight = m_h;
        request.dotsPerInch = m_target.dotsPerInch();
        request.surface = surfaceSize;
        request.frames = o.allFrames ? m_play.frames.count() : 1;
        request.header = headerText();
        request.pageLine = headerNumbered();
        request.footer = !headerNumbered();
        request.legend = o.legend;
        request.entries = m_entries;
        request.notes = o.notes;
        request.notesText = QString::fromStdString(m_play.notes);
        request.captions = m_captions;
        request.captionHeight = m_captionHeight;
        request.captionMeasure = m_captionMeasure;
        const SheetLayout layout = layoutSheet(request, m_measure);

        for (const SheetPage &page : layout.pages) {
            startPage();
            drawIcon();
            drawHeader(page.header);
            for (int i = 0; i < page.places.size(); ++i) {
                drawPicture(page.places[i], int16_t(page.frames[i]), picture);
                drawCaption(page.captions[i]);
            }
            if (!page.legend.cells.isEmpty())
                drawLegend(page.legend, page.legendScale);
            for (const PlacedText &line : page.notes)
                if (!line.text.isEmpty())
                    m_target.drawText(line.at, line.text);
            if (page.notesRuleY >= 0)
                m_target.drawLine(QPoint(0, page.notesRuleY),
                                  QPoint(m_page.width() - 10, page.notesRuleY),
                                  QPen(Qt::black, 1));
        }
        return m_pageNumber - m_numbering.first + 1;
    }

    void drawCaption(const PlacedCaption &caption)
    {
        m_target.setFont(m_captionFont);
        if (!caption.number.text.isEmpty())
            m_target.drawText(caption.number.at, caption.number.text);
        for (const PlacedText &line : caption.lines)
            m_target.drawText(line.at, line.text);
        m_target.setFont(m_options.font);
    }

    int runFramePages(QSize surfaceSize, const FramePicture &picture)
    {
        const PrintOptions &o = m_options;
        FramePageRequest request;
        request.page = m_page;
        request.lineHeight = m_h;
        request.dotsPerInch = m_target.dotsPerInch();
        request.surface = surfaceSize;
        request.small = o.small;
        request.header = headerText();
        request.pageLine = headerNumbered() ? QString(" Page : 1") : QString();
        request.footer = !headerNumbered();
        request.legend = o.legend;
        request.entries = m_entries;
        // A large picture keeps room under it for a caption when any frame printed has one.
        const bool captioned = !o.small && std::any_of(m_captions.begin(), m_captions.end(),
                                                       [](const QString &c) { return !c.isEmpty(); });
        if (captioned) {
            const int widest = m_page.width() - 40;
            request.captionLines = std::any_of(m_captions.begin(), m_captions.end(),
                                               [&](const QString &c) {
                                                   return m_captionMeasure(c) > widest;
                                               })
                                       ? 2
                                       : 1;
            request.captionHeight = m_captionHeight;
        }
        const FramePageLayout layout = layoutFramePage(request, m_measure);

        const int perPage = int(layout.places.size());
        const int last = o.allFrames ? m_play.frames.count() : 1;
        for (int i = 1; i <= last; ++i) {
            const int slot = (i - 1) % perPage;
            if (slot == 0)
                framePage(layout);
            drawPicture(layout.places[slot], int16_t(i), picture);
            if (captioned)
                drawCaption(layoutCaption(QString(), m_captions.value(i - 1), layout.places[slot],
                                          layout.captionTop, m_captionHeight,
                                          request.captionLines, m_captionMeasure));
        }
        if (o.notes)
            printNotes();
        return m_pageNumber - m_numbering.first + 1;
    }

    bool headerNumbered() const { return m_numbering.total == 0; }

    // The frame picture in its place on the page.
    void drawPicture(const QRect &place, int16_t index, const FramePicture &picture)
    {
        const FrameShot shot = picture(index);
        if (shot.surface)
            m_target.drawSurface(place, *shot.surface);
        else
            m_target.drawImage(place, shot.image);
    }

    void startPage()
    {
        // Every page but the document's first is started by ending the one before it.
        if (m_pageNumber > 0)
            m_target.newPage();
        ++m_pageNumber;
        m_y = 0;
        if (!headerNumbered())
            printPageFooter(m_target, m_pageNumber, m_numbering.total);
    }

    // A new page with the icon, the header, the page line and the legend.
    void framePage(const FramePageLayout &layout)
    {
        startPage();
        drawIcon();
        drawHeader(layout.header);
        if (!layout.legend.cells.isEmpty())
            drawLegend(layout.legend, layout.scale);
    }

    // The header's lines; with the page numbered in the header, its last line is the number.
    void drawHeader(const QList<PlacedText> &header)
    {
        for (int k = 0; k < header.size(); ++k) {
            const PlacedText &line = header[k];
            const bool pageLine = headerNumbered() && k == header.size() - 1;
            m_target.drawText(line.at, pageLine ? " Page : " + QString::number(m_pageNumber)
                                                : line.text);
        }
    }

    void drawLegend(const LegendLayout &legend, double scale)
    {
        m_target.drawBox(legend.box.topLeft(), legend.box.bottomRight(), QPen(Qt::black, 1));
        for (const LegendCell &cell : legend.cells) {
            for (int j = 0; j < cell.name.size(); ++j)
                m_target.drawText(cell.nameAt + QPoint(0, j * m_h), cell.name[j]);
            const LegendEntry &e = m_entries[cell.entry];
            if (e.kind == LegendKind::Line)
                drawSample(cell, e, scale);
            else
                drawMark(cell, e);
        }
    }

    // A player's marker (crossed for the out mark) or a symbol, drawn by the renderer on a
    // piece of white paper the mark's size, as the frames draw it.
    void drawMark(const LegendCell &cell, const LegendEntry &e)
    {
        const QSize size = e.mark.toSize();
        if (size.isEmpty())
            return;
        QImage paper(size, QImage::Format_RGB32);
        paper.fill(Qt::white);
        Surface surface;
        surface.setPicture(paper);
        PlayConfig frame;
        frame.Blank_Frame();
        if (e.kind == LegendKind::Symbol) {
            frame.SYMBOLX[size_t(e.index)] = 1;
            frame.SYMBOLY[size_t(e.index)] = 1;
        } else {
            const int side = e.kind == LegendKind::Offense ? 0
                             : e.kind == LegendKind::Defense ? 1
                                                             : e.index;
            const float centre = float(size.width() / 2);
            (side == 0 ? frame.OPlayerX : frame.DPlayerX)[0] = centre;
            (side == 0 ? frame.OPlayerY : frame.DPlayerY)[0] = centre;
            if (e.kind == LegendKind::Out)
                frame.ActivePlyr = int16_t(side == 0 ? 0 : kPlayersPerSide);
        }
        FrameRenderer::Draw(frame, surface, m_markLooks);
        m_target.drawSurface(cell.sampleBounds.toRect(), surface);
    }

    // The line as the picture shows it: its dash, its width, its end marker, all in
    // proportion to the printed picture; a colour too light for paper is drawn over a dark
    // line a little wider, with dashes of the same lengths, so that it shows as outlined.
    void drawSample(const LegendCell &cell, const LegendEntry &e, double scale)
    {
        const int32_t rgb = m_play.looks.actions[size_t(e.index)].color;
        const QColor color = m_options.mono ? monoActionColor(e.index) : colorFromRgbInt(rgb);
        const double width = std::max<double>(1, e.width) * scale;
        QPen pen(color, width, penStyleOf(e.type - 1),
                 e.width <= 1 ? Qt::SquareCap : Qt::RoundCap, Qt::RoundJoin);
        if (m_options.mono && !monoDashes(e.type).isEmpty())
            pen.setDashPattern(monoDashes(e.type));
        const QPoint from = cell.sample.p1().toPoint();
        const QPoint end = cell.sample.p2().toPoint();
        const int m = toInt32(e.marker * scale);
        const QLine bar(end.x(), end.y() - m, end.x(), end.y() + m);
        const QPainterPath arrowhead = [&] {
            QPainterPath head;
            head.addPolygon(QPolygonF({QPointF(end.x(), end.y() - m), QPointF(end.x() + m, end.y()),
                                       QPointF(end.x(), end.y() + m), QPointF(end.x(), end.y() - m)}));
            return head;
        }();

        QPen outline(Qt::NoPen);
        if (relativeLuminance(color) > kLightOnPaper) {
            const double thin = std::max(1.0, 0.15 / 25.4 * m_target.dotsPerInch());
            outline = QPen(QColor(64, 64, 64), thin, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
            QPen under = pen;
            under.setColor(outline.color());
            under.setWidthF(width + 2 * thin);
            if (pen.style() != Qt::SolidLine) {
                QList<qreal> dashes = pen.dashPattern();
                for (qreal &d : dashes)
                    d *= width / under.widthF();
                under.setDashPattern(dashes);
            }
            m_target.drawLine(from, end, under);
            if (e.endType == 1)
                m_target.drawLine(bar.p1(), bar.p2(), under);
        }
        m_target.drawLine(from, end, pen);
        if (e.endType == 0)
            m_target.drawShape(arrowhead, outline, QBrush(color));
        else if (e.endType == 1)
            m_target.drawLine(bar.p1(), bar.p2(), pen);
    }

    void print(const QString &text)
    {
        if (!text.isEmpty())
            m_target.drawText(QPoint(0, m_y), text);
        m_y = toInt32(double(m_y) + m_target.textHeight(text.isEmpty() ? QString("X") : text));
    }

    void drawIcon()
    {
        if (!m_options.icon.isNull())
            m_target.drawImage(headerIconRect(m_page),
                               m_options.mono ? greyPicture(m_options.icon) : m_options.icon);
    }

    void notesHeader()
    {
        drawIcon();
        const QList<PlacedText> header = layoutTextBlock(
            m_header, QPoint(0, m_y), m_page.width(), headerIconRect(m_page), m_h, 3, m_measure);
        for (const PlacedText &line : header)
            print(line.text);
        if (headerNumbered())
            print("Page : " + QString::number(m_pageNumber));
    }

    void printNotes()
    {
        startPage();
        notesHeader();
        print(QString());
        print(QString());
        print("Notes:");
        m_target.drawLine(QPoint(0, m_y), QPoint(m_page.width() - 10, m_y), QPen(Qt::black, 1));
        print(QString());
        // Long notes go on over further pages, each headed like the first, rather than run
        // off the paper or over the footer.
        const int foot = headerNumbered() ? m_page.height() : m_page.height() - 2 * m_h;
        const int width = m_page.width() - 10;
        const QStringList lines =
            wrapLines(QString::fromStdString(m_play.notes), [width](int) { return width; }, INT_MAX, m_measure);
        for (const QString &line : lines) {
            if (m_y + m_h > foot && m_y > 0) {
                startPage();
                notesHeader();
                print(QString());
            }
            print(line);
        }
    }

    PrintTarget &m_target;
    const PlaySnapshot &m_play;
    const PrintOptions &m_options;
    const PageNumbering m_numbering;
    const QSize m_page;
    const int m_h;
    int m_pageNumber;
    const TextMeasure m_measure;
    QString m_header;
    QList<LegendEntry> m_entries;
    FrameLooks m_markLooks;
    QFont m_captionFont;
    int m_captionHeight = 0;
    TextMeasure m_captionMeasure;
    QStringList m_captions; ///< each printed frame's caption
    int m_y = 0;
};

} // namespace

std::array<bool, 8> legendLines(const FrameList &frames, bool allFrames)
{
    std::array<bool, 8> used{};
    auto note = [&used](const PlayConfig &frame) {
        for (size_t k = 0; k < used.size(); ++k)
            if (frame.actionLineCount(int(k)) > 0)
                used[k] = true;
    };
    if (allFrames) {
        for (int i = 1; i <= frames.count(); ++i)
            note(frames.frame(int16_t(i)));
    } else {
        note(frames.currentFrame());
    }
    if (std::none_of(used.begin(), used.end(), [](bool u) { return u; }))
        used.fill(true);
    return used;
}

namespace {

// Whether player i of the side is drawn on the frame: his x rounds to more than 0, his side's
// shape draws and his hide box is clear.
bool playerShown(const PlayConfig &frame, int side, int i, const FrameLooks &looks)
{
    const auto &xs = side == 0 ? frame.OPlayerX : frame.DPlayerX;
    const auto &hidden = side == 0 ? looks.hideOffense : looks.hideDefense;
    const int16_t shape = looks.PlayerShape[size_t(side)];
    return xs[size_t(i)] > 0.5f && !hidden[size_t(i)] && (shape == 1 || shape == 3);
}

} // namespace

QList<LegendEntry> legendEntries(const PlaySnapshot &play, bool allFrames,
                                 const FrameLooks &looks)
{
    QList<LegendEntry> entries;
    const std::array<bool, 8> lines = legendLines(play.frames, allFrames);
    for (size_t k = 0; k < lines.size(); ++k) {
        if (!lines[k])
            continue;
        const ActionLook &look = play.looks.actions[k];
        LegendEntry e;
        e.index = int(k);
        e.name = QString::fromStdString(look.label);
        e.type = look.type;
        e.endType = look.endType;
        e.width = look.size;
        entries << e;
    }

    int outSide = -1;
    std::array<bool, 2> sides{};
    std::array<bool, kSymbolCount> symbols{};
    auto note = [&](const PlayConfig &frame) {
        for (int side = 0; side < 2; ++side)
            for (int i = 0; i < kPlayersPerSide; ++i) {
                if (!playerShown(frame, side, i, looks))
                    continue;
                sides[size_t(side)] = true;
                if (outSide < 0 && frame.ActivePlyr == side * kPlayersPerSide + i)
                    outSide = side;
            }
        for (size_t k = 0; k < symbols.size(); ++k)
            if (frame.SYMBOLX[k] > 0.5f)
                symbols[k] = true;
    };
    if (allFrames) {
        for (int i = 1; i <= play.frames.count(); ++i)
            note(play.frames.frame(int16_t(i)));
    } else {
        note(play.frames.currentFrame());
    }

    auto mark = [&](LegendKind kind, int index, const QString &name, QSizeF size) {
        LegendEntry e;
        e.kind = kind;
        e.index = index;
        e.name = name;
        e.mark = size;
        entries << e;
    };
    // A marker with two pixels about it, so that its outline is never cut.
    auto marker = [&](int side) {
        const double side2 = 2.0 * (looks.PlayerSize[size_t(side)] + 2) + 1;
        return QSizeF(side2, side2);
    };
    if (outSide >= 0)
        mark(LegendKind::Out, outSide, QStringLiteral("Out"), marker(outSide));
    if (sides[0])
        mark(LegendKind::Offense, 0, QStringLiteral("Offense"), marker(0));
    if (sides[1])
        mark(LegendKind::Defense, 1, QStringLiteral("Defense"), marker(1));
    // Every symbol is drawn at the size of box 4's picture, a pixel in from the corner.
    const QSize box = looks.symbols[4].isNull() ? QSize(24, 24) : looks.symbols[4].size();
    for (size_t k = 0; k < symbols.size(); ++k) {
        if (!symbols[k])
            continue;
        const QString name = looks.symbolNames[k].trimmed();
        mark(LegendKind::Symbol, int(k),
             name.isEmpty() ? QString("Symbol %1").arg(k + 1) : name,
             QSizeF(box.width() + 1, box.height() + 1));
    }
    return entries;
}

QFont captionFont(const QFont &font)
{
    QFont caption = font;
    if (font.pointSizeF() > 0 && font.pointSizeF() < 10)
        caption.setPointSizeF(10);
    return caption;
}

int printPlay(PrintTarget &target, const PlaySnapshot &play, const PrintOptions &options,
              QSize surfaceSize, const FramePicture &picture)
{
    target.setFont(options.font);
    target.setDocumentTitle(QString::fromStdString(play.title));
    target.begin();
    const int pages = printPlayPages(target, play, options, surfaceSize, picture, {});
    target.finish();
    return pages;
}

int printPlayPages(PrintTarget &target, const PlaySnapshot &play, const PrintOptions &options,
                   QSize surfaceSize, const FramePicture &picture, PageNumbering numbering)
{
    return PagePrinter(target, play, options, numbering).run(surfaceSize, picture);
}

void printPageFooter(PrintTarget &target, int page, int total)
{
    const QString text = QString("Page %1 of %2").arg(page).arg(total);
    const QSize size = target.pageSize();
    target.drawText(QPoint((size.width() - target.textWidth(text)) / 2,
                           size.height() - toInt32(target.textHeight(text))),
                    text);
}

int countPlayPages(const PrintTarget &target, const PlaySnapshot &play,
                   const PrintOptions &options, QSize surfaceSize, PageNumbering numbering)
{
    CountingTarget counting(target);
    return PagePrinter(counting, play, options, numbering)
        .run(surfaceSize, [](int16_t) { return QImage(); });
}

int printPlay(PrintTarget &target, const PlaySnapshot &play, const PrintOptions &options,
              const FrameLooks &looks, Surface &surface)
{
    const FrameList &frames = play.frames;
    PrintOptions withLooks = options;
    withLooks.looks = looks;
    const FramePicture draw = [&](int16_t index) -> FrameShot {
        surface.clear();
        FrameRenderer::Draw(options.allFrames ? frames.frame(index) : frames.currentFrame(),
                            surface, looks);
        return surface;
    };
    return printPlay(target, play, withLooks, surface.size(), draw);
}

} // namespace kinetra
