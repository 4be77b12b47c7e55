// The managers' pages as users drive them through the window: the edit panel
// following the selection, commands that cannot act switched off, drops
// wherever users aim, the picture dialog, the melody preview and help.
#include "AppTestSupport.h"
#include "dataset/ListFile.h"
#include "java/JavaPage.h"
#include "manager/SlotListView.h"
#include "melodies/MelodyPage.h"
#include "melodies/MelodyVolumes.h"
#include "pictures/PicturePage.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

namespace {

class PagesInWindow : public WindowTest {
protected:
    // Shown and active, the donation request answered, so keys reach it.
    std::unique_ptr<TForm1> shown(const MiniDataSet& set = {}) {
        auto window = open(set);
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.modals.isEmpty(); }));
        return window;
    }
    static void clickRow(SlotListView* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(row)).center());
    }
};

} // namespace

TEST_F(PagesInWindow, TheEditPanelFollowsTheSelectionAndTheVolumeGoesToTheSlotShown) {
    MiniDataSet set;
    set.melodies = 4;
    auto window = shown(set);
    MelodyPage* mel = window->melodyPage();
    clickRow(mel->lvMels, 0);
    EXPECT_EQ(mel->lblMelName->text(), mel->lvMels->cell(0, 0));
    QTest::keyClick(mel->lvMels, Qt::Key_Down);
    QTest::keyClick(mel->lvMels, Qt::Key_Down);
    ASSERT_EQ(mel->lvMels->selectedRow(), 2);
    EXPECT_EQ(mel->lblMelName->text(), mel->lvMels->cell(2, 0));
    const int before0 = melodyvolumes::position(window->session().dataSet(), 0);
    mel->tbVolume->setValue(before0 == 100 ? 90 : 100);
    EXPECT_EQ(melodyvolumes::position(window->session().dataSet(), 2), mel->tbVolume->value());
    EXPECT_EQ(melodyvolumes::position(window->session().dataSet(), 0), before0);

    // Set by the program (a drop, a test) as well; on the Java page too.
    mel->lvMels->setCurrentItem(mel->lvMels->topLevelItem(3));
    EXPECT_EQ(mel->lblMelName->text(), mel->lvMels->cell(3, 0));
    JavaPage* java = window->javaPage();
    window->pageControl()->setCurrentWidget(java);
    clickRow(java->lvJava, 0);
    QTest::keyClick(java->lvJava, Qt::Key_End);
    EXPECT_EQ(java->lblJavaName->text(), java->lvJava->cell(3, 0));
}

TEST_F(PagesInWindow, CommandsThatCannotActAreSwitchedOff) {
    auto window = shown();
    MelodyPage* mel = window->melodyPage();
    auto* open = child<QAction>(window.get(), "actOpenFile");
    auto* restore = child<QAction>(window.get(), "actRestoreSlot");
    auto* save = child<QAction>(window.get(), "actSavePatch");
    ASSERT_EQ(mel->lvMels->selectedRow(), -1);
    EXPECT_FALSE(mel->btnOpenMelody->isEnabled());
    EXPECT_FALSE(mel->btnUseStandardMelody->isEnabled());
    EXPECT_FALSE(open->isEnabled());
    EXPECT_FALSE(restore->isEnabled());
    EXPECT_TRUE(save->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.openFilters.isEmpty());

    clickRow(mel->lvMels, 1);
    EXPECT_TRUE(mel->btnOpenMelody->isEnabled());
    EXPECT_TRUE(open->isEnabled());
    EXPECT_TRUE(restore->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs.openFilters.size(), 1);

    // Another page: its own selection counts; the custom page has no slot.
    window->pageControl()->setCurrentWidget(window->javaPage());
    EXPECT_FALSE(open->isEnabled());
    EXPECT_FALSE(restore->isEnabled());
    window->pageControl()->setCurrentIndex(3); // the custom patch page
    EXPECT_TRUE(open->isEnabled());
    EXPECT_FALSE(restore->isEnabled());
    EXPECT_TRUE(save->isEnabled());
}
