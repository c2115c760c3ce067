// Editing the play on the field: the palette's handlers, drops and mouse gestures.
#include "surface/playediting.h"

#include "document/playdocument.h"
#include "model/failurereport.h"
#include "prefs/defaultfield.h"
#include "prefs/preferences.h"
#include "surface/canvas.h"
#include "surface/colors.h"
#include "surface/dragpicture.h"
#include "surface/framelooks.h"
#include "surface/labelbox.h"
#include "surface/linesample.h"
#include "surface/paletteitem.h"
#include "surface/palettepictures.h"
#include "surface/picturefiles.h"
#include "surface/platform.h"
#include "surface/pointers.h"
#include "surface/shapesample.h"
#include "surface/surface.h"
#include "surface/surfaceeditor.h"
#include "surface/toolpalette.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>

namespace kinetra {

namespace {

const char *const kSelectHint =
    "Use Left mouse button to select / drag and right button to delete object.";
const char *const kActionHint =
    "In Action Draw mode. Drag mouse while pressing mouse button key. Click a line to select "
    "it, then drag its middle to bend it; the right button deletes.";
const char *const kChalkHint = "Temporary Chalk ... Hold mouse left button down to draw.";

// Whether the field shown is one of the full fields the program ships (the baseball field
// Surface0 or the softball field Surface2), whose bases lie where field::kBases says. A
// picture the user chose under another name may have them anywhere.
bool showsShippedFullField(const Preferences &prefs, int field)
{
    if (field != 0 && field != 2)
        return false;
    const QString name = QFileInfo(QString::fromStdString(prefs.PicFile[size_t(field)])).fileName();
    return name.isEmpty() || name.compare(fieldPictureName(field), Qt::CaseInsensitive) == 0;
}

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

QString itemName(int16_t part)
{
    switch (part) {
    case Part::Offense:
    case Part::Defense: return "Player";
    case Part::Symbol: return "Symbol";
    case Part::TextLabel: return "Text Label";
    default: return "Item";
    }
}

} // namespace

// What the surface editor needs of the play and the palette.
class PlayEditing::EditorHost : public SurfaceEditor::Host
{
public:
    explicit EditorHost(PlayEditing &editing)
        : m_editing(editing)
    {}

    PlayConfig &currentFrame() override { return m_editing.m_document.frames().currentFrame(); }
    void redraw() override { m_editing.m_redraw(); }
    void markModified() override { m_editing.m_document.markChanged(); }
    void beep() override { m_editing.m_platform.beep(); }
    QSize symbolBoxSize() const override { return m_editing.symbolBoxSize(); }
    int16_t selectedActionLine() const override { return m_editing.m_selectedActionLine; }
    QColor actionColor(int16_t line) const override
    {
        return colorFromRgbInt(m_editing.m_document.looks().actions.at(size_t(line)).color);
    }
    SurfaceEditor::Pen chalk() const override
    {
        const LineSample *chalk = m_editing.m_palette.ChalkLine;
        return {chalk->color(), chalk->lineWidth(), chalk->lineStyle()};
    }
    std::optional<std::array<LinePoint, 4>> basesFor(int16_t kind) const override
    {
        const Preferences &prefs = m_editing.m_prefs;
        if (kind < 0 || kind >= kActionCount || !prefs.ActionFollowsBases[size_t(kind)]
            || !showsShippedFullField(prefs, m_editing.m_document.looks().Picbkg))
            return std::nullopt;
        std::array<LinePoint, 4> bases;
        for (size_t i = 0; i < bases.size(); ++i)
            bases[i] = {float(field::kBases[i].x), float(field::kBases[i].y)};
        return bases;
    }
    void tell(const QString &message) override { emit m_editing.statusMessage(message); }
    double zoom() const override { return m_editing.m_canvas.zoom() / 100.0; }
    FrameLooks looks() const override { return m_editing.looks(); }

private:
    PlayEditing &m_editing;
};

PlayEditing::PlayEditing(PlayDocument &document, const Preferences &prefs, ToolPalette &palette,
                         Canvas &canvas, Surface &surface, Platform &platform,
                         std::function<void()> redraw, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_prefs(prefs)
    , m_palette(palette)
    , m_canvas(canvas)
    , m_platform(platform)
    , m_redraw(std::move(redraw))
{
    m_editor = new SurfaceEditor(surface, std::make_unique<EditorHost>(*this), this);
    connectPalette();
}

void PlayEditing::connectPalette()
{
    connect(&m_canvas, &Canvas::mouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers, QPointF at) {
                m_editor->press(b, QPointF(float(at.x()), float(at.y())));
            });
    connect(&m_canvas, &Canvas::mouseMove, this,
            [this](Qt::MouseButtons, Qt::KeyboardModifiers, QPointF at) {
                m_editor->move(QPointF(float(at.x()), float(at.y())));
            });
    connect(&m_canvas, &Canvas::mouseUp, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers modifiers, QPointF at) {
                Canvas_MouseUp(b, float(at.x()), float(at.y()), modifiers);
            });
    connect(&m_canvas, &Canvas::itemDropped, this, [this](int tag, int index, QPointF at) {
        Canvas_DragDrop(int16_t(tag), int16_t(index), float(at.x()), float(at.y()));
    });
    connect(&m_palette, &ToolPalette::pageChanged, this, &PlayEditing::tbsPicList_Click);

