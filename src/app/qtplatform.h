#pragma once

#include "surface/platform.h"

namespace kinetra {

/// The desktop services on real Qt dialogs.
class QtPlatform : public Platform
{
public:
    Answer messageBox(const QString &text, const QString &title, Buttons buttons,
                      Icon icon) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                    const QString &defaultText,
                                    std::optional<QPoint> position) override;
    std::optional<QString> openFileName(const FileDialog &dialog) override;
    std::optional<QString> saveFileName(const FileDialog &dialog) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;
    std::optional<FontChoice> chooseFont(const QFont &initial,
                                         const QColor &initialColor) override;
    bool printerSetup(QPrinter &printer) override;
    void beep() override;
    void sleep(int milliseconds) override;
    void processEvents() override;
    void setWaitCursor(bool busy) override;
    QDateTime now() override;
    qint64 steadyMs() override;
    void singleShot(int milliseconds, QObject *context, std::function<void()> fn) override;
    double random() override;
    void showHelp(const QString &helpFile, HelpCommand command,
                  const QString &partialKey) override;

private:
    bool m_busy = false;
};

/// The program's help window (one per owner) at the help file's contents or keyword index.
void showHelpWindow(QWidget *owner, const QString &helpFile, Platform::HelpCommand command,
                    const QString &partialKey);

/// Turns a "Description (*.x)|*.x|..." filter into Qt's "Description (*.x);;..." form.
QString qtFileFilter(const QString &filter);

} // namespace kinetra
