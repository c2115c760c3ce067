#pragma once

#include "app/platform.h"

#include <QList>
#include <QQueue>
#include <QVariant>

#include <functional>

namespace kinetra {

/// A scripted desktop: dialogs answer from a queue, every call is recorded, sleep advances a
/// fake clock and never waits. Unscripted dialogs answer as a user pressing Escape would
/// (Cancel, or OK for a box that has only OK).
class FakePlatform : public Platform
{
public:
    struct Call
    {
        QString kind;  // "messageBox", "inputBox", "openFile", "saveFile", "color", "font", ...
        QString text;  // message or prompt
        QString title;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        FileDialog file;
        QString defaultText;
    };

    Answer messageBox(const QString &text, const QString &title, Buttons buttons,
                      Icon icon) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                    const QString &defaultText,
                                    std::optional<QPoint> position) override;
    std::optional<QString> openFileName(const FileDialog &dialog) override;
    std::optional<QString> saveFileName(const FileDialog &dialog) override;
    std::optional<QColor> chooseColor(const QColor &initial) override;
    std::optional<QFont> chooseFont(const QFont &initial) override;
    bool printerSetup() override;
    void beep() override;
    void sleep(int milliseconds) override;
    void processEvents() override;
    void setWaitCursor(bool busy) override;
    QDateTime now() override;
    double random() override;
    void showHelp(const QString &helpFile, HelpCommand command,
                  const QString &partialKey) override;

    // Scripting: replies are taken in order by the dialog calls of the matching kind.
    void queueAnswer(Answer answer) { m_answers.enqueue(answer); }
    void queueText(std::optional<QString> text) { m_texts.enqueue(text); }
    void queueColor(std::optional<QColor> color) { m_colors.enqueue(color); }
    void queueFont(std::optional<QFont> font) { m_fonts.enqueue(font); }
    void queueRandom(double value) { m_randoms.enqueue(value); }
    void setNow(const QDateTime &now) { m_now = now; }
    /// The next `count` file dialogs fail (throw) instead of answering.
    void failFileDialogs(int count) { m_failingFileDialogs = count; }

    // What happened.
    QList<Call> calls;
    QList<Call> messages() const;  // message boxes only
    int beeps = 0;
    qint64 sleptMs = 0;
    int processEventsCalls = 0;
    bool waitCursor = false;
    int waitCursorChanges = 0;
    QStringList helpRequests; // "contents <file>" or "search <file> <key>"
    /// Runs after a help request is recorded, e.g. the real help window or a failure.
    std::function<void(const QString &, HelpCommand, const QString &)> helpViewer;

    /// Runs before each answer is returned, e.g. to inspect the program mid-dialog.
    std::function<void(const Call &)> onCall;

private:
    void record(Call call);
    std::optional<QString> fileDialog(const char *kind, const FileDialog &dialog);

    QQueue<Answer> m_answers;
    QQueue<std::optional<QString>> m_texts;
    QQueue<std::optional<QColor>> m_colors;
    QQueue<std::optional<QFont>> m_fonts;
    QQueue<double> m_randoms;
    int m_failingFileDialogs = 0;
    QDateTime m_now{QDate(2026, 12, 7), QTime(14, 10, 9)};
};

} // namespace kinetra
