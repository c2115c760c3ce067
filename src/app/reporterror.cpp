#include "app/reporterror.h"

#include "app/programfolder.h"
#include "model/failurereport.h"
#include "model/runtimeerror.h"
#include "playback/playbackstate.h"
#include "surface/platform.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QThread>

#include <exception>

namespace kinetra {

namespace {

Platform *reportPlatform = nullptr;

// The log holds the most recent report only. Its fields are written as UTF-8: the line is
// read by people and support tools, not by the play-file reader.
void writeLog(const QString &activity, const QString &message)
{
    const QDateTime now = reportPlatform ? reportPlatform->now() : QDateTime::currentDateTime();
    const QString line = QStringLiteral("\"%1\",\"%2\",\"%3\",\"%4\"\r\n")
                             .arg(now.toString(QStringLiteral("MM-dd-yyyy")),
                                  now.toString(QStringLiteral("HH:mm:ss")), activity, message);
    QFile log(errorLogPath());
    // A log that cannot be written is dropped: the user has seen the message already.
    if (log.open(QIODevice::WriteOnly | QIODevice::Truncate))
        log.write(line.toUtf8());
}

} // namespace

void installErrorReporter(Platform &platform)
{
    reportPlatform = &platform;
    // Reports are shown on the window's thread only; work on other threads (the recovery
    // copy's writer) reports its failures its own way.
    setFailureReporter([](const std::string &activity) {
        const QCoreApplication *app = QCoreApplication::instance();
        if (!app || QThread::currentThread() == app->thread())
            ReportError(QString::fromStdString(activity));
    });
}

void removeErrorReporter()
{
    reportPlatform = nullptr;
    setFailureReporter(nullptr);
}

void LogFailure(const QString &activity, int code, const QString &description)
{
    writeLog(activity, errorMessage(code, description));
}

QString errorAdvice(int code)
{
    if (code == 7 || code == 14 || code == 28 || code == 342)
        return QStringLiteral(" Try closing other apps and freeing up memory.");
    if (code == 61 || code == 716)
        return QStringLiteral(" Check available free disk space and try again.");
    if (code == 482)
        return QStringLiteral(" Check that printer is online and connected.");
    if ((code >= 51 && code <= 64) || (code >= 708 && code <= 719))
        return QStringLiteral(" Kinetra can only read files with KTR extensions. Try reading "
                              "another play file or exiting and run program again.");
    if (code >= 600 && code <= 4000)
        return QStringLiteral(" Data error - make sure you access Kinetra files. Try exiting "
                              "and restarting program.");
    return QStringLiteral(" Exit and try restarting program. If problem persists contact "
                          "support.");
}

QString errorMessage(int code, const QString &description)
{
    return QStringLiteral("Error : ") + (code >= 0 ? QStringLiteral(" ") : QString())
           + QString::number(code) + QStringLiteral(" ") + description + QStringLiteral(" ")
           + errorAdvice(code);
}

void ReportError(const QString &activity)
{
    // Outside a catch block there is no failure to read; report it as an internal error
    // rather than ending the program.
    const RuntimeError failure = std::current_exception() ? currentFailure() : RuntimeError(51);

    if (VideoPlaying) {
        VideoPlaying = false;
        if (restorePlayButton)
            restorePlayButton();
    }

    const QString message =
        errorMessage(failure.code(), QString::fromStdString(failure.description()));
    if (reportPlatform)
        reportPlatform->messageBox(message, activity, Platform::Buttons::Ok,
                                   Platform::Icon::Critical);
    writeLog(activity, message);
}

} // namespace kinetra