    ToolPalette &palette = m_palette;
    for (int16_t k = 0; k < 10; ++k) {
        connect(palette.TxtOplyr[k], &QLineEdit::textChanged, this,
                [this, k] { TxtOplyr_Change(k); });
        connect(palette.TxtDplyr[k], &QLineEdit::textChanged, this,
                [this, k] { TxtDPlyr_Change(k); });
        // A label typed is one step, once the box is left (the play may be gone by then,
        // as the window closes).
        for (QLineEdit *box : {palette.TxtOplyr[k], palette.TxtDplyr[k]})
            connect(box, &QLineEdit::editingFinished, &m_document,
                    [this] { m_document.recordEdit("Player Label"); });
        connect(palette.ChkActiveOff[k], &QCheckBox::toggled, this,
                [this, k] { ChkActiveOff_Click(k); });
        connect(palette.ChkActiveDef[k], &QCheckBox::toggled, this,
                [this, k] { ChkActiveDef_Click(k); });
        palette.TxtOplyr[k]->setDragIconSource([this, k] {
            return m_palette.shaOPlayer->figureWithLabel(
                QString::fromStdString(m_document.looks().labels.offense[k]),
                colorFromRgbInt(m_prefs.PlayerTcolr[0]),
                labelFontFromPreferences(m_prefs));
        });
        palette.TxtDplyr[k]->setDragIconSource([this, k] {
            return m_palette.shaDPlayer->figureWithLabel(
                QString::fromStdString(m_document.looks().labels.defense[k]),
                colorFromRgbInt(m_prefs.PlayerTcolr[1]),
                labelFontFromPreferences(m_prefs));
        });
    }
    for (int k = 0; k < 2; ++k) {
        palette.Imgtext[k]->setDragIconSource([this, k] {
            return textLabelIcon(m_palette.TxtSymbol[k]->text(), labelFontFromPreferences(m_prefs),
                                 colorFromRgbInt(m_prefs.Fontcolor), k);
        });
    }
    connect(palette.CmdClrActive, &QPushButton::clicked, this, &PlayEditing::CmdClrActive_Click);
    connect(palette.CmdChalkClr, &QPushButton::clicked, this, &PlayEditing::CmdChalkClr_Click);
    connect(palette.OptActionGroup, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            OptActionSel_Click(int16_t(id));
    });
    for (int16_t k = 0; k < 8; ++k)
        connect(palette.CmdActionClr[k], &QPushButton::clicked, this,
                [this, k] { CmdActionClr_Click(k); });
    connect(palette.CboChalksize, &QComboBox::currentIndexChanged, this,
            &PlayEditing::CboChalksize_Click);
    connect(palette.CboChalktype, &QComboBox::currentIndexChanged, this,
            &PlayEditing::CboChalktype_Click);
    connect(palette.CmdChalkcolr, &QPushButton::clicked, this, &PlayEditing::CmdChalkcolr_Click);
}

void PlayEditing::setupPalette()
{
    // Each step stands alone, like the rest of the set-up.
    try {
        // The text-label boxes show their text as the surface will.
        const QFont font = labelFontFromPreferences(m_prefs);
        const QColor color = colorFromRgbInt(m_prefs.Fontcolor);
        for (QLineEdit *box : m_palette.TxtSymbol) {
            box->setFont(font);
            QPalette colors = box->palette();
            colors.setColor(QPalette::Text, color);
            box->setPalette(colors);
        }
        m_palette.layoutTextLabels();
    } catch (...) {
    }
    try {
        for (int s = 0; s < 2; ++s) {
            ShapeSample *sample = s == 0 ? m_palette.shaOPlayer : m_palette.shaDPlayer;
            sample->setShape(m_prefs.PlayerShape[size_t(s)]);
            sample->setBorderColor(colorFromRgbInt(m_prefs.PlayerBcolr[size_t(s)]));
            sample->setFillColor(colorFromRgbInt(m_prefs.PlayerFcolr[size_t(s)]));
        }
    } catch (...) {
    }
    showPlayLooks();
}

