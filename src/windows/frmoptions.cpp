#include "windows/frmoptions.h"

#include "model/rounding.h"
#include "prefs/preferences.h"
#include "surface/colors.h"
#include "surface/framelooks.h"
#include "surface/linesample.h"
#include "surface/platform.h"
#include "surface/shapesample.h"
#include "surface/twips.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>

namespace kinetra {

namespace {

const QString kTitle = "Kinetra";

// The one colour chooser of the program starts where it was last left.
QColor lastChosenColor = Qt::black;

QString str(const std::string &s)
{
    return QString::fromStdString(s);
}

// Each entry of a line-style list carries the dash style and width it stands for.
constexpr int kTypeRole = Qt::UserRole;
constexpr int kSizeRole = Qt::UserRole + 1;

void addLineStyle(QComboBox *list, const QString &caption, int16_t type, int16_t size)
{
    list->addItem(caption);
    list->setItemData(list->count() - 1, type, kTypeRole);
    list->setItemData(list->count() - 1, size, kSizeRole);
}

// What a stored style outside the list's table is called in the list: "Dash, width 3".
QString lineStyleCaption(int16_t type, int16_t size)
{
    static const char *const dashes[5] = {"Solid", "Dash", "Dot", "Dash-dot", "Dash-dot-dot"};
    const QString dash = type >= 1 && type <= 5 ? QString(dashes[type - 1])
                                                : QString("Style %1").arg(type);
    return QString("%1, width %2").arg(dash).arg(size);
}

// Sample marker edge for a size option, from its design size in twips.
int sampleEdge(int option)
{
    static const int twips[3] = {200, 300, 340};
    return twipsToPixels(twips[option]);
}

} // namespace

const std::array<frmOptions::LineStyle, 7> frmOptions::kLineStyles = {{
    {"Thin", 1, 1},
    {"Dash", 2, 1},
    {"Dot", 3, 1},
    {"Dash-dot", 4, 1},
    {"Dash-dot-dot", 5, 1},
    {"Thick", 1, 3},
    {"Very Thick", 1, 6},
}};

ColorSwatch::ColorSwatch(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    setMinimumSize(48, 24);
    setColor(Qt::black);
}

void ColorSwatch::setColor(const QColor &color)
{
    m_color = color;
    // The caption stays readable on dark and light colours alike.
    const QColor text = color.lightness() < 128 ? Qt::white : Qt::black;
    setStyleSheet(QString("QPushButton { background-color: %1; color: %2; border: 1px solid gray;"
                          " padding: 2px 6px; }"
                          "QPushButton:focus { border: 2px solid palette(highlight); }")
                      .arg(color.name(), text.name()));
}

SymbolButton::SymbolButton(QWidget *parent)
    : QPushButton(parent)
{
    setFixedSize(44, 44);
    setIconSize(QSize(36, 36));
}

void SymbolButton::setPicture(const QImage &picture)
{
    m_picture = picture;
    setIcon(QIcon(QPixmap::fromImage(picture.scaled(iconSize(), Qt::KeepAspectRatio))));
}

frmOptions::frmOptions(Preferences &prefs, Platform &platform, const QString &programDir,
                       QWidget *parent)
    : QDialog(parent)
    , m_prefs(prefs)
    , m_platform(platform)
    , m_programDir(programDir)
{
    setObjectName("frmOptions");
    setWindowTitle("Options");
    setModal(true);

    tbsOptions = new QTabBar(this);
    tbsOptions->setObjectName("tbsOptions");
    m_pages = new QStackedWidget(this);
    static const char *const captions[4] = {"Players", "Symbols", "Actions 1-4", "Actions 5-8"};
    for (int i = 0; i < 4; ++i) {
        tbsOptions->addTab(captions[i]);
        picOptions[size_t(i)] = new QWidget(m_pages);
        picOptions[size_t(i)]->setObjectName(QString("picOptions%1").arg(i));
        m_pages->addWidget(picOptions[size_t(i)]);
    }
    buildPlayersPage(picOptions[0]);
    buildSymbolsPage(picOptions[1]);
    buildActionsPage(picOptions[2], 0);
    buildActionsPage(picOptions[3], 4);
    connect(tbsOptions, &QTabBar::currentChanged, this, &frmOptions::tbsOptions_Click);

    cmdOK = new QPushButton("&OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton("&Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tbsOptions);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);

