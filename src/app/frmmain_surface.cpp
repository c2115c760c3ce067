// The main window's palette handlers, drops and mouse editing on the surface.

#include "app/frmmain.h"

#include "app/reporterror.h"
#include "surface/canvas.h"
#include "surface/colors.h"
#include "surface/dragpicture.h"
#include "surface/framelooks.h"
#include "surface/labelbox.h"
#include "surface/linesample.h"
#include "surface/palettepictures.h"
#include "surface/platform.h"
#include "surface/pointers.h"
#include "surface/shapesample.h"
#include "surface/surface.h"
#include "surface/surfaceeditor.h"
#include "surface/toolpalette.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTabBar>

namespace kinetra {

namespace {

const char *const kSelectHint =
    "Use Left mouse button to select / drag and right button to delete object.";
const char *const kActionHint = "In Action Draw mode. Drag mouse while pressing mouse button key.";
const char *const kChalkHint = "Temporary Chalk ... Hold mouse left button down to draw.";

// What the surface editor needs of the main window.
class EditorHost : public SurfaceEditor::Host
{
public:
    EditorHost(frmMain &window, Platform &platform)
        : m_window(window)
        , m_platform(platform)
    {}

    PlayConfig &currentFrame() override { return m_window.document().frames().currentFrame(); }
    void redraw() override { m_window.DrawSelected(); }
    void markModified() override { m_window.setModified(true); }
    void beep() override { m_platform.beep(); }
    // A symbol lands centred on the pointer at its own size, also when its box shows it
    // scaled down.
    QSize symbolBoxSize() const override { return m_window.palette->ImgSymbols[0]->fullSize(); }
    int16_t selectedActionLine() const override { return m_window.SelectedActionLine; }
    QColor actionColor(int16_t line) const override
    {
        return colorFromRgbInt(m_window.Prefs.ActionColor.at(size_t(line)));
    }
    SurfaceEditor::Pen chalk() const override
    {
        const LineSample *chalk = m_window.palette->ChalkLine;
        return {chalk->color(), chalk->lineWidth(), chalk->lineStyle()};
    }

private:
    frmMain &m_window;
    Platform &m_platform;
};

// Hands the surface's key presses to the main window before the surface (or a scrolling
// view around it) takes them.
class CanvasKeys : public QObject
{
public:
    explicit CanvasKeys(frmMain &window)
        : QObject(&window)
        , m_window(window)
    {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        return m_window.Canvas_KeyDown(key->key(), key->modifiers());
    }

private:
    frmMain &m_window;
};

// A text label as the surface will show it, for dragging it; an empty one shows the picture.
QPixmap textLabelIcon(const QString &text, const QFont &font, const QColor &color, int index)
{
    if (text.isEmpty())
        return QPixmap::fromImage(textLabelPicture(index));
    const QFontMetrics fm(font);
    QPixmap pixmap(std::min(fm.horizontalAdvance(text) + 4, 240), fm.height() + 2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(pixmap.rect().adjusted(2, 1, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    return pixmap;
}

} // namespace

void frmMain::buildEditing()
{
    editor = new SurfaceEditor(*surface, std::make_unique<EditorHost>(*this, m_platform), this);

    connect(canvas, &Canvas::mouseDown, this, [this](Qt::MouseButton b, Qt::KeyboardModifiers m,
                                                     QPointF at) {
        Canvas_MouseDown(b, m, float(at.x()), float(at.y()));
    });
    connect(canvas, &Canvas::mouseMove, this, [this](Qt::MouseButtons b, Qt::KeyboardModifiers m,
                                                     QPointF at) {
        Canvas_MouseMove(b, m, float(at.x()), float(at.y()));
    });
    connect(canvas, &Canvas::mouseUp, this, [this](Qt::MouseButton b, Qt::KeyboardModifiers m,
                                                   QPointF at) {
        Canvas_MouseUp(b, m, float(at.x()), float(at.y()));
    });
    canvas->installEventFilter(new CanvasKeys(*this));
    connect(canvas, &Canvas::itemDropped, this, [this](int tag, int index, QPointF at) {
        Canvas_DragDrop(int16_t(tag), int16_t(index), float(at.x()), float(at.y()));
    });
    connect(palette, &ToolPalette::pageChanged, this, &frmMain::tbsPicList_Click);

    for (int16_t k = 0; k < 10; ++k) {
        connect(palette->TxtOplyr[k], &QLineEdit::textChanged, this,
                [this, k] { TxtOplyr_Change(k); });
        connect(palette->TxtDplyr[k], &QLineEdit::textChanged, this,
                [this, k] { TxtDPlyr_Change(k); });
        connect(palette->ChkActiveOff[k], &QCheckBox::toggled, this,
                [this, k] { ChkActiveOff_Click(k); });
        connect(palette->ChkActiveDef[k], &QCheckBox::toggled, this,
                [this, k] { ChkActiveDef_Click(k); });
        palette->TxtOplyr[k]->setDragIconSource([this, k] {
            return palette->shaOPlayer->figureWithLabel(QString::fromStdString(Prefs.OPLabel[k]),
                                                        colorFromRgbInt(Prefs.PlayerTcolr[0]),
                                                        labelFontFromPreferences(Prefs));
        });
        palette->TxtDplyr[k]->setDragIconSource([this, k] {
            return palette->shaDPlayer->figureWithLabel(QString::fromStdString(Prefs.DPLabel[k]),
                                                        colorFromRgbInt(Prefs.PlayerTcolr[1]),
                                                        labelFontFromPreferences(Prefs));
        });
    }
    for (int k = 0; k < 2; ++k) {
        palette->Imgtext[k]->setDragIconSource([this, k] {
            return textLabelIcon(palette->TxtSymbol[k]->text(), labelFontFromPreferences(Prefs),
                                 colorFromRgbInt(Prefs.Fontcolor), k);
        });
    }
    connect(palette->CmdClrActive, &QPushButton::clicked, this, &frmMain::CmdClrActive_Click);
    connect(palette->CmdChalkClr, &QPushButton::clicked, this, &frmMain::CmdChalkClr_Click);
    connect(palette->OptActionGroup, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            OptActionSel_Click(int16_t(id));
    });
    for (int16_t k = 0; k < 8; ++k)
        connect(palette->CmdActionClr[k], &QPushButton::clicked, this,
                [this, k] { CmdActionClr_Click(k); });
    connect(palette->CboChalksize, &QComboBox::currentIndexChanged, this,
            &frmMain::CboChalksize_Click);
    connect(palette->CboChalktype, &QComboBox::currentIndexChanged, this,
            &frmMain::CboChalktype_Click);
    connect(palette->CmdChalkcolr, &QPushButton::clicked, this, &frmMain::CmdChalkcolr_Click);
}

void frmMain::setupPalette()
{
    // Each step stands alone, like the rest of the set-up.
    try {
        // The text-label boxes show their text as the surface will.
        const QFont font = labelFontFromPreferences(Prefs);
        const QColor color = colorFromRgbInt(Prefs.Fontcolor);
        for (QLineEdit *box : palette->TxtSymbol) {
            box->setFont(font);
            QPalette colors = box->palette();
            colors.setColor(QPalette::Text, color);
            box->setPalette(colors);
        }
        palette->layoutTextLabels();
    } catch (...) {
    }
    try {
        for (int s = 0; s < 2; ++s) {
            ShapeSample *sample = s == 0 ? palette->shaOPlayer : palette->shaDPlayer;
            sample->setShape(Prefs.PlayerShape[size_t(s)]);
            sample->setBorderColor(colorFromRgbInt(Prefs.PlayerBcolr[size_t(s)]));
            sample->setFillColor(colorFromRgbInt(Prefs.PlayerFcolr[size_t(s)]));
        }
    } catch (...) {
    }
    try {
        showPlayerLabels();
    } catch (...) {
    }
    try {
        for (size_t k = 0; k < 8; ++k) {
            palette->Tracerlbl[k]->setText(QString::fromStdString(Prefs.ActionLabel[k]));
            palette->TRACERLine[k]->setLineStyle(Prefs.ActionType[k] - 1);
            palette->TRACERLine[k]->setLineWidth(Prefs.ActionSize[k]);
            palette->TRACERLine[k]->setColor(colorFromRgbInt(Prefs.ActionColor[k]));
        }
    } catch (...) {
    }
}

void frmMain::showPlayerLabels()
{
    const QScopedValueRollback<bool> filling(m_fillingLabels, true);
    for (size_t k = 0; k < 10; ++k) {
        palette->TxtOplyr[k]->setText(QString::fromStdString(Prefs.OPLabel[k]));
        palette->TxtDplyr[k]->setText(QString::fromStdString(Prefs.DPLabel[k]));
    }
}

void frmMain::Canvas_DragDrop(int16_t part, int16_t index, float X, float Y)
{
    QString text;
    if (part == Part::TextLabel && index >= 0 && index < kTextLabelCount)
        text = palette->TxtSymbol[size_t(index)]->text();
    editor->drop(part, index, QPointF(X, Y), text);
    recordEdit(surfaceEditCaption("Place"));
    // The drag began in a palette box, which took the focus (and with it Ctrl+Z).
    canvas->setFocus(Qt::OtherFocusReason);
}

void frmMain::Canvas_MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers, float X, float Y)
{
    editor->press(Button, QPointF(X, Y));
}

void frmMain::Canvas_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, float X, float Y)
{
    editor->move(QPointF(X, Y));
}

void frmMain::Canvas_MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers, float X, float Y)
{
    const bool running = editor->busy();
    editor->release(Button, QPointF(X, Y));
    // Chalk changes no frame; a finished lift is a move, or with the right button a delete.
    if (running && !editor->busy() && editor->mode() != SurfaceEditor::Mode::Chalk)
        recordEdit(surfaceEditCaption(Button == Qt::RightButton ? "Delete" : "Move"));
}

