#pragma once

#include <QString>

namespace kinetra {

class Platform;

/// Makes ReportError show its messages through platform and routes the failures the model
/// reports (reportFailure) to ReportError. Call once at start-up; the platform must outlive
/// every later report.
void installErrorReporter(Platform &platform);

/// Undoes installErrorReporter: reports then show no message box and model failures go
/// nowhere. For shutdown and tests.
void removeErrorReporter();

/// Reports the failure being handled (call from inside a catch block): stops a running
/// playback, shows "Error : <code> <description> <advice>" in a critical message box titled
/// activity, and rewrites "Ktrlog.txt" (errorLogPath()) with that one report.
void ReportError(const QString &activity);

/// Writes a failure the user need not be shown (code and description, as ReportError words
/// them) into the log alone: the log then holds that one report.
void LogFailure(const QString &activity, int code, const QString &description);

/// The advice shown after an error's description for a run-time error code, with its
/// leading blank.
QString errorAdvice(int code);

/// The full text ReportError shows for a failure.
QString errorMessage(int code, const QString &description);

} // namespace kinetra
