#include "windows/frmtip.h"

#include "model/cp1252.h"
#include "prefs/preferencestore.h"
#include "prefs/settingsstore.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStringDecoder>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace kinetra {

frmTip::frmTip(SettingsStore &store, const QString &tipFile, Random random, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_random(std::move(random))
{
    setObjectName("frmTip");
    setWindowTitle("Tip of the Day");
    setModal(false);

    // The tip stands on a white card beside its heading, like a note pinned to the board.
    auto *card = new QFrame(this);
    card->setObjectName("picTip");
    card->setFrameShape(QFrame::StyledPanel);
    card->setAutoFillBackground(true);
    QPalette pal = card->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    card->setPalette(pal);
    Label1 = new QLabel("Did you know...", card);
    Label1->setObjectName("Label1");
    QFont heading = Label1->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    Label1->setFont(heading);
    lblTipText = new QLabel(card);
    lblTipText->setObjectName("lblTipText");
    lblTipText->setWordWrap(true);
    lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTipText->setMinimumSize(320, 110);
    lblTipText->setTextFormat(Qt::PlainText);
    auto *cardLayout = new QVBoxLayout(card);
    cardLayout->addWidget(Label1);
    cardLayout->addWidget(lblTipText, 1);

    cmdNextTip = new QPushButton("&Next Tip", this);
    cmdNextTip->setObjectName("cmdNextTip");
    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdNextTip);
    buttons->addStretch(1);

    chkLoadTipsAtStartup = new QCheckBox("&Show Tips at Startup", this);
    chkLoadTipsAtStartup->setObjectName("chkLoadTipsAtStartup");

    auto *top = new QHBoxLayout;
    top->addWidget(card, 1);
    top->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(chkLoadTipsAtStartup);

    connect(cmdNextTip, &QPushButton::clicked, this, &frmTip::PickNextTip);
    connect(cmdOK, &QPushButton::clicked, this, &frmTip::close);

    Form_Load(tipFile);
    // Connected after the box was filled from the store, so filling writes nothing.
    connect(chkLoadTipsAtStartup, &QCheckBox::toggled, this, &frmTip::chkLoadTipsAtStartup_Click);
}

bool frmTip::ShowAtStartup(const SettingsStore &store)
{
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    return storeInt(store.read(kSection, kKey, "1"), kMin, kMax, 1) == 1;
}

QString frmTip::notFoundText()
{
    return QString("That the ") + "TIPOFDAY.TXT" + " file was not found? " + "\r\n\r\n"
           + "Create a text file named " + "TIPOFDAY.TXT"
           + " using NotePad with 1 tip per line. "
           + "Then place it in the same directory as the application. ";
}

void frmTip::Form_Load(const QString &tipFile)
{
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    const int stored = storeInt(m_store.read(kSection, kKey, "1"), kMin, kMax, 1);
    chkLoadTipsAtStartup->setChecked(stored == 1);
    if (!LoadTips(tipFile))
        lblTipText->setText(notFoundText());
}

bool frmTip::LoadTips(const QString &file)
{
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return false;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    TipList.clear();
    // One tip a line, whatever the line ends; a last line without an end is a tip too. A tip
    // file written with NotePad may be Windows-1252 rather than UTF-8.
    const QByteArray bytes = in.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromStdString(cp1252ToUtf8(bytes.toStdString()));
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        TipList.append(line);
    }
    PickNextTip();
    return true;
}

void frmTip::PickNextTip()
{
    const double r = m_random ? m_random() : 0.0;
    // Integer part of r * count + 1; a random source that strays to 1.0 still names a tip.
    TipIndex = std::clamp(int(std::floor(r * TipList.size() + 1)), 1, std::max<int>(1, TipList.size()));
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip()
{
    if (TipList.isEmpty())
        return;
    lblTipText->setText(TipList.at(TipIndex - 1));
}

void frmTip::chkLoadTipsAtStartup_Click()
{
    m_store.write(kSection, kKey, chkLoadTipsAtStartup->isChecked() ? "1" : "0");
    m_store.sync();
}

} // namespace kinetra
