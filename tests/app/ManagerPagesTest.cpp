// SPDX-License-Identifier: MIT
// The managers' pages as users drive them through the window: the edit panel
// following the selection, commands that cannot act switched off, drops
// wherever users aim, the picture dialog, the melody preview and help.
#include "AppTestSupport.h"
#include "dataset/ListFile.h"
#include "editor/CustomPatchPage.h"
#include "editor/PatchEditor.h"
#include "melodies/MelodyVolumes.h"
#include "pages/JavaPage.h"
#include "pages/MelodyPage.h"
#include "pages/PicturePage.h"
#include "pages/SlotListView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

namespace {

class PagesInWindow : public WindowTest {
protected:
    // Shown and active, the donation request answered, so keys reach it.
    std::unique_ptr<MainWindow> shown(const MiniDataSet& set = {}) {
        auto window = open(set);
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.modals.isEmpty(); }));
        return window;
    }
    // The standard picture of slot 0, which sets the size it takes.
    void writePreview(int width, int height) {
        MiniDataSet().writeTo(userFolder());
        QDir().mkpath(firmware("Data/Pic"));
        QImage preview(width, height, QImage::Format_RGB888);
        preview.fill(Qt::green);
        ASSERT_TRUE(preview.save(firmware("Data/Pic/1.jpg"), "JPG"));
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
    QSlider* volume = child<QSlider>(mel, "tbVolume");
    clickRow(mel->slotList(), 0);
    EXPECT_EQ(child<QLabel>(mel, "lblMelName")->text(), mel->slotList()->cell(0, 0));
    QTest::keyClick(mel->slotList(), Qt::Key_Down);
    QTest::keyClick(mel->slotList(), Qt::Key_Down);
    ASSERT_EQ(mel->slotList()->selectedRow(), 2);
    EXPECT_EQ(child<QLabel>(mel, "lblMelName")->text(), mel->slotList()->cell(2, 0));
    const int before0 = melodyvolumes::position(window->session().dataSet(), 0);
    volume->setValue(before0 == 100 ? 90 : 100);
    EXPECT_EQ(melodyvolumes::position(window->session().dataSet(), 2), volume->value());
    EXPECT_EQ(melodyvolumes::position(window->session().dataSet(), 0), before0);

    // Set by the program (a drop, a test) as well; on the Java page too.
    mel->slotList()->setCurrentItem(mel->slotList()->topLevelItem(3));
    EXPECT_EQ(child<QLabel>(mel, "lblMelName")->text(), mel->slotList()->cell(3, 0));
    JavaPage* java = window->javaPage();
    window->pageControl()->setCurrentWidget(java);
    clickRow(java->slotList(), 0);
    QTest::keyClick(java->slotList(), Qt::Key_End);
    EXPECT_EQ(child<QLabel>(java, "lblJavaName")->text(), java->slotList()->cell(3, 0));
}

TEST_F(PagesInWindow, CommandsThatCannotActAreSwitchedOff) {
    auto window = shown();
    MelodyPage* mel = window->melodyPage();
    auto* open = child<QAction>(window.get(), "actOpenFile");
    auto* restore = child<QAction>(window.get(), "actRestoreSlot");
    auto* save = child<QAction>(window.get(), "actSavePatch");
    ASSERT_EQ(mel->slotList()->selectedRow(), -1);
    EXPECT_FALSE(mel->openButton()->isEnabled());
    EXPECT_FALSE(mel->restoreButton()->isEnabled());
    EXPECT_FALSE(open->isEnabled());
    EXPECT_FALSE(restore->isEnabled());
    EXPECT_TRUE(save->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.openFilters.isEmpty());

    clickRow(mel->slotList(), 1);
    EXPECT_TRUE(mel->openButton()->isEnabled());
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
    // An empty patch has nothing to save; a line typed, and it has.
    CustomPatchPage* custom = window->customPatchPage();
    EXPECT_FALSE(custom->saveButton()->isEnabled());
    EXPECT_FALSE(save->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.saveRequests.isEmpty());
    PatchEditor* editor = child<PatchEditor>(custom, "Editor");
    editor->setFocus();
    QTest::keyClicks(editor, "S0");
    EXPECT_TRUE(custom->saveButton()->isEnabled());
    EXPECT_TRUE(save->isEnabled());
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(save->isEnabled());
}

