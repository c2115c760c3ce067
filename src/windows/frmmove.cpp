#include "windows/frmmove.h"

#include "model/failurereport.h"
#include "model/framelist.h"
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

frmMove::frmMove(FrameList &frames, QSize field, Platform &platform, Hooks hooks,
                 QWidget *parent)
    : QDialog(parent)
    , m_frames(frames)
    , m_field(field)
    , m_platform(platform)
    , m_hooks(std::move(hooks))
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

std::optional<int16_t> frmMove::step(bool negated)
{
    const double typed = leadingNumber(TxtInc->text().toStdString());
    try {
        const int16_t s = toInt16(typed);
        return negated ? toInt16(-double(s)) : s;
    } catch (const RuntimeError &) {
        refuseStep();
        return std::nullopt;
    }
}

void frmMove::refuseStep()
{
    m_platform.messageBox("The step " + TxtInc->text().trimmed()
                              + " is too large. Enter a step from -32767 to 32767.",
                          "Kinetra", Platform::Buttons::Ok, Platform::Icon::Warning);
    TxtInc->setFocus();
    TxtInc->selectAll();
}

void frmMove::Image1_Click(int16_t Index)
{
    if (Index < 0 || Index > 3)
        return;
    const std::optional<int16_t> s = step(Index >= 2);
    if (!s)
        return;
    const bool across = Index == 0 || Index == 2;
    static const char *const kCaptions[4] = {"Move Left", "Move Up", "Move Right", "Move Down"};
    moveCurrentFrame(across ? *s : int16_t(0), across ? int16_t(0) : *s, 0, 0,
                     kCaptions[Index]);
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
    // A play marked already, as by the steps of this dialog, stays as it is: marked again here
    // it would be marked outside the history, and undoing the steps could not clear the mark.
    if (!m_frames.modified())
        m_hooks.markModified();
    accept();
}

void frmMove::moveCurrentFrame(int Xinc, int Yinc, int width, int height,
                               const QString &caption)
{
    try {
        const int16_t xWIDTH = toInt16(width), yHEIGHT = toInt16(height);
        PlayConfig &frame = m_frames.currentFrame();
        if (!frame.MoveFrame(int16_t(Xinc), int16_t(Yinc), xWIDTH, yHEIGHT, ticked(0),
                             ticked(1), ticked(2), ticked(3))) {
            // A smaller step helps; a reflection out of range comes from the play's own values.
            if (width == 0 && height == 0) {
                refuseStep();
                return;
            }
            throw RuntimeError(ErrorCode::Overflow);
        }
        m_hooks.redraw();
        m_hooks.recordEdit(caption);
    } catch (...) {
        reportFailure("Move Frame");
    }
}

} // namespace kinetra
