#include "app/frmmain.h"

#include "app/menumnemonics.h"
#include "app/programfolder.h"
#include "app/toolbaricons.h"
#include "app/windowplacement.h"
#include "model/runtimeerror.h"
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

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QWindow>

#include <cmath>

namespace kinetra {

namespace {

QString versionText()
{
    return QString("%1.%2.%3")
        .arg(KINETRA_VERSION_MAJOR)
        .arg(KINETRA_VERSION_MINOR)
        .arg(KINETRA_VERSION_PATCH);
}

// Toolbar buttons in the order they stand; an empty key is a separator between groups.
struct ToolbarButton
{
    const char *key;
    const char *tip;
};
const ToolbarButton kToolbar[] = {
    {"New", "New play"},
    {"Open", "Open play"},
    {"Save", "Save play"},
    {"Print", "Print"},
    {"", ""},
    {"Undo", "Undo"},
    {"Redo", "Redo"},
    {"", ""},
    {"InsertB", "Insert Frame Before"},
    {"InsertA", "Insert Frame After"},
    {"InsertC", "Insert Blank Frame"},
    {"InsertProg", "Insert Progressive Frames"},
    {"FMove", "Move Objects around field surface."},
    {"Delete", "Delete Frame"},
    {"", ""},
    {"Notes", "Notes"},
    {"", ""},
    {"FBack", "Back one Frame"},
    {"FForward", "Forward one Frame"},
    {"Play", "Review Play"},
    {"", ""},
    {"Properties", "Properties"},
    {"Help", "Help"},
    {"About", "About Kinetra"},
};

} // namespace

frmMain::frmMain(Platform &platform, SettingsStore &store, const QString &programDir,
                 QWidget *parent)
    : QMainWindow(parent)
    , m_platform(platform)
    , m_store(store)
    , m_programDir(programDir)
    , m_printSession(documentsFolder(), [] { return appIcon().pixmap(256, 256).toImage(); })
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
    connectExportCommands();
    connectZoomCommands();
    disableUnbuiltCommands();
    m_platform.setDialogParent(this);
    Form_Load();
}

frmMain::~frmMain()
{
    m_platform.setDialogParent(nullptr);
}

QAction *frmMain::addMenuItem(QMenu *menu, const QString &caption, const QString &name,
                              const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
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
        const QString item = toolbarMenuItem(key);
        if (!item.isEmpty())
            action->setEnabled(m_builtCommands.contains(item));
        else
            action->setEnabled(key == "Delete" || key == "FBack" || key == "FForward"
                               || m_builtCommands.contains(key));
    }
}

QString frmMain::toolbarMenuItem(const QString &key)
{
    static const std::map<QString, QString> menuOf = {
        {"New", "mnuFileNew"}, {"Open", "mnuFileOpen"}, {"Save", "mnuFileSave"},
        {"Print", "mnuFilePrint"}, {"Undo", "mnuEUndo"}, {"Redo", "mnuERedo"},
        {"InsertB", "mnuIBefore"}, {"InsertA", "mnuIAfter"},
        {"InsertC", "mnuIBlank"}, {"InsertProg", "mnuIProgressive"}, {"FMove", "mnuEMove"},
        {"Notes", "mnuViewNotes"}, {"Properties", "mnuOPreferences"},
        {"Help", "mnuHelpContents"}, {"About", "mnuHelpAbout"}};
    const auto it = menuOf.find(key);
    return it == menuOf.end() ? QString() : it->second;
}

