#include "fieldpainter.h"

#include "prefs/defaultfield.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kinetra {

namespace {

// Colours are chosen to stay readable under the players, lines and text drawn on top.
const QColor kGrassLight(92, 160, 74);
const QColor kGrassDark(78, 144, 63);
const QColor kDirt(190, 142, 96);
const QColor kTrack(158, 116, 80);
const QColor kWall(36, 74, 56);
const QColor kTrees(50, 98, 56);
const QColor kStandsLight(132, 136, 146);
const QColor kStandsDark(112, 116, 126);
const QColor kChalk(246, 246, 240);
const QColor kMound(178, 128, 84);
const QColor kPole(236, 200, 40);

const double kSqrt2 = std::sqrt(2.0);

// Everything a diamond needs. The infield is drawn to scale, in feet times the pixels a foot
// is; the outfield is given in pixels so a full field can show a large infield the way
// coaching diagrams do, with the outfield drawn shallower than life so the fence still fits.
struct Layout
{
    QPointF home;           // tip of home plate, in pixels
    double scale;           // pixels per foot in the infield
    double basePath;        // home to first base, feet
    double rubber;          // home to the front of the pitcher's plate, feet
    double skinRadius;      // infield arc, measured from the pitcher's plate, feet
    double fenceCentre;     // home to the centre field fence, pixels
    double fenceLine;       // home to the foul poles, pixels
    double foulWidth;       // grass between the foul lines and the stands, pixels
    double track;           // warning track inside the fence, pixels
    bool grassInfield;      // baseball: grass inside the diamond; softball: all dirt
    bool raisedMound;       // baseball mound, or a painted softball pitching circle
    double baseSize;        // drawn size of a base, pixels (larger than life so it reads)
    double plateSize;       // drawn width of home plate, pixels
    double lineWidth;       // chalk line width, pixels
    int stripe;             // mowing stripe width, pixels
    bool boxes;             // batter's, catcher's and coaches' boxes
};

// Small repeatable unevenness so grass and dirt do not look like flat paint.
int grain(int x, int y, int amount)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<int>(h % static_cast<uint32_t>(2 * amount + 1)) - amount;
}

QRgb shade(const QColor& c, int delta)
{
    return qRgb(std::clamp(c.red() + delta, 0, 254), std::clamp(c.green() + delta, 0, 254),
                std::clamp(c.blue() + delta, 0, 254));
}

// Maps between picture pixels and the field's own axes: a runs from home along the first-base
// line, b along the third-base line. The axes come in pixels (for the outfield, which is not
// to scale) and in feet (for the infield).
class FieldAxes
{
public:
    explicit FieldAxes(const Layout& l) : m_l(l) {}

    void toAxes(double x, double y, double& a, double& b) const
    {
        const double dx = x - m_l.home.x();
        const double dy = m_l.home.y() - y;
        a = (dx + dy) / kSqrt2;
        b = (dy - dx) / kSqrt2;
    }

    QPointF fromAxes(double a, double b) const
    {
        const double dx = (a - b) / kSqrt2;
        const double dy = (a + b) / kSqrt2;
        return {m_l.home.x() + dx, m_l.home.y() - dy};
    }

    /// Infield point given in feet.
    QPointF toPixel(double a, double b) const
    {
        return fromAxes(a * m_l.scale, b * m_l.scale);
    }

private:
    const Layout& m_l;
};

// The outfield fence is the circle through both foul poles and the centre field fence.
struct Fence
{
    double centreUp; // distance of the circle's centre above home, pixels
    double radius;

    explicit Fence(const Layout& l)
    {
        const double poleUp = l.fenceLine / kSqrt2;
        const double poleSide = l.fenceLine / kSqrt2;
        // |(poleSide, poleUp) - (0, c)| = fenceCentre - c
        centreUp = (poleSide * poleSide + poleUp * poleUp - l.fenceCentre * l.fenceCentre)
                   / (2.0 * (poleUp - l.fenceCentre));
        radius = l.fenceCentre - centreUp;
    }
};

// Distance in pixels from a point inside the park to its boundary; negative outside. The
// outfield is the circle through the fence; foul ground runs a fixed width beside both lines
// and closes behind home plate in a round backstop.
double insideDistance(const Layout& l, const Fence& f, double a, double b)
{
    const double up = (a + b) / kSqrt2;
    const double side = (a - b) / kSqrt2;
    const double outfield = f.radius - std::hypot(side, up - f.centreUp);
    const double w = l.foulWidth;
    const double stands = a < 0 && b < 0 ? w - std::hypot(a, b) : std::min(a + w, b + w);
    return std::min(outfield, stands);
}

