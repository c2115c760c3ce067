#pragma once

#include <QWidget>

namespace kinetra {

/// The start-up window: the program's logo and its version.
class frmSplash : public QWidget
{
public:
    explicit frmSplash(const QString &version);
};

} // namespace kinetra
