#include "windows/frmnotes.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScreen>

namespace kinetra {

namespace {

int px(int twips)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return qRound(twips * dpi / 1440.0);
}

} // namespace

frmNotes::frmNotes(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName("frmNotes");
    setWindowTitle("Play Notes");

    Label1 = new QLabel("Title ", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(0, 0, px(492), px(252));
    TxtTitle = new QLineEdit("Untitled", this);
    TxtTitle->setObjectName("TxtTitle");
    TxtTitle->setGeometry(px(600), 0, px(4092), px(372));
    Label2 = new QLabel("Notes", this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(0, px(360), px(732), px(252));
    TxtNotes = new QPlainTextEdit("Text1", this);
    TxtNotes->setObjectName("TxtNotes");
    TxtNotes->setGeometry(0, px(600), px(4692), px(1932));
    TxtNotes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TxtNotes->setTabChangesFocus(true);
    resize(px(4752), px(2640));

    // textEdited comes from the user only; the notes box reports every change, so filling it
    // is fenced off by m_filling.
    connect(TxtTitle, &QLineEdit::textEdited, this, &frmNotes::TxtChange);
    connect(TxtNotes, &QPlainTextEdit::textChanged, this, &frmNotes::TxtChange);
}

void frmNotes::Form_Load(const QString &title, const QString &notes)
{
    m_filling = true;
    TxtNotes->setPlainText(notesForShowing(notes));
    TxtTitle->setText(title);
    TxtTitle->setCursorPosition(0);
    m_filling = false;
}

void frmNotes::selectTitle()
{
    TxtTitle->setFocus();
    TxtTitle->selectAll();
}

QString frmNotes::title() const
{
    return TxtTitle->text();
}

QString frmNotes::notes() const
{
    return notesForPlay(TxtNotes->toPlainText());
}

QString frmNotes::notesForShowing(const QString &playNotes)
{
    static const QRegularExpression lineBreak("\r\n|\r|\n");
    return QString(playNotes).replace(lineBreak, "\n");
}

QString frmNotes::notesForPlay(const QString &shownNotes)
{
    return notesForShowing(shownNotes).replace('\n', "\r\n");
}

void frmNotes::TxtChange()
{
    if (!m_filling)
        emit edited();
}

void frmNotes::closeEvent(QCloseEvent *event)
{
    Form_QueryUnload();
    event->accept();
}

void frmNotes::Form_QueryUnload()
{
    emit handBack(title(), notes());
}

void frmNotes::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmNotes::Form_Resize()
{
    if (isMinimized())
        return;
    TxtNotes->resize(std::max(0, width() - TxtNotes->x()), std::max(0, height() - TxtNotes->y()));
}

} // namespace kinetra
