#pragma once

#include <QDialog>
#include <QImage>
#include <QPushButton>

#include <array>
#include <cstdint>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStackedWidget;
class QTabBar;

namespace kinetra {

class LineSample;
class Platform;
class ShapeSample;
struct Preferences;

/// A button that shows a colour: the dialog's colour swatches.
class ColorSwatch : public QPushButton
{
    Q_OBJECT

public:
    explicit ColorSwatch(const QString &caption, QWidget *parent = nullptr);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);

private:
    QColor m_color;
};

/// A button that shows a symbol picture.
class SymbolButton : public QPushButton
{
    Q_OBJECT

public:
    explicit SymbolButton(QWidget *parent = nullptr);
    const QImage &picture() const { return m_picture; }
    void setPicture(const QImage &picture);

private:
    QImage m_picture;
};

/// The Properties dialog ("Options"): player looks, field and symbol pictures, the label font
/// and the eight action-line types (each one's look and whether it follows the base path).
/// Every control writes its change into the preference record at once; OK and Cancel both
/// close and keep the changes (OK is accepted, so the caller marks the play modified).
class frmOptions : public QDialog
{
    Q_OBJECT

public:
    frmOptions(Preferences &prefs, Platform &platform, const QString &programDir,
               QWidget *parent = nullptr);

    /// The line-style list's entries and what each sets: dash style (1 solid .. 5) and width.
    /// A row whose stored style is none of them shows it as one more entry, after these,
    /// named for what it is ("Dash, width 3"); picking that entry again restores it.
    struct LineStyle
    {
        const char *caption;
        int16_t type;
        int16_t size;
    };
    static const std::array<LineStyle, 7> kLineStyles;

    QTabBar *tbsOptions = nullptr;
    std::array<QWidget *, 4> picOptions{};
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

    // Players
    std::array<QRadioButton *, 3> OptOSize{}, OptDSize{};
    /// Shape options by shape value: [1] "Square" and [3] "Circle"; [0] and [2] are null.
    std::array<QRadioButton *, 4> OptOshape{}, OptDshape{};
    /// 0, 1 fill of offence and defence; 2, 3 their borders; 4, 5 their label text.
    std::array<ColorSwatch *, 6> LblPcolr{};
    std::array<ShapeSample *, 2> ShaPopt{};

    // Symbols
    std::array<QRadioButton *, 4> OptPicBkg{};
    std::array<QPushButton *, 4> CmdPicChg{};
    std::array<SymbolButton *, 8> ImgSymbols{};
    QLineEdit *TxtFont = nullptr;
    QPushButton *CmdChgfont = nullptr;

    // Actions, per action-line type n
    std::array<QLabel *, 8> Label3{};
    std::array<QLineEdit *, 8> TxtAction{};
    std::array<QComboBox *, 8> CboLinetype{};
    std::array<ColorSwatch *, 8> LblActcolr{};
    std::array<LineSample *, 8> LnAction{};
    /// End-type options of type n: 0 arrow head, 1 bar, 2 none.
    std::array<std::array<QRadioButton *, 3>, 8> OptEnd{};
    /// Whether a line of type n drawn from base to base rounds the bases in between.
    std::array<QCheckBox *, 8> ChkFollowsBases{};

    // Handlers, each writing straight into the preference record.
    void OptOSize_Click(int Index);
    void OptDsize_Click(int Index);
    void OptOshape_Click(int Index);
    void OptDshape_Click(int Index);
    void LblPcolr_Click(int Index);
    void OptPicBkg_Click(int Index);
    void CmdPicChg_Click(int Index);
    void ImgSymbols_Click(int Index);
    void CmdChgfont_Click();
    void TxtAction_Change(int Index);
    void CboLinetype_Click(int Index);
    void LblActcolr_Click(int Index);
    void OptEnd_Click(int type, int Index);
    void ChkFollowsBases_Click(int Index);
    void tbsOptions_Click();
    /// Ctrl+Tab shows the next page, Ctrl+Shift+Tab the previous one, both wrapping around.
    void Form_KeyDown(int key, Qt::KeyboardModifiers shift);

private:
    void buildPlayersPage(QWidget *page);
    void buildSymbolsPage(QWidget *page);
    void buildActionsPage(QWidget *page, int first);
    void Form_Load();
    void sizeOption(int side, int Index);
    void shapeOption(int side, int shape);
    /// The entry of type Index's style list that shows its stored style; adds it when none
    /// does.
    int lineStyleEntry(int Index);
    /// Colour chooser started from the colour it last gave; nullopt when cancelled.
    std::optional<QColor> chooseColor();
    /// File chooser for a picture; the chosen file with surrounding blanks removed, once it
    /// loads as a picture into `picture`. Reports a failed chooser or an unreadable picture.
    std::optional<QString> choosePicture(const QString &filter, const QString &startFolder,
                                         const QString &proposedName, QImage &picture);
    void reportFileError();
    void showFont();

    Preferences &m_prefs;
    Platform &m_platform;
    QString m_programDir;
    QStackedWidget *m_pages = nullptr;
};

} // namespace kinetra
