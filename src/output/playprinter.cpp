#include "output/playprinter.h"

#include "model/framelist.h"
#include "model/rounding.h"
#include "model/runtimeerror.h"
#include "output/printtarget.h"
#include "surface/framerenderer.h"
#include "surface/surface.h"

#include <QStringList>

#include <algorithm>

namespace kinetra {

namespace {

// The length of the longest start of s no wider than width, at least one character. Widths
// grow with the length, so the length is found by doubling and then halving, which keeps
// the number of measures small even for a long line.
int fittingLength(const PrintTarget &target, const QString &s, int width)
{
    int good = 1;
    int n = std::min<int>(int(s.size()), 64);
    while (target.textWidth(s.left(n)) <= width) {
        good = n;
        if (n == s.size())
            return n;
        n = std::min<int>(int(s.size()), n * 2);
    }
    int bad = n;
    while (bad - good > 1) {
        const int mid = (good + bad) / 2;
        if (target.textWidth(s.left(mid)) <= width)
            good = mid;
        else
            bad = mid;
    }
    return good;
}

// Splits text into lines no wider than width: at blanks where it can, inside a word that is
// wider than the whole line. Line breaks of any kind (CR LF, LF, CR) start a new line.
QStringList wrapText(const PrintTarget &target, const QString &text, int width)
{
    QString normalised = text;
    normalised.replace("\r\n", "\n").replace('\r', '\n');
    QStringList lines;
    for (const QString &paragraph : normalised.split('\n')) {
        QString rest = paragraph;
        for (;;) {
            const int fit = rest.isEmpty() ? 0 : fittingLength(target, rest, width);
            if (fit >= rest.size()) {
                lines << rest;
                break;
            }
            const int blank = int(rest.lastIndexOf(' ', fit));
            const int cut = blank > 0 ? blank : fit;
            lines << rest.left(cut);
            rest = rest.mid(cut);
            if (blank > 0)
                rest.remove(0, 1);
        }
    }
    return lines;
}

// The layout's state: the print position moves down one line per printed line, as on a
// line printer, and every page is numbered.
class PagePrinter
{
public:
    PagePrinter(PrintTarget &target, const PrintJob &job)
        : m_target(target)
        , m_job(job)
        , m_page(target.pageSize())
        , m_h(toInt32(target.textHeight("X")))
    {
        m_header = job.title + " : Created on " + job.date + " at " + job.time;
    }

    // Draws frame i into a rectangle of the page.
    using Draw = std::function<void(int16_t i, const QRect &place)>;

    int run(QSize surfaceSize, int16_t frameCount, const Draw &draw)
    {
        const PrintOptions &o = m_job.options;
        const QSize size = printPictureSize(m_page, m_h, surfaceSize, o.small);
        const int W = size.width();
        const int H = size.height();
        bool newPagePending = true;
        const int16_t last = o.allFrames ? frameCount : int16_t(1);
        int x = 10;
        int y = 0;
        for (int16_t i = 1; i <= last; ++i) {
            if (newPagePending) {
                if (i > 1)
                    startPage();
                print(QString());
                drawIcon();
                print(QString());
                print(" " + m_header);
                print(" Page : " + QString::number(m_pageNumber));
                print(QString());
                x = 10;
                y = toInt32(double(m_y) + m_h);
                if (o.legend)
                    PrintLegend(0, legendY());
                newPagePending = false;
            }
            if (!o.small) {
                x = toInt32((m_page.width() - double(W)) / 2);
                newPagePending = true;
            }
            draw(i, QRect(x, y, W, H));
            if (o.small) {
                x = toInt32(double(x) + W + 10);
                if (m_page.width() - W < x) {
                    y = toInt32(double(y) + H + m_h);
                    // A row that would cover the legend's box goes to the next page too.
                    const int foot = o.legend ? legendTop() : m_page.height();
                    if (m_page.height() - H < y || y + H > foot)
                        newPagePending = true;
                    x = 10;
                }
            }
        }
        if (o.notes)
            printNotes();
        m_target.finish();
        return m_pageNumber;
    }

private:
    void startPage()
    {
        m_target.newPage();
        ++m_pageNumber;
        m_y = 0;
    }

