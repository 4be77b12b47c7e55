// The window's own dialogs and start-up notes: adding a firmware, the
// folders the dialogs remember, and the data-set check at start-up.
#include "AppTestSupport.h"
#include "check/DataSetCheck.h"
#include "dataset/ListFile.h"

#include <QAction>
#include <QApplication>
#include <QTest>

namespace {

class WindowDialogs : public WindowTest {
protected:
    void trigger(const TForm1& window, const char* action) {
        child<QAction>(&window, action)->trigger();
    }
};

} // namespace

TEST_F(WindowDialogs, ABrokenDataSetIsToldOnceAtStartUpWithTheWayToTheReport) {
    {
        auto window = open(MiniDataSet());
        ASSERT_EQ(datasetcheck::run(firmware("Data")).errors(), 0);
        EXPECT_EQ(window->statusText(0), QString());
        window->close();
    }
    MiniDataSet broken;
    broken.overrides["MelodiesSize.lst"] = {"0", "12x", "0"};
    auto window = open(broken);
    const int errors = datasetcheck::run(firmware("Data")).errors();
    ASSERT_GT(errors, 0);
    EXPECT_TRUE(dialogs.warnings.isEmpty());
    EXPECT_EQ(window->statusText(0),
              QStringLiteral("В наборе данных %1 ошибк%2: Настройки → Проверить набор данных...")
                  .arg(errors)
                  .arg(errors == 1  ? "а"
                       : errors < 5 ? "и"
                                    : "ок"));
}