void frmMain::buildMenus()
{
    new MenuMnemonics(menuBar());
    QMenu *file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    addMenuItem(file, "&New", "mnuFileNew");
    addMenuItem(file, "&Open", "mnuFileOpen", QKeySequence("Ctrl+O"));
    addMenuItem(file, "Play &Directory", "mnuFPDir");
    file->addSeparator();
    addMenuItem(file, "&Save", "mnuFileSave", QKeySequence("Ctrl+S"));
    addMenuItem(file, "Save &As...", "mnuFileSaveAs");
    addMenuItem(file, "Save as &Bmp", "mnuFileSaveBMP");
    addMenuItem(file, "Expor&t...", "mnuFileExport");
    buildExportSizeMenu(file);
    file->addSeparator();
    addMenuItem(file, "&Print...", "mnuFilePrint", QKeySequence("Ctrl+P"));
    addMenuItem(file, "Print P&laybook...", "mnuFilePlaybook");
    addMenuItem(file, "Print Set&up...", "mnuFilePageSetup");
    file->addSeparator();
    addMenuItem(file, "E&xit", "mnuFileExit");
    onCommand("mnuFileExit", [this] { close(); });
    QAction *bar5 = file->addSeparator();
    bar5->setObjectName("mnuFileBar5");
    for (int i = 0; i < 5; ++i) {
        mnurecentFile[size_t(i)] = addMenuItem(file, QString(), QString("mnurecentFile%1").arg(i));
        mnurecentFile[size_t(i)]->setVisible(false);
    }

    QMenu *edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("mnuEdit");
    mnuEUndo = addMenuItem(edit, "&Undo", "mnuEUndo", QKeySequence("Ctrl+Z"));
    mnuERedo = addMenuItem(edit, "&Redo", "mnuERedo");
    mnuERedo->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    edit->addSeparator();
    addMenuItem(edit, "Insert &Before", "mnuIBefore", QKeySequence("Ctrl+B"));
    addMenuItem(edit, "Insert &After", "mnuIAfter", QKeySequence("Ctrl+A"));
    addMenuItem(edit, "&Insert Blank", "mnuIBlank", QKeySequence("Ctrl+C"));
    addMenuItem(edit, "Insert &Progressive", "mnuIProgressive");
    edit->addSeparator();
    addMenuItem(edit, "&Move", "mnuEMove");
    edit->addSeparator();
    mnuEDel = addMenuItem(edit, "&Delete Frame", "mnuEDel", QKeySequence("Ctrl+D"));
    onCommand("mnuEDel", [this] { mnuEDel_Click(); });

    QMenu *view = menuBar()->addMenu("&View");
    view->setObjectName("mnuView");
    mnuViewToolbar = addMenuItem(view, "&Toolbar", "mnuViewToolbar");
    mnuViewToolbar->setCheckable(true);
    mnuViewToolbar->setChecked(true);
    onCommand("mnuViewToolbar", [this] { mnuViewToolbar_Click(); });
    mnuViewStatusBar = addMenuItem(view, "Status &Bar", "mnuViewStatusBar");
    mnuViewStatusBar->setCheckable(true);
    mnuViewStatusBar->setChecked(true);
    onCommand("mnuViewStatusBar", [this] { mnuViewStatusBar_Click(); });
    view->addSeparator();
    addMenuItem(view, "&Notes", "mnuViewNotes", QKeySequence("Ctrl+N"));
    buildZoomMenu(view);

    QMenu *formations = menuBar()->addMenu("&Formations");
    formations->setObjectName("mnuFormations");
    addMenuItem(formations, "&Save Formation", "mnuFormSave");
    QMenu *formDelete = formations->addMenu("&Delete Formation");
    formDelete->setObjectName("mnuFormDelete");
    QMenu *formSelect = formations->addMenu("Select &Formation");
    formSelect->setObjectName("mnuFormSelect");
    for (int f = 1; f <= kMaxFormations; ++f) {
        addMenuItem(formDelete, QString(), QString("MnuFormDel%1").arg(f))->setVisible(false);
        addMenuItem(formSelect, QString(), QString("MnuFormValue%1").arg(f))->setVisible(false);
    }
    formDelete->setEnabled(false);
    formSelect->setEnabled(false);

    QMenu *labels = menuBar()->addMenu("Player &Labels");
    labels->setObjectName("mnuLabels");
    QMenu *labelSave = labels->addMenu("&Save Label Set");
    labelSave->setObjectName("mnuLabSave");
    for (int s = 1; s <= 4; ++s)
        addMenuItem(labelSave, QString("User Set&%1").arg(s), QString("mnuLabSave%1").arg(s));
    QMenu *labelSelect = labels->addMenu("Select &Label Set");
    labelSelect->setObjectName("mnuLabSelect");
    addMenuItem(labelSelect, "&Hardball Positions", "mnuLabSelect0");
    addMenuItem(labelSelect, "&Softball Positions", "mnuLabSelect1");
    for (int s = 1; s <= 4; ++s)
        addMenuItem(labelSelect, QString("User Set&%1").arg(s), QString("mnuLabSelect%1").arg(s + 1));

    QAction *properties = menuBar()->addAction("&Properties");
    properties->setObjectName("mnuOPreferences");

    QMenu *help = menuBar()->addMenu("&Help");
    help->setObjectName("mnuHelp");
    addMenuItem(help, "&Contents", "mnuHelpContents");
    addMenuItem(help, "&Search For Help On...", "mnuHelpSearch");
    addMenuItem(help, "&Tips", "mnuHelpTips");
    help->addSeparator();
    addMenuItem(help, "&About Kinetra...", "mnuHelpAbout");

}

