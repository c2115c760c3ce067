#include "app/qtplatform.h"

#include "windows/frmhelp.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QThread>

namespace kinetra {

QString qtFileFilter(const QString &filter)
{
    // Pairs of "shown text|pattern": Qt shows the text, which already names the pattern.
    const QStringList parts = filter.split('|');
    QStringList shown;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString text = parts[i];
        if (!text.contains('('))
            text += " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
        shown << text;
    }
    return shown.join(";;");
}

Platform::Answer QtPlatform::messageBox(const QString &text, const QString &title,
                                        Buttons buttons, Icon icon)
{
    QMessageBox box(dialogParent());
    box.setText(text);
    box.setWindowTitle(title);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    }
    switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    // A pending busy pointer must not hide the pointer over the message.
    const bool busy = m_busy;
    if (busy)
        QApplication::restoreOverrideCursor();
    const int result = box.exec();
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    switch (result) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    default: return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

std::optional<QString> QtPlatform::inputBox(const QString &prompt, const QString &title,
                                            const QString &defaultText,
                                            std::optional<QPoint> position)
{
    QInputDialog dialog(dialogParent());
    dialog.setLabelText(prompt);
    dialog.setWindowTitle(title);
    dialog.setTextValue(defaultText);
    if (position)
        dialog.move(*position);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtPlatform::openFileName(const FileDialog &d)
{
    QFileDialog dialog(dialogParent(), d.title, d.startFolder, qtFileFilter(d.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(d.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!d.proposedName.isEmpty())
        dialog.selectFile(d.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> QtPlatform::saveFileName(const FileDialog &d)
{
    QFileDialog dialog(dialogParent(), d.title, d.startFolder, qtFileFilter(d.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !d.confirmReplace);
    if (!d.proposedName.isEmpty())
        dialog.selectFile(d.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QColor> QtPlatform::chooseColor(const QColor &initial)
{
    const QColor c = QColorDialog::getColor(initial, dialogParent());
    if (!c.isValid())
        return std::nullopt;
    return c;
}

std::optional<QFont> QtPlatform::chooseFont(const QFont &initial)
{
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, initial, dialogParent());
    if (!ok)
        return std::nullopt;
    return f;
}

bool QtPlatform::printerSetup()
{
    static QPrinter printer;
    QPageSetupDialog dialog(&printer, dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

void QtPlatform::beep()
{
    QApplication::beep();
}

void QtPlatform::sleep(int milliseconds)
{
    QThread::msleep(ulong(std::max(0, milliseconds)));
}

void QtPlatform::processEvents()
{
    QCoreApplication::processEvents();
}

void QtPlatform::setWaitCursor(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

QDateTime QtPlatform::now()
{
    return QDateTime::currentDateTime();
}

double QtPlatform::random()
{
    return QRandomGenerator::global()->generateDouble();
}

void QtPlatform::showHelp(const QString &helpFile, HelpCommand command,
                          const QString &partialKey)
{
    showHelpWindow(dialogParent(), helpFile, command, partialKey);
}

void showHelpWindow(QWidget *owner, const QString &helpFile, Platform::HelpCommand command,
                    const QString &partialKey)
{
    frmHelp *help = frmHelp::of(owner);
    if (command == Platform::HelpCommand::Contents)
        help->showContents(helpFile);
    else
        help->showIndex(helpFile, partialKey);
}

} // namespace kinetra