bool frmMain::Canvas_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift)
{
    // With Ctrl, Alt or Shift held a key means something else.
    if ((Shift & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    int target = 0;
    switch (KeyCode) {
    case Qt::Key_Left:
    case Qt::Key_PageUp: target = SBar->value() - 1; break;
    case Qt::Key_Right:
    case Qt::Key_PageDown: target = SBar->value() + 1; break;
    case Qt::Key_Home: target = SBar->minimum(); break;
    case Qt::Key_End: target = SBar->maximum(); break;
    default: return false;
    }
    // A gesture under way (a lifted player, a line being drawn) belongs to its frame.
    if (!editor->busy() && target >= SBar->minimum() && target <= SBar->maximum())
        SBar->setValue(target);
    return true;
}

void frmMain::tbsPicList_Click()
{
    switch (palette->currentPage()) {
    case ToolPalette::ActionPage:
        editor->setMode(SurfaceEditor::Mode::ActionDraw);
        palette->OptActionSel[size_t(SelectedActionLine)]->setChecked(true);
        canvas->setToolTip(kActionHint);
        break;
    case ToolPalette::ChalkPage:
        editor->setMode(SurfaceEditor::Mode::Chalk);
        canvas->setToolTip(kChalkHint);
        break;
    default:
        editor->setMode(SurfaceEditor::Mode::Select);
        canvas->setToolTip(kSelectHint);
        break;
    }
    // An action line whose drawing the page change cut short keeps its new start point.
    recordEdit("Draw Action Line");
    applyModeCursor();
}

void frmMain::applyModeCursor()
{
    switch (editor->mode()) {
    case SurfaceEditor::Mode::ActionDraw: canvas->setCursor(actionCursor()); break;
    case SurfaceEditor::Mode::Chalk: canvas->setCursor(chalkCursor()); break;
    case SurfaceEditor::Mode::Select: canvas->unsetCursor(); break;
    }
}

void frmMain::playerLabelChanged(int side, int16_t index)
{
    if (DrawingSuppressed)
        return;
    auto &labels = side == 0 ? Prefs.OPLabel : Prefs.DPLabel;
    const auto &boxes = side == 0 ? palette->TxtOplyr : palette->TxtDplyr;
    labels.at(size_t(index)) = boxes.at(size_t(index))->text().toStdString();
    DrawSelected();
    if (!m_fillingLabels)
        setModified(true);
}

void frmMain::TxtOplyr_Change(int16_t Index)
{
    playerLabelChanged(0, Index);
}

void frmMain::TxtDPlyr_Change(int16_t Index)
{
    playerLabelChanged(1, Index);
}

void frmMain::ChkActiveOff_Click(int16_t)
{
    DrawSelected();
}

void frmMain::ChkActiveDef_Click(int16_t)
{
    DrawSelected();
}

void frmMain::CmdClrActive_Click()
{
    m_document.frames().currentFrame().ActivePlyr = kNoActivePlayer;
    DrawSelected();
    recordEdit("Clear Active Player");
}

void frmMain::CmdChalkClr_Click()
{
    // Erasing the chalk is a fresh start for the frame's marks: it clears the active player
    // too, as the player page's "Clear" does, and the redraw wipes every chalk line.
    CmdClrActive_Click();
}

void frmMain::OptActionSel_Click(int16_t Index)
{
    SelectedActionLine = Index;
}

void frmMain::CmdActionClr_Click(int16_t Index)
{
    try {
        PlayConfig &frame = m_document.frames().currentFrame();
        frame.MoveControlPoint(Part::ActionStart, Index, 0, 0);
        frame.MoveControlPoint(Part::ActionEnd, Index, 0, 0);
        setModified(true);
        DrawSelected();
        recordEdit("Clear Action Line");
    } catch (...) {
        ReportError("Clearing Action Line");
    }
}

void frmMain::CboChalksize_Click()
{
    const int position = palette->CboChalksize->currentIndex();
    palette->ChalkLine->setLineWidth(position + 1);
    // Only a thin chalk can be broken: a wider one is always solid.
    if (position > 0)
        palette->CboChalktype->setCurrentIndex(0);
}

void frmMain::CboChalktype_Click()
{
    const int position = palette->CboChalktype->currentIndex();
    palette->ChalkLine->setLineStyle(position);
    if (position > 0)
        palette->CboChalksize->setCurrentIndex(0);
}

void frmMain::CmdChalkcolr_Click()
{
    if (const auto color = m_platform.chooseColor(palette->ChalkLine->color()))
        palette->ChalkLine->setColor(*color);
}

} // namespace kinetra