    // The keys reach the dialog whichever control has the focus.
    const std::pair<QKeySequence, Qt::KeyboardModifiers> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), Qt::ControlModifier},
        {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Tab), Qt::ControlModifier},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), Qt::ControlModifier | Qt::ShiftModifier},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), Qt::ControlModifier | Qt::ShiftModifier},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::ALT | Qt::Key_Backtab),
         Qt::ControlModifier | Qt::ShiftModifier},
    };
    for (const auto &[sequence, modifiers] : keys) {
        auto *shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this, m = modifiers] { Form_KeyDown(Qt::Key_Tab, m); });
    }

    Form_Load();
    tbsOptions->setCurrentIndex(0);
    tbsOptions_Click();
}

void frmOptions::buildPlayersPage(QWidget *page)
{
    auto *grid = new QGridLayout(page);
    grid->addWidget(new QLabel("Size", page), 0, 1);
    grid->addWidget(new QLabel("Shape", page), 0, 2);
    static const char *const columns[3] = {"Backgnd", "Border", "Text "};
    for (int c = 0; c < 3; ++c)
        grid->addWidget(new QLabel(columns[c], page), 0, 3 + c, Qt::AlignHCenter);
    static const char *const sizeCaptions[3] = {"Small", "Medium", "Large"};

    for (int s = 0; s < 2; ++s) {
        const int row = 1 + s;
        grid->addWidget(new QLabel(s == 0 ? "Offense" : "Defense", page), row, 0);

        auto *sizes = new QGroupBox(page);
        auto *sizeGroup = new QButtonGroup(sizes);
        auto *sizeLayout = new QVBoxLayout(sizes);
        auto &sizeOptions = s == 0 ? OptOSize : OptDSize;
        for (int j = 0; j < 3; ++j) {
            auto *option = new QRadioButton(sizeCaptions[j], sizes);
            option->setObjectName(QString(s == 0 ? "OptOSize%1" : "OptDSize%1").arg(j));
            sizeGroup->addButton(option, j);
            sizeLayout->addWidget(option);
            sizeOptions[size_t(j)] = option;
        }
        connect(sizeGroup, &QButtonGroup::idToggled, this, [this, s](int j, bool on) {
            if (on)
                s == 0 ? OptOSize_Click(j) : OptDsize_Click(j);
        });
        grid->addWidget(sizes, row, 1);

        auto *shapes = new QGroupBox(page);
        auto *shapeGroup = new QButtonGroup(shapes);
        auto *shapeLayout = new QVBoxLayout(shapes);
        auto &shapeOptions = s == 0 ? OptOshape : OptDshape;
        for (int shape : {1, 3}) {
            auto *option = new QRadioButton(shape == 1 ? "Square" : "Circle", shapes);
            option->setObjectName(QString(s == 0 ? "OptOshape%1" : "OptDshape%1").arg(shape));
            shapeGroup->addButton(option, shape);
            shapeLayout->addWidget(option);
            shapeOptions[size_t(shape)] = option;
        }
        connect(shapeGroup, &QButtonGroup::idToggled, this, [this, s](int k, bool on) {
            if (on)
                s == 0 ? OptOshape_Click(k) : OptDshape_Click(k);
        });
        grid->addWidget(shapes, row, 2);

        // Columns: fill, border, text; swatch index = 2 * column + side.
        for (int c = 0; c < 3; ++c) {
            const int i = 2 * c + s;
            auto *swatch = new ColorSwatch(QString(), page);
            swatch->setObjectName(QString("LblPcolr%1").arg(i));
            swatch->setToolTip(QString("%1 colour of the %2")
                                   .arg(c == 0 ? "Background" : c == 1 ? "Border" : "Text",
                                        s == 0 ? "offense" : "defense"));
            connect(swatch, &QPushButton::clicked, this, [this, i] { LblPcolr_Click(i); });
            LblPcolr[size_t(i)] = swatch;
            grid->addWidget(swatch, row, 3 + c, Qt::AlignCenter);
        }

        auto *holder = new QWidget(page);
        holder->setFixedSize(sampleEdge(2) + 4, sampleEdge(2) + 4);
        ShaPopt[size_t(s)] = new ShapeSample(holder);
        ShaPopt[size_t(s)]->setObjectName(QString("ShaPopt%1").arg(s));
        grid->addWidget(holder, row, 6, Qt::AlignCenter);
    }
    grid->setRowStretch(3, 1);
}

