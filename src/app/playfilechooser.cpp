#include "app/playfilechooser.h"

#include "app/programfolder.h"
#include "surface/platform.h"

#include <QDir>
#include <QFileInfo>

namespace kinetra {

QString proposedPlayFileName(const QString &title)
{
    static const QString kExtension = ".ktr";
    constexpr qsizetype kMostBytes = 255; // a file name's limit on Linux file systems
    QString name;
    for (const QChar c : title)
        name += c == '/' || c.category() == QChar::Other_Control ? QChar('_') : c;
    // Blanks at the ends are lost in the dialog, a leading dot hides the file and a trailing
    // one runs into the extension.
    auto trimmed = [](QString text) {
        qsizetype first = 0;
        qsizetype last = text.size();
        while (first < last && (text[first].isSpace() || text[first] == '.'))
            ++first;
        while (last > first && (text[last - 1].isSpace() || text[last - 1] == '.'))
            --last;
        return text.mid(first, last - first);
    };
    name = trimmed(name);
    while (!name.isEmpty() && (name + kExtension).toUtf8().size() > kMostBytes) {
        // Never half a character: a surrogate pair goes whole.
        name.chop(name.size() >= 2 && name.back().isLowSurrogate() ? 2 : 1);
        name = trimmed(name);
    }
    return name.isEmpty() ? QString("new.ktr") : name + kExtension;
}

PlayFileChooser::PlayFileChooser(Platform &platform) : m_platform(platform) {}

std::optional<QString> PlayFileChooser::choose(bool saving, const QString &playFile,
                                               const QString &title)
{
    Platform::FileDialog dialog;
    dialog.title = saving ? "Save As" : "Open";
    dialog.filter = saving ? "Play files (*.KTR)|*.KTR" : "Play Files (*.KTR)|*.KTR";
    dialog.startFolder = startFolder();
    // Saving a play its own folder refused proposes the play's name for the new place; a play
    // never saved is proposed under its title.
    const bool refused = !playFile.isEmpty() && inRefusedFolder(playFile);
    const QString saveName = refused              ? QFileInfo(playFile).fileName()
                             : playFile.isEmpty() ? proposedPlayFileName(title)
                                                  : QString("new.ktr");
    dialog.proposedName = saving ? saveName : QFileInfo(m_proposedName).fileName();
    dialog.mustExist = !saving;
    dialog.confirmReplace = saving;
    if (saving)
        dialog.defaultSuffix = "KTR";
    std::optional<QString> chosen;
    bool failed = false;
    try {
        chosen = saving ? m_platform.saveFileName(dialog) : m_platform.openFileName(dialog);
        failed = chosen && chosen->trimmed().isEmpty();
    } catch (...) {
        failed = true;
    }
    if (failed) {
        m_platform.beep();
        m_platform.messageBox("Error selecting file.", "Kinetra", Platform::Buttons::Ok,
                              Platform::Icon::Warning);
        return std::nullopt;
    }
    if (!chosen)
        return std::nullopt;
    noteChosen(chosen->trimmed());
    return m_lastChosen;
}

bool PlayFileChooser::addPlayExtension(QString &path)
{
    // Without the extension the Open dialog's filter would hide the play. A name that has one
    // is kept as typed.
    if (!QFileInfo(path).suffix().isEmpty())
        return true;
    path += ".KTR";
    noteChosen(path);
    return m_platform.mayReplace(path, "Save As");
}

QString PlayFileChooser::startFolder() const
{
    // The dialogs start where the last chosen file lies; at first in the current folder,
    // which start-up made the program's folder (the user's documents folder when that one is
    // read-only).
    if (m_lastChosen.isEmpty())
        return documentStartFolder();
    // A folder that refused a save is no place to start: the user's documents are.
    return inRefusedFolder(m_lastChosen) ? documentsFolder()
                                         : QFileInfo(m_lastChosen).absolutePath();
}

void PlayFileChooser::noteChosen(const QString &file)
{
    m_lastChosen = file;
    m_proposedName = file;
}

void PlayFileChooser::noteRefused(const QString &file)
{
    m_refusedFolder = QFileInfo(file).absolutePath();
}

bool PlayFileChooser::inRefusedFolder(const QString &file) const
{
    return !m_refusedFolder.isEmpty() && QFileInfo(file).absolutePath() == m_refusedFolder;
}

} // namespace kinetra
