#pragma once

#include "surface/picturecompanions.h"

#include <QObject>
#include <QSize>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class QImage;
class QWidget;

namespace kinetra {

class DragPicture;
class LabelBox;
class LineSample;
class PlayConfig;
class ShapeSample;

/// The palette beside the surface: the tab strip `tbsPicList` and its four pages `PicList`
/// (players, symbols and text, action lines, chalk) with every control on them. The page shown
/// follows the selected tab. The controls carry their names; the main window fills them from
/// the preferences and handles their events.
class ToolPalette : public QObject
{
    Q_OBJECT

public:
    enum Page { PlayerPage = 0, SymbolPage = 1, ActionPage = 2, ChalkPage = 3 };

    /// Creates the tab strip and the pages as children of `parent`; the main window places them.
    explicit ToolPalette(QWidget *parent);

    QTabBar *tbsPicList = nullptr;
    std::array<QWidget *, 4> PicList{};

    // Player page.
    QLabel *LblOffense = nullptr;
    QLabel *LblDefense = nullptr;
    QLabel *Lblhide = nullptr;
    QLabel *LblActive = nullptr;
    ShapeSample *shaOPlayer = nullptr;
    ShapeSample *shaDPlayer = nullptr;
    std::array<LabelBox *, 10> TxtOplyr{};
    std::array<LabelBox *, 10> TxtDplyr{};
    std::array<QCheckBox *, 10> ChkActiveOff{};
    std::array<QCheckBox *, 10> ChkActiveDef{};
    DragPicture *ImgActive = nullptr;
    QPushButton *CmdClrActive = nullptr;

    // Symbol page.
    std::array<DragPicture *, 8> ImgSymbols{};
    std::array<QLineEdit *, 2> TxtSymbol{};
    std::array<DragPicture *, 2> Imgtext{};

    // Action page.
    QButtonGroup *OptActionGroup = nullptr;
    std::array<QRadioButton *, 8> OptActionSel{};
    std::array<QLabel *, 8> Tracerlbl{};
    std::array<LineSample *, 8> TRACERLine{};
    std::array<QPushButton *, 8> CmdActionClr{};

    // Chalk page.
    QLabel *LblChalk = nullptr;
    QLabel *LblChalkSize = nullptr;
    QLabel *LblChalkType = nullptr;
    QComboBox *CboChalksize = nullptr;
    QComboBox *CboChalktype = nullptr;
    LineSample *ChalkLine = nullptr;
    QPushButton *CmdChalkcolr = nullptr;
    QPushButton *CmdChalkClr = nullptr;

    int currentPage() const;

    /// Marks on the Action page the types that already have a line on `frame` (bold name,
    /// with a tip); only their "Clear" buttons are enabled.
    void markActionLines(const PlayConfig &frame);

    /// Largest picture a symbol box shows at its own size: the grid's cells hold that and a
    /// frame, so larger pictures are shown scaled down and no two boxes overlap.
    static constexpr QSize kSymbolPictureFit{32, 32};
    /// Shows `picture` in symbol box `index`, within its cell of the grid; `companions` are
    /// its denser versions, which drawings of the symbol above 100 % use; `name` is what the
    /// box's tip calls the symbol.
    void setSymbolPicture(int index, const QImage &picture,
                          const PictureCompanions &companions = {}, const QString &name = {});
    const PictureCompanions &symbolCompanions(int index) const
    {
        return m_symbolCompanions.at(size_t(index));
    }

    /// Places the two text-label rows of the symbol page under the symbols; call after the
    /// label boxes' font changed, since a larger font needs taller boxes.
    void layoutTextLabels();

signals:
    /// The user chose another page (the mouse mode follows the page).
    void pageChanged(int page);

private:
    void buildPlayerPage(QWidget *page);
    void buildSymbolPage(QWidget *page);
    void buildActionPage(QWidget *page);
    void buildChalkPage(QWidget *page);
    void showSelectedPage();

    std::array<PictureCompanions, 8> m_symbolCompanions;
};

} // namespace kinetra
