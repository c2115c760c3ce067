#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace kinetra {

class PlayDocument;

/// The Frame Caption dialog: one line for the caption of the play's current frame, at most
/// kMaxCaptionLength characters. OK (Enter) gives the frame the caption as one step of the
/// play's undo history, unless it stays as it was; Cancel (Escape) changes nothing.
class frmCaption : public QDialog
{
    Q_OBJECT

public:
    explicit frmCaption(PlayDocument &document, QWidget *parent = nullptr);

    /// OK: the frame takes the typed caption and the dialog closes.
    void accept() override;

    QLabel *LblCaption = nullptr;
    QLineEdit *TxtCaption = nullptr;
    QDialogButtonBox *Buttons = nullptr;

private:
    PlayDocument &m_document;
};

} // namespace kinetra
