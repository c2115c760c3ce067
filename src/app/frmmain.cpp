#include "app/frmmain.h"

#include "app/captionbox.h"
#include "app/fieldzoom.h"
#include "app/formationmenus.h"
#include "app/mainmenus.h"
#include "app/menumnemonics.h"
#include "app/playfilechooser.h"
#include "app/programfolder.h"
#include "app/recentfiles.h"
#include "app/toolbaricons.h"
#include "app/toolbarkeys.h"
#include "app/windowplacement.h"
#include "model/runtimeerror.h"
#include "output/programversion.h"
#include "prefs/playlooks.h"
#include "prefs/preferencestore.h"
#include "prefs/settingsstore.h"
#include "surface/canvas.h"
#include "surface/colors.h"
#include "surface/dragpicture.h"
#include "surface/framerenderer.h"
#include "surface/platform.h"
#include "surface/playediting.h"
#include "surface/surface.h"
#include "surface/toolpalette.h"
#include "surface/twips.h"
#include "surface/zoom.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>

namespace kinetra {

frmMain::frmMain(Platform &platform, SettingsStore &store, const QString &programDir,
                 QWidget *parent)
    : QMainWindow(parent)
    , m_platform(platform)
    , m_store(store)
    , m_programDir(programDir)
{
    setObjectName("frmMain");
    setWindowIcon(appIcon());
    buildMenus();
    buildToolbar();
    buildBody();
    buildStatusBar();
    connectDocumentCommands();
    connectPreferenceCommands();
    connectFrameCommands();
    connectPlaybackCommands();
    connectOutputCommands();
    connectWindowCommands();
    connectHistoryCommands();
    connectZoomCommands();
    disableUnbuiltCommands();
    m_platform.setDialogParent(this);
    Form_Load();
}

frmMain::~frmMain()
{
    m_platform.setDialogParent(nullptr);
}

void frmMain::onCommand(const QString &name, std::function<void()> handler)
{
    QAction *item = menuItem(name);
    Q_ASSERT(item);
    connect(item, &QAction::triggered, this, std::move(handler));
    m_builtCommands.insert(name);
}

void frmMain::disableUnbuiltCommands()
{
    for (QAction *action : menuBar()->findChildren<QAction *>()) {
        const QString name = action->objectName();
        if (!name.isEmpty() && !action->menu() && !m_builtCommands.contains(name))
            action->setEnabled(false);
    }
    // A toolbar button works when the menu command it runs does; the frame buttons run their
    // own code.
    for (auto &[key, action] : m_toolbarButtons) {
        const QString item = action->data().toString();
        if (!item.isEmpty())
            action->setEnabled(m_builtCommands.contains(item));
        else
            action->setEnabled(key == "Delete" || key == "FBack" || key == "FForward"
                               || m_builtCommands.contains(key));
    }
}

void frmMain::buildMenus()
{
    new MenuMnemonics(menuBar());
    buildMainMenus(menuBar());
    onCommand("mnuFileExit", [this] { close(); });
    std::array<QAction *, RecentFiles::kItems> recent;
    for (int i = 0; i < RecentFiles::kItems; ++i)
        recent[size_t(i)] = menuItem(QString("mnurecentFile%1").arg(i));
    m_recentFiles = std::make_unique<RecentFiles>(m_store, recent);
    m_chooser = std::make_unique<PlayFileChooser>(m_platform);
    m_mnuEUndo = menuItem("mnuEUndo");
    m_mnuERedo = menuItem("mnuERedo");
    m_mnuEDel = menuItem("mnuEDel");
    onCommand("mnuEDel", [this] { mnuEDel_Click(); });
    m_mnuViewToolbar = menuItem("mnuViewToolbar");
    onCommand("mnuViewToolbar", [this] { mnuViewToolbar_Click(); });
    m_mnuViewStatusBar = menuItem("mnuViewStatusBar");
    onCommand("mnuViewStatusBar", [this] { mnuViewStatusBar_Click(); });
    m_mnuViewFit = menuItem("mnuViewFit");
    // Choosing a size is all there is to it.
    for (int scale = 1; scale <= 4; ++scale)
        m_builtCommands.insert(QString("mnuFileExportSize%1").arg(scale));
}

int frmMain::exportScale() const
{
    for (int scale = 1; scale <= 4; ++scale)
        if (menuItem(QString("mnuFileExportSize%1").arg(scale))->isChecked())
            return scale;
    return 1;
}

void frmMain::buildToolbar()
{
    m_tbToolBar = new QToolBar(this);
    m_tbToolBar->setObjectName("tbToolBar");
    m_tbToolBar->setMovable(false);
    m_tbToolBar->setFloatable(false);
    m_tbToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_tbToolBar->toggleViewAction()->setEnabled(false);
    addToolBar(Qt::TopToolBarArea, m_tbToolBar);
    for (const ToolbarKey &b : toolbarKeys()) {
        if (!*b.key) {
            m_tbToolBar->addSeparator();
            continue;
        }
        const QString key = b.key;
        QAction *action = m_tbToolBar->addAction(toolbarIcon(key), b.tip);
        action->setObjectName(key);
        action->setToolTip(b.tip);
        action->setData(QString(b.menuItem));
        connect(action, &QAction::triggered, this, [this, key] { tbToolBar_ButtonClick(key); });
        m_toolbarButtons[key] = action;
    }
}

void frmMain::buildBody()
{
    auto *body = new QWidget(this);
    body->setObjectName("body");
    setCentralWidget(body);

    m_surface = new Surface(this);
    fieldView = new QScrollArea(body);
    fieldView->setObjectName("fieldView");
    fieldView->setFrameShape(QFrame::NoFrame);
    fieldView->setFocusPolicy(Qt::NoFocus);
    fieldView->setWidgetResizable(false);
    m_canvas = new Canvas;
    fieldView->setWidget(m_canvas);
    m_canvas->setObjectName("Canvas");
    m_canvas->setToolTip("Use Left mouse button to select / drag and right button to delete object.");
    m_canvas->setSurface(m_surface);

    m_palette = new ToolPalette(body);

    m_captionBox = new CaptionBox(m_document, body);

    m_frame1 = new QGroupBox("Frame Control", body);
    m_frame1->setObjectName("Frame1");
    m_frame1->resize(twipsToPixels(4692), twipsToPixels(852));
    m_label1 = new QLabel("Advance Frame", m_frame1);
    m_label1->setObjectName("Label1");
    m_label1->move(twipsToPixels(600), twipsToPixels(240));
    m_label1->adjustSize();
    m_sbar = new QScrollBar(Qt::Horizontal, m_frame1);
    m_sbar->setObjectName("SBar");
    m_sbar->setGeometry(twipsToPixels(240), twipsToPixels(480), twipsToPixels(2052),
                      twipsToPixels(252));
    m_sbar->setRange(1, 1);
    m_sbar->setPageStep(1);
    connect(m_sbar, &QScrollBar::valueChanged, this, &frmMain::SBar_Change);
    m_cmdPlay = new QPushButton("Play Video", m_frame1);
    m_cmdPlay->setObjectName("CmdPlay");
    m_cmdPlay->setGeometry(twipsToPixels(3240), twipsToPixels(240), twipsToPixels(1212),
                         twipsToPixels(492));

    buildEditing();
}

void frmMain::buildStatusBar()
{
    static const char *const tips[4] = {"Play file name", "Play file description",
                                        "Date Play created", "Current Frame / Total Frames"};
    for (int i = 0; i < 4; ++i) {
        auto *panel = new QLabel(statusBar());
        panel->setObjectName(QString("sbStatusBarPanel%1").arg(i + 1));
        panel->setToolTip(tips[i]);
        panel->setMinimumWidth(60);
        statusBar()->addPermanentWidget(panel, i == 1 ? 3 : 1);
        m_statusPanels[size_t(i)] = panel;
    }
    m_statusPanels[0]->setText("Untitled");
    m_sbZoom = new QLabel(statusBar());
    m_sbZoom->setObjectName("sbZoom");
    m_sbZoom->setToolTip("Zoom");
    m_sbZoom->setVisible(false);
    statusBar()->addPermanentWidget(m_sbZoom);
    statusBar()->setSizeGripEnabled(true);
}

void frmMain::connectZoomCommands()
{
    m_fieldZoom = new FieldZoom({centralWidget(), fieldView, m_canvas, m_surface, m_palette, m_frame1,
                                 m_captionBox, m_mnuViewFit, m_sbZoom},
                                this);
    onCommand("mnuViewZoomIn", [this] { m_fieldZoom->zoomIn(); });
    onCommand("mnuViewZoomOut", [this] { m_fieldZoom->zoomOut(); });
    onCommand("mnuViewActualSize", [this] { m_fieldZoom->actualSize(); });
    onCommand("mnuViewFit", [this] { m_fieldZoom->toggleFit(); });
}

QLabel *frmMain::captionBox() const
{
    return m_captionBox;
}

QAction *frmMain::toolbarButton(const QString &key) const
{
    const auto it = m_toolbarButtons.find(key);
    return it == m_toolbarButtons.end() ? nullptr : it->second;
}

QAction *frmMain::menuItem(const QString &name) const
{
    return menuBar()->findChild<QAction *>(name);
}

void frmMain::Form_Load()
{
    setWindowTitle("Kinetra V" + programVersion());

    m_fieldZoom->restore(readZoomSetting(m_store));
    m_editing->setDrawingSuppressed(true);
    LoadPreferences();
    SetupForm();

    // The first play looks as the user's plays do.
    m_document.frames().reset();
    m_document.setLooks(defaultPlayLooks(m_prefs));
    m_document.clearHistory();
    showFrameCount();

    m_editing->setDrawingSuppressed(false);
    SelectFrame(1);
    m_editing->OptActionSel_Click(0);
    m_palette->CboChalktype->setCurrentIndex(0);
    m_palette->CboChalksize->setCurrentIndex(0);

    // The window never starts smaller than the field at its stored zoom needs (so a new
    // window with Fit on shows it at 100 %), nor larger than its screen.
    const QRect start = openingPlacement(readMainPlacement(m_store),
                                         windowSizeForBody(m_fieldZoom->wholeFieldBody()));
    move(start.topLeft());
    resize(start.size());
}

QSize frmMain::windowSizeForBody(QSize body)
{
    const QSize least = centralWidget()->minimumSize();
    centralWidget()->setMinimumSize(body);
    const QSize size = minimumSizeHint().expandedTo(QSize(m_tbToolBar->sizeHint().width(), 0));
    centralWidget()->setMinimumSize(least);
    return size;
}

void frmMain::LoadPreferences()
{
    loadPreferences(m_store, m_prefs, m_programDir);
    m_formations->showFormationMenus();
    m_recentFiles->load();
}

void frmMain::SavePreferences()
{
    savePreferences(m_store, m_prefs);
}

void frmMain::SetupForm()
{
    // Each step stands alone: a bad font leaves the old look.
    try {
        LoadPictures();
    } catch (...) {
    }
    try {
        m_surface->setFont(labelFontFromPreferences(m_prefs));
        m_surface->setForeColor(colorFromRgbInt(m_prefs.Fontcolor));
    } catch (...) {
    }
    m_editing->setupPalette();
    Form_Resize();
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Only a window that is shown has a size for the field to fit.
    Form_Resize();
}

void frmMain::Form_Resize()
{
    if (m_fieldZoom)
        m_fieldZoom->layOut();
}

void frmMain::SelectFrame(int16_t index)
{
    m_document.selectFrame(index);
    m_selecting = true;
    m_sbar->setValue(index);
    m_selecting = false;
    m_statusPanels[3]->setText(QString(" Frame: %1/%2").arg(index).arg(m_document.frames().count()));
    DrawSelected();
    emit frameSelected(index);
}

void frmMain::SBar_Change()
{
    if (m_selecting)
        return;
    SelectFrame(int16_t(m_sbar->value()));
}

void frmMain::mnuEDel_Click()
{
    if (!m_document.deleteCurrentFrame())
        return;
    SelectFrame(m_document.frames().current());
    m_document.recordEdit("Delete Frame");
}

void frmMain::DrawSelected()
{
    // While the window loads or opens a play, the one drawing comes at its end.
    if (m_editing->drawingSuppressed())
        return;
    m_surface->clear();
    FrameRenderer::Draw(m_document.frames().currentFrame(), *m_surface, looks());
    // Every change of the frame or of the frame shown ends in a redraw, so the marks follow.
    m_palette->markActionLines(m_document.frames().currentFrame());
    m_editing->showSelection();
}

QImage frmMain::symbolPicture(int k) const
{
    return m_palette->ImgSymbols.at(size_t(k))->picture();
}

FrameLooks frmMain::looks() const
{
    return m_editing->looks();
}

void frmMain::tbToolBar_ButtonClick(const QString &key)
{
    if (key == "Delete") {
        if (m_mnuEDel->isEnabled())
            mnuEDel_Click();
    } else if (key == "FBack") {
        if (m_sbar->value() > m_sbar->minimum())
            m_sbar->setValue(m_sbar->value() - 1);
    } else if (key == "FForward") {
        if (m_sbar->value() < m_sbar->maximum())
            m_sbar->setValue(m_sbar->value() + 1);
    } else if (key == "Play") {
        if (toolbarButton(key)->isEnabled())
            CmdPlay_Click();
    } else if (QAction *button = toolbarButton(key); button && button->isEnabled()) {
        // Every other key runs the menu command of the same name.
        if (QAction *item = menuItem(button->data().toString()); item && item->isEnabled())
            item->trigger();
    }
}

void frmMain::mnuViewToolbar_Click()
{
    toggleBar(m_tbToolBar, m_mnuViewToolbar);
}

void frmMain::mnuViewStatusBar_Click()
{
    toggleBar(statusBar(), m_mnuViewStatusBar);
}

void frmMain::toggleBar(QWidget *bar, QAction *item)
{
    // Showing a bar can grow the window to its new minimum at once; size from the old height.
    const int h = bar->height();
    const int before = height();
    const bool show = !bar->isVisible();
    bar->setVisible(show);
    item->setChecked(show);
    layout()->activate();
    resize(width(), show ? before + h : before - h);
}

void frmMain::WaitStart()
{
    setCursor(Qt::WaitCursor);
    m_canvas->setCursor(Qt::WaitCursor);
    m_platform.setWaitCursor(true);
    m_platform.processEvents();
}

void frmMain::WaitEnd()
{
    unsetCursor();
    m_editing->applyModeCursor();
    m_platform.setWaitCursor(false);
}

QRect frmMain::placementTwips() const
{
    const QRect outer = frameGeometry();
    return QRect(pixelsToTwips(outer.x()), pixelsToTwips(outer.y()), pixelsToTwips(width()),
                 pixelsToTwips(height()));
}

bool frmMain::Form_QueryUnload()
{
    const bool mayClose = DataSafe();
    if (mayClose)
        closeNotesWindow();
    SavePreferences();
    if (!isMinimized())
        writeMainPlacement(m_store, placementTwips());
    writeZoomSetting(m_store, m_fieldZoom->setting());
    m_store.sync();
    return mayClose;
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (Form_QueryUnload()) {
        event->accept();
        m_document.close();
    } else {
        event->ignore();
    }
}

} // namespace kinetra
