#pragma once

#include "output/playexport.h"
#include "output/playprinter.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

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
    FramePicture picture;
};

/// A playbook's plays as read from their files, in order.
struct PlaybookSource
{
    QStringList files;
    QList<PlayForExport> plays;
};

/// Reads the play files in order with the looks of prefs, as export reads a play. A file
/// that cannot be read whole throws ExportError whose message names the file and the reason.
PlaybookSource readPlaybookPlays(const QStringList &files, const Preferences &prefs);

/// Prints a playbook on target as one document titled `name`: contents pages (the name,
/// then each play's name and first page number), then each play as printPlay prints it with
/// all frames, every page numbered "Page <n> of <m>" at its foot. The options' font prints the
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
