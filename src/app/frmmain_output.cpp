// The File menu's printing and export commands, wired to the class that runs them.
#include "app/frmmain.h"

#include "app/outputcommands.h"
#include "app/playfilechooser.h"

#include <QMenu>

namespace kinetra {

void frmMain::connectOutputCommands()
{
    OutputCommands::Window window;
    window.widget = this;
    window.looks = [this] { return looks(); };
    window.busy = [this](bool busy) { busy ? WaitStart() : WaitEnd(); };
    window.startFolder = [this] { return m_chooser->startFolder(); };
    window.playDirectoryFolder = [this] { return playDirectoryFolder(); };
    window.exportScale = [this] { return exportScale(); };
    m_output = new OutputCommands(m_document, m_prefs, m_store, *m_surface, m_platform,
                                  m_programDir, std::move(window), this);
    OutputCommands *output = m_output;
    onCommand("mnuFilePrint", [output] { output->print(); });
    onCommand("mnuFilePageSetup", [output] { output->pageSetup(); });
    onCommand("mnuFilePlaybook", [output] { output->printPlaybook(); });
    onCommand("mnuFileSaveBMP", [output] { output->saveBmp(); });
    onCommand("mnuFileExport", [output] { output->exportPlay(); });
    if (auto *sizes = findChild<QMenu *>("mnuFileExportSize"))
        connect(sizes, &QMenu::aboutToShow, this, [output, sizes] { output->nameExportSizes(sizes); });
}

} // namespace kinetra
