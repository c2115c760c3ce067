#pragma once

#include <QLabel>

namespace kinetra {

class PlayDocument;

/// The box under the field that shows the current frame's caption, following the document
/// (another frame, an edit, undo and redo, an opened or new play). A frame without a caption
/// shows a faint hint of how to give it one. Double-clicking it asks for the caption editor.
class CaptionBox : public QLabel
{
    Q_OBJECT

public:
    explicit CaptionBox(const PlayDocument &document, QWidget *parent = nullptr);

    /// Two lines of its font: a caption of the most characters fits under the field at 100 %.
    QSize sizeHint() const override;
    /// The hint a frame without a caption shows.
    static QString hint();

signals:
    void editRequested();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void showCaption();

    const PlayDocument &m_document;
};

} // namespace kinetra