void PlayEditing::showPlayLooks()
{
    const PlayLooks &looks = m_document.looks();
    // A box is set only when its text differs, so typing in it keeps its cursor.
    const auto show = [](QLineEdit *box, const std::string &label) {
        if (const QString text = QString::fromStdString(label); box->text() != text)
            box->setText(text);
    };
    {
        const QScopedValueRollback<bool> filling(m_fillingLabels, true);
        for (size_t k = 0; k < 10; ++k) {
            show(m_palette.TxtOplyr[k], looks.labels.offense[k]);
            show(m_palette.TxtDplyr[k], looks.labels.defense[k]);
        }
    }
    for (size_t k = 0; k < 8; ++k) {
        const ActionLook &action = looks.actions[k];
        m_palette.Tracerlbl[k]->setText(QString::fromStdString(action.label));
        m_palette.TRACERLine[k]->setLineStyle(action.type - 1);
        m_palette.TRACERLine[k]->setLineWidth(action.size);
        m_palette.TRACERLine[k]->setColor(colorFromRgbInt(action.color));
    }
}

void PlayEditing::Canvas_DragDrop(int16_t part, int16_t index, float X, float Y)
{
    QString text;
    if (part == Part::TextLabel && index >= 0 && index < kTextLabelCount)
        text = m_palette.TxtSymbol[size_t(index)]->text();
    m_editor->drop(part, index, QPointF(X, Y), text);
    m_document.recordEdit(surfaceEditCaption("Place"));
    // The drag began in a palette box, which took the focus (and with it Ctrl+Z).
    m_canvas.setFocus(Qt::OtherFocusReason);
}

void PlayEditing::Canvas_MouseUp(Qt::MouseButton Button, float X, float Y,
                                 Qt::KeyboardModifiers Shift)
{
    const bool running = m_editor->busy();
    m_editor->release(Button, QPointF(X, Y), Shift);
    if (!running || m_editor->busy())
        return;
    // Chalk changes no frame; a finished lift is a move, or with the right button a delete.
    switch (m_editor->mode()) {
    case SurfaceEditor::Mode::Chalk: break;
    case SurfaceEditor::Mode::ActionDraw:
        if (m_editor->lastLineEdit() != SurfaceEditor::LineEdit::None)
            m_document.recordEdit(lineEditCaption());
        break;
    case SurfaceEditor::Mode::Select:
        m_document.recordEdit(surfaceEditCaption(Button == Qt::RightButton ? "Delete" : "Move"));
        break;
    }
}

bool PlayEditing::deleteSelectedLine()
{
    if (!m_editor->deleteSelectedLine())
        return false;
    m_document.recordEdit(lineEditCaption());
    return true;
}

void PlayEditing::showSelection()
{
    QList<QPointF> handles;
    for (const LinePoint p : m_editor->selectionHandles(m_document.frames().currentFrame()))
        handles << QPointF(p.x, p.y);
    m_canvas.setHandles(handles);
}

void PlayEditing::tbsPicList_Click()
{
    switch (m_palette.currentPage()) {
    case ToolPalette::ActionPage:
        m_editor->setMode(SurfaceEditor::Mode::ActionDraw);
        m_palette.OptActionSel[size_t(m_selectedActionLine)]->setChecked(true);
        m_canvas.setToolTip(kActionHint);
        break;
    case ToolPalette::ChalkPage:
        m_editor->setMode(SurfaceEditor::Mode::Chalk);
        m_canvas.setToolTip(kChalkHint);
        break;
    default:
        m_editor->setMode(SurfaceEditor::Mode::Select);
        m_canvas.setToolTip(kSelectHint);
        break;
    }
    showSelection();
    applyModeCursor();
}

void PlayEditing::applyModeCursor()
{
    switch (m_editor->mode()) {
    case SurfaceEditor::Mode::ActionDraw: m_canvas.setCursor(actionCursor()); break;
    case SurfaceEditor::Mode::Chalk: m_canvas.setCursor(chalkCursor()); break;
    case SurfaceEditor::Mode::Select: m_canvas.unsetCursor(); break;
    }
}

void PlayEditing::playerLabelChanged(int side, int16_t index)
{
    if (m_drawingSuppressed || m_fillingLabels)
        return;
    PlayLooks looks = m_document.looks();
    auto &labels = side == 0 ? looks.labels.offense : looks.labels.defense;
    const auto &boxes = side == 0 ? m_palette.TxtOplyr : m_palette.TxtDplyr;
    labels.at(size_t(index)) = boxes.at(size_t(index))->text().toStdString();
    m_document.setLooks(looks);
    m_redraw();
}

