// The real desktop dialogs behind the platform: what they hand back when the user accepts.
#include "app/qtplatform.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace kinetra {
namespace {

// Runs `answer` on the modal dialog the next call opens, as a user at it would.
template <typename Dialog>
void whenShown(std::function<void(Dialog *)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no dialog shown";
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        answer(dialog);
    });
}

// ---- Save dialog: the extension added follows the filter chosen ----

struct SaveCase
{
    const char *name;
    int filter;
    const char *written;
};

class SaveDialogFilter : public testing::TestWithParam<SaveCase>
{
};

TEST_P(SaveDialogFilter, ABareNameGetsTheChosenFiltersExtension)
{
    const SaveCase &c = GetParam();
    QTemporaryDir dir;
    Platform::FileDialog request;
    request.title = "Export";
    request.filter = "PNG picture (*.png)|*.png|Animated GIF (*.gif)|*.gif|All files (*)|*";
    request.startFolder = dir.path();
    request.proposedName = "play.png";
    request.defaultSuffix = "png";
    int chosen = -1;
    request.selectedFilter = &chosen;
    const QString filterText = qtFileFilter(request.filter).split(";;").value(c.filter);
    whenShown<QFileDialog>([&](QFileDialog *dialog) {
        dialog->selectNameFilter(filterText);
        dialog->selectFile("NAME");
        QMetaObject::invokeMethod(dialog, "accept"); // as its Save button does
    });
    QtPlatform platform;
    const std::optional<QString> path = platform.saveFileName(request);
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, QDir(dir.path()).filePath(c.written));
    EXPECT_EQ(chosen, c.filter);
}

INSTANTIATE_TEST_SUITE_P(Filters, SaveDialogFilter,
                         testing::Values(SaveCase{"First", 0, "NAME.png"},
                                         SaveCase{"Second", 1, "NAME.gif"},
                                         SaveCase{"AnyExtensionKeepsTheDefault", 2, "NAME.png"}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace kinetra