namespace {

// A drag of `paths` over `target` at `at`, offering copy and move and
// proposing a move, as file managers do (or offering `offered`); returns the
// action taken, or Qt::IgnoreAction when refused. `release` drops it, else it
// leaves; `whileOver` runs while it is over the target.
Qt::DropAction drag(QWidget* target, QPoint at, const QStringList& paths, bool release = true,
                    Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction,
                    const std::function<void()>& whileOver = {}) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls.append(QUrl::fromLocalFile(path));
    }
    data.setUrls(urls);
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, {});
    enter.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, offered, &data, Qt::LeftButton, {});
    move.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(target, &move);
    if (whileOver) {
        whileOver();
    }
    if (!enter.isAccepted() || !move.isAccepted()) {
        return Qt::IgnoreAction;
    }
    if (!release) {
        QDragLeaveEvent leave;
        QApplication::sendEvent(target, &leave);
        return move.dropAction();
    }
    QDropEvent dropped(at, offered, &data, Qt::LeftButton, {});
    dropped.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(target, &dropped);
    QApplication::processEvents();
    return dropped.isAccepted() ? dropped.dropAction() : Qt::IgnoreAction;
}

QPoint middle(const QWidget* widget) {
    return widget->rect().center();
}

} // namespace

TEST_F(PagesInWindow, AFileDroppedOnTheFieldTheOpenButtonOrAPreviewGoesToTheSelectedSlot) {
    writePreview(4, 2);
    auto window = shown();
    MelodyPage* mel = window->melodyPage();
    QLineEdit* file = child<QLineEdit>(mel, "edtMelFile");
    const QString ring = scratch.write("in/ring.mid", QByteArray(30, 'r'));
    const QString tune = scratch.write("in/tune.mid", QByteArray(40, 't'));

    // Nothing selected: the field refuses, and says why.
    EXPECT_EQ(drag(file, middle(file), {ring}), Qt::IgnoreAction);
    EXPECT_FALSE(window->statusText(0).isEmpty());
    EXPECT_EQ(file->text(), QStringLiteral("[Стандартная мелодия]"));

    clickRow(mel->slotList(), 1);
    EXPECT_EQ(drag(file, middle(file), {ring}), Qt::CopyAction);
    EXPECT_EQ(file->text(), "ring.mid"); // not the link pasted as text
    EXPECT_EQ(mel->slotList()->cell(1, 1), "ring.mid");
    EXPECT_EQ(listfile::load(dataFile("MelodiesFiles.lst")).value(1), "ring.mid");
    EXPECT_TRUE(window->statusText(0).isEmpty()); // the refusal went with its drag
    clickRow(mel->slotList(), 2);
    EXPECT_EQ(drag(mel->openButton(), middle(mel->openButton()), {tune}), Qt::CopyAction);
    EXPECT_EQ(mel->slotList()->cell(2, 1), "tune.mid");
    EXPECT_TRUE(dialogs.warnings.isEmpty()) << dialogs.warnings.join("\n").toStdString();
    // A file of a kind the slot does not take is refused while dragging.
    EXPECT_EQ(drag(file, middle(file), {scratch.write("in/a.txt", "a")}), Qt::IgnoreAction);

    // Pictures: the preview boxes take one too.
    PicturePage* pic = window->picturePage();
    QGroupBox* newBox = child<QGroupBox>(pic, "gbNewPic");
    window->pageControl()->setCurrentWidget(pic);
    clickRow(pic->slotList(), 0);
    const QString bmp = scratch.path("in/small.bmp");
    QImage picture(pic->standardPicture().size(), QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(bmp));
    EXPECT_EQ(drag(newBox, middle(newBox), {bmp}), Qt::CopyAction);
    EXPECT_EQ(pic->slotList()->cell(0, 1), "small.bmp");
    EXPECT_FALSE(pic->newPicture().isNull());
}

