#include "model/failurereport.h"

namespace kinetra {

namespace {
FailureReporter &installedReporter()
{
    static FailureReporter reporter;
    return reporter;
}
} // namespace

void reportFailure(const std::string &activity)
{
    if (installedReporter())
        installedReporter()(activity);
}

FailureReporter setFailureReporter(FailureReporter reporter)
{
    FailureReporter previous = std::move(installedReporter());
    installedReporter() = std::move(reporter);
    return previous;
}

} // namespace kinetra
