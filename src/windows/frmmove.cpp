#include "windows/frmmove.h"

#include "document/playdocument.h"
#include "model/failurereport.h"
#include "model/numbertext.h"
#include "model/rounding.h"
#include "model/runtimeerror.h"
#include "surface/platform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstdlib>

namespace kinetra {

namespace {

// A solid arrow pointing left (0), up (1), right (2) or down (3), drawn for each size.
QIcon arrowPicture(int direction)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(size / 2.0, size / 2.0);
        p.rotate(90.0 * direction);
        p.scale(size / 24.0, size / 24.0);
        // Pointing left before the rotation: a head and a shaft.
        QPainterPath path;
        path.moveTo(-10, 0);
        path.lineTo(-1, -8.5);
        path.lineTo(-1, -3.5);
        path.lineTo(10, -3.5);
        path.lineTo(10, 3.5);
        path.lineTo(-1, 3.5);
        path.lineTo(-1, 8.5);
        path.closeSubpath();
        p.setPen(QPen(QColor(20, 60, 130), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(50, 110, 200));
        p.drawPath(path);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

frmMove::frmMove(PlayDocument &document, QSize field, Platform &platform,
                 std::function<void()> redraw, QWidget *parent)
    : QDialog(parent)
    , m_document(document)
    , m_field(field)
    , m_platform(platform)
    , m_redraw(std::move(redraw))
{
    setObjectName("frmMove");
    setWindowTitle("Move ");
    setModal(true);

    Frame1 = new QGroupBox("Select Items", this);
    Frame1->setObjectName("Frame1");
    auto *items = new QVBoxLayout(Frame1);
    const char *const kinds[4] = {"Players", "Symbols", "Actions", "Text"};
    for (int i = 0; i < 4; ++i) {
        Check1[size_t(i)] = new QCheckBox(kinds[i], Frame1);
        Check1[size_t(i)]->setObjectName(QString("Check1_%1").arg(i));
        Check1[size_t(i)]->setChecked(true);
        items->addWidget(Check1[size_t(i)]);
    }

    // The step box sits in the middle of the four arrows.
    auto *arrows = new QGridLayout;
    const char *const tips[4] = {"Move left", "Move up", "Move right", "Move down"};
    const QPoint cells[4] = {{1, 0}, {0, 1}, {1, 2}, {2, 1}};
    for (int i = 0; i < 4; ++i) {
        QToolButton *button = new QToolButton(this);
        button->setObjectName(QString("Image1_%1").arg(i));
        button->setIcon(arrowPicture(i));
        button->setIconSize(QSize(32, 32));
        button->setAutoRaise(true);
        button->setToolTip(tips[i]);
        button->setAccessibleName(tips[i]);
        button->setFocusPolicy(Qt::StrongFocus);
        connect(button, &QToolButton::clicked, this, [this, i] { Image1_Click(int16_t(i)); });
        arrows->addWidget(button, cells[i].x(), cells[i].y(), Qt::AlignCenter);
        Image1[size_t(i)] = button;
    }
    TxtInc = new QLineEdit("10", this);
    TxtInc->setObjectName("TxtInc");
    TxtInc->setToolTip("How far each arrow moves the items");
    TxtInc->setAccessibleName("Step");
    TxtInc->setAlignment(Qt::AlignCenter);
    TxtInc->setFixedWidth(TxtInc->fontMetrics().horizontalAdvance("-000000") + 12);
    arrows->addWidget(TxtInc, 1, 1, Qt::AlignCenter);

    Cmdflip = new QPushButton("&Flip", this);
    Cmdflip->setObjectName("Cmdflip");
    Cmdflip->setAutoDefault(false);
    Cmdmirror = new QPushButton("&Mirror", this);
    Cmdmirror->setObjectName("Cmdmirror");
    Cmdmirror->setAutoDefault(false);
    CmdOk = new QPushButton("&OK", this);
    CmdOk->setObjectName("CmdOk");
    CmdOk->setDefault(true);
    connect(Cmdflip, &QPushButton::clicked, this, &frmMove::Cmdflip_Click);
    connect(Cmdmirror, &QPushButton::clicked, this, &frmMove::Cmdmirror_Click);
    connect(CmdOk, &QPushButton::clicked, this, &frmMove::CmdOk_Click);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(Cmdflip);
    buttons->addWidget(Cmdmirror);
    buttons->addStretch();
    buttons->addWidget(CmdOk);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(arrows);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int16_t frmMove::ticked(int index) const
{
    return Check1[size_t(index)]->isChecked() ? 1 : 0;
}

namespace {

// The largest step either way: its negation, which right and down pass on, fits as well.
constexpr int kLargestStep = 32767;

// MoveFrame's Xinc and Yinc for arrow Index moving by step s.
QPoint arrowIncrements(int16_t Index, int s)
{
    const int inc = Index >= 2 ? -s : s;
    return Index == 0 || Index == 2 ? QPoint(inc, 0) : QPoint(0, inc);
}

} // namespace

bool frmMove::arrowTakes(int16_t Index, int s)
{
    if (s < -kLargestStep || s > kLargestStep)
        return false;
    PlayConfig trial = m_document.frames().currentFrame();
    const QPoint inc = arrowIncrements(Index, s);
    return trial.MoveFrame(int16_t(inc.x()), int16_t(inc.y()), 0, 0, ticked(0), ticked(1),
                           ticked(2), ticked(3));
}

void frmMove::refuseStep(int16_t Index)
{
    // The steps an arrow can take form one run around 0, as each item allows a run of its
    // own; its ends are found by halving.
    QString accepted;
    if (arrowTakes(Index, 0)) {
        int ends[2] = {0, 0};
        for (const int sign : {-1, 1}) {
            int in = 0, out = sign * (kLargestStep + 1);
            while (std::abs(out - in) > 1) {
                const int mid = in + (out - in) / 2;
                (arrowTakes(Index, mid) ? in : out) = mid;
            }
            ends[sign > 0] = in;
        }
        accepted = QString(" Enter a step from %1 to %2.").arg(ends[0]).arg(ends[1]);
    } else {
        accepted = " No step moves the items of this frame that way.";
    }
    m_platform.messageBox("The step " + TxtInc->text().trimmed() + " is too large." + accepted,
                          "Kinetra", Platform::Buttons::Ok, Platform::Icon::Warning);
    TxtInc->setFocus();
    TxtInc->selectAll();
}

void frmMove::Image1_Click(int16_t Index)
{
    if (Index < 0 || Index > 3)
        return;
    int16_t s = 0;
    try {
        s = toInt16(leadingNumber(TxtInc->text().toStdString()));
    } catch (const RuntimeError &) {
        refuseStep(Index);
        return;
    }
    if (s < -kLargestStep) {
        refuseStep(Index);
        return;
    }
    static const char *const kCaptions[4] = {"Move Left", "Move Up", "Move Right", "Move Down"};
    const QPoint inc = arrowIncrements(Index, s);
    if (!moveCurrentFrame(inc.x(), inc.y(), 0, 0, kCaptions[Index]))
        refuseStep(Index);
}

void frmMove::Cmdflip_Click()
{
    moveCurrentFrame(0, 0, 0, m_field.height(), "Flip");
}

void frmMove::Cmdmirror_Click()
{
    moveCurrentFrame(0, 0, m_field.width(), 0, "Mirror");
}

void frmMove::CmdOk_Click()
{
    // Each move marked the play as one step of the history; OK itself changes nothing, and a
    // mark of its own could not be undone.
    accept();
}

bool frmMove::moveCurrentFrame(int Xinc, int Yinc, int width, int height,
                               const QString &caption)
{
    try {
        const int16_t xWIDTH = toInt16(width), yHEIGHT = toInt16(height);
        PlayConfig &frame = m_document.frames().currentFrame();
        if (!frame.MoveFrame(int16_t(Xinc), int16_t(Yinc), xWIDTH, yHEIGHT, ticked(0),
                             ticked(1), ticked(2), ticked(3))) {
            // A smaller step helps; a reflection out of range comes from the play's own values.
            if (width == 0 && height == 0)
                return false;
            throw RuntimeError(ErrorCode::Overflow);
        }
        m_redraw();
        m_document.recordEdit(caption);
    } catch (...) {
        reportFailure("Move Frame");
    }
    return true;
}

} // namespace kinetra
