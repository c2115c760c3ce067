#pragma once

#include <QString>

namespace kinetra {

/// The program's version: its major, minor and revision numbers joined by "." ("1.4.0").
QString programVersion();

} // namespace kinetra
