#include "surface/toolpalette.h"

#include "model/playconfig.h"
#include "surface/dragpicture.h"
#include "surface/labelbox.h"
#include "surface/linesample.h"
#include "surface/palettepictures.h"
#include "surface/shapesample.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

namespace kinetra {

namespace {

// The pages are small fixed panels (at least 184 x 321 pixels), so their controls stand at fixed
// places like on a drawing board, clear of each other whatever the style's margins. A symbol
// box is at most kSymbolPictureFit plus its frame, which the grid's steps leave room for.
constexpr int kPlayerRowTop = 60;
constexpr int kPlayerRowStep = 21;
constexpr int kSymbolLeft = 8;
constexpr int kSymbolStepX = 38;
constexpr int kSymbolStepY = 36;
constexpr int kTextLabelTop = 86;
static_assert(kSymbolStepX >= ToolPalette::kSymbolPictureFit.width() + 4
              && kSymbolStepY >= ToolPalette::kSymbolPictureFit.height() + 4
              && kTextLabelTop >= 8 + kSymbolStepY + ToolPalette::kSymbolPictureFit.height() + 2);
constexpr int kActionRowTop = 8;
constexpr int kActionRowStep = 36;

QLabel *label(const QString &text, const QString &name, QWidget *page, QRect at,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *l = new QLabel(text, page);
    l->setObjectName(name);
    l->setGeometry(at);
    l->setAlignment(align);
    return l;
}

template<typename W>
W *named(W *widget, const QString &name, QRect at)
{
    widget->setObjectName(name);
    widget->setGeometry(at);
    return widget;
}

QImage blankSymbol()
{
    QImage image(24, 24, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

ToolPalette::ToolPalette(QWidget *parent)
    : QObject(parent)
{
    tbsPicList = new QTabBar(parent);
    tbsPicList->setObjectName("tbsPicList");
    tbsPicList->setExpanding(false);
    tbsPicList->setDrawBase(true);
    // Like a tab strip of the desktop: a click on a tab gives it the focus, so the arrow keys
    // step through the pages.
    tbsPicList->setFocusPolicy(Qt::StrongFocus);
    static const char *const captions[4] = {"Player", "Symbol", "Action", "Chalk"};
    static const char *const hints[4] = {
        "Drag and drop players onto field.",
        "Drag and drop symbols and text onto field",
        "Select Action type and draw with mouse on field.",
        "Select Action type and draw with mouse on field.",
    };
    for (int i = 0; i < 4; ++i) {
        tbsPicList->addTab(captions[i]);
        QWidget *page = new QWidget(parent);
        page->setObjectName(QString("PicList%1").arg(i));
        page->setToolTip(hints[i]);
        page->setAutoFillBackground(true);
        page->setVisible(i == 0);
        PicList[size_t(i)] = page;
    }
    buildPlayerPage(PicList[PlayerPage]);
    buildSymbolPage(PicList[SymbolPage]);
    buildActionPage(PicList[ActionPage]);
    buildChalkPage(PicList[ChalkPage]);
    connect(tbsPicList, &QTabBar::currentChanged, this, [this] { showSelectedPage(); });
}

void ToolPalette::buildPlayerPage(QWidget *page)
{
    const auto centred = Qt::AlignHCenter | Qt::AlignVCenter;
    LblOffense = label("Offense", "LblOffense", page, QRect(2, 2, 72, 16), centred);
    LblDefense = label("Defense", "LblDefense", page, QRect(78, 2, 72, 16), centred);
    shaOPlayer = named(new ShapeSample(page), "shaOPlayer", QRect(16, 18, 22, 22));
    shaDPlayer = named(new ShapeSample(page), "shaDPlayer", QRect(114, 18, 22, 22));
    Lblhide = label("Hide Player", "Lblhide", page, QRect(26, 42, 100, 16), centred);

    for (int k = 0; k < 10; ++k) {
        const int y = kPlayerRowTop + k * kPlayerRowStep;
        const auto index = int16_t(k);
        TxtOplyr[k] = named(new LabelBox({Part::Offense, index}, page),
                            QString("TxtOplyr%1").arg(k), QRect(4, y, 46, 20));
        ChkActiveOff[k] = named(new QCheckBox(page), QString("ChkActiveOff%1").arg(k),
                                QRect(56, y, 18, 20));
        ChkActiveDef[k] = named(new QCheckBox(page), QString("ChkActiveDef%1").arg(k),
                                QRect(80, y, 18, 20));
        TxtDplyr[k] = named(new LabelBox({Part::Defense, index}, page),
                            QString("TxtDplyr%1").arg(k), QRect(102, y, 46, 20));
        for (LabelBox *box : {TxtOplyr[k], TxtDplyr[k]})
            box->setTextMargins(0, 0, 0, 0);
    }

    const int bottom = kPlayerRowTop + 10 * kPlayerRowStep + 8;
    LblActive = label("Active Player", "LblActive", page, QRect(4, bottom, 88, 26));
    ImgActive = new DragPicture({PaletteItem::kActiveMarker, 0}, page);
    ImgActive->setObjectName("ImgActive");
    ImgActive->setToolTip("Drag and drop onto active player.");
    ImgActive->setPicture(activeMarkerPicture());
    ImgActive->move(94, bottom);
    CmdClrActive = named(new QPushButton("Clear", page), "CmdClrActive",
                         QRect(126, bottom + 1, 50, 24));
}

void ToolPalette::buildSymbolPage(QWidget *page)
{
    for (int k = 0; k < 8; ++k) {
        ImgSymbols[k] = new DragPicture({Part::Symbol, int16_t(k)}, page);
        ImgSymbols[k]->setObjectName(QString("ImgSymbols%1").arg(k));
        ImgSymbols[k]->setPicture(blankSymbol(), kSymbolPictureFit);
        ImgSymbols[k]->move(kSymbolLeft + (k % 4) * kSymbolStepX, 8 + (k / 4) * kSymbolStepY);
    }
    for (int k = 0; k < 2; ++k) {
        TxtSymbol[k] = new QLineEdit(page);
        TxtSymbol[k]->setObjectName(QString("TxtSymbol%1").arg(k));
        Imgtext[k] = new DragPicture({Part::TextLabel, int16_t(k)}, page);
        Imgtext[k]->setObjectName(QString("Imgtext%1").arg(k));
        Imgtext[k]->setPicture(textLabelPicture(k));
    }
    layoutTextLabels();
}

void ToolPalette::layoutTextLabels()
{
    int y = kTextLabelTop;
    for (int k = 0; k < 2; ++k) {
        const int h = std::max(24, TxtSymbol[k]->fontMetrics().height() + 8);
        TxtSymbol[k]->setGeometry(kSymbolLeft, y, 106, h);
        Imgtext[k]->move(kSymbolLeft + 114, y + (h - Imgtext[k]->height()) / 2);
        y += std::max(h, Imgtext[k]->height()) + 8;
    }
}

void ToolPalette::buildActionPage(QWidget *page)
{
    OptActionGroup = new QButtonGroup(this);
    OptActionGroup->setExclusive(true);
    for (int k = 0; k < 8; ++k) {
        const int y = kActionRowTop + k * kActionRowStep;
        OptActionSel[k] = named(new QRadioButton(page), QString("OptActionSel%1").arg(k),
                                QRect(4, y, 18, 24));
        OptActionGroup->addButton(OptActionSel[k], k);
        Tracerlbl[k] = label(QString(), QString("Tracerlbl%1").arg(k), page, QRect(24, y, 60, 24));
        TRACERLine[k] = named(new LineSample(page), QString("TRACERLine%1").arg(k),
                              QRect(86, y, 44, 24));
        CmdActionClr[k] = named(new QPushButton("Clear", page), QString("CmdActionClr%1").arg(k),
                                QRect(134, y, 46, 24));
    }
    OptActionSel[0]->setChecked(true);
}

void ToolPalette::buildChalkPage(QWidget *page)
{
    LblChalk = label("Chalk Parameters", "LblChalk", page, QRect(4, 6, 150, 20));
    QFont bold = LblChalk->font();
    bold.setBold(true);
    LblChalk->setFont(bold);

    LblChalkSize = label("Chalk Line Size", "LblChalkSize", page, QRect(4, 32, 150, 16));
    CboChalksize = named(new QComboBox(page), "CboChalksize", QRect(4, 50, 60, 24));
    CboChalksize->addItems({"1", "2", "3", "4", "5", "6"});
    LblChalkType = label("Chalk Line Type", "LblChalkType", page, QRect(4, 84, 150, 16));
    CboChalktype = named(new QComboBox(page), "CboChalktype", QRect(4, 102, 100, 24));
    CboChalktype->addItems({"Solid", "Dash", "Dot", "Dash-dot"});

    ChalkLine = named(new LineSample(page), "ChalkLine", QRect(4, 136, 150, 20));
    CmdChalkcolr = named(new QPushButton("&Chalk Color ", page), "CmdChalkcolr",
                         QRect(4, 168, 110, 28));
    CmdChalkClr = named(new QPushButton("&Erase Chalk", page), "CmdChalkClr",
                        QRect(4, 204, 110, 28));
}

void ToolPalette::setSymbolPicture(int index, const QImage &picture,
                                   const PictureCompanions &companions, const QString &name)
{
    ImgSymbols.at(size_t(index))->setPicture(picture, kSymbolPictureFit);
    ImgSymbols.at(size_t(index))->setToolTip(name);
    ImgSymbols.at(size_t(index))->setAccessibleName(name);
    m_symbolCompanions.at(size_t(index)) = companions;
}

void ToolPalette::markActionLines(const PlayConfig &frame)
{
    for (int k = 0; k < kActionCount; ++k) {
        QLabel *name = Tracerlbl[size_t(k)];
        const bool present = frame.actionLineCount(k) > 0;
        CmdActionClr[size_t(k)]->setEnabled(present);
        if (name->font().bold() == present)
            continue;
        QFont font = name->font();
        font.setBold(present);
        name->setFont(font);
        name->setToolTip(present ? "On this frame already: drawing this type adds another line."
                                 : QString());
    }
}

int ToolPalette::currentPage() const
{
    return tbsPicList->currentIndex();
}

void ToolPalette::showSelectedPage()
{
    const int page = currentPage();
    for (int i = 0; i < 4; ++i)
        PicList[size_t(i)]->setVisible(i == page);
    emit pageChanged(page);
}

} // namespace kinetra
