#include "output/frmplaybook.h"

#include "model/failurereport.h"
#include "model/playfile.h"
#include "output/exportdialogs.h"
#include "output/playbook.h"
#include "output/printsession.h"
#include "output/printtarget.h"
#include "prefs/preferences.h"
#include "surface/platform.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace kinetra {

namespace {

const QString kTitle = QStringLiteral("Print Playbook");
constexpr int kPositionsPerRow = 5;

} // namespace

QStringList positionLabels(const Preferences &prefs)
{
    QStringList labels;
    for (const auto *side : {&prefs.DPLabel, &prefs.OPLabel})
        for (const std::string &label : *side) {
            const QString text = QString::fromStdString(label).trimmed();
            if (!text.isEmpty() && !labels.contains(text, Qt::CaseInsensitive))
                labels << text;
        }
    return labels;
}

frmPlaybook::frmPlaybook(PrintSession &session, const Preferences &prefs,
                         const QString &programDir, const QString &startFolder,
                         Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , m_prefs(prefs)
    , m_programDir(programDir)
    , m_platform(platform)
{
    setObjectName("frmPlaybook");
    setWindowTitle(kTitle);
    setModal(true);

    auto *playsLabel = new QLabel("P&lays to print, in order:", this);
    LblFolder = new QLabel(this);
    LblFolder->setObjectName("LblFolder");
    LblFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    CmdFolder = new QPushButton("Choose &Folder...", this);
    CmdFolder->setObjectName("CmdFolder");
    CmdFolder->setAutoDefault(false);
    LstPlays = new QListWidget(this);
    LstPlays->setObjectName("LstPlays");
    LstPlays->setMinimumSize(360, 220);
    playsLabel->setBuddy(LstPlays);
    CmdUp = new QPushButton("&Up", this);
    CmdUp->setObjectName("CmdUp");
    CmdUp->setAutoDefault(false);
    CmdDown = new QPushButton("&Down", this);
    CmdDown->setObjectName("CmdDown");
    CmdDown->setAutoDefault(false);

    auto *nameLabel = new QLabel("Playbook &name:", this);
    TxtName = new QLineEdit("Playbook", this);
    TxtName->setObjectName("TxtName");
    nameLabel->setBuddy(TxtName);

    Frame1 = new QGroupBox("Properties", this);
    Frame1->setObjectName("Frame1");
    ChkLegend = new QCheckBox("Print Legend", Frame1);
    ChkLegend->setObjectName("ChkLegend");
    chkNotes = new QCheckBox("Print Notes", Frame1);
    chkNotes->setObjectName("chkNotes");
    ChkMono = new QCheckBox("&Black and white", Frame1);
    ChkMono->setObjectName("ChkMono");
    // A playbook holds every frame of every play; the box says so.
    ChkAllFrames = new QCheckBox("All Frames", Frame1);
    ChkAllFrames->setObjectName("ChkAllFrames");
    ChkAllFrames->setChecked(true);
    ChkAllFrames->setEnabled(false);
    auto *props = new QVBoxLayout(Frame1);
    props->addWidget(ChkLegend);
    props->addWidget(chkNotes);
    props->addWidget(ChkMono);
    props->addWidget(ChkAllFrames);

    Frame2 = new QGroupBox("Play Size", this);
    Frame2->setObjectName("Frame2");
    OptSize[0] = new QRadioButton("Large", Frame2);
    OptSize[1] = new QRadioButton("Small", Frame2);
    OptSize[2] = new QRadioButton("&Sheet", Frame2);
    auto *sizes = new QVBoxLayout(Frame2);
    for (size_t k = 0; k < OptSize.size(); ++k) {
        OptSize[k]->setObjectName(QString("OptSize%1").arg(k));
        sizes->addWidget(OptSize[k]);
    }

    // Its letter takes the keyboard to the first box; Tab walks on through the others.
    FramePositions = new QGroupBox("P&osition sheets", this);
    FramePositions->setObjectName("FramePositions");
    auto *positions = new QGridLayout(FramePositions);
    m_positionLabels = positionLabels(prefs);
    for (const QString &label : std::as_const(m_positionLabels)) {
        const int k = int(ChkPositions.size());
        auto *box = new QCheckBox(QString(label).replace('&', "&&"), FramePositions);
        box->setObjectName(QString("ChkPosition%1").arg(k));
        positions->addWidget(box, k / kPositionsPerRow, k % kPositionsPerRow);
        ChkPositions.push_back(box);
    }

    // U belongs to Up here.
    CmdPsetup = new QPushButton("Printer Se&tup", this);
    CmdPsetup->setObjectName("CmdPsetup");
    CmdPsetup->setAutoDefault(false);
    CmdCan = new QPushButton("&Cancel", this);
    CmdCan->setObjectName("CmdCan");
    CmdCan->setAutoDefault(false);
    CmdPrint = new QPushButton("&Print", this);
    CmdPrint->setObjectName("CmdPrint");
    CmdPrint->setDefault(true);

    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(LblFolder, 1);
    folderRow->addWidget(CmdFolder);
    auto *order = new QVBoxLayout;
    order->addWidget(CmdUp);
    order->addWidget(CmdDown);
    order->addStretch();
    auto *list = new QHBoxLayout;
    list->addWidget(LstPlays, 1);
    list->addLayout(order);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(TxtName, 1);
    auto *choices = new QHBoxLayout;
    choices->addWidget(Frame1);
    choices->addWidget(Frame2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(CmdPsetup);
    buttons->addStretch();
    buttons->addWidget(CmdCan);
    buttons->addWidget(CmdPrint);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(folderRow);
    layout->addWidget(playsLabel);
    layout->addLayout(list);
    layout->addLayout(nameRow);
    layout->addLayout(choices);
    layout->addWidget(FramePositions);
    layout->addLayout(buttons);

    connect(CmdFolder, &QPushButton::clicked, this, &frmPlaybook::CmdFolder_Click);
    connect(CmdUp, &QPushButton::clicked, this, &frmPlaybook::CmdUp_Click);
    connect(CmdDown, &QPushButton::clicked, this, &frmPlaybook::CmdDown_Click);
    connect(CmdPsetup, &QPushButton::clicked, this, &frmPlaybook::CmdPsetup_Click);
    connect(CmdCan, &QPushButton::clicked, this, &frmPlaybook::CmdCan_Click);
    connect(CmdPrint, &QPushButton::clicked, this, &frmPlaybook::CmdPrint_Click);
    connect(LstPlays, &QListWidget::itemChanged, this, &frmPlaybook::updateButtons);
    connect(LstPlays, &QListWidget::currentRowChanged, this, &frmPlaybook::updateButtons);

    showChoices(session.playbookChoices);
    setFolder(startFolder);
}

void frmPlaybook::showChoices(const PrintChoices &choices)
{
    showSharedChoices(choices, ChkLegend, chkNotes, ChkMono, OptSize);
    for (size_t k = 0; k < ChkPositions.size(); ++k)
        ChkPositions[k]->setChecked(choices.positions.contains(m_positionLabels[qsizetype(k)]));
}

PrintChoices frmPlaybook::choices() const
{
    PrintChoices c = sharedChoices(ChkLegend, chkNotes, ChkMono, OptSize);
    c.allFrames = true;
    for (size_t k = 0; k < ChkPositions.size(); ++k)
        if (ChkPositions[k]->isChecked())
            c.positions << m_positionLabels[qsizetype(k)];
    return c;
}

void frmPlaybook::done(int result)
{
    m_session.playbookChoices = choices();
    QDialog::done(result);
}

void frmPlaybook::setFolder(const QString &folder)
{
    m_folder = QDir(folder).absolutePath();
    LblFolder->setText(QDir::toNativeSeparators(m_folder));
    const QSignalBlocker quiet(LstPlays);
    LstPlays->clear();
    QDir dir(m_folder);
    dir.setNameFilters({"*.ktr"}); // any case
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        const QString path = dir.filePath(name);
        // The list shows each play by its title; reading the header line is enough for that.
        PlayFileHeader header;
        QString title;
        if (readPlayHeaderFile(QFile::encodeName(path).toStdString(), header))
            title = QString::fromStdString(header.title).trimmed();
        auto *item = new QListWidgetItem(title.isEmpty() ? name : title + "  (" + name + ")",
                                         LstPlays);
        item->setData(Qt::UserRole, path);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    if (LstPlays->count() > 0)
        LstPlays->setCurrentRow(0);
    updateButtons();
}

QStringList frmPlaybook::chosenPlays() const
{
    QStringList plays;
    for (int i = 0; i < LstPlays->count(); ++i) {
        const QListWidgetItem *item = LstPlays->item(i);
        if (item->checkState() == Qt::Checked)
            plays << item->data(Qt::UserRole).toString();
    }
    return plays;
}

PrintOptions frmPlaybook::options() const
{
    const PrintChoices c = choices();
    PrintOptions o;
    o.legend = c.legend;
    o.notes = c.notes;
    o.mono = c.mono;
    o.small = c.size == PrintChoices::Size::Small;
    o.sheet = c.size == PrintChoices::Size::Sheet;
    o.positions = c.positions;
    o.allFrames = true;
    o.font = m_session.font();
    o.icon = m_session.icon();
    return o;
}

void frmPlaybook::updateButtons()
{
    const int row = LstPlays->currentRow();
    CmdUp->setEnabled(row > 0);
    CmdDown->setEnabled(row >= 0 && row + 1 < LstPlays->count());
    CmdPrint->setEnabled(!chosenPlays().isEmpty());
}

void frmPlaybook::CmdFolder_Click()
{
    Platform::FileDialog dialog;
    dialog.title = "Choose the Folder of Plays";
    dialog.startFolder = m_folder;
    dialog.mustExist = true;
    dialog.folder = true;
    std::optional<QString> chosen;
    try {
        chosen = m_platform.openFileName(dialog);
    } catch (...) {
        m_platform.beep();
        return;
    }
    if (chosen && !chosen->trimmed().isEmpty())
        setFolder(QFileInfo(chosen->trimmed()).absoluteFilePath());
}

void frmPlaybook::moveCurrent(int by)
{
    const int row = LstPlays->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= LstPlays->count())
        return;
    QListWidgetItem *item = LstPlays->takeItem(row);
    LstPlays->insertItem(to, item);
    LstPlays->setCurrentRow(to);
    updateButtons();
}

void frmPlaybook::CmdUp_Click()
{
    moveCurrent(-1);
}

void frmPlaybook::CmdDown_Click()
{
    moveCurrent(1);
}

void frmPlaybook::CmdPsetup_Click()
{
    try {
        m_platform.printerSetup(m_session.printer());
    } catch (...) {
        // As in the print dialog, a set-up that cannot be shown leaves the dialog as it is.
    }
}

void frmPlaybook::CmdCan_Click()
{
    reject();
}

QString frmPlaybook::choosePdfFile(const QString &name)
{
    const QString given = m_session.printer().outputFileName().trimmed();
    if (!given.isEmpty())
        return given;
    const std::optional<QString> chosen = m_platform.saveFileName(m_session.pdfDialog(name));
    return chosen ? chosen->trimmed() : QString();
}

void frmPlaybook::CmdPrint_Click()
{
    if (m_printing)
        return;
    m_printing = true;
    const auto done = qScopeGuard([this] { m_printing = false; });
    const QStringList files = chosenPlays();
    if (files.isEmpty())
        return;
    m_session.playbookChoices = choices();
    const QString name = TxtName->text().trimmed().isEmpty() ? QString("Playbook")
                                                             : TxtName->text().trimmed();
    // Every play is read before anything is printed, so a play that cannot be read leaves
    // no half playbook behind.
    PlaybookSource source;
    try {
        source = readPlaybookPlays(files, m_prefs);
    } catch (const ExportError &e) {
        m_platform.beep();
        m_platform.messageBox(QString::fromStdString(e.what()) + "\n\nNothing was printed.",
                              kTitle, Platform::Buttons::Ok, Platform::Icon::Warning);
        return;
    }
    std::optional<PrintBusy> busy;
    try {
        QString pdf;
        if (m_session.printsToPdf()) {
            pdf = choosePdfFile(name);
            if (pdf.isEmpty())
                return;
        }
        busy.emplace(m_platform);
        const std::unique_ptr<PrintTarget> target = m_session.makeTarget(pdf);
        ProgressDialog progress("Printing " + name + "...", kTitle, this);
        const std::optional<int> pages = printPlaybookPlays(*target, name, source, options(),
                                                            m_programDir, progress.progress());
        busy.reset();
        if (pages && !pdf.isEmpty())
            m_session.pdfWritten(pdf);
    } catch (...) {
        busy.reset();
        reportFailure("Printing Playbook");
    }
}

} // namespace kinetra