    void print(const QString &text)
    {
        if (!text.isEmpty())
            m_target.drawText(QPoint(0, m_y), text);
        m_y = toInt32(double(m_y) + m_target.textHeight(text.isEmpty() ? QString("X") : text));
    }

    void drawIcon()
    {
        if (!m_job.icon.isNull())
            m_target.drawImage(QRect(m_page.width() - 70, 2, 64, 64), m_job.icon);
    }

    int legendY() const { return toInt32(m_page.height() - 5.0 * m_h); }
    int legendTop() const { return toInt32(double(legendY()) + m_h); }

    void PrintLegend(int x, int y)
    {
        const int h = m_h;
        const int pw = m_page.width();
        m_target.drawBox(QPoint(x, toInt32(double(y) + h)), QPoint(pw - 10, toInt32(y + 4.0 * h)),
                         QPen(Qt::black, 1));
        const int ty = toInt32(y + h + h / 2.0);
        int cx = toInt32(pw / 48.0);
        for (size_t k = 0; k < 8; ++k) {
            m_target.drawText(QPoint(cx, ty), m_job.actionLabels[k]);
            cx = toInt32(cx + pw / 8.0);
        }
        const int sy = toInt32(ty + 3.0 * h / 2);
        cx = toInt32(pw / 48.0);
        const FrameLooks &looks = m_job.looks;
        for (size_t k = 0; k < 8; ++k) {
            QPen pen(looks.ActionColor[k], std::max<int>(1, looks.ActionSize[k]),
                     penStyleOf(looks.ActionType[k] - 1));
            pen.setCapStyle(Qt::FlatCap);
            m_target.drawLine(QPoint(cx, sy), QPoint(toInt32(cx + pw / 9.0), sy), pen);
            cx = toInt32(cx + pw / 8.0);
        }
    }

    void notesHeader()
    {
        drawIcon();
        print(m_header);
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
        // off the paper.
        for (const QString &line : wrapText(m_target, m_job.notes, m_page.width() - 10)) {
            if (m_y + m_h > m_page.height() && m_y > 0) {
                startPage();
                notesHeader();
                print(QString());
            }
            print(line);
        }
    }

    PrintTarget &m_target;
    const PrintJob &m_job;
    const QSize m_page;
    const int m_h;
    QString m_header;
    int m_pageNumber = 1;
    int m_y = 0;
};

} // namespace

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

int printPlay(PrintTarget &target, const PrintJob &job, QSize surfaceSize, int16_t frameCount,
              const FramePicture &picture)
{
    target.setFont(job.options.font);
    target.begin();
    return PagePrinter(target, job).run(surfaceSize, frameCount, [&](int16_t i, const QRect &r) {
        target.drawImage(r, picture(i));
    });
}

int printPlay(PrintTarget &target, const PrintJob &job, QSize surfaceSize, int16_t frameCount,
              const FrameSurface &surface)
{
    target.setFont(job.options.font);
    target.begin();
    return PagePrinter(target, job).run(surfaceSize, frameCount, [&](int16_t i, const QRect &r) {
        target.drawSurface(r, surface(i));
    });
}

int printPlay(PrintTarget &target, const PrintJob &job, const FrameList &frames,
              Surface &surface)
{
    const FrameSurface draw = [&](int16_t index) -> const Surface & {
        surface.clear();
        FrameRenderer::Draw(job.options.allFrames ? frames.frame(index) : frames.currentFrame(),
                            surface, job.looks);
        return surface;
    };
    return printPlay(target, job, surface.size(), frames.count(), draw);
}

} // namespace kinetra
