// Field and symbol pictures that cannot be read: the fallbacks, the window that still has a
// surface to work on, symbols drawn with their boxes' pictures, and boxes that never overlap.

#include "editingwindow.h"
#include "imagecheck.h"

#include "surface/dragpicture.h"
#include "surface/picturefiles.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>

namespace kinetra {
namespace {

const QString kProgramDir = KINETRA_PROGRAM_DIR;

// A program folder of the test's own, holding copies of the named pictures of the real one.
class ProgramFolder
{
public:
    explicit ProgramFolder(const QStringList &pictures)
    {
        for (const QString &name : pictures)
            EXPECT_TRUE(QFile::copy(kProgramDir + "/" + name, path(name))) << name.toStdString();
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

QImage programPicture(const QString &name)
{
    return QImage(kProgramDir + "/" + name);
}

// ---- Where a picture comes from -----------------------------------------------------------

struct FallbackCase
{
    const char *name;
    const char *stored;        // %1 is a folder that exists but holds no pictures
    QStringList inFolder;      // pictures the program folder holds
    PictureOrigin origin;
    const char *shown;         // the program folder's file shown, empty when drawn
};

void PrintTo(const FallbackCase &c, std::ostream *os)
{
    *os << c.name;
}

class PictureFallback : public testing::TestWithParam<FallbackCase>
{
};

TEST_P(PictureFallback, TriesStoredPathThenSameNameThenDefaultThenDraws)
{
    const FallbackCase &c = GetParam();
    const ProgramFolder program(c.inFolder);
    QTemporaryDir elsewhere;
    Preferences prefs;
    const QString stored = QString(c.stored).replace("%1", elsewhere.path());
    prefs.PicFile[1] = stored.toStdString();
    const ResolvedPicture picture = resolveFieldPicture(prefs, 1, program.folder());
    EXPECT_EQ(picture.origin, c.origin);
    if (c.origin == PictureOrigin::Drawn) {
        EXPECT_EQ(picture.image.size(), QSize(400, 373));
        EXPECT_TRUE(picture.file.isEmpty());
    } else {
        EXPECT_EQ(picture.image, programPicture(c.shown).convertToFormat(picture.image.format()));
    }
    EXPECT_EQ(prefs.PicFile[1], stored.toStdString()) << "the stored path is kept";
}

const QStringList kAllFields = {"Surface0.BMP", "Surface1.BMP", "Surface2.BMP", "Surface3.BMP"};

INSTANTIATE_TEST_SUITE_P(
    Paths, PictureFallback,
    testing::Values(
        FallbackCase{"StoredFileReadable", KINETRA_PROGRAM_DIR "/Surface3.BMP", {},
                     PictureOrigin::Stored, "Surface3.BMP"},
        FallbackCase{"MovedProgramFolder", "%1/Surface3.BMP", kAllFields,
                     PictureOrigin::ProgramFolder, "Surface3.BMP"},
        FallbackCase{"WindowsPathOtherCase", "C:\\Kinetra\\surface3.bmp", kAllFields,
                     PictureOrigin::ProgramFolder, "Surface3.BMP"},
        FallbackCase{"UnknownNameGetsSlotDefault", "%1/mine.BMP", kAllFields,
                     PictureOrigin::ProgramDefault, "Surface1.BMP"},
        FallbackCase{"EmptyPath", "", kAllFields, PictureOrigin::ProgramDefault,
                     "Surface1.BMP"},
        FallbackCase{"NothingReadable", "%1/Surface1.BMP", {"Surface0.BMP"},
                     PictureOrigin::Drawn, ""}));

TEST(PictureFallback, BrokenFileIsSkippedLikeAMissingOne)
{
    const ProgramFolder program({"Sym3.bmp"});
    QTemporaryDir elsewhere;
    QFile broken(elsewhere.filePath("Sym3.bmp"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM this is not a picture");
    broken.close();
    Preferences prefs;
    prefs.SymbolFile[2] = broken.fileName().toStdString();
    const ResolvedPicture picture = resolveSymbolPicture(prefs, 2, program.folder());
    EXPECT_EQ(picture.origin, PictureOrigin::ProgramFolder);
    EXPECT_EQ(picture.file, program.path("Sym3.bmp"));

    // Drawn symbols can be seen: they are not all white, so not all see-through.
    const QImage drawn = resolveSymbolPicture(prefs, 5, program.folder()).image;
    EXPECT_GT(drawn.width() * drawn.height() - test::pixelsOf(drawn, qRgb(255, 255, 255)), 100);
}

// ---- The window with pictures missing -----------------------------------------------------

class MissingPictures : public testing::Test, public test::EditingWindow
{
protected:
    void openIn(const ProgramFolder &program)
    {
        window = std::make_unique<frmMain>(platform, store, program.folder());
        window->show();
        QApplication::processEvents();
    }
};

TEST_F(MissingPictures, MissingFieldStillGivesASurfaceToPlaceOn)
{
    const ProgramFolder program({});
    const QString stored = "/opt/old-kinetra/Surface0.BMP";
    store.write("Settings", "PicFile0", stored);
    openIn(program);

    EXPECT_EQ(window->canvas()->size(), QSize(400, 373));
    EXPECT_EQ(window->captionBox()->y(), window->canvas()->y() + 373) << "caption under the field";
    EXPECT_EQ(window->Frame1()->y(), window->captionBox()->geometry().bottom() + 1);
    const QImage bare = window->surface()->picture();
    ASSERT_TRUE(drop(Part::Offense, 3, QPointF(200, 180)));
    EXPECT_EQ(frame().OPlayerX[3], 200.0f);
    EXPECT_NE(image().pixel(200, 180), bare.pixel(200, 180)) << "the player is drawn";

    EXPECT_EQ(window->prefs().PicFile[0], stored.toStdString());
    window->close();
    EXPECT_EQ(IniSettingsStore(settings.iniPath()).read("Settings", "PicFile0"), stored);
}

TEST_F(MissingPictures, SymbolsAreDrawnWithTheirBoxesPicturesWhenBoxFoursFileIsMissing)
{
    QStringList pictures = {"Surface0.BMP"};
    for (int k = 1; k <= 8; ++k)
        if (k != 5)
            pictures << QString("Sym%1.bmp").arg(k);
    const ProgramFolder program(pictures);
    openIn(program);

    ASSERT_EQ(window->symbolPicture(4).size(), QSize(24, 24));
    EXPECT_EQ(window->symbolPicture(4), drawnSymbolPicture(4));
    for (int k : {0, 4}) {
        frame() = PlayConfig();
        frame().SYMBOLX[k] = 300;
        frame().SYMBOLY[k] = 300;
        window->DrawSelected();
        // Every pixel of the box's picture that is not white shows on the surface.
        const QImage symbol = window->symbolPicture(k).convertToFormat(QImage::Format_RGB32);
        int shown = 0;
        for (int y = 0; y < symbol.height(); ++y)
            for (int x = 0; x < symbol.width(); ++x)
                if ((symbol.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                    EXPECT_EQ(image().pixel(300 + x, 300 + y) | 0xFF000000, symbol.pixel(x, y));
                    ++shown;
                }
        EXPECT_GT(shown, 50) << "symbol " << k;
    }
}

// Large pictures are shown scaled down in boxes that keep clear of each other; the surface and
// the drop use the picture's own size.
TEST_F(MissingPictures, LargeSymbolPicturesDoNotOverlapOnThePalette)
{
    const ProgramFolder program({"Surface0.BMP"});
    QImage big(48, 48, QImage::Format_RGB32);
    big.fill(QColor(200, 0, 0));
    for (int k : {0, 1, 4}) {
        const QString file = program.path(QString("big%1.png").arg(k));
        ASSERT_TRUE(big.save(file));
        store.write("Symbol", QString("File%1").arg(k + 1), file);
    }
    openIn(program);

    QList<QWidget *> boxes;
    for (DragPicture *box : window->toolPalette()->ImgSymbols)
        boxes << box;
    for (QLineEdit *text : window->toolPalette()->TxtSymbol)
        boxes << text;
    for (DragPicture *label : window->toolPalette()->Imgtext)
        boxes << label;
    for (int i = 0; i < boxes.size(); ++i) {
        EXPECT_TRUE(boxes[i]->parentWidget()->rect().contains(boxes[i]->geometry()))
            << boxes[i]->objectName().toStdString();
        for (int j = i + 1; j < boxes.size(); ++j)
            EXPECT_FALSE(boxes[i]->geometry().intersects(boxes[j]->geometry()))
                << boxes[i]->objectName().toStdString() << " and "
                << boxes[j]->objectName().toStdString();
    }
    EXPECT_EQ(window->symbolPicture(0).size(), QSize(48, 48));

    // Centred on the drop point at its own size: 48 and a one-pixel frame each side.
    ASSERT_TRUE(drop(Part::Symbol, 1, QPointF(100, 100)));
    EXPECT_EQ(frame().SYMBOLX[1], 75.0f);
    EXPECT_EQ(frame().SYMBOLY[1], 75.0f);
    EXPECT_EQ(image().pixel(75 + 47, 75 + 47), qRgb(200, 0, 0));
}

// The Properties dialog changes the record's pictures, then reloads them.
TEST_F(MissingPictures, LoadPicturesFollowsTheRecordAndRedraws)
{
    const ProgramFolder program({"Surface0.BMP"});
    openIn(program);
    frame().OPlayerX[0] = 50;
    frame().OPlayerY[0] = 50;
    QImage small(300, 200, QImage::Format_RGB32);
    small.fill(QColor(10, 90, 10));
    ASSERT_TRUE(small.save(program.path("small.png")));
    window->menuItem("mnuViewActualSize")->trigger(); // the field shown at its own size
    window->prefs().PicFile[0] = program.path("small.png").toStdString();
    window->LoadPictures();
    EXPECT_EQ(window->canvas()->size(), QSize(300, 200));
    EXPECT_EQ(window->captionBox()->y(), window->canvas()->y() + 200);
    EXPECT_NE(image().pixel(50, 50), qRgb(10, 90, 10)) << "the frame is drawn on the new field";
}

} // namespace
} // namespace kinetra