TEST_F(PagesInWindow, TheRowUnderADragIsMarkedAndTheDropIsACopy) {
    auto window = shown();
    SlotListView* list = window->melodyPage()->slotList();
    const QString ring = scratch.write("in/ring.mid", "r");
    const QPoint row2 = list->visualItemRect(list->topLevelItem(2)).center();

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(ring)});
    QDragEnterEvent enter(row2, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(list->viewport(), &enter);
    QDragMoveEvent move(row2, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    move.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(list->viewport(), &move);
    EXPECT_EQ(move.dropAction(), Qt::CopyAction);
    EXPECT_EQ(list->dropRow(), 2);
    QDragLeaveEvent leave;
    QApplication::sendEvent(list->viewport(), &leave);
    EXPECT_EQ(list->dropRow(), -1);
    EXPECT_EQ(list->cell(2, 1), QStringLiteral("[Стандартная мелодия]"));

    // A source that can only move its file keeps it: the drop is refused.
    QDragMoveEvent moveOnly(row2, Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(list->viewport(), &moveOnly);
    EXPECT_FALSE(moveOnly.isAccepted());
    EXPECT_EQ(drag(list->viewport(), row2, {ring}), Qt::CopyAction);
    EXPECT_EQ(list->cell(2, 1), "ring.mid");
}

TEST_F(PagesInWindow, DropsAreCopiesAndWhatCannotBeTakenIsRefusedWhileDragging) {
    writePreview(4, 2);
    auto window = shown();
    CustomPatchPage* custom = window->customPatchPage();
    window->pageControl()->setCurrentWidget(custom);
    PatchEditor* patch = child<PatchEditor>(custom, "Editor");
    QWidget* editor = patch->viewport();
    const QString blob = scratch.write("in/blob.bin", QByteArray(20, 'b'));

    // A move proposed is answered as a copy: the source keeps its file.
    EXPECT_EQ(drag(editor, {10, 10}, {blob}), Qt::CopyAction);
    EXPECT_EQ(custom->editorLines().size(), 4);
    EXPECT_TRUE(QFile::exists(blob));
    // Two files, a folder, or a source that can only move: never taken, the
    // reason in the status bar while the drag lasts and no box afterwards.
    QString reason;
    const auto seen = [&] { reason = window->statusText(0); };
    for (const QStringList& paths : {QStringList{blob, blob}, QStringList{scratch.path("in")}}) {
        reason.clear();
        EXPECT_EQ(drag(editor, {10, 10}, paths, true, Qt::CopyAction | Qt::MoveAction, seen),
                  Qt::IgnoreAction);
        EXPECT_FALSE(reason.isEmpty()) << paths.join(", ").toStdString();
    }
    patch->clear();
    EXPECT_EQ(drag(editor, {10, 10}, {blob}, true, Qt::MoveAction), Qt::IgnoreAction);
    EXPECT_EQ(custom->editorLines().size(), 0);
    EXPECT_TRUE(dialogs.warnings.isEmpty()) << dialogs.warnings.join("\n").toStdString();
    EXPECT_EQ(dialogs.informs.size(), 2); // the counts of the one file opened

    // A picture of another size than the slot's is refused over the picture
    // box, with the warning's words; fitting on, it is taken as a copy.
    PicturePage* pic = window->picturePage();
    QGroupBox* newBox = child<QGroupBox>(pic, "gbNewPic");
    QCheckBox* fit = child<QCheckBox>(pic, "cbFitPicture");
    window->pageControl()->setCurrentWidget(pic);
    clickRow(pic->slotList(), 0);
    const QString wide = scratch.path("in/wide.bmp");
    QImage picture(5, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(wide));
    fit->setChecked(false);
    reason.clear();
    EXPECT_EQ(drag(newBox, middle(newBox), {wide}, true, Qt::CopyAction | Qt::MoveAction, seen),
              Qt::IgnoreAction);
    EXPECT_TRUE(reason.startsWith(
        QStringLiteral("Картинка не соответствует размеру 4х2 пикселей. Пожалуйста, выберите "
                       "другой файл.")))
        << reason.toStdString();
    EXPECT_EQ(pic->slotList()->cell(0, 1), QStringLiteral("[Стандартная картинка]"));
    fit->setChecked(true);
    EXPECT_EQ(drag(newBox, middle(newBox), {wide}), Qt::CopyAction);
    EXPECT_EQ(pic->slotList()->cell(0, 1), "wide.bmp");
    EXPECT_TRUE(dialogs.warnings.isEmpty()) << dialogs.warnings.join("\n").toStdString();
}

TEST_F(PagesInWindow, AVolumeTheUserSetsIsOnDiskAtOnce) {
    auto window = shown();
    MelodyPage* mel = window->melodyPage();
    QSlider* volume = child<QSlider>(mel, "tbVolume");
    clickRow(mel->slotList(), 1);
    ASSERT_TRUE(volume->isEnabled());
    const QString volumes = dataFile("Volumes.lst");
    const int dragged = volume->value() == 64 ? 90 : 64;
    // Dragged: written when the handle is let go.
    volume->setSliderDown(true);
    volume->setValue(dragged);
    volume->setSliderDown(false);
    EXPECT_EQ(listfile::load(volumes).value(1), QString::number(dragged, 16).toUpper());
    // A key moves it one step, written as well.
    volume->setFocus();
    QTest::keyClick(volume, Qt::Key_Right);
    QApplication::processEvents();
    EXPECT_EQ(listfile::load(volumes).value(1), QString::number(dragged + 1, 16).toUpper());
}

TEST_F(PagesInWindow, ThePictureDialogOffersEveryPictureFirstAndKeepsTheFilterLastUsed) {
    writePreview(4, 2);
    auto window = shown();
    PicturePage* pic = window->picturePage();
    window->pageControl()->setCurrentWidget(pic);
    clickRow(pic->slotList(), 0);
    const QString photo = scratch.path("in/photo.png");
    QDir().mkpath(scratch.path("in"));
    QImage big(128, 128, QImage::Format_RGB32);
    big.fill(Qt::blue);
    ASSERT_TRUE(big.save(photo));

    dialogs.openAnswers = {photo};
    dialogs.filterAnswers = {QStringLiteral("Bitmaps (*.bmp)")};
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(dialogs.pictureFilters.size(), 1);
    EXPECT_TRUE(dialogs.pictureFilters[0].startsWith(QStringLiteral("Все изображения (")));
    EXPECT_EQ(dialogs.pictureStartFilters.value(0), QString());
    // The wrong size is named with the way out.
    ASSERT_EQ(dialogs.warnings.size(), 1);
    EXPECT_TRUE(dialogs.warnings[0].startsWith(
        QStringLiteral("Картинка не соответствует размеру 4х2 пикселей. Пожалуйста, выберите "
                       "другой файл. Размер выбранной картинки: 128x128.")));
    EXPECT_TRUE(dialogs.warnings[0].contains(QStringLiteral("\"Подгонять размер картинки\"")));
    EXPECT_FALSE(dialogs.warnings[0].contains("--fit")); // the window's way, not the command line's

    // The next dialog, even in the next run, starts on the filter left.
    window->close();
    window.reset();
    window = shown();
    window->pageControl()->setCurrentWidget(window->picturePage());
    clickRow(window->picturePage()->slotList(), 0);
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs.pictureStartFilters.value(1), QStringLiteral("Bitmaps (*.bmp)"));
}

// Run by the test below in a process of its own, at a screen scale set
// before the application starts.
TEST_F(PagesInWindow, ScaledChild) {
    if (qEnvironmentVariableIsEmpty("TARVEX_SCALED_CHILD")) {
        GTEST_SKIP() << "run by RowsFitAndPreviewsKeepWholePixelsAtLargerScales";
    }
    writePreview(128, 128);
    auto window = shown();
    for (SlotListView* list : {window->melodyPage()->slotList(), window->javaPage()->slotList(),
                               window->picturePage()->slotList()}) {
        const int row = list->visualItemRect(list->topLevelItem(0)).height();
        EXPECT_GE(row, list->fontMetrics().height() + 3) << list->objectName().toStdString();
    }
    PicturePage* pic = window->picturePage();
    window->pageControl()->setCurrentWidget(pic);
    clickRow(pic->slotList(), 0);
    const qreal scale = child<QLabel>(pic, "imgStd")->devicePixelRatioF();
    EXPECT_EQ(scale, qEnvironmentVariable("TARVEX_SCALED_CHILD").toDouble());
    const QPixmap shown = child<QLabel>(pic, "imgStd")->pixmap();
    EXPECT_EQ(shown.devicePixelRatio(), scale);
    EXPECT_EQ(shown.size(), QSize(128, 128) * qMax(1, int(scale)));
}

TEST_F(PagesInWindow, RowsFitAndPreviewsKeepWholePixelsAtLargerScales) {
    for (const auto& [variable, value, scale] :
         {std::tuple{"QT_FONT_DPI", "120", "1.25"}, std::tuple{"QT_FONT_DPI", "144", "1.5"},
          std::tuple{"QT_SCALE_FACTOR", "1.5", "1.5"}, std::tuple{"QT_SCALE_FACTOR", "2", "2"}}) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(variable, value);
        environment.insert("TARVEX_SCALED_CHILD", scale);
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=PagesInWindow.ScaledChild"});
        ASSERT_TRUE(child.waitForFinished(60000));
        const QString output = QString::fromLocal8Bit(child.readAll());
        EXPECT_EQ(child.exitCode(), 0) << variable << "=" << value << "\n" << output.toStdString();
        EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
    }
}
