#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kinetra {

/// The "About Kinetra" box: the program's icon, its version and what it is for. Modal.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    /// `version` is the program's major, minor and revision numbers joined by ".".
    frmAbout(const QIcon &icon, const QString &version, QWidget *owner = nullptr);

    /// The one sentence that says what the program is.
    static QString description();

    QLabel *picIcon = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDescription = nullptr;
    QPushButton *cmdOK = nullptr;
};

} // namespace kinetra
