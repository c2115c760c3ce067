#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace kinetra {

/// The "Play Notes" window: edits copies of the play's title and notes and hands them back
/// when it closes. It never touches the play itself; the main window listens to its signals.
///
/// Line breaks: the play holds its notes the way the play file carries them, lines joined by
/// CR LF. The window shows them as ordinary lines (CR LF, and a lone CR or LF from other
/// files, each become one line break) and hands them back joined by CR LF.
class frmNotes : public QWidget
{
    Q_OBJECT

public:
    /// A window of its own, kept in front of `parent`.
    explicit frmNotes(QWidget *parent = nullptr);

    /// Fills both boxes from the play; filling never counts as an edit.
    void Form_Load(const QString &title, const QString &notes);

    /// Gives the title box the focus with its text selected, so typing replaces the title.
    void selectTitle();

    /// The title box's text.
    QString title() const;
    /// The notes box's text with CR LF line breaks.
    QString notes() const;

    /// The play's notes as the window shows them (one '\n' per line break).
    static QString notesForShowing(const QString &playNotes);
    /// Shown notes back in the play's form (CR LF line breaks).
    static QString notesForPlay(const QString &shownNotes);

    QLabel *Label1 = nullptr;
    QLineEdit *TxtTitle = nullptr;
    QLabel *Label2 = nullptr;
    QPlainTextEdit *TxtNotes = nullptr;

signals:
    /// The user changed the title or the notes.
    void edited();
    /// The window is closing: the title and notes to take back into the play.
    void handBack(const QString &title, const QString &notes);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_QueryUnload();
    void Form_Resize();
    void TxtChange();

    bool m_filling = false;
};

} // namespace kinetra
