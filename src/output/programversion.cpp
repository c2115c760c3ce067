#include "output/programversion.h"

namespace kinetra {

QString programVersion()
{
    return QString("%1.%2.%3")
        .arg(KINETRA_VERSION_MAJOR)
        .arg(KINETRA_VERSION_MINOR)
        .arg(KINETRA_VERSION_PATCH);
}

} // namespace kinetra
