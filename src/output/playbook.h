#pragma once

#include "output/playexport.h"
#include "output/playprinter.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

#include <optional>

namespace kinetra {

class PrintTarget;

/// One play of a playbook, ready to print: the play, the shape of its pictures and how each
/// frame is drawn.
struct PlaybookPlay
{
    QString name; ///< what the contents call it: the play's title, or its file's name
    const PlaySnapshot *play = nullptr;
    QSize surfaceSize;
    /// What frame `index` (1-based) is printed from, drawn with player `focus` highlighted
    /// (numbered as FrameLooks::focusPlayer; -1 for none).
    std::function<FrameShot(int16_t index, int focus)> picture;
};

/// A run of a playbook's pages: one play printed with its options.
struct PlaybookPart
{
    int play = 0;       ///< which of the playbook's plays
    int focus = -1;     ///< the player its frames are drawn focused on, -1 for none
    PrintOptions options;
    QString entry;      ///< the contents entry that starts here; empty for none
};

/// The parts of a playbook in print order: every play as chosen (all frames), its name the
/// entry; then, for each label of options.positions in turn (blank ones left out), a section
/// in which every play is printed again as a sheet focused on the player the label names
/// (see playerLabelled, by the play's own labels), headed and entered in the contents as "<label> - <name>". Where
/// that player stands nowhere in the play's frames, nothing is focused and the heading gets
/// a second line "<label> not in this play".
QList<PlaybookPart> playbookParts(const QString &name, const PrintOptions &options,
                                  const QList<PlaybookPlay> &plays);

/// A playbook's plays as read from their files, in order.
struct PlaybookSource
{
    QStringList files;
    QList<PlaySnapshot> plays;
    Preferences prefs; ///< the user's, which every play is drawn with besides its own looks
};

/// Reads the play files in order, each with its own looks over those of prefs, as export reads
/// a play. A file
/// that cannot be read whole throws ExportError whose message names the file and the reason.
PlaybookSource readPlaybookPlays(const QStringList &files, const Preferences &prefs);

/// Prints a playbook on target as one document titled `name`: contents pages (the name,
/// then each entry of playbookParts with its first page number), then each part as printPlay
/// prints it, every page numbered "Page <n> of <m>" at its foot. The options' font prints the
/// pages; the name is printed in it, bold and twice the size. progress(done, total) is told of
/// every frame printed; returning false stops the print without finishing the document, and
/// printPlaybook returns nullopt. Otherwise ends the document and returns the number of pages.
std::optional<int> printPlaybook(PrintTarget &target, const QString &name,
                                 const PrintOptions &options, const QList<PlaybookPlay> &plays,
                                 const ExportProgress &progress = {});

/// Prints the plays read as a playbook on target (see printPlaybook), each drawn as export
/// draws it: on its own field picture with its own looks, the pictures found in programDir.
std::optional<int> printPlaybookPlays(PrintTarget &target, const QString &name,
                                      const PlaybookSource &source, const PrintOptions &options,
                                      const QString &programDir,
                                      const ExportProgress &progress = {});

/// Writes the plays read as a playbook PDF at `output` through a temporary file that replaces
/// `output` only once the document is complete. Returns false when progress cancelled it; no
/// file is left then.
bool exportPlaybook(const QString &output, const QString &name, const PlaybookSource &source,
                    const PrintOptions &options, const QString &programDir,
                    const ExportProgress &progress = {});

} // namespace kinetra