void PlayEditing::TxtOplyr_Change(int16_t Index)
{
    playerLabelChanged(0, Index);
}

void PlayEditing::TxtDPlyr_Change(int16_t Index)
{
    playerLabelChanged(1, Index);
}

void PlayEditing::ChkActiveOff_Click(int16_t Index)
{
    m_hideOffense.at(size_t(Index)) = m_palette.ChkActiveOff.at(size_t(Index))->isChecked();
    m_redraw();
}

void PlayEditing::ChkActiveDef_Click(int16_t Index)
{
    m_hideDefense.at(size_t(Index)) = m_palette.ChkActiveDef.at(size_t(Index))->isChecked();
    m_redraw();
}

void PlayEditing::CmdClrActive_Click()
{
    m_document.frames().currentFrame().ActivePlyr = kNoActivePlayer;
    m_redraw();
    m_document.recordEdit("Clear Active Player");
}

void PlayEditing::CmdChalkClr_Click()
{
    // Erasing the chalk is a fresh start for the frame's marks: it clears the active player
    // too, as the player page's "Clear" does, and the redraw wipes every chalk line.
    CmdClrActive_Click();
}

void PlayEditing::OptActionSel_Click(int16_t Index)
{
    // A line selected to be bent is not carried over to a new kind of line being drawn.
    if (Index != m_selectedActionLine) {
        m_editor->clearSelection();
        showSelection();
    }
    m_selectedActionLine = Index;
}

void PlayEditing::CmdActionClr_Click(int16_t Index)
{
    try {
        m_document.frames().currentFrame().clearActionKind(Index);
        m_document.markChanged();
        m_redraw();
        m_document.recordEdit("Clear Action Lines");
    } catch (...) {
        reportFailure("Clearing Action Line");
    }
}

void PlayEditing::CboChalksize_Click()
{
    const int position = m_palette.CboChalksize->currentIndex();
    m_palette.ChalkLine->setLineWidth(position + 1);
    // Only a thin chalk can be broken: a wider one is always solid.
    if (position > 0)
        m_palette.CboChalktype->setCurrentIndex(0);
}

void PlayEditing::CboChalktype_Click()
{
    const int position = m_palette.CboChalktype->currentIndex();
    m_palette.ChalkLine->setLineStyle(position);
    if (position > 0)
        m_palette.CboChalksize->setCurrentIndex(0);
}

void PlayEditing::CmdChalkcolr_Click()
{
    if (const auto color = m_platform.chooseColor(m_palette.ChalkLine->color()))
        m_palette.ChalkLine->setColor(*color);
}

QString PlayEditing::lineEditCaption() const
{
    switch (m_editor->lastLineEdit()) {
    case SurfaceEditor::LineEdit::Bent: return "Bend Action Line";
    case SurfaceEditor::LineEdit::Moved: return "Move Action Line Point";
    case SurfaceEditor::LineEdit::Removed: return "Delete Action Line";
    case SurfaceEditor::LineEdit::BendRemoved: return "Delete Bend Point";
    case SurfaceEditor::LineEdit::Drawn:
    case SurfaceEditor::LineEdit::None: break;
    }
    return "Draw Action Line";
}

QString PlayEditing::surfaceEditCaption(const QString &verb) const
{
    const int16_t part = m_editor->state().part;
    if (part == PaletteItem::kActiveMarker)
        return "Set Active Player";
    return verb + ' ' + itemName(part);
}

// A symbol lands centred on the pointer at its own size, also when its box shows it scaled
// down.
QSize PlayEditing::symbolBoxSize() const
{
    return m_palette.ImgSymbols[0]->fullSize();
}

FrameLooks PlayEditing::looks() const
{
    FrameLooks l = FrameLooks::forPlay(m_document.looks(), m_prefs);
    l.symbols = m_symbols;
    l.symbolCompanions = m_symbolCompanions;
    l.symbolNames = m_symbolNames;
    l.hideOffense = m_hideOffense;
    l.hideDefense = m_hideDefense;
    l.drawingSuppressed = &m_drawingSuppressed;
    return l;
}

void PlayEditing::setSymbolPictures(const std::array<ResolvedPicture, 8> &symbols)
{
    for (size_t k = 0; k < symbols.size(); ++k) {
        m_symbols[k] = symbols[k].image;
        m_symbolCompanions[k] = symbols[k].companions;
        m_symbolNames[k] = symbolPictureTitle(int(k), symbols[k].file);
        m_palette.setSymbolPicture(int(k), symbols[k].image, symbols[k].companions,
                                   m_symbolNames[k]);
    }
}

} // namespace kinetra
