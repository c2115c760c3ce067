#include "output/prntfrm.h"

#include "model/failurereport.h"
#include "model/framelist.h"
#include "output/playprinter.h"
#include "output/printtarget.h"
#include "surface/platform.h"
#include "surface/surface.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace kinetra {

Prntfrm::Prntfrm(PrintSource source, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_source(std::move(source))
    , m_platform(platform)
{
    setObjectName("Prntfrm");
    setWindowTitle("Print Play");
    setModal(true);

    Frame1 = new QGroupBox("Properties", this);
    Frame1->setObjectName("Frame1");
    ChkLegend = new QCheckBox("Print Legend", Frame1);
    ChkLegend->setObjectName("ChkLegend");
    chkNotes = new QCheckBox("Print Notes", Frame1);
    chkNotes->setObjectName("chkNotes");
    auto *fontLabel = new QLabel("Printer Font", Frame1);
    // The font is changed with the chooser, so the boxes always hold a font that exists.
    Txtfont = new QLineEdit(Frame1);
    Txtfont->setObjectName("Txtfont");
    Txtfont->setReadOnly(true);
    Txtfontsize = new QLineEdit(Frame1);
    Txtfontsize->setObjectName("Txtfontsize");
    Txtfontsize->setReadOnly(true);
    Txtfontsize->setMaximumWidth(50);
    Cmdchgfont = new QPushButton("Change", Frame1);
    Cmdchgfont->setObjectName("Cmdchgfont");
    Cmdchgfont->setAutoDefault(false);
    auto *props = new QGridLayout(Frame1);
    props->addWidget(ChkLegend, 0, 0, 1, 3);
    props->addWidget(chkNotes, 1, 0, 1, 3);
    props->addWidget(fontLabel, 2, 0, 1, 3);
    props->addWidget(Txtfont, 3, 0);
    props->addWidget(Txtfontsize, 3, 1);
    props->addWidget(Cmdchgfont, 3, 2);

    Frame2 = new QGroupBox("Play Size", this);
    Frame2->setObjectName("Frame2");
    Frame2->setToolTip("Select the legend format.");
    OptSize[0] = new QRadioButton("Large", Frame2);
    OptSize[1] = new QRadioButton("Small", Frame2);
    auto *sizes = new QVBoxLayout(Frame2);
    Frame3 = new QGroupBox("Select Frames", this);
    Frame3->setObjectName("Frame3");
    Frame3->setToolTip("Select which maps to print.");
    OptPFrames[0] = new QRadioButton("Current Frame Only", Frame3);
    OptPFrames[1] = new QRadioButton("All Frames", Frame3);
    auto *frames = new QVBoxLayout(Frame3);
    for (int k = 0; k < 2; ++k) {
        OptSize[size_t(k)]->setObjectName(QString("OptSize%1").arg(k));
        sizes->addWidget(OptSize[size_t(k)]);
        OptPFrames[size_t(k)]->setObjectName(QString("OptPFrames%1").arg(k));
        frames->addWidget(OptPFrames[size_t(k)]);
    }

    CmdPsetup = new QPushButton("Printer Set&up", this);
    CmdPsetup->setObjectName("CmdPsetup");
    CmdPsetup->setAutoDefault(false);
    CmdCan = new QPushButton("&Cancel", this);
    CmdCan->setObjectName("CmdCan");
    CmdCan->setAutoDefault(false);
    CmdPrint = new QPushButton("&Print", this);
    CmdPrint->setObjectName("CmdPrint");
    CmdPrint->setDefault(true);

    auto *choices = new QVBoxLayout;
    choices->addWidget(Frame2);
    choices->addWidget(Frame3);
    auto *top = new QHBoxLayout;
    top->addWidget(Frame1);
    top->addLayout(choices);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(CmdPsetup);
    buttons->addStretch();
    buttons->addWidget(CmdCan);
    buttons->addWidget(CmdPrint);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Cmdchgfont, &QPushButton::clicked, this, &Prntfrm::Cmdchgfont_Click);
    connect(CmdPsetup, &QPushButton::clicked, this, &Prntfrm::CmdPsetup_Click);
    connect(CmdCan, &QPushButton::clicked, this, &Prntfrm::CmdCan_Click);
    connect(CmdPrint, &QPushButton::clicked, this, &Prntfrm::CmdPrint_Click);

    Form_Load();
}

void Prntfrm::Form_Load()
{
    ChkLegend->setChecked(true);
    chkNotes->setChecked(true);
    OptSize[0]->setChecked(true);
    OptPFrames[0]->setChecked(true);
    showFont(m_source.printerFont);
}

void Prntfrm::showFont(const QFont &font)
{
    Txtfont->setText(font.family());
    Txtfontsize->setText(QString::number(font.pointSize()));
    QFont shown = Txtfont->font();
    shown.setItalic(font.italic());
    shown.setUnderline(font.underline());
    shown.setStrikeOut(font.strikeOut());
    Txtfont->setFont(shown);
}