// Smooth noise for the tree tops behind the fence: random heights on a coarse grid,
// blended between the grid points.
double smoothNoise(double x, double y, int cell)
{
    const int cx = static_cast<int>(std::floor(x / cell));
    const int cy = static_cast<int>(std::floor(y / cell));
    const double fx = x / cell - cx;
    const double fy = y / cell - cy;
    auto at = [](int i, int j) { return grain(i * 7 + 3, j * 13 + 5, 100) / 100.0; };
    auto ease = [](double t) { return t * t * (3 - 2 * t); };
    const double top = at(cx, cy) + (at(cx + 1, cy) - at(cx, cy)) * ease(fx);
    const double bottom = at(cx, cy + 1) + (at(cx + 1, cy + 1) - at(cx, cy + 1)) * ease(fx);
    return top + (bottom - top) * ease(fy);
}

// Every painter below draws a field in picture pixels onto an image `density` times as large.
void paintGround(QImage& img, const Layout& l, int density)
{
    const FieldAxes axes(l);
    const Fence fence(l);
    const double wall = 2.0; // padded wall
    const QPointF rubber(l.rubber / kSqrt2, l.rubber / kSqrt2);
    const double bases[3][2] = {{l.basePath, 0}, {l.basePath, l.basePath}, {0, l.basePath}};

    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            // The middle of this pixel, in picture pixels.
            const double fx = (x + 0.5) / density;
            const double fy = (y + 0.5) / density;
            double pa, pb;
            axes.toAxes(fx, fy, pa, pb);
            const double inside = insideDistance(l, fence, pa, pb);
            // Feet, for the infield's parts.
            const double a = pa / l.scale;
            const double b = pb / l.scale;
            QRgb px;
            if (inside < 0) {
                // Rows of seats run beside the foul lines and round behind home plate.
                const double back = pa < 0 && pb < 0 ? std::hypot(pa, pb) : -std::min(pa, pb);
                const int row = static_cast<int>(std::floor(back / 4.0));
                if (pa > 0 && pb > 0) {
                    // Trees behind the outfield fence, in soft clumps.
                    const double tx = double(x) / density, ty = double(y) / density;
                    const double n = smoothNoise(tx, ty, 9) * 0.7 + smoothNoise(tx, ty, 4) * 0.3;
                    px = shade(kTrees, static_cast<int>(n * 14) + grain(x, y, 2));
                } else {
                    px = shade(row % 2 ? kStandsLight : kStandsDark, grain(x, y, 2));
                }
            } else if (inside < wall) {
                px = shade(kWall, grain(x, y, 2));
            } else if (inside < wall + l.track) {
                px = shade(kTrack, grain(x, y, 5));
            } else {
                // Grass unless a dirt part of the infield covers it.
                bool dirt = false;
                const double fromRubber = std::hypot(a - rubber.x(), b - rubber.y());
                if (fromRubber <= l.skinRadius && a >= -3.0 && b >= -3.0)
                    dirt = true;
                if (dirt && l.grassInfield) {
                    // Infield grass square inside the base paths, cut round at the bases.
                    const double inset = 3.0;
                    bool grass = a > inset && b > inset && a < l.basePath - inset
                                 && b < l.basePath - inset;
                    for (const auto& base : bases) {
                        if (std::hypot(a - base[0], b - base[1]) < 13.0)
                            grass = false;
                    }
                    if (std::hypot(a, b) < 13.0)
                        grass = false;
                    if (fromRubber < 9.0 + 1.5)
                        grass = false;
                    dirt = !grass;
                }
                if (!dirt && std::hypot(a, b) < 13.0)
                    dirt = true;
                if (dirt) {
                    px = shade(kDirt, grain(x, y, 6));
                } else {
                    const int u = static_cast<int>(std::floor(pa / l.stripe));
                    const int v = static_cast<int>(std::floor(pb / l.stripe));
                    px = shade(((u + v) & 1) ? kGrassLight : kGrassDark, grain(x, y, 3));
                }
            }
            line[x] = px;
        }
    }
}

