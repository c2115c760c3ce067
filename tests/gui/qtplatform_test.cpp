// The real desktop dialogs behind the platform: what they hand back when the user accepts.
#include "app/qtplatform.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
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

// ---- Open dialog in folder mode: the folder is chosen, files are not offered ----

TEST(FolderDialog, HandsBackTheChosenFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("Plays"));
    Platform::FileDialog request;
    request.title = "Choose the Folder of Plays";
    request.startFolder = dir.path();
    request.mustExist = true;
    request.folder = true;
    whenShown<QFileDialog>([](QFileDialog *dialog) {
        EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
        EXPECT_TRUE(dialog->testOption(QFileDialog::ShowDirsOnly));
        dialog->selectFile("Plays");
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QtPlatform platform;
    const std::optional<QString> path = platform.openFileName(request);
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, QDir(dir.path()).filePath("Plays"));
}

// ---- Font chooser: OK without a change gives the font back as it was ----

struct FontCase
{
    const char *name;
    const char *family;
    int pointSize;
    bool bold;
    bool italic;
    bool underline;
};

class FontChooserUnchanged : public testing::TestWithParam<FontCase>
{
};

TEST_P(FontChooserUnchanged, OkKeepsFamilySizeWeightSlantAndEffects)
{
    const FontCase &c = GetParam();
    ASSERT_TRUE(QFontDatabase::families().contains(c.family)) << c.family;
    QFont given(c.family, c.pointSize);
    given.setBold(c.bold);
    given.setItalic(c.italic);
    given.setUnderline(c.underline);
    whenShown<QDialog>([](QDialog *dialog) { dialog->accept(); });
    QtPlatform platform;
    const std::optional<Platform::FontChoice> choice = platform.chooseFont(given, Qt::blue);
    ASSERT_TRUE(choice);
    const QFont &font = choice->font;
    EXPECT_EQ(font.family(), given.family());
    EXPECT_EQ(font.pointSize(), given.pointSize());
    EXPECT_EQ(font.weight(), given.weight());
    EXPECT_EQ(font.italic(), given.italic());
    EXPECT_EQ(font.underline(), given.underline());
    EXPECT_EQ(font.strikeOut(), given.strikeOut());
    EXPECT_EQ(choice->color, QColor(Qt::blue));
}

INSTANTIATE_TEST_SUITE_P(
    Faces, FontChooserUnchanged,
    testing::Values(FontCase{"SansBook", "DejaVu Sans", 10, false, false, false},
                    FontCase{"SerifBook", "DejaVu Serif", 10, false, false, true},
                    FontCase{"SansBold", "DejaVu Sans", 12, true, false, false},
                    FontCase{"SerifItalic", "DejaVu Serif", 9, false, true, false},
                    FontCase{"SansBoldOblique", "DejaVu Sans", 14, true, true, false}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace kinetra
