#include "app/captionbox.h"

#include "document/playdocument.h"

#include <QMouseEvent>
#include <QPalette>

namespace kinetra {

CaptionBox::CaptionBox(const PlayDocument &document, QWidget *parent)
    : QLabel(parent)
    , m_document(document)
{
    setObjectName("LblCaption");
    // A caption is shown as typed, never read as markup.
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setMargin(2);
    connect(&document, &PlayDocument::currentFrameChanged, this, &CaptionBox::showCaption);
    connect(&document, &PlayDocument::framesChanged, this, &CaptionBox::showCaption);
    showCaption();
}

QString CaptionBox::hint()
{
    return "No caption (F2 to add one)";
}

QSize CaptionBox::sizeHint() const
{
    return {QLabel::sizeHint().width(), 2 * fontMetrics().lineSpacing() + 2 * margin()};
}

void CaptionBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit editRequested();
}

void CaptionBox::showCaption()
{
    const QString caption = m_document.caption();
    // The hint in the faint colour of the style's placeholder texts.
    // A palette that sets nothing else, so the rest comes from the window as before.
    QPalette colours;
    if (caption.isEmpty())
        colours.setColor(QPalette::WindowText, palette().color(QPalette::PlaceholderText));
    setPalette(colours);
    setText(caption.isEmpty() ? hint() : caption);
    // The whole caption, also where a narrow field leaves it too little room.
    setToolTip(caption.isEmpty() ? QString("Caption of the frame shown: Edit > Frame Caption... (F2)")
                                 : caption);
}

} // namespace kinetra
