// Entry point of the Qt test suites: a QApplication on the offscreen platform, so widget tests
// run without a display, and settings and logs that can never reach the user's real files.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

// The offscreen platform says on every window that it cannot pass size hints on; the notice
// says nothing about the program and buries the test output, so it is dropped.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (message.contains("does not support propagateSizeHints"))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg)
        std::abort();
}

} // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler(quietMessages);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settingsHome;
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    QApplication app(argc, argv);
    testing::InitGoogleMock(&argc, argv);
    // Error reports write their log into the current folder; wherever the suite is started
    // (the source tree, too), it goes to a folder of its own.
    QTemporaryDir workFolder;
    QDir::setCurrent(workFolder.path());
    return RUN_ALL_TESTS();
}