void frmMain::buildToolbar()
{
    tbToolBar = new QToolBar(this);
    tbToolBar->setObjectName("tbToolBar");
    tbToolBar->setMovable(false);
    tbToolBar->setFloatable(false);
    tbToolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    tbToolBar->toggleViewAction()->setEnabled(false);
    addToolBar(Qt::TopToolBarArea, tbToolBar);
    for (const ToolbarButton &b : kToolbar) {
        if (!*b.key) {
            tbToolBar->addSeparator();
            continue;
        }
        const QString key = b.key;
        QAction *action = tbToolBar->addAction(toolbarIcon(key), b.tip);
        action->setObjectName(key);
        action->setToolTip(b.tip);
        connect(action, &QAction::triggered, this, [this, key] { tbToolBar_ButtonClick(key); });
        m_toolbarButtons[key] = action;
    }
}

void frmMain::buildBody()
{
    auto *body = new QWidget(this);
    body->setObjectName("body");
    setCentralWidget(body);

    surface = new Surface(this);
    fieldView = new QScrollArea(body);
    fieldView->setObjectName("fieldView");
    fieldView->setFrameShape(QFrame::NoFrame);
    fieldView->setFocusPolicy(Qt::NoFocus);
    fieldView->setWidgetResizable(false);
    canvas = new Canvas;
    fieldView->setWidget(canvas);
    canvas->setObjectName("Canvas");
    canvas->setToolTip("Use Left mouse button to select / drag and right button to delete object.");
    canvas->setSurface(surface);

    palette = new ToolPalette(body);

    Frame1 = new QGroupBox("Frame Control", body);
    Frame1->setObjectName("Frame1");
    Frame1->resize(twipsToPixels(4692), twipsToPixels(852));
    Label1 = new QLabel("Advance Frame", Frame1);
    Label1->setObjectName("Label1");
    Label1->move(twipsToPixels(600), twipsToPixels(240));
    Label1->adjustSize();
    SBar = new QScrollBar(Qt::Horizontal, Frame1);
    SBar->setObjectName("SBar");
    SBar->setGeometry(twipsToPixels(240), twipsToPixels(480), twipsToPixels(2052),
                      twipsToPixels(252));
    SBar->setRange(1, 1);
    SBar->setPageStep(1);
    connect(SBar, &QScrollBar::valueChanged, this, &frmMain::SBar_Change);
    CmdPlay = new QPushButton("Play Video", Frame1);
    CmdPlay->setObjectName("CmdPlay");
    CmdPlay->setGeometry(twipsToPixels(3240), twipsToPixels(240), twipsToPixels(1212),
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
        statusPanels[size_t(i)] = panel;
    }
    statusPanels[0]->setText("Untitled");
    statusBar()->setSizeGripEnabled(true);
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
    setWindowTitle("Kinetra V" + versionText());

    auto placement = [this](const char *key, int fallback) {
        const QString text = m_store.read("Settings", key, QString::number(fallback));
        return storeInt(text, -10000000, 10000000, fallback);
    };
    const int left = placement("MainLeft", 10);
    const int top = placement("MainTop", 10);
    const int width = placement("MainWidth", 7344);
    const int height = placement("MainHeight", 7452);

    m_zoom = readZoomSetting(m_store);
    showZoom(m_zoom.percent);
    m_editing->setDrawingSuppressed(true);
    LoadPreferences();
    SetupForm();

    m_document.frames().reset();
    m_document.clearHistory();
    showFrameCount();
    SelectFrame(1);

    m_editing->setDrawingSuppressed(false);
    m_editing->OptActionSel_Click(0);
    palette->CboChalktype->setCurrentIndex(0);
    palette->CboChalksize->setCurrentIndex(0);

    // The window never starts smaller than the field at its stored zoom needs (so a new
    // window with Fit on shows it at 100 %), nor larger than its screen. A stored place off
    // every screen (a monitor since removed) comes back onto the primary one.
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QScreen *primary = QGuiApplication::primaryScreen();
    const QRect place = visiblePlacement(
        QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)),
        screens, primary ? primary->availableGeometry() : QRect());
    const QScreen *onScreen = QGuiApplication::screenAt(place.center());
    if (!onScreen)
        onScreen = primary;
    // At a fractional screen scale the window system may give the window a pixel less than
    // asked for; a pixel more keeps the field whole.
    const qreal ratio = onScreen ? onScreen->devicePixelRatio() : 1.0;
    const int slack = ratio == std::floor(ratio) ? 0 : 1;
    const QSize least = windowSizeForBody(m_wholeFieldBody) + QSize(slack, slack);
    const QSize wanted(std::max(place.width(), least.width()),
                       std::max(place.height(), least.height()));
    const QRect start = onScreen ? keptOnScreen(QRect(place.topLeft(), wanted),
                                                onScreen->availableGeometry())
                                 : QRect(place.topLeft(), wanted);
    move(start.topLeft());
    resize(start.size());
}

