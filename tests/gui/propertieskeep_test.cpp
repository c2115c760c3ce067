// Properties changes nothing the user did not touch: a play whose action lines have styles the
// dialog's list lacks is saved byte for byte as before unless the user picks another style.
#include "gui/documentfixture.h"
#include "windows/frmoptions.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace kinetra {
namespace {

struct KeepCase
{
    const char *name;
    std::function<void(frmOptions &)> act;
    /// What the saved play holds afterwards, from what it held before.
    std::function<QByteArray(QByteArray)> expected;
};

void PrintTo(const KeepCase &c, std::ostream *os)
{
    *os << c.name;
}

class PropertiesKeep : public DocumentTest, public testing::WithParamInterface<KeepCase>
{};

TEST_P(PropertiesKeep, SavedPlayChangesOnlyWhereTheUserChangedIt)
{
    auto w = open();
    // Its first action line is a dash of width 3, which the list has no entry for.
    openThroughDialog(*w, copyData("two_frames.KTR"));
    saveAsThroughDialog(*w, path("before.KTR"));
    const QByteArray before = bytes(path("before.KTR"));
    ASSERT_TRUE(before.contains("\"Run\",2,3,255,1\r\n"));

    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<frmOptions *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        opened = true;
        EXPECT_EQ(dialog->CboLinetype[0]->currentText(), "Dash, width 3");
        GetParam().act(*dialog);
    });
    w->menuItem("mnuOPreferences")->trigger();
    ASSERT_TRUE(opened) << "no modal Properties dialog";

    saveAsThroughDialog(*w, path("after.KTR"));
    EXPECT_EQ(bytes(path("after.KTR")), GetParam().expected(before));
}

QByteArray unchanged(QByteArray play)
{
    return play;
}

INSTANTIATE_TEST_SUITE_P(
    Closing, PropertiesKeep,
    testing::Values(KeepCase{"Ok", [](frmOptions &d) { d.cmdOK->click(); }, unchanged},
                    KeepCase{"Cancel", [](frmOptions &d) { d.cmdCancel->click(); }, unchanged},
                    KeepCase{"OtherEntryAndBack",
                             [](frmOptions &d) {
                                 const int own = d.CboLinetype[0]->currentIndex();
                                 d.CboLinetype[0]->setCurrentIndex(0);
                                 d.CboLinetype[0]->setCurrentIndex(own);
                                 d.cmdOK->click();
                             },
                             unchanged},
                    KeepCase{"Thick",
                             [](frmOptions &d) {
                                 d.CboLinetype[0]->setCurrentIndex(5);
                                 d.cmdCancel->click();
                             },
                             [](QByteArray play) {
                                 return play.replace("\"Run\",2,3,", "\"Run\",1,3,");
                             }}),
    [](const testing::TestParamInfo<KeepCase> &info) { return std::string(info.param.name); });

} // namespace
} // namespace kinetra
