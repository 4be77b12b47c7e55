// SPDX-License-Identifier: MIT
// The window's own dialogs and start-up notes: adding a firmware, the
// folders the dialogs remember, and the data-set check at start-up.
#include "AppTestSupport.h"
#include "check/DataSetCheck.h"
#include "dataset/ListFile.h"
#include "pages/JavaPage.h"
#include "pages/SlotListView.h"

#include <QAction>
#include <QApplication>
#include <QTabWidget>
#include <QTest>

namespace {

class WindowDialogs : public WindowTest {
protected:
    void trigger(const MainWindow& window, const char* action) {
        child<QAction>(&window, action)->trigger();
    }
};

} // namespace

TEST_F(WindowDialogs, ABrokenDataSetIsToldOnceAtStartUpWithTheWayToTheReport) {
    {
        auto window = open(MiniDataSet());
        ASSERT_EQ(datasetcheck::run(firmware("Data")).errors(), 0);
        EXPECT_EQ(window->statusNotice(), QString());
        window->close();
    }
    MiniDataSet broken;
    broken.overrides["MelodiesSize.lst"] = {"0", "12x", "0"};
    auto window = open(broken);
    const int errors = datasetcheck::run(firmware("Data")).errors();
    ASSERT_GT(errors, 0);
    EXPECT_TRUE(dialogs.warnings.isEmpty());
    EXPECT_EQ(window->statusNotice(),
              QStringLiteral("В наборе данных %1 ошибк%2: Настройки → Проверить набор данных...")
                  .arg(errors)
                  .arg(errors == 1  ? "а"
                       : errors < 5 ? "и"
                                    : "ок"));
}

TEST_F(WindowDialogs, CheckingAndAddingRememberTheirFoldersAndAFirstSaveStartsAtTheLastPatch) {
    auto window = open(MiniDataSet());
    dialogs.openAnswers = {scratch.write("patches/p.s3", "S00600004844521B\r\n")};
    trigger(*window, "VerifyPatch1");
    trigger(*window, "VerifyPatch1");
    dialogs.folderAnswers = {scratch.mkdir("sets/X120NEW")}; // then the id is cancelled
    trigger(*window, "AddFirmware1");
    trigger(*window, "AddFirmware1");
    ASSERT_EQ(dialogs.startFolders.size(), 4);
    EXPECT_EQ(dialogs.startFolders[1], scratch.path("patches"));
    EXPECT_EQ(dialogs.startFolders[3], scratch.path("sets"));

    // The melody patch saved in out/: the Java page's first save starts there.
    dialogs.saveAnswers = {scratch.mkdir("out") + "/MelodyPatch.s3"};
    trigger(*window, "actSavePatch");
    ASSERT_TRUE(QFile::exists(scratch.path("out/MelodyPatch.s3")));
    window->pageControl()->setCurrentWidget(window->javaPage());
    trigger(*window, "actSavePatch");
    EXPECT_EQ(dialogs.startFolders.value(5), scratch.path("out"));
}