QPolygonF baseSquare(const FieldAxes& axes, const Layout& l, double a, double b, double da,
                     double db)
{
    // A base is a square aligned with the base paths; (da, db) says which way it lies from
    // its corner point (first and third base sit inside fair ground, touching the lines).
    const double s = l.baseSize / l.scale;
    return QPolygonF({axes.toPixel(a, b), axes.toPixel(a + da * s, b),
                      axes.toPixel(a + da * s, b + db * s), axes.toPixel(a, b + db * s)});
}

void paintMarkings(QImage& img, const Layout& l, int density)
{
    const FieldAxes axes(l);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.scale(density, density);

    QPen chalk(kChalk, l.lineWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);

    // Foul lines, from home plate out to the poles.
    p.setPen(chalk);
    p.drawLine(axes.toPixel(0, 0), axes.fromAxes(l.fenceLine, 0));
    p.drawLine(axes.toPixel(0, 0), axes.fromAxes(0, l.fenceLine));

    // Foul poles.
    p.setPen(Qt::NoPen);
    p.setBrush(kPole);
    const double poleR = std::max(2.0, l.lineWidth + 0.5);
    p.drawEllipse(axes.fromAxes(l.fenceLine, 0), poleR, poleR);
    p.drawEllipse(axes.fromAxes(0, l.fenceLine), poleR, poleR);

    // Pitcher's area.
    const double rub = l.rubber / kSqrt2;
    const QPointF rubberPx = axes.toPixel(rub, rub);
    if (l.raisedMound) {
        const double r = 9.0 * l.scale;
        p.setBrush(kMound);
        p.drawEllipse(rubberPx + QPointF(0, -1.0 * l.scale), r, r);
        p.setBrush(kDirt.lighter(106));
        p.drawEllipse(rubberPx + QPointF(0, -1.0 * l.scale), r * 0.55, r * 0.55);
    } else {
        p.setPen(QPen(kChalk, std::max(1.0, l.lineWidth - 1)));
        p.setBrush(Qt::NoBrush);
        const double r = 8.0 * l.scale;
        p.drawEllipse(rubberPx, r, r);
        p.setPen(Qt::NoPen);
    }
    const double rubberW = std::max(5.0, 2.0 * l.scale);
    const double rubberH = std::max(2.0, 0.5 * l.scale);
    p.setBrush(kChalk);
    p.drawRect(QRectF(rubberPx.x() - rubberW / 2, rubberPx.y() - rubberH / 2, rubberW, rubberH));

    // Batter's, catcher's and coaches' boxes.
    if (l.boxes) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kChalk, std::max(1.0, l.lineWidth - 1), Qt::SolidLine, Qt::SquareCap,
                      Qt::MiterJoin));
        // Batter's boxes beside the plate, drawn to the plate's enlarged size; their dirt
        // fill stops the foul lines at the box as the chalk does on a real field.
        const QPointF tip = axes.toPixel(0, 0);
        const double boxW = l.plateSize * 0.85;
        const double boxH = l.plateSize * 1.5;
        const double gap = l.plateSize * 0.75;
        const double top = tip.y() - l.plateSize / 2 - boxH / 2;
        p.setBrush(kDirt);
        p.drawRect(QRectF(tip.x() - gap - boxW, top, boxW, boxH));
        p.drawRect(QRectF(tip.x() + gap, top, boxW, boxH));
        p.setBrush(Qt::NoBrush);
        // Catcher's box: open at the top, behind the plate.
        const double bottom = top + boxH + l.plateSize * 0.9;
        p.drawLine(QPointF(tip.x() - gap, top + boxH), QPointF(tip.x() - gap, bottom));
        p.drawLine(QPointF(tip.x() + gap, top + boxH), QPointF(tip.x() + gap, bottom));
        p.drawLine(QPointF(tip.x() - gap, bottom), QPointF(tip.x() + gap, bottom));

        // Coaches' boxes beside first and third base, in foul ground.
        const double along0 = l.basePath * 0.72, along1 = l.basePath * 0.95;
        const double off0 = l.basePath * 0.12, off1 = l.basePath * 0.20;
        p.drawPolygon(QPolygonF({axes.toPixel(along0, -off0), axes.toPixel(along1, -off0),
                                 axes.toPixel(along1, -off1), axes.toPixel(along0, -off1)}));
        p.drawPolygon(QPolygonF({axes.toPixel(-off0, along0), axes.toPixel(-off0, along1),
                                 axes.toPixel(-off1, along1), axes.toPixel(-off1, along0)}));

        // On-deck circles behind the foul lines, level with the plate.
        p.setPen(Qt::NoPen);
        p.setBrush(kDirt.darker(112));
        const double deckR = 2.6 * l.scale;
        const double deckSide = l.basePath * 0.42 * l.scale;
        p.drawEllipse(tip + QPointF(-deckSide, 0), deckR, deckR);
        p.drawEllipse(tip + QPointF(deckSide, 0), deckR, deckR);
    }

    // Bases: first and third inside fair ground, second centred on its corner.
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(kChalk);
    const double bp = l.basePath;
    const double half = l.baseSize / l.scale / 2;
    p.drawPolygon(baseSquare(axes, l, bp, 0, -1, 1));
    p.drawPolygon(baseSquare(axes, l, 0, bp, 1, -1));
    p.drawPolygon(baseSquare(axes, l, bp - half, bp - half, 1, 1));

    // Home plate: a pentagon with its point toward the catcher.
    const QPointF tip = axes.toPixel(0, 0);
    const double w = l.plateSize;
    const double h = l.plateSize;
    const QPolygonF plate({tip, tip + QPointF(-w / 2, -h / 2), tip + QPointF(-w / 2, -h),
                           tip + QPointF(w / 2, -h), tip + QPointF(w / 2, -h / 2)});
    p.drawPolygon(plate);
}