void frmOptions::buildSymbolsPage(QWidget *page)
{
    auto *surfaces = new QGroupBox("Playing Surface", page);
    auto *surfaceGrid = new QGridLayout(surfaces);
    auto *surfaceGroup = new QButtonGroup(surfaces);
    for (int i = 0; i < 4; ++i) {
        OptPicBkg[size_t(i)] = new QRadioButton(QString("Surface %1").arg(i), surfaces);
        OptPicBkg[size_t(i)]->setObjectName(QString("OptPicBkg%1").arg(i));
        surfaceGroup->addButton(OptPicBkg[size_t(i)], i);
        CmdPicChg[size_t(i)] = new QPushButton("Change", surfaces);
        CmdPicChg[size_t(i)]->setObjectName(QString("CmdPicChg%1").arg(i));
        connect(CmdPicChg[size_t(i)], &QPushButton::clicked, this, [this, i] { CmdPicChg_Click(i); });
        surfaceGrid->addWidget(OptPicBkg[size_t(i)], i, 0);
        surfaceGrid->addWidget(CmdPicChg[size_t(i)], i, 1);
    }
    connect(surfaceGroup, &QButtonGroup::idToggled, this, [this](int i, bool on) {
        if (on)
            OptPicBkg_Click(i);
    });

    auto *symbols = new QGroupBox("Symbols", page);
    auto *symbolGrid = new QGridLayout(symbols);
    symbolGrid->addWidget(new QLabel("Click On Symbol to Change", symbols), 0, 0, 1, 4);
    for (int k = 0; k < 8; ++k) {
        auto *button = new SymbolButton(symbols);
        button->setObjectName(QString("ImgSymbols%1").arg(k));
        button->setToolTip(QString("Symbol %1").arg(k + 1));
        connect(button, &QPushButton::clicked, this, [this, k] { ImgSymbols_Click(k); });
        ImgSymbols[size_t(k)] = button;
        symbolGrid->addWidget(button, 1 + k / 4, k % 4);
    }
    symbolGrid->addWidget(new QLabel("Text Font", symbols), 3, 0, 1, 4);
    TxtFont = new QLineEdit(symbols);
    TxtFont->setObjectName("TxtFont");
    TxtFont->setReadOnly(true);
    CmdChgfont = new QPushButton("Change", symbols);
    CmdChgfont->setObjectName("CmdChgfont");
    connect(CmdChgfont, &QPushButton::clicked, this, &frmOptions::CmdChgfont_Click);
    symbolGrid->addWidget(TxtFont, 4, 0, 1, 3);
    symbolGrid->addWidget(CmdChgfont, 4, 3);

    auto *layout = new QHBoxLayout(page);
    layout->addWidget(surfaces, 0, Qt::AlignTop);
    layout->addWidget(symbols, 0, Qt::AlignTop);
}

void frmOptions::buildActionsPage(QWidget *page, int first)
{
    auto *grid = new QGridLayout(page);
    for (int n = first; n < first + 4; ++n) {
        const size_t i = size_t(n);
        const int row = n - first;
        Label3[i] = new QLabel(QString::number(n + 1), page);
        Label3[i]->setObjectName(QString("Label3%1").arg(n));
        TxtAction[i] = new QLineEdit(page);
        TxtAction[i]->setObjectName(QString("TxtAction%1").arg(n));
        Label3[i]->setBuddy(TxtAction[i]);
        connect(TxtAction[i], &QLineEdit::textChanged, this, [this, n] { TxtAction_Change(n); });
        CboLinetype[i] = new QComboBox(page);
        CboLinetype[i]->setObjectName(QString("CboLinetype%1").arg(n));
        for (const LineStyle &style : kLineStyles)
            addLineStyle(CboLinetype[i], style.caption, style.type, style.size);
        connect(CboLinetype[i], &QComboBox::currentIndexChanged, this,
                [this, n] { CboLinetype_Click(n); });
        LblActcolr[i] = new ColorSwatch("Color", page);
        LblActcolr[i]->setObjectName(QString("LblActcolr%1").arg(n));
        connect(LblActcolr[i], &QPushButton::clicked, this, [this, n] { LblActcolr_Click(n); });
        LnAction[i] = new LineSample(page);
        LnAction[i]->setObjectName(QString("LnAction%1").arg(n));
        LnAction[i]->setMinimumSize(60, 16);

        auto *ends = new QGroupBox("End Type", page);
        auto *endLayout = new QHBoxLayout(ends);
        auto *endGroup = new QButtonGroup(ends);
        static const char *const endCaptions[3] = {"  >", "  |", "None"};
        for (int j = 0; j < 3; ++j) {
            auto *option = new QRadioButton(endCaptions[j], ends);
            option->setObjectName(QString("Opt%1_%2").arg(n).arg(j));
            endGroup->addButton(option, j);
            endLayout->addWidget(option);
            OptEnd[i][size_t(j)] = option;
        }
        connect(endGroup, &QButtonGroup::idToggled, this, [this, n](int j, bool on) {
            if (on)
                OptEnd_Click(n, j);
        });
        // Every row carries the same letter: Alt+B steps from row to row, Space then ticks.
        ChkFollowsBases[i] = new QCheckBox("Follow &base path", page);
        ChkFollowsBases[i]->setObjectName(QString("ChkFollowsBases%1").arg(n));
        connect(ChkFollowsBases[i], &QCheckBox::toggled, this,
                [this, n] { ChkFollowsBases_Click(n); });

        grid->addWidget(Label3[i], row, 0);
        grid->addWidget(TxtAction[i], row, 1);
        grid->addWidget(CboLinetype[i], row, 2);
        grid->addWidget(LblActcolr[i], row, 3);
        grid->addWidget(LnAction[i], row, 4);
        grid->addWidget(ends, row, 5);
        grid->addWidget(ChkFollowsBases[i], row, 6);
    }
    grid->setColumnStretch(4, 1);
}

