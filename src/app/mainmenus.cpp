// The main window's menus, each item named so that the window and the tests find it; what an
// item does is wired by the window.
#include "app/mainmenus.h"

#include "app/recentfiles.h"
#include "prefs/preferences.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace kinetra {

namespace {

QAction *addMenuItem(QMenu *menu, const QString &caption, const QString &name,
                     const QKeySequence &shortcut = QKeySequence())
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

void addExportSizeMenu(QMenu *file)
{
    // Pictures drawn larger than the field at the field's own resolution, not enlarged: a
    // picture for a handout or a slide is sharp.
    QMenu *sizes = file->addMenu("Export Si&ze");
    sizes->setObjectName("mnuFileExportSize");
    auto *group = new QActionGroup(sizes);
    for (int scale = 1; scale <= 4; ++scale) {
        QAction *size = addMenuItem(sizes, QString("&%1x the field").arg(scale),
                                    QString("mnuFileExportSize%1").arg(scale));
        size->setCheckable(true);
        size->setChecked(scale == 2);
        size->setData(scale);
        group->addAction(size);
    }
}

} // namespace

void buildMainMenus(QMenuBar *bar)
{
    QMenu *file = bar->addMenu("&File");
    file->setObjectName("mnuFile");
    addMenuItem(file, "&New", "mnuFileNew");
    addMenuItem(file, "&Open", "mnuFileOpen", QKeySequence("Ctrl+O"));
    addMenuItem(file, "Play &Directory", "mnuFPDir");
    file->addSeparator();
    addMenuItem(file, "&Save", "mnuFileSave", QKeySequence("Ctrl+S"));
    addMenuItem(file, "Save &As...", "mnuFileSaveAs");
    addMenuItem(file, "Save as &Bmp", "mnuFileSaveBMP");
    addMenuItem(file, "Expor&t...", "mnuFileExport");
    addExportSizeMenu(file);
    file->addSeparator();
    addMenuItem(file, "&Print...", "mnuFilePrint", QKeySequence("Ctrl+P"));
    addMenuItem(file, "Print P&laybook...", "mnuFilePlaybook");
    addMenuItem(file, "Print Set&up...", "mnuFilePageSetup");
    file->addSeparator();
    addMenuItem(file, "E&xit", "mnuFileExit");
    QAction *bar5 = file->addSeparator();
    bar5->setObjectName("mnuFileBar5");
    for (int i = 0; i < RecentFiles::kItems; ++i)
        addMenuItem(file, QString(), QString("mnurecentFile%1").arg(i));

    QMenu *edit = bar->addMenu("&Edit");
    edit->setObjectName("mnuEdit");
    addMenuItem(edit, "&Undo", "mnuEUndo", QKeySequence("Ctrl+Z"));
    QAction *mnuERedo = addMenuItem(edit, "&Redo", "mnuERedo");
    mnuERedo->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    edit->addSeparator();
    addMenuItem(edit, "Insert &Before", "mnuIBefore", QKeySequence("Ctrl+B"));
    addMenuItem(edit, "Insert &After", "mnuIAfter", QKeySequence("Ctrl+A"));
    addMenuItem(edit, "&Insert Blank", "mnuIBlank", QKeySequence("Ctrl+C"));
    addMenuItem(edit, "Insert &Progressive", "mnuIProgressive");
    addMenuItem(edit, "Insert &Next Moment", "mnuINextMoment", QKeySequence("Ctrl+M"));
    edit->addSeparator();
    addMenuItem(edit, "&Move", "mnuEMove");
    addMenuItem(edit, "Draw Mo&vement Lines", "mnuEMovementLines");
    addMenuItem(edit, "Frame Caption...", "mnuECaption", QKeySequence(Qt::Key_F2));
    edit->addSeparator();
    addMenuItem(edit, "&Delete Frame", "mnuEDel", QKeySequence("Ctrl+D"));

    QMenu *view = bar->addMenu("&View");
    view->setObjectName("mnuView");
    for (const auto &[caption, name] : {std::pair("&Toolbar", "mnuViewToolbar"),
                                        std::pair("Status &Bar", "mnuViewStatusBar")}) {
        QAction *shown = addMenuItem(view, caption, name);
        shown->setCheckable(true);
        shown->setChecked(true);
    }
    view->addSeparator();
    addMenuItem(view, "&Notes", "mnuViewNotes", QKeySequence("Ctrl+N"));
    view->addSeparator();
    QAction *zoomIn = addMenuItem(view, "Zoom &In", "mnuViewZoomIn");
    zoomIn->setShortcuts({QKeySequence("Ctrl+="), QKeySequence("Ctrl++")});
    addMenuItem(view, "Zoom &Out", "mnuViewZoomOut", QKeySequence("Ctrl+-"));
    addMenuItem(view, "&Actual Size", "mnuViewActualSize", QKeySequence("Ctrl+0"));
    addMenuItem(view, "&Fit Field to Window", "mnuViewFit")->setCheckable(true);

    QMenu *formations = bar->addMenu("&Formations");
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

    QMenu *labels = bar->addMenu("Player &Labels");
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

    QAction *properties = bar->addAction("&Properties");
    properties->setObjectName("mnuOPreferences");

    QMenu *help = bar->addMenu("&Help");
    help->setObjectName("mnuHelp");
    addMenuItem(help, "&Contents", "mnuHelpContents");
    addMenuItem(help, "&Search For Help On...", "mnuHelpSearch");
    addMenuItem(help, "&Tips", "mnuHelpTips");
    help->addSeparator();
    addMenuItem(help, "&About Kinetra...", "mnuHelpAbout");
}

} // namespace kinetra