QImage paintPracticeField(int density)
{
    QImage img(FieldPainter::kWidth * density, FieldPainter::kHeight * density,
               QImage::Format_RGB32);
    const QColor ground(150, 198, 128);
    const QColor grid(176, 214, 158);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            // Grid lines one picture pixel wide at every density.
            const bool onGrid = (x / density) % 20 == 0 || (y / density) % 20 == 0;
            line[x] = shade(onGrid ? grid : ground, onGrid ? 0 : grain(x, y, 2));
        }
    }
    return img;
}

QImage paintDiamond(const Layout& l, int density)
{
    QImage img(FieldPainter::kWidth * density, FieldPainter::kHeight * density,
               QImage::Format_RGB32);
    paintGround(img, l, density);
    paintMarkings(img, l, density);
    return img;
}

} // namespace

QImage FieldPainter::paint(int number, int density)
{
    // The full fields are coaching diagrams, not maps: the diamond is about 126 pixels a side so
    // nine players fit round it, and the outfield is drawn shallower than life.
    // Both full fields take their diamond from the figures the formations and the sample
    // plays are placed by.
    const QPointF homeFull(field::kHome.x, field::kHome.y);
    constexpr field::Diamond closeUp = field::kCloseUpDiamond;
    const Layout layouts[3] = {
        // 0: full baseball field
        {.home = homeFull, .scale = field::kBaseballPixelsPerFoot, .basePath = 90,
         .rubber = field::kBaseballRubberFeet, .skinRadius = field::kBaseballSkinFeet,
         .fenceCentre = field::kBaseballFenceCentre, .fenceLine = field::kBaseballFenceLine,
         .foulWidth = 44, .track = field::kBaseballTrack, .grassInfield = true,
         .raisedMound = true, .baseSize = field::kBag, .plateSize = field::kPlateWidth,
         .lineWidth = 2, .stripe = 14, .boxes = false},
        // 1: baseball infield close-up
        {.home = QPointF(closeUp.home.x, closeUp.home.y), .scale = closeUp.basePath / 90,
         .basePath = 90, .rubber = 60.5, .skinRadius = 95, .fenceCentre = 800,
         .fenceLine = 660, .foulWidth = 110, .track = 24, .grassInfield = true,
         .raisedMound = true, .baseSize = closeUp.bag, .plateSize = closeUp.plateWidth,
         .lineWidth = 3, .stripe = 24, .boxes = true},
        // 2: full softball field
        {.home = homeFull, .scale = field::kBasePath / 60, .basePath = 60, .rubber = 43,
         .skinRadius = 60, .fenceCentre = 305, .fenceLine = 248, .foulWidth = 44, .track = 10,
         .grassInfield = false, .raisedMound = false, .baseSize = field::kBag,
         .plateSize = field::kPlateWidth,
         .lineWidth = 2, .stripe = 14, .boxes = false},
    };
    density = std::max(1, density);
    if (number >= 0 && number < 3)
        return paintDiamond(layouts[number], density);
    return paintPracticeField(density);
}

} // namespace kinetra