void Prntfrm::Cmdchgfont_Click()
{
    const std::optional<Platform::FontChoice> choice =
        m_platform.chooseFont(m_source.printerFont, Qt::black);
    if (!choice)
        return;
    const QFont *chosen = &choice->font;
    showFont(*chosen);
    // The printer keeps its own boldness whatever the chooser says.
    QFont font = m_source.printerFont;
    font.setFamily(chosen->family());
    if (chosen->pointSize() > 0)
        font.setPointSize(chosen->pointSize());
    font.setItalic(chosen->italic());
    font.setUnderline(chosen->underline());
    font.setStrikeOut(chosen->strikeOut());
    m_source.printerFont = font;
}

void Prntfrm::CmdPsetup_Click()
{
    try {
        m_platform.printerSetup(m_source.printer);
    } catch (...) {
        // Only the menu item reports a failed set-up; here the dialog simply stays.
    }
}

void Prntfrm::CmdCan_Click()
{
    reject();
}

PrintOptions Prntfrm::options() const
{
    PrintOptions o;
    o.legend = ChkLegend->isChecked();
    o.notes = chkNotes->isChecked();
    o.small = OptSize[1]->isChecked();
    o.allFrames = OptPFrames[1]->isChecked();
    QFont font = m_source.printerFont;
    font.setFamily(Txtfont->text());
    bool ok = false;
    const int size = Txtfontsize->text().toInt(&ok);
    if (ok && size > 0)
        font.setPointSize(size);
    font.setItalic(Txtfont->font().italic());
    font.setUnderline(Txtfont->font().underline());
    font.setStrikeOut(Txtfont->font().strikeOut());
    o.font = font;
    return o;
}

QString Prntfrm::choosePdfFile()
{
    // Printer Setup's print-to-file choice names the file; the user is not asked twice.
    const QString given = m_source.printer.outputFileName().trimmed();
    if (!given.isEmpty())
        return given;
    Platform::FileDialog dialog;
    dialog.title = "Print to File";
    dialog.filter = "PDF files (*.pdf)|*.pdf";
    dialog.startFolder = m_source.pdfFolder ? m_source.pdfFolder() : QDir::currentPath();
    // A title may hold characters a file name cannot.
    QString name = m_source.job().title.trimmed();
    name.replace('/', '_').replace(QChar(0), '_');
    dialog.proposedName = (name.isEmpty() ? QString("Play") : name) + ".pdf";
    dialog.confirmReplace = true;
    dialog.defaultSuffix = "pdf";
    const std::optional<QString> chosen = m_platform.saveFileName(dialog);
    if (!chosen)
        return QString();
    QString file = chosen->trimmed();
    // Not every file dialog adds the suffix. A name that has an extension is kept as typed.
    if (file.isEmpty() || !QFileInfo(file).suffix().isEmpty())
        return file;
    file += ".pdf";
    // The dialog asked about the name as typed, not about this one.
    if (QFileInfo::exists(file)
        && m_platform.messageBox(QString("%1 already exists.\nDo you want to replace it?")
                                     .arg(QDir::toNativeSeparators(file)),
                                 dialog.title, Platform::Buttons::YesNo, Platform::Icon::Warning)
               != Platform::Answer::Yes)
        return QString();
    return file;
}

void Prntfrm::CmdPrint_Click()
{
    // Frames are painted between copies, which lets clicks through; one print at a time.
    if (m_printing)
        return;
    m_printing = true;
    const auto done = qScopeGuard([this] { m_printing = false; });
    const PrintOptions chosen = options();
    m_source.printerFont = chosen.font;
    // All Frames shows each frame in turn; the window goes back to the one the user was on.
    const int16_t shownFrame = m_source.frames.current();
    const auto backToShownFrame = qScopeGuard([&] {
        if (chosen.allFrames && m_source.frames.current() != shownFrame)
            m_source.selectFrame(shownFrame);
    });
    bool busy = false;
    try {
        QString pdfFile;
        if (m_source.printsToPdf()) {
            pdfFile = choosePdfFile();
            if (pdfFile.isEmpty())
                return;
        }
        m_source.waitStart();
        busy = true;
        const std::unique_ptr<PrintTarget> target = m_source.makeTarget(pdfFile);
        PrintJob job = m_source.job();
        job.options = chosen;
        job.legendLines = legendLines(m_source.frames, chosen.allFrames);
        Surface &surface = m_source.surface;
        const FramePicture picture = [&](int16_t index) -> FrameShot {
            if (chosen.allFrames) {
                m_source.selectFrame(index);
                m_platform.processEvents();
            }
            return surface;
        };
        printPlay(*target, job, surface.size(), m_source.frames.count(), picture);
        m_source.waitEnd();
        if (!pdfFile.isEmpty() && m_source.pdfWritten)
            m_source.pdfWritten(pdfFile);
    } catch (...) {
        if (busy)
            m_source.waitEnd();
        reportFailure("Printing Play");
        reject();
    }
}

} // namespace kinetra
