#include "windows/frmcaption.h"

#include "document/playdocument.h"
#include "model/playconfig.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kinetra {

frmCaption::frmCaption(PlayDocument &document, QWidget *parent)
    : QDialog(parent)
    , m_document(document)
{
    setObjectName("frmCaption");
    setWindowTitle("Frame Caption");

    LblCaption = new QLabel(QString("&Caption of frame %1 (at most %2 characters):")
                                .arg(document.currentFrame())
                                .arg(kMaxCaptionLength),
                            this);
    LblCaption->setObjectName("LblCaption");
    TxtCaption = new QLineEdit(document.caption(), this);
    TxtCaption->setObjectName("TxtCaption");
    TxtCaption->setMaxLength(kMaxCaptionLength);
    TxtCaption->setClearButtonEnabled(true);
    TxtCaption->selectAll();
    // Room for a long caption without scrolling much.
    TxtCaption->setMinimumWidth(TxtCaption->fontMetrics().averageCharWidth() * 60);
    LblCaption->setBuddy(TxtCaption);

    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->setObjectName("Buttons");
    connect(Buttons, &QDialogButtonBox::accepted, this, &frmCaption::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &frmCaption::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LblCaption);
    layout->addWidget(TxtCaption);
    layout->addWidget(Buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmCaption::accept()
{
    m_document.setCaption(TxtCaption->text());
    QDialog::accept();
}

} // namespace kinetra
