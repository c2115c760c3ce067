#include "output/prntfrm.h"

#include "document/playdocument.h"
#include "model/failurereport.h"
#include "output/playimager.h"
#include "output/playprinter.h"
#include "output/printsession.h"
#include "output/printtarget.h"
#include "surface/framerenderer.h"
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

Prntfrm::Prntfrm(PrintSession &session, PlayDocument &document, Surface &surface,
                 const FrameLooks &looks, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , m_document(document)
    , m_surface(surface)
    , m_looks(looks)
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
    ChkMono = new QCheckBox("&Black and white", Frame1);
    ChkMono->setObjectName("ChkMono");
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
    props->addWidget(ChkMono, 2, 0, 1, 3);
    props->addWidget(fontLabel, 3, 0, 1, 3);
    props->addWidget(Txtfont, 4, 0);
    props->addWidget(Txtfontsize, 4, 1);
    props->addWidget(Cmdchgfont, 4, 2);

    Frame2 = new QGroupBox("Play Size", this);
    Frame2->setObjectName("Frame2");
    Frame2->setToolTip("Select the legend format.");
    OptSize[0] = new QRadioButton("Large", Frame2);
    OptSize[1] = new QRadioButton("Small", Frame2);
    OptSize[2] = new QRadioButton("&Sheet", Frame2);
    auto *sizes = new QVBoxLayout(Frame2);
    for (size_t k = 0; k < OptSize.size(); ++k) {
        OptSize[k]->setObjectName(QString("OptSize%1").arg(k));
        sizes->addWidget(OptSize[k]);
    }
    Frame3 = new QGroupBox("Select Frames", this);
    Frame3->setObjectName("Frame3");
    Frame3->setToolTip("Select which maps to print.");
    OptPFrames[0] = new QRadioButton("Current Frame Only", Frame3);
    OptPFrames[1] = new QRadioButton("All Frames", Frame3);
    auto *frames = new QVBoxLayout(Frame3);
    for (size_t k = 0; k < OptPFrames.size(); ++k) {
        OptPFrames[k]->setObjectName(QString("OptPFrames%1").arg(k));
        frames->addWidget(OptPFrames[k]);
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
    connect(OptSize[2], &QRadioButton::toggled, this, &Prntfrm::showSheetFrames);

    Form_Load();
}

void Prntfrm::Form_Load()
{
    showChoices(m_session.playChoices);
    showFont(m_session.font());
}

void Prntfrm::showChoices(const PrintChoices &choices)
{
    // The frames first: choosing Sheet then sets them aside.
    OptPFrames[choices.allFrames ? 1 : 0]->setChecked(true);
    showSharedChoices(choices, ChkLegend, chkNotes, ChkMono, OptSize);
}

void Prntfrm::showSheetFrames(bool sheet)
{
    // A sheet is the whole play on a page: it has no current-frame form. The frames chosen for
    // the other sizes come back when the user leaves Sheet.
    if (sheet) {
        m_currentOnlyBeforeSheet = OptPFrames[0]->isChecked();
        OptPFrames[1]->setChecked(true);
    } else if (m_currentOnlyBeforeSheet) {
        OptPFrames[0]->setChecked(true);
    }
    OptPFrames[0]->setEnabled(!sheet);
}

PrintChoices Prntfrm::choices() const
{
    PrintChoices c = sharedChoices(ChkLegend, chkNotes, ChkMono, OptSize);
    c.allFrames = OptPFrames[1]->isChecked();
    return c;
}

void Prntfrm::done(int result)
{
    m_session.playChoices = choices();
    QDialog::done(result);
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
        m_platform.chooseFont(m_session.font(), Qt::black);
    if (!choice)
        return;
    const QFont *chosen = &choice->font;
    showFont(*chosen);
    // The printer keeps its own boldness whatever the chooser says.
    QFont font = m_session.font();
    font.setFamily(chosen->family());
    if (chosen->pointSize() > 0)
        font.setPointSize(chosen->pointSize());
    font.setItalic(chosen->italic());
    font.setUnderline(chosen->underline());
    font.setStrikeOut(chosen->strikeOut());
    m_session.setFont(font);
}

void Prntfrm::CmdPsetup_Click()
{
    try {
        m_platform.printerSetup(m_session.printer());
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
    const PrintChoices c = choices();
    PrintOptions o;
    o.legend = c.legend;
    o.notes = c.notes;
    o.mono = c.mono;
    o.small = c.size == PrintChoices::Size::Small;
    o.sheet = c.size == PrintChoices::Size::Sheet;
    o.allFrames = c.allFrames;
    QFont font = m_session.font();
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
    const QString given = m_session.printer().outputFileName().trimmed();
    if (!given.isEmpty())
        return given;
    const QString title = m_document.title().trimmed();
    Platform::FileDialog dialog = m_session.pdfDialog(title.isEmpty() ? QString("Play") : title);
    dialog.defaultSuffix = "pdf";
    const std::optional<QString> chosen = m_platform.saveFileName(dialog);
    if (!chosen)
        return QString();
    QString file = chosen->trimmed();
    // Not every file dialog adds the suffix. A name that has an extension is kept as typed.
    if (file.isEmpty() || !QFileInfo(file).suffix().isEmpty())
        return file;
    file += ".pdf";
    return m_platform.mayReplace(file, dialog.title) ? file : QString();
}

void Prntfrm::drawFrame(int16_t index)
{
    m_document.selectFrame(index);
    m_surface.clear();
    FrameRenderer::Draw(m_document.frames().currentFrame(), m_surface, m_looks);
}

Prntfrm::~Prntfrm() = default;

FrameShot Prntfrm::framePicture(int16_t index, const PrintOptions &chosen)
{
    if (!chosen.mono) {
        if (chosen.allFrames) {
            drawFrame(index);
            m_platform.processEvents();
        }
        return m_surface;
    }
    // Black and white is drawn on an imager of its own: the window keeps its colours and its
    // frame.
    if (!m_mono) {
        m_mono = std::make_unique<PlayImager>(m_surface.picture(), m_surface.font(),
                                              m_surface.foreColor(), m_looks,
                                              m_surface.companions());
        m_mono->setMono(true);
    }
    const FrameList &frames = m_document.frames();
    m_mono->draw(chosen.allFrames ? frames.frame(index) : frames.currentFrame());
    if (chosen.allFrames)
        m_platform.processEvents();
    return m_mono->surface();
}

void Prntfrm::CmdPrint_Click()
{
    // Frames are painted between copies, which lets clicks through; one print at a time.
    if (m_printing)
        return;
    m_printing = true;
    const auto done = qScopeGuard([this] { m_printing = false; });
    PrintOptions chosen = options();
    chosen.icon = m_session.icon();
    chosen.looks = m_looks;
    m_session.setFont(chosen.font);
    m_session.playChoices = choices();
    // All Frames shows each frame in turn; the surface goes back to the one the user was on.
    const int16_t shownFrame = m_document.currentFrame();
    const auto backToShownFrame = qScopeGuard([&] {
        if (chosen.allFrames && m_document.currentFrame() != shownFrame)
            drawFrame(shownFrame);
    });
    std::optional<PrintBusy> busy;
    try {
        QString pdfFile;
        if (m_session.printsToPdf()) {
            pdfFile = choosePdfFile();
            if (pdfFile.isEmpty())
                return;
        }
        busy.emplace(m_platform);
        const std::unique_ptr<PrintTarget> target = m_session.makeTarget(pdfFile);
        const PlaySnapshot play = m_document.snapshot();
        const FramePicture picture = [&](int16_t index) { return framePicture(index, chosen); };
        printPlay(*target, play, chosen, m_surface.size(), picture);
        busy.reset();
        if (!pdfFile.isEmpty())
            m_session.pdfWritten(pdfFile);
    } catch (...) {
        busy.reset();
        reportFailure("Printing Play");
        reject();
    }
}

} // namespace kinetra
