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
        const std::array<bool, 8> lines = legendLines(play.frames, options.allFrames);
        for (size_t k = 0; k < lines.size(); ++k) {
            if (!lines[k])
                continue;
            const ActionLook &look = play.looks.actions[k];
            LegendEntry e;
            e.index = int(k);
            e.name = QString::fromStdString(look.label);
            e.type = look.type;
            e.endType = look.endType;
            // In black and white the sample is as wide as the frames draw the line.
            e.width = options.mono ? std::max(look.size, kMonoMinLineWidth) : look.size;
            m_entries << e;
        }
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
        const SheetLayout layout = layoutSheet(request, m_measure);

        for (const SheetPage &page : layout.pages) {
            startPage();
            drawIcon();
            drawHeader(page.header);
            for (int i = 0; i < page.places.size(); ++i) {
                drawPicture(page.places[i], int16_t(page.frames[i]), picture);
                m_target.drawText(page.captions[i].at, page.captions[i].text);
            }
            if (!page.legend.cells.isEmpty())
                drawLegend(page.legend, layout.scale);
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
        const FramePageLayout layout = layoutFramePage(request, m_measure);

        const int perPage = int(layout.places.size());
        const int last = o.allFrames ? m_play.frames.count() : 1;
        for (int i = 1; i <= last; ++i) {
            const int slot = (i - 1) % perPage;
            if (slot == 0)
                framePage(layout);
            drawPicture(layout.places[slot], int16_t(i), picture);
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
            drawSample(cell, m_entries[cell.entry], scale);
        }
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
    const FramePicture draw = [&](int16_t index) -> FrameShot {
        surface.clear();
        FrameRenderer::Draw(options.allFrames ? frames.frame(index) : frames.currentFrame(),
                            surface, looks);
        return surface;
    };
    return printPlay(target, play, options, surface.size(), draw);
}

} // namespace kinetra
