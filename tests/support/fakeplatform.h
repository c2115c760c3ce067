#pragma once

#include "surface/platform.h"

#include <QList>
#include <QPointer>
#include <QQueue>
#include <QVariant>

#include <functional>

namespace kinetra {

/// A scripted desktop: dialogs answer from a queue, every call is recorded, sleep advances a
/// fake clock and never waits, and timers run only when a test moves that clock on. Unscripted
/// dialogs answer as a user pressing Escape would (Cancel, or OK for a box that has only OK).
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
        std::optional<QPoint> position; // where an input box was placed
    };

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

    // Scripting: replies are taken in order by the dialog calls of the matching kind.
    void queueAnswer(Answer answer) { m_answers.enqueue(answer); }
    void queueText(std::optional<QString> text) { m_texts.enqueue(text); }
    /// The filter the next save dialog leaves chosen (by index); the first one when none.
    void queueFilter(int index) { m_filters.enqueue(index); }
    void queueColor(std::optional<QColor> color) { m_colors.enqueue(color); }
    void queueFont(std::optional<QFont> font, const QColor &color = Qt::black)
    {
        m_fonts.enqueue(font ? std::optional<FontChoice>(FontChoice{*font, color}) : std::nullopt);
    }
    void queueRandom(double value) { m_randoms.enqueue(value); }
    void setNow(const QDateTime &now) { m_now = now; }
    /// Timers: the clock stands still until a test moves it; the timers that fall due on the
    /// way run in order of their due time (then of setting). Moving it also moves now().
    /// fireNextTimer moves the clock to the earliest live timer and runs it; false when none
    /// is pending. advance moves it on by ms.
    bool fireNextTimer();
    void advance(qint64 ms);
    /// Timers set and not yet run whose context still exists.
    int pendingTimers();
    /// The delay of every timer set so far, in order.
    QList<int> timerDelays;

    /// The next `count` file dialogs fail (throw) instead of answering.
    void failFileDialogs(int count) { m_failingFileDialogs = count; }
    /// The next `count` printer set-up dialogs fail (throw); the others take answers (Ok
    /// accepts) and change nothing.
    void failPrinterSetups(int count) { m_failingPrinterSetups = count; }

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
    /// Runs when pending events are let through, as a user's click in the meantime would.
    std::function<void()> onProcessEvents;

private:
    void record(Call call);
    std::optional<QString> fileDialog(const char *kind, const FileDialog &dialog);

    QQueue<Answer> m_answers;
    QQueue<std::optional<QString>> m_texts;
    QQueue<int> m_filters;
    QQueue<std::optional<QColor>> m_colors;
    QQueue<std::optional<FontChoice>> m_fonts;
    QQueue<double> m_randoms;
    int m_failingFileDialogs = 0;
    struct Timer
    {
        qint64 due;
        quint64 order;
        QPointer<QObject> context;
        std::function<void()> fn;
    };
    void moveClockTo(qint64 ms);
    QList<Timer> m_timers;
    quint64 m_timersSet = 0;
    qint64 m_steadyMs = 1000000;
    int m_failingPrinterSetups = 0;
    QDateTime m_now{QDate(2026, 12, 7), QTime(14, 10, 9)};
};

} // namespace kinetra
