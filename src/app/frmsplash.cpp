#include "app/frmsplash.h"

#include "app/toolbaricons.h"

#include <QLabel>
#include <QVBoxLayout>

namespace kinetra {

frmSplash::frmSplash(const QString &version)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName("frmSplash");
    setWindowTitle("Kinetra");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);
    auto *picLogo = new QLabel(this);
    picLogo->setObjectName("picLogo");
    picLogo->setPixmap(appIcon().pixmap(96, 96));
    picLogo->setAlignment(Qt::AlignCenter);
    auto *name = new QLabel("Kinetra", this);
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);
    auto *lblVersion = new QLabel("Version " + version, this);
    lblVersion->setObjectName("lblVersion");
    lblVersion->setAlignment(Qt::AlignCenter);
    layout->addWidget(picLogo);
    layout->addWidget(name);
    layout->addWidget(lblVersion);
    setStyleSheet("QWidget#frmSplash { background: #f4f1e6; border: 2px solid #2e6b30; }");
}

} // namespace kinetra
