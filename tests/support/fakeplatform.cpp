#include "support/fakeplatform.h"

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
                                              std::optional<QPoint>)
{
    Call c;
    c.kind = "inputBox";
    c.text = prompt;
    c.title = title;
    c.defaultText = defaultText;
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
    return fileDialog("saveFile", dialog);
}

std::optional<QColor> FakePlatform::chooseColor(const QColor &)
{
    record(callOf("color"));
    return m_colors.isEmpty() ? std::nullopt : m_colors.dequeue();
}

std::optional<QFont> FakePlatform::chooseFont(const QFont &)
{
    record(callOf("font"));
    return m_fonts.isEmpty() ? std::nullopt : m_fonts.dequeue();
}

bool FakePlatform::printerSetup()
{
    record(callOf("printerSetup"));
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
}

void FakePlatform::processEvents()
{
    ++processEventsCalls;
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
