#include "support/fakeplatform.h"

#include <algorithm>
#include <stdexcept>

namespace kinetra {

namespace {
FakePlatform::Call callOf(const char *kind)
{
    FakePlatform::Call call;
    call.kind = kind;
    return call;
}
} // namespace

void FakePlatform::record(Call call)
{
    calls.append(call);
    if (onCall)
        onCall(calls.last());
}

QList<FakePlatform::Call> FakePlatform::messages() const
{
    QList<Call> out;
    for (const Call &c : calls)
        if (c.kind == "messageBox")
            out.append(c);
    return out;
}

Platform::Answer FakePlatform::messageBox(const QString &text, const QString &title,
                                          Buttons buttons, Icon icon)
{
    Call c;
    c.kind = "messageBox";
    c.text = text;
    c.title = title;
    c.buttons = buttons;
    c.icon = icon;
    record(c);
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

std::optional<QString> FakePlatform::inputBox(const QString &prompt, const QString &title,
                                              const QString &defaultText,
                                              std::optional<QPoint> position)
{
    Call c;
    c.kind = "inputBox";
    c.text = prompt;
    c.title = title;
    c.defaultText = defaultText;
    c.position = position;
    record(c);
    return m_texts.isEmpty() ? std::nullopt : m_texts.dequeue();
}

std::optional<QString> FakePlatform::fileDialog(const char *kind, const FileDialog &dialog)
{
    Call c;
    c.kind = kind;
    c.title = dialog.title;
    c.file = dialog;
    record(c);
    if (m_failingFileDialogs > 0) {
        --m_failingFileDialogs;
        throw std::runtime_error("file dialog failed");
    }
    return m_texts.isEmpty() ? std::nullopt : m_texts.dequeue();
}

std::optional<QString> FakePlatform::openFileName(const FileDialog &dialog)
{
    return fileDialog("openFile", dialog);
}

std::optional<QString> FakePlatform::saveFileName(const FileDialog &dialog)
{
    std::optional<QString> chosen = fileDialog("saveFile", dialog);
    const int filter = m_filters.isEmpty() ? 0 : m_filters.dequeue();
    if (dialog.selectedFilter)
        *dialog.selectedFilter = filter;
    return chosen;
}

std::optional<QColor> FakePlatform::chooseColor(const QColor &)
{
    record(callOf("color"));
    return m_colors.isEmpty() ? std::nullopt : m_colors.dequeue();
}

std::optional<Platform::FontChoice> FakePlatform::chooseFont(const QFont &, const QColor &)
{
    record(callOf("font"));
    return m_fonts.isEmpty() ? std::nullopt : m_fonts.dequeue();
}

bool FakePlatform::printerSetup(QPrinter &)
{
    record(callOf("printerSetup"));
    if (m_failingPrinterSetups > 0) {
        --m_failingPrinterSetups;
        throw std::runtime_error("printer set-up failed");
    }
    return !m_answers.isEmpty() && m_answers.dequeue() == Answer::Ok;
}

void FakePlatform::beep()
{
    ++beeps;
}

void FakePlatform::sleep(int milliseconds)
{
    sleptMs += milliseconds;
    m_now = m_now.addMSecs(milliseconds);
    m_steadyMs += milliseconds;
}

qint64 FakePlatform::steadyMs()
{
    return m_steadyMs;
}

void FakePlatform::singleShot(int milliseconds, QObject *context, std::function<void()> fn)
{
    timerDelays.append(milliseconds);
    m_timers.append(Timer{m_steadyMs + std::max(0, milliseconds), m_timersSet++,
                          QPointer<QObject>(context), std::move(fn)});
}

void FakePlatform::moveClockTo(qint64 ms)
{
    if (ms <= m_steadyMs)
        return;
    m_now = m_now.addMSecs(ms - m_steadyMs);
    m_steadyMs = ms;
}

int FakePlatform::pendingTimers()
{
    m_timers.removeIf([](const Timer &t) { return t.context.isNull(); });
    return int(m_timers.size());
}

bool FakePlatform::fireNextTimer()
{
    if (pendingTimers() == 0)
        return false;
    const auto first = std::min_element(m_timers.begin(), m_timers.end(),
                                        [](const Timer &a, const Timer &b) {
                                            return a.due != b.due ? a.due < b.due
                                                                  : a.order < b.order;
                                        });
    Timer timer = *first;
    m_timers.erase(first);
    moveClockTo(timer.due);
    timer.fn();
    return true;
}

void FakePlatform::advance(qint64 ms)
{
    const qint64 until = m_steadyMs + ms;
    for (;;) {
        pendingTimers();
        const auto due = std::find_if(m_timers.begin(), m_timers.end(),
                                      [until](const Timer &t) { return t.due <= until; });
        if (due == m_timers.end())
            break;
        fireNextTimer();
    }
    moveClockTo(until);
}

void FakePlatform::processEvents()
{
    ++processEventsCalls;
    if (onProcessEvents)
        onProcessEvents();
}

void FakePlatform::setWaitCursor(bool busy)
{
    waitCursor = busy;
    ++waitCursorChanges;
}

QDateTime FakePlatform::now()
{
    return m_now;
}

double FakePlatform::random()
{
    return m_randoms.isEmpty() ? 0.0 : m_randoms.dequeue();
}

void FakePlatform::showHelp(const QString &helpFile, HelpCommand command,
                            const QString &partialKey)
{
    helpRequests.append(command == HelpCommand::Contents
                            ? "contents " + helpFile
                            : "search " + helpFile + " " + partialKey);
    if (helpViewer)
        helpViewer(helpFile, command, partialKey);
}

} // namespace kinetra
