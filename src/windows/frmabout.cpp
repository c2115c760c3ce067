#include "windows/frmabout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace kinetra {

frmAbout::frmAbout(const QIcon &icon, const QString &version, QWidget *owner)
    : QDialog(owner)
{
    setObjectName("frmAbout");
    setWindowTitle("About Kinetra");
    setModal(true);

    picIcon = new QLabel(this);
    picIcon->setObjectName("picIcon");
    picIcon->setPixmap(icon.pixmap(48, 48));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    lblTitle = new QLabel("Kinetra", this);
    lblTitle->setObjectName("lblTitle");
    QFont big = lblTitle->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    lblTitle->setFont(big);
    lblVersion = new QLabel("Version " + version, this);
    lblVersion->setObjectName("lblVersion");
    lblDescription = new QLabel(description(), this);
    lblDescription->setObjectName("lblDescription");
    lblDescription->setWordWrap(true);
    lblDescription->setMinimumWidth(300);
    cmdOK = new QPushButton("&OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);

    auto *layout = new QGridLayout(this);
    layout->addWidget(picIcon, 0, 0, 3, 1);
    layout->addWidget(lblTitle, 0, 1);
    layout->addWidget(lblVersion, 1, 1);
    layout->addWidget(lblDescription, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    layout->addLayout(buttons, 3, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

QString frmAbout::description()
{
    return "Kinetra is a playbook for baseball and softball coaches: lay out a play frame by "
           "frame on a picture of the field, then replay it, print it or save a frame as a "
           "picture.";
}

} // namespace kinetra
