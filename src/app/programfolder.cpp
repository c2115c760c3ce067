#include "app/programfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace kinetra {

namespace {

bool g_readOnly = false;

QString envFolder(const char *name)
{
    const QString value = qEnvironmentVariable(name);
    // Relative values are invalid by the XDG rules and are ignored.
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : QString();
}

} // namespace

bool folderWritable(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir())
        return false;
    constexpr QFile::Permissions kAnyWrite =
        QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    // access() also answers for read-only mounts and for the user's groups.
    return (info.permissions() & kAnyWrite)
           && ::access(QFile::encodeName(info.absoluteFilePath()).constData(), W_OK) == 0;
}

void setProgramFolder(const QString &programDir)
{
    g_readOnly = !folderWritable(programDir);
}

bool programFolderReadOnly()
{
    return g_readOnly;
}

QString stateFolder()
{
    QString base = envFolder("XDG_STATE_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + "/.local/state";
    return base + "/DAZI";
}

QString documentsFolder()
{
    QString documents = envFolder("XDG_DOCUMENTS_DIR");
    if (documents.isEmpty() || !QFileInfo(documents).isDir())
        documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QFileInfo(documents).isDir())
        documents = QDir::homePath();
    return documents;
}

QString errorLogPath()
{
    if (!g_readOnly)
        return QStringLiteral("Ktrlog.txt");
    const QString folder = stateFolder();
    QDir().mkpath(folder);
    return folder + "/Ktrlog.txt";
}

QString documentStartFolder()
{
    return g_readOnly ? documentsFolder() : QDir::currentPath();
}

} // namespace kinetra