QSize frmMain::windowSizeForBody(QSize body)
{
    const QSize least = centralWidget()->minimumSize();
    centralWidget()->setMinimumSize(body);
    const QSize size = minimumSizeHint().expandedTo(QSize(tbToolBar->sizeHint().width(), 0));
    centralWidget()->setMinimumSize(least);
    return size;
}

void frmMain::LoadPreferences()
{
    loadPreferences(m_store, Prefs, m_programDir);
    showFormationMenus();
    LoadRecentFiles();
}

void frmMain::SavePreferences()
{
    savePreferences(m_store, Prefs);
}

void frmMain::SetupForm()
{
    // Each step stands alone: a bad font leaves the old look.
    try {
        LoadPictures();
    } catch (...) {
    }
    try {
        surface->setFont(labelFontFromPreferences(Prefs));
        surface->setForeColor(colorFromRgbInt(Prefs.Fontcolor));
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

void frmMain::Form_Resize()
{
    if (isMinimized() || !canvas)
        return;
    // The toolbar lives above the body, so the body's own top is always 0. The tab strip and
    // pages keep their design sizes unless the captions need more room; the palette's size
    // never depends on the zoom.
    const int top = 0;
    palette->tbsPicList->ensurePolished(); // the captions' widths need the style's fonts
    const int tabsWidth = std::max(twipsToPixels(2772), palette->tbsPicList->sizeHint().width());
    const int tabsHeight =
        std::max(twipsToPixels(360), palette->tbsPicList->sizeHint().height());
    std::array<QSize, 4> pages;
    int paletteWidth = twipsToPixels(10) + tabsWidth;
    int paletteBottom = top + tabsHeight;
    for (int k = 0; k < 4; ++k) {
        QWidget *page = palette->PicList[size_t(k)];
        const int design = twipsToPixels(k == 0 ? 2292 : 2412);
        pages[size_t(k)] = QSize(
            std::max({design, tabsWidth - twipsToPixels(10), page->sizeHint().width()}),
            std::max(twipsToPixels(4812), page->sizeHint().height()));
        paletteWidth = std::max(paletteWidth, twipsToPixels(20) + pages[size_t(k)].width());
        paletteBottom =
            std::max(paletteBottom, top + twipsToPixels(360) + pages[size_t(k)].height());
    }
    centralWidget()->setMinimumSize(bodySizeFor(zoomedSize(surface->size(), kZoomSteps.front()),
                                                paletteWidth, paletteBottom));
    m_wholeFieldBody = bodySizeFor(canvas->size(), paletteWidth, paletteBottom);
    fitFieldToWindow(paletteWidth);

    // The palette stands right of the field or of the frame controls under it, whichever
    // reaches further, so nothing lies on top of it at a small zoom.
    const QSize view = placeFieldView(paletteWidth);
    const int fieldRight = std::max(view.width(), Frame1->width());
    palette->tbsPicList->setGeometry(fieldRight + twipsToPixels(10), top, tabsWidth, tabsHeight);
    for (int k = 0; k < 4; ++k)
        palette->PicList[size_t(k)]->setGeometry(
            QRect(QPoint(fieldRight + twipsToPixels(20), top + twipsToPixels(360)),
                  pages[size_t(k)]));
    Frame1->move(0, fieldView->y() + view.height());
}

void frmMain::SelectFrame(int16_t index)
{
    m_document.selectFrame(index);
    m_selecting = true;
    SBar->setValue(index);
    m_selecting = false;
    statusPanels[3]->setText(QString(" Frame: %1/%2").arg(index).arg(m_document.frames().count()));
    DrawSelected();
    emit frameSelected(index);
}

void frmMain::SBar_Change()
{
    if (m_selecting)
        return;
    SelectFrame(int16_t(SBar->value()));
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
    surface->clear();
    FrameRenderer::Draw(m_document.frames().currentFrame(), *surface, looks());
    // Every change of the frame or of the frame shown ends in a redraw, so the marks follow.
    palette->markActionLines(m_document.frames().currentFrame());
}

QImage frmMain::symbolPicture(int k) const
{
    return palette->ImgSymbols.at(size_t(k))->picture();
}

FrameLooks frmMain::looks() const
{
    FrameLooks l = FrameLooks::fromPreferences(Prefs);
    for (size_t k = 0; k < l.symbols.size(); ++k) {
        l.symbols[k] = symbolPicture(int(k));
        l.symbolCompanions[k] = m_symbolCompanions[k];
    }
    for (size_t k = 0; k < l.hideOffense.size(); ++k) {
        l.hideOffense[k] = palette->ChkActiveOff[k]->isChecked();
        l.hideDefense[k] = palette->ChkActiveDef[k]->isChecked();
    }
    l.drawingSuppressed = m_editing->drawingSuppressedFlag();
    return l;
}

void frmMain::tbToolBar_ButtonClick(const QString &key)
{
    if (key == "Delete") {
        if (mnuEDel->isEnabled())
            mnuEDel_Click();
    } else if (key == "FBack") {
        if (SBar->value() > SBar->minimum())
            SBar->setValue(SBar->value() - 1);
    } else if (key == "FForward") {
        if (SBar->value() < SBar->maximum())
            SBar->setValue(SBar->value() + 1);
    } else if (key == "Play") {
        if (toolbarButton(key)->isEnabled())
            CmdPlay_Click();
    } else if (QAction *button = toolbarButton(key); button && button->isEnabled()) {
        // Every other key runs the menu command of the same name.
        if (QAction *item = menuItem(toolbarMenuItem(key)); item && item->isEnabled())
            item->trigger();
    }
}

void frmMain::mnuViewToolbar_Click()
{
    // Showing a bar can grow the window to its new minimum at once; size from the old height.
    const int h = tbToolBar->height();
    const int before = height();
    if (tbToolBar->isVisible()) {
        tbToolBar->hide();
        mnuViewToolbar->setChecked(false);
        layout()->activate();
        resize(width(), before - h);
    } else {
        tbToolBar->show();
        mnuViewToolbar->setChecked(true);
        layout()->activate();
        resize(width(), before + h);
    }
}

void frmMain::mnuViewStatusBar_Click()
{
    const int h = statusBar()->height();
    const int before = height();
    if (statusBar()->isVisible()) {
        statusBar()->hide();
        mnuViewStatusBar->setChecked(false);
        layout()->activate();
        resize(width(), before - h);
    } else {
        statusBar()->show();
        mnuViewStatusBar->setChecked(true);
        layout()->activate();
        resize(width(), before + h);
    }
}

void frmMain::WaitStart()
{
    setCursor(Qt::WaitCursor);
    canvas->setCursor(Qt::WaitCursor);
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
    if (!isMinimized()) {
        const QRect p = placementTwips();
        m_store.write("Settings", "MainLeft", QString::number(p.x()));
        m_store.write("Settings", "MainTop", QString::number(p.y()));
        m_store.write("Settings", "MainWidth", QString::number(p.width()));
        m_store.write("Settings", "MainHeight", QString::number(p.height()));
    }
    writeZoomSetting(m_store, m_zoom);
    m_store.sync();
    return mayClose;
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (Form_QueryUnload()) {
        event->accept();
        emit playSettled();
    } else {
        event->ignore();
    }
}

} // namespace kinetra
