#pragma once

#include <functional>
#include <string>

namespace kinetra {

/// Hands the failure being handled to the program's error reporter, naming the activity that
/// failed. Call only from inside a catch block. Does nothing until a reporter is installed.
void reportFailure(const std::string &activity);

/// Installs the reporter that reportFailure() calls; the application installs ReportError.
/// Returns the previous one so tests can restore it.
using FailureReporter = std::function<void(const std::string &activity)>;
FailureReporter setFailureReporter(FailureReporter reporter);

} // namespace kinetra