void frmOptions::Form_Load()
{
    // A control is set and then its own handler runs, as when the user picks the value, so
    // the samples follow; the handler writes back the very value it was shown, and opening
    // the dialog changes nothing. A value the controls cannot show is left as stored.
    Preferences &p = m_prefs;
    for (int s = 0; s < 2; ++s) {
        ShaPopt[size_t(s)]->setFillColor(colorFromRgbInt(p.PlayerFcolr[size_t(s)]));
        ShaPopt[size_t(s)]->setBorderColor(colorFromRgbInt(p.PlayerBcolr[size_t(s)]));
    }
    const int32_t swatches[6] = {p.PlayerFcolr[0], p.PlayerFcolr[1], p.PlayerBcolr[0],
                                 p.PlayerBcolr[1], p.PlayerTcolr[0], p.PlayerTcolr[1]};
    for (size_t i = 0; i < 6; ++i)
        LblPcolr[i]->setColor(colorFromRgbInt(swatches[i]));

    for (int s = 0; s < 2; ++s) {
        const int16_t size = p.PlayerSize[size_t(s)];
        const int option = size == 10 ? 0 : size == 15 ? 1 : size == 17 ? 2 : -1;
        auto &options = s == 0 ? OptOSize : OptDSize;
        // A size outside the options shows none selected, and the record keeps it.
        if (option >= 0) {
            options[size_t(option)]->setChecked(true);
            sizeOption(s, option);
        } else {
            ShaPopt[size_t(s)]->setFixedSize(sampleEdge(1), sampleEdge(1));
        }
        const int16_t shape = p.PlayerShape[size_t(s)];
        auto &shapes = s == 0 ? OptOshape : OptDshape;
        if (shape == 1 || shape == 3) {
            shapes[size_t(shape)]->setChecked(true);
            shapeOption(s, shape);
        }
    }

    if (p.Picbkg >= 0 && p.Picbkg < 4)
        OptPicBkg[size_t(p.Picbkg)]->setChecked(true);

    for (size_t k = 0; k < 8; ++k) {
        QImage picture;
        // A picture that cannot be read leaves the box as it was.
        if (picture.load(str(p.SymbolFile[k])))
            ImgSymbols[k]->setPicture(picture);
    }

    showFont();

    for (int n = 0; n < 8; ++n) {
        const size_t i = size_t(n);
        {
            // The name is kept byte for byte: the box holds it, the record is not rewritten.
            const QSignalBlocker quiet(TxtAction[i]);
            TxtAction[i]->setText(str(p.ActionLabel[i]));
        }
        CboLinetype[i]->setCurrentIndex(lineStyleEntry(n));
        CboLinetype_Click(n);
        LnAction[i]->setColor(colorFromRgbInt(p.ActionColor[i]));
        LblActcolr[i]->setColor(colorFromRgbInt(p.ActionColor[i]));
        ChkFollowsBases[i]->setChecked(p.ActionFollowsBases[i]);
    }
    for (int n = 0; n < 8; ++n) {
        const int end = p.ActionEndType[size_t(n)];
        if (end >= 0 && end < 3) {
            OptEnd[size_t(n)][size_t(end)]->setChecked(true);
            OptEnd_Click(n, end);
        }
    }
}

void frmOptions::sizeOption(int side, int Index)
{
    static const int16_t sizes[3] = {10, 15, 17};
    if (Index < 0 || Index > 2)
        return;
    m_prefs.PlayerSize[size_t(side)] = sizes[Index];
    ShaPopt[size_t(side)]->setFixedSize(sampleEdge(Index), sampleEdge(Index));
    ShaPopt[size_t(side)]->move(2 + (sampleEdge(2) - sampleEdge(Index)) / 2,
                                2 + (sampleEdge(2) - sampleEdge(Index)) / 2);
}

void frmOptions::OptOSize_Click(int Index)
{
    sizeOption(0, Index);
}

void frmOptions::OptDsize_Click(int Index)
{
    sizeOption(1, Index);
}

void frmOptions::shapeOption(int side, int shape)
{
    ShaPopt[size_t(side)]->setShape(int16_t(shape));
    m_prefs.PlayerShape[size_t(side)] = int16_t(shape);
}

void frmOptions::OptOshape_Click(int Index)
{
    shapeOption(0, Index);
}

void frmOptions::OptDshape_Click(int Index)
{
    shapeOption(1, Index);
}

std::optional<QColor> frmOptions::chooseColor()
{
    const std::optional<QColor> color = m_platform.chooseColor(lastChosenColor);
    if (color)
        lastChosenColor = *color;
    return color;
}

void frmOptions::LblPcolr_Click(int Index)
{
    if (Index < 0 || Index > 5)
        return;
    const std::optional<QColor> color = chooseColor();
    if (!color)
        return;
    LblPcolr[size_t(Index)]->setColor(*color);
    const int32_t value = rgbIntFromColor(*color);
    const size_t side = size_t(Index % 2);
    if (Index < 2) {
        ShaPopt[side]->setFillColor(*color);
        m_prefs.PlayerFcolr[side] = value;
    } else if (Index < 4) {
        ShaPopt[side]->setBorderColor(*color);
        m_prefs.PlayerBcolr[side] = value;
    } else {
        m_prefs.PlayerTcolr[side] = value;
    }
}

void frmOptions::OptPicBkg_Click(int Index)
{
    if (Index >= 0 && Index < 4)
        m_prefs.Picbkg = int16_t(Index);
}

void frmOptions::reportFileError()
{
    m_platform.beep();
    m_platform.messageBox("Error selecting file.", kTitle, Platform::Buttons::Ok,
                          Platform::Icon::Warning);
}

std::optional<QString> frmOptions::choosePicture(const QString &filter, const QString &startFolder,
                                                 const QString &proposedName, QImage &picture)
{
    Platform::FileDialog dialog;
    dialog.title = "Open";
    dialog.filter = filter;
    dialog.startFolder = startFolder;
    dialog.proposedName = proposedName;
    dialog.mustExist = true;
    std::optional<QString> chosen;
    try {
        chosen = m_platform.openFileName(dialog);
    } catch (...) {
        reportFileError();
        return std::nullopt;
    }
    if (!chosen)
        return std::nullopt;
    const QString file = chosen->trimmed();
    // A file that is no picture would leave a blank field or symbol: keep the old one.
    if (file.isEmpty() || !picture.load(file)) {
        reportFileError();
        return std::nullopt;
    }
    return file;
}

void frmOptions::CmdPicChg_Click(int Index)
{
    if (Index < 0 || Index > 3)
        return;
    const QString current = str(m_prefs.PicFile[size_t(Index)]);
    QImage picture;
    const std::optional<QString> file =
        choosePicture("Surface BMP Files (*.BMP)|*.BMP", QFileInfo(current).absolutePath(),
                      current, picture);
    // The main window loads the new field picture when the dialog has closed.
    if (file)
        m_prefs.PicFile[size_t(Index)] = file->toStdString();
}

void frmOptions::ImgSymbols_Click(int Index)
{
    if (Index < 0 || Index > 7)
        return;
    QImage picture;
    const std::optional<QString> file =
        choosePicture("All Files (*.bmp)|*.bmp", m_programDir, QString(), picture);
    if (!file)
        return;
    ImgSymbols[size_t(Index)]->setPicture(picture);
    m_prefs.SymbolFile[size_t(Index)] = file->toStdString();
}

void frmOptions::showFont()
{
    TxtFont->setText(str(m_prefs.FontName));
    TxtFont->setFont(labelFontFromPreferences(m_prefs));
    QPalette colors = TxtFont->palette();
    colors.setColor(QPalette::Text, colorFromRgbInt(m_prefs.Fontcolor));
    TxtFont->setPalette(colors);
}

void frmOptions::CmdChgfont_Click()
{
    const std::optional<Platform::FontChoice> choice =
        m_platform.chooseFont(labelFontFromPreferences(m_prefs), colorFromRgbInt(m_prefs.Fontcolor));
    if (!choice)
        return;
    const QFont &font = choice->font;
    int16_t size = m_prefs.FontSize;
    try {
        const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pointSize();
        size = toInt16(points);
    } catch (...) {
        // A font without a point size keeps the size it had.
    }
    m_prefs.FontName = font.family().toStdString();
    if (size > 0)
        m_prefs.FontSize = size;
    m_prefs.FontBold = font.bold();
    m_prefs.FontItalic = font.italic();
    m_prefs.FontUnderline = font.underline();
    m_prefs.FontStrikethrough = font.strikeOut();
    m_prefs.Fontcolor = rgbIntFromColor(choice->color);
    showFont();
}

void frmOptions::TxtAction_Change(int Index)
{
    if (Index >= 0 && Index < 8)
        m_prefs.ActionLabel[size_t(Index)] = TxtAction[size_t(Index)]->text().toStdString();
}

int frmOptions::lineStyleEntry(int Index)
{
    QComboBox *list = CboLinetype[size_t(Index)];
    const int16_t type = m_prefs.ActionType[size_t(Index)];
    const int16_t size = m_prefs.ActionSize[size_t(Index)];
    for (int entry = 0; entry < list->count(); ++entry)
        if (list->itemData(entry, kTypeRole).toInt() == type
            && list->itemData(entry, kSizeRole).toInt() == size)
            return entry;
    // A style of a play or of an earlier version the table lacks (a dashed line of width 3)
    // is offered as what it is, so that opening the dialog does not turn it into another.
    addLineStyle(list, lineStyleCaption(type, size), type, size);
    return list->count() - 1;
}

void frmOptions::CboLinetype_Click(int Index)
{
    if (Index < 0 || Index > 7)
        return;
    const QComboBox *list = CboLinetype[size_t(Index)];
    const int entry = list->currentIndex();
    if (entry < 0)
        return;
    const int16_t type = int16_t(list->itemData(entry, kTypeRole).toInt());
    const int16_t size = int16_t(list->itemData(entry, kSizeRole).toInt());
    m_prefs.ActionType[size_t(Index)] = type;
    m_prefs.ActionSize[size_t(Index)] = size;
    LnAction[size_t(Index)]->setLineStyle(type - 1);
    LnAction[size_t(Index)]->setLineWidth(size);
}

void frmOptions::LblActcolr_Click(int Index)
{
    if (Index < 0 || Index > 7)
        return;
    const std::optional<QColor> color = chooseColor();
    if (!color)
        return;
    LblActcolr[size_t(Index)]->setColor(*color);
    m_prefs.ActionColor[size_t(Index)] = rgbIntFromColor(*color);
    LnAction[size_t(Index)]->setColor(*color);
}

void frmOptions::OptEnd_Click(int type, int Index)
{
    if (type >= 0 && type < 8 && Index >= 0 && Index < 3)
        m_prefs.ActionEndType[size_t(type)] = int16_t(Index);
}

void frmOptions::ChkFollowsBases_Click(int Index)
{
    if (Index >= 0 && Index < 8)
        m_prefs.ActionFollowsBases[size_t(Index)] = ChkFollowsBases[size_t(Index)]->isChecked();
}

void frmOptions::tbsOptions_Click()
{
    m_pages->setCurrentIndex(tbsOptions->currentIndex());
}

void frmOptions::Form_KeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (key != Qt::Key_Tab && key != Qt::Key_Backtab)
        return;
    if (!(shift & Qt::ControlModifier))
        return;
    const int count = tbsOptions->count();
    const int step = (shift & Qt::ShiftModifier) ? count - 1 : 1;
    tbsOptions->setCurrentIndex((tbsOptions->currentIndex() + step) % count);
    // From the tab strip, Tab reaches the first control of the page just shown.
    tbsOptions->setFocus(Qt::ShortcutFocusReason);
}

} // namespace kinetra
