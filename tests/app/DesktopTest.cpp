// SPDX-License-Identifier: MIT
// What makes the window a desktop program: drops, keyboard commands,
// remembered folders, the MIDI preview and readable feedback.
#include "AppTestSupport.h"
#include "app/AboutDialog.h"
#include "app/DonationDialog.h"
#include "app/PageCommands.h"
#include "app/QtTranslation.h"
#include "dataset/ListFile.h"
#include "editor/CustomPatchPage.h"
#include "melodies/MelodyPlayer.h"
#include "pages/JavaPage.h"
#include "pages/MelodyPage.h"
#include "pages/MemoryPanel.h"
#include "pages/PicturePage.h"
#include "pages/SlotListView.h"
#include "platform/DialogFolders.h"

#include <QApplication>
#include <QDialog>
#include <QDropEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QThread>
#include <QToolButton>
#include <QToolTip>
#include <QTranslator>

namespace {

// Drags `urls` over `target` and drops them at `at`; true when the drop was taken.
bool drop(QWidget* target, QPoint at, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &move);
    if (!move.isAccepted()) {
        return false;
    }
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &dropped);
    QApplication::processEvents(); // the drop is handled once it has ended
    return dropped.isAccepted();
}

bool dropOnRow(SlotListView* list, int row, const QList<QUrl>& urls) {
    return drop(list->viewport(), list->visualItemRect(list->topLevelItem(row)).center(), urls);
}

QList<QUrl> files(const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls.append(QUrl::fromLocalFile(path));
    }
    return urls;
}

void select(SlotListView* list, int row) {
    list->setCurrentItem(list->topLevelItem(row));
}

// Where the player lookup finds programs, for one test.
class ScopedPath {
public:
    explicit ScopedPath(const QString& folder) : saved_(MelodyPlayer::programFolders()) {
        MelodyPlayer::setProgramFolders({folder});
    }
    ~ScopedPath() { MelodyPlayer::setProgramFolders(saved_); }

private:
    QStringList saved_;
};

class Desktop : public WindowTest {
protected:
    // A stand-in player: logs its working folder and arguments, then waits to be ended.
    QString fakePlayer(const QString& relative) {
        const QString path =
            scratch.write(relative, QStringLiteral("#!/bin/sh\necho \"$(pwd)|$#|$1\" >> '%1'\n"
                                                   "exec sleep 30\n")
                                        .arg(scratch.path("player.log"))
                                        .toUtf8());
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    QString playerLog() {
        for (int i = 0; i < 200 && !QFile::exists(scratch.path("player.log")); ++i) {
            QThread::msleep(10);
        }
        QThread::msleep(20);
        return QString::fromUtf8(testsupport::readAll(scratch.path("player.log"))).trimmed();
    }
    void setting(const QString& key, const QString& value) {
        QSettings(scratch.path("settings.ini"), QSettings::IniFormat).setValue(key, value);
    }
    // Shown and active, so that its keyboard commands reach it.
    std::unique_ptr<MainWindow> shown() {
        auto window = open(MiniDataSet());
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return !dialogs.modals.isEmpty(); })); // the donation request
        return window;
    }
};

} // namespace

TEST_F(Desktop, AFileDroppedOnASlotIsTakenAsTheOpenButtonTakesIt) {
    auto window = open(MiniDataSet());
    MelodyPage* page = window->melodyPage();
    const QString ring = scratch.write("in/ring.mid", QByteArray(300, 'r'));
    ASSERT_TRUE(dropOnRow(page->slotList(), 1, files({ring})));
    EXPECT_TRUE(dialogs.warnings.isEmpty()) << dialogs.warnings.join("\n").toStdString();
    EXPECT_EQ(page->slotList()->selectedRow(), 1);
    EXPECT_EQ(child<QLabel>(page, "lblMelName")->text(), page->slotList()->cell(1, 0));
    EXPECT_EQ(child<QLineEdit>(page, "edtMelFile")->text(), "ring.mid");
    EXPECT_EQ(page->slotList()->cell(1, 3), "300");
    EXPECT_EQ(child<QLabel>(page, "lblMemUsed")->text(), QStringLiteral("300 байт"));
    EXPECT_EQ(listfile::load(dataFile("MelodiesFiles.lst")).value(1), "ring.mid");
    EXPECT_TRUE(QFile::exists(firmware("TempMelodies/ring.mid")));
    EXPECT_TRUE(dialogs.openFilters.isEmpty()); // no dialog asked

    // The open button's own refusal: a name another slot uses.
    dropOnRow(page->slotList(), 2, files({ring}));
    EXPECT_EQ(dialogs.warnings.value(0),
              QStringLiteral("Файл уже используется. Пожалуйста, выберите другой файл мелодии."));
    EXPECT_EQ(page->slotList()->cell(2, 1), QStringLiteral("[Стандартная мелодия]"));
}

TEST_F(Desktop, DropsOfSeveralFilesAFolderOrTheWrongKindAreRefusedWhileDragging) {
    auto window = open(MiniDataSet());
    MelodyPage* mel = window->melodyPage();
    JavaPage* java = window->javaPage();
    const QString a = scratch.write("in/a.mid", "a");
    const QString b = scratch.write("in/b.mid", "b");
    const QString text = scratch.write("in/notes.txt", "t");
    const QString jar = scratch.write("in/game.jar", "j");

    // The drag is never taken, and the status bar says why while it lasts.
    QStringList reasons;
    for (const auto& [list, urls] : QList<std::pair<SlotListView*, QList<QUrl>>>{
             {mel->slotList(), files({a, b})},
             {mel->slotList(), files({scratch.path("in")})},
             {mel->slotList(), files({text})},
             {java->slotList(), files({jar})},
             {mel->slotList(), {QUrl("https://e.org/a.mid")}}}) {
        EXPECT_FALSE(dropOnRow(list, 0, urls));
        reasons.append(window->statusText(0));
    }
    EXPECT_TRUE(dialogs.warnings.isEmpty());
    EXPECT_TRUE(reasons[0].contains(QStringLiteral("один файл")));
    EXPECT_TRUE(reasons[1].contains(QStringLiteral("папка")));
    EXPECT_EQ(reasons[2],
              QStringLiteral("Файл \"notes.txt\" не подходит для этого слота: он принимает "
                             "только *.mmf, *.mid, *.midi, *.rmi."));
    EXPECT_TRUE(reasons[3].endsWith(QStringLiteral("только *.jad."))); // even Java rows take JAD
    EXPECT_TRUE(reasons[4].contains("https://e.org/a.mid"));
    EXPECT_EQ(mel->slotList()->cell(0, 1), QStringLiteral("[Стандартная мелодия]"));
    EXPECT_EQ(java->slotList()->cell(0, 1), QStringLiteral("[Стандартная игра]"));
    EXPECT_EQ(mel->slotList()->selectedRow(), -1);

    // The odd row takes the JAR; below the last row nothing is taken.
    EXPECT_TRUE(dropOnRow(java->slotList(), 1, files({jar})));
    EXPECT_EQ(java->slotList()->cell(1, 1), "game.jar");
    mel->slotList()->resize(400, 400);
    EXPECT_FALSE(drop(mel->slotList()->viewport(), {20, 390}, files({a})));

    // A file gone between the drag and the drop is refused at the drop.
    const QString gone = scratch.write("in/gone.mid", "g");
    const QPoint row0 = mel->slotList()->visualItemRect(mel->slotList()->topLevelItem(0)).center();
    QMimeData data;
    data.setUrls(files({gone}));
    QDragMoveEvent move(row0, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(mel->slotList()->viewport(), &move);
    ASSERT_TRUE(move.isAccepted());
    QFile::remove(gone);
    QDropEvent dropped(row0, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(mel->slotList()->viewport(), &dropped);
    EXPECT_FALSE(dropped.isAccepted());
}

TEST_F(Desktop, AFileDroppedOnTheCustomPatchPageOpensAsTheButtonOpensIt) {
    auto window = open(MiniDataSet());
    CustomPatchPage* page = window->customPatchPage();
    const QString file = scratch.write("in/blob.bin", testsupport::sequence(20));
    ASSERT_TRUE(drop(child<PatchEditor>(page, "Editor")->viewport(), {10, 10}, files({file})));
    EXPECT_EQ(page->editorLines().size(), 4);
    EXPECT_EQ(page->editorLines().value(0), "S00600004844521B");
    EXPECT_EQ(dialogs.informs.size(), 2); // the read and record counts, as for the button
    EXPECT_FALSE(drop(page, {5, 5}, files({file, file})));
    EXPECT_EQ(page->editorLines().size(), 4);

    // Typed changes are offered for saving first; cancel keeps them.
    QTest::keyClicks(child<PatchEditor>(page, "Editor"), "X");
    EXPECT_TRUE(drop(child<PatchEditor>(page, "Editor")->viewport(), {10, 10}, files({file})));
    EXPECT_EQ(dialogs.saveQuestions, QStringList(QStringLiteral("Сохранить изменения?")));
    EXPECT_EQ(page->editorLines().value(0), "XS00600004844521B");
}

TEST_F(Desktop, KeyboardCommandsActOnThePageShown) {
    auto window = shown();
    MelodyPage* mel = window->melodyPage();
    select(mel->slotList(), 0);
    mel->slotList()->setFocus();
    dialogs.openAnswers = {scratch.write("in/a.mid", "abc")};
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs.openFilters,
              QStringList{"MMF, MIDI (*.mmf *.mid *.midi);;RIFF MIDI (*.rmi)"});
    EXPECT_EQ(mel->slotList()->cell(0, 1), "a.mid");
    QTest::keyClick(mel->slotList(), Qt::Key_Delete);
    EXPECT_EQ(mel->slotList()->cell(0, 1), QStringLiteral("[Стандартная мелодия]"));
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.saveRequests.value(0).value(0), "MelodyPatch");
    QTest::keyClick(window.get(), Qt::Key_F1); // the program's own help for melodies
    ASSERT_NE(window->commands()->helpWindow(), nullptr);
    EXPECT_TRUE(window->commands()->helpWindow()->findChild<QTextEdit*>()->toPlainText().contains(
        QStringLiteral("Использовать стандартную мелодию")));
    EXPECT_FALSE(child<AboutDialog>(window.get(), "frmAbout")->isVisible());
    window->commands()->helpWindow()->hide();

    window->pageControl()->setCurrentWidget(window->javaPage());
    QTest::keyClick(window.get(), Qt::Key_F1);
    QDialog* help = window->commands()->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->findChild<QTextEdit*>()->toPlainText(),
              window->javaPage()->helpBox()->toPlainText());
    help->hide();
    // As a window manager would: the main window is active again once the
    // help is closed, before a save lets the pending activations through.
    window->activateWindow();
    QApplication::processEvents();

    window->pageControl()->setCurrentWidget(window->customPatchPage());
    child<PatchEditor>(window->customPatchPage(), "Editor")->setPlainText("S00600004844521B");
    dialogs.saveAnswers = {scratch.path("out/custom.s3")};
    QDir().mkpath(scratch.path("out"));
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.openFilters.value(1), "");
    EXPECT_EQ(dialogs.saveRequests.value(1).value(0), "CustomPatch");
    EXPECT_EQ(window->statusText(0),
              QStringLiteral("Файл \"%1\" создан.").arg(scratch.path("out/custom.s3")));
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_TRUE(window->commands()->helpWindow()->findChild<QTextEdit*>()->toPlainText().contains(
        QStringLiteral("Задать смещение")));
    EXPECT_EQ(window->commands()->helpWindow()->windowTitle(),
              QStringLiteral("Справка: Создать патч"));
    window->commands()->helpWindow()->hide();
    window->activateWindow();
    QApplication::processEvents();

    // The menu names the keys.
    EXPECT_EQ(window->findChild<QAction*>("Exit1")->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_EQ(window->findChild<QAction*>("actRestoreSlot")->shortcut(), QKeySequence("Del"));
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(Desktop, DialogsStartInTheFolderLastUsedWithThemAcrossRuns) {
    const QString in = scratch.mkdir("music folder");
    const QString out = scratch.mkdir("patches");
    {
        auto window = open(MiniDataSet());
        MelodyPage* mel = window->melodyPage();
        select(mel->slotList(), 0);
        dialogs.openAnswers = {in + "/a.mid"};
        scratch.write("music folder/a.mid", "a");
        mel->openButton()->click();
        dialogs.saveAnswers = {out + "/MelodyPatch.s3"};
        mel->createButton()->click();
        select(window->javaPage()->slotList(), 0);
        window->javaPage()->openButton()->click(); // cancelled: nothing remembered
    }
    EXPECT_EQ(dialogs.startFolders,
              QStringList({QDir::homePath(), QDir::homePath(), QDir::homePath()}));
    EXPECT_EQ(QSettings(scratch.path("settings.ini"), QSettings::IniFormat)
                  .value(dialogfolders::settingsKey("OpenMelDialog")),
              in);

    dialogs.startFolders.clear();
    auto window = open();
    MelodyPage* mel = window->melodyPage();
    select(mel->slotList(), 1);
    mel->openButton()->click();
    mel->createButton()->click();
    window->javaPage()->openButton()->click();
    select(window->javaPage()->slotList(), 0);
    window->javaPage()->openButton()->click();
    EXPECT_EQ(dialogs.startFolders, QStringList({in, out, QDir::homePath()}));

    // A folder that has gone: the home folder again.
    QDir(in).removeRecursively();
    EXPECT_EQ(dialogfolders::startFolder("OpenMelDialog"), QDir::homePath());
}

TEST_F(Desktop, WithoutMidRadioTheMidiPlayerOfTheSettingsPlaysTheFullPath) {
    const ScopedPath path(scratch.mkdir("empty bin"));
    setting("MidiPlayer", fakePlayer("players/my player"));
    auto window = open(MiniDataSet());
    MelodyPage* page = window->melodyPage();
    QToolButton* play = child<QToolButton>(page, "btnPlayMelody");
    ASSERT_TRUE(page->player().isAvailable());
    EXPECT_EQ(play->toolTip(), QStringLiteral("Проиграть мелодию"));
    select(page->slotList(), 0);
    dialogs.openAnswers = {scratch.write("in/my tune.mid", "MThd\0\0\0\6"),
                           scratch.write("in/ring.mmf", "MMMD\0\0\0\0")};
    page->openButton()->click();
    ASSERT_TRUE(play->isEnabled());
    play->click();
    ASSERT_TRUE(page->player().isRunning());
    const QString work = firmware("TempMelodies");
    EXPECT_EQ(playerLog(), work + "|1|" + work + "/my tune.mid");

    // While it plays, the button stops it.
    EXPECT_EQ(play->toolTip(), QStringLiteral("Остановить мелодию"));
    QTest::mouseClick(play, Qt::LeftButton);
    EXPECT_FALSE(page->player().isRunning());
    EXPECT_EQ(play->toolTip(), QStringLiteral("Проиграть мелодию"));

    // A SMAF melody is not for a MIDI player: told, and nothing plays.
    select(page->slotList(), 1);
    page->openButton()->click();
    play->click();
    EXPECT_EQ(dialogs.warnings.size(), 1);
    EXPECT_TRUE(dialogs.warnings.value(0).contains("ring.mmf"));
    EXPECT_FALSE(page->player().isRunning());

    window->close();
    EXPECT_FALSE(page->player().isRunning());
}

namespace {

// Whether process `pid` still runs, as Linux's /proc tells: a zombie has ended.
bool running(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    const QByteArray text = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
    return !text.isEmpty() && text.mid(text.lastIndexOf(')') + 2, 1) != "Z";
}

} // namespace

TEST_F(Desktop, PlayIsOnForANewMelodyOnlyAndStopEndsWhatThePlayerStarted) {
    TARVEX_SKIP_WITHOUT_POSIX_SHELL();
    const ScopedPath path(scratch.mkdir("empty bin"));
    // A player started through a wrapper, as distributions ship some.
    const QString pidFile = scratch.path("child.pid");
    const QString wrapper = scratch.write(
        "players/wrapper",
        QStringLiteral("#!/bin/sh\nsleep 30 &\necho $! > '%1'\nwait\n").arg(pidFile).toUtf8());
    QFile::setPermissions(wrapper, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setting("MidiPlayer", wrapper);
    auto window = open(MiniDataSet());
    MelodyPage* page = window->melodyPage();
    QToolButton* play = child<QToolButton>(page, "btnPlayMelody");
    ASSERT_TRUE(page->player().isAvailable());
    EXPECT_FALSE(play->isEnabled()); // no slot chosen
    select(page->slotList(), 0);
    EXPECT_FALSE(play->isEnabled()); // its standard melody
    dialogs.openAnswers = {scratch.write("in/tune.mid", "MThd")};
    page->openButton()->click();
    ASSERT_TRUE(play->isEnabled());
    play->click();
    ASSERT_TRUE(page->player().isRunning());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !testsupport::readAll(pidFile).trimmed().isEmpty(); }));
    const qint64 child = testsupport::readAll(pidFile).trimmed().toLongLong();
    if (!running(child)) {
        GTEST_SKIP() << "no /proc to watch the player's child";
    }
    play->click(); // stop
    EXPECT_FALSE(page->player().isRunning());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !running(child); }, 3000));
    select(page->slotList(), 1);
    EXPECT_FALSE(play->isEnabled());
}

TEST_F(Desktop, TimidityOnThePathElseADisabledButtonThatSaysWhatToInstall) {
    {
        const ScopedPath path(scratch.path("bin"));
        const QString timidity = fakePlayer("bin/timidity");
        setting("MidiPlayer", scratch.path("no such player")); // named but missing
        auto window = open(MiniDataSet());
        EXPECT_EQ(window->melodyPage()->player().playerPath(), timidity);
        EXPECT_EQ(child<QToolButton>(window->melodyPage(), "btnPlayMelody")->toolTip(),
                  QStringLiteral("Проиграть мелодию"));
    }
    const ScopedPath path(scratch.mkdir("empty bin"));
    auto window = open(MiniDataSet());
    QToolButton* play = child<QToolButton>(window->melodyPage(), "btnPlayMelody");
    EXPECT_FALSE(play->isEnabled());
    EXPECT_TRUE(play->toolTip().contains("timidity"));
    EXPECT_TRUE(play->toolTip().contains("MidiPlayer"));
}

TEST_F(Desktop, StatusPanelTakesTheWidthAndShowsItsWholeTextAsTooltip) {
    auto window = open(MiniDataSet());
    window->show();
    auto* panel = window->statusBar()->findChild<QLabel*>("StatusPanel0");
    const QString text = QStringLiteral("Файл \"%1\" создан.").arg(QString(300, 'x'));
    window->setStatusText(text);
    EXPECT_EQ(window->statusText(0), text);
    EXPECT_EQ(panel->toolTip(), text);
    EXPECT_TRUE(panel->text().endsWith(QStringLiteral("создан.")));
    EXPECT_LT(panel->text().size(), text.size());
    const int narrow = panel->width();
    window->resize(1280, 800);
    QApplication::processEvents();
    EXPECT_GT(panel->width(), narrow + 500);
    EXPECT_EQ(window->width(), 1280);
}

TEST_F(Desktop, CutCellsAndTheOverLimitStateExplainThemselves) {
    MiniDataSet set;
    set.memoryIni = "[Melodies]\r\nStartOffset=0x100\r\nEndOffset=0x1110\r\n"; // total 16
    auto window = open(set);
    window->show();
    MelodyPage* page = window->melodyPage();
    select(page->slotList(), 0);
    const QString longName = QString(60, 'n') + ".mid";
    dialogs.openAnswers = {scratch.write("in/" + longName, QByteArray(19, 'a'))};
    page->openButton()->click();

    auto tipAt = [&](int column) {
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        const QRect cell =
            page->slotList()->visualRect(page->slotList()->model()->index(0, column));
        QHelpEvent help(QEvent::ToolTip, cell.center(),
                        page->slotList()->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(page->slotList()->viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    // Not a MIDI file: the row's problems follow the cut name.
    const QString problems = page->slotList()->topLevelItem(0)->toolTip(3);
    EXPECT_FALSE(problems.isEmpty());
    EXPECT_EQ(tipAt(1), longName + "\n" + problems);
    EXPECT_EQ(tipAt(3), problems); // "19" fits

    EXPECT_FALSE(page->createButton()->isEnabled());
    EXPECT_EQ(child<QLabel>(page, "lblMemUsed")->toolTip(), MemoryPanel::overLimitHint(3));
    EXPECT_EQ(page->createButton()->toolTip(), MemoryPanel::overLimitHint(3));
    EXPECT_TRUE(MemoryPanel::overLimitHint(3).contains(QStringLiteral("3 байт")));
    page->restoreButton()->click();
    EXPECT_EQ(child<QLabel>(page, "lblMemUsed")->toolTip(), "");
    EXPECT_EQ(page->createButton()->toolTip(), "");
}

TEST_F(Desktop, SteadyPreviewsAndADonationRequestThatStartsOnThankYou) {
    MiniDataSet set;
    set.overrides["PicOffsets.lst"] = {"0800040000000000", "8000800000000000"};
    auto window = open(set);
    window->show();
    PicturePage* pic = window->picturePage();
    window->pageControl()->setCurrentWidget(pic);
    QDir().mkpath(dataFile("Pic"));
    QImage(8, 4, QImage::Format_RGB888).save(dataFile("Pic/1.jpg"), "JPG");
    QImage(128, 128, QImage::Format_RGB888).save(dataFile("Pic/2.jpg"), "JPG");
    QList<QRect> boxes;
    for (int row : {0, 1, 0}) {
        select(pic->slotList(), row);
        pic->showSelectedSlot();
        QApplication::processEvents();
        const QList<QRect> now{child<QGroupBox>(pic, "gbStandardPic")->geometry(),
                               child<QGroupBox>(pic, "gbNewPic")->geometry(),
                               child<QGroupBox>(pic, "gbInfo")->geometry()};
        boxes = boxes.isEmpty() ? now : boxes;
        EXPECT_EQ(now, boxes) << row;
    }
    EXPECT_EQ(child<QLabel>(pic, "lblPicWidth")->text(), "8");

    DonationDialog* nag = child<DonationDialog>(window.get(), "frmNagScreen");
    nag->show();
    QApplication::setActiveWindow(nag);
    auto* thanks = child<QPushButton>(nag, "Button1");
    EXPECT_TRUE(QTest::qWaitFor([&] { return nag->focusWidget() == thanks; }));
    EXPECT_TRUE(thanks->isDefault());
    EXPECT_GE(nag->findChild<QLabel*>("Label5")->geometry().top(), 8);
    nag->hide();
}

TEST(QtTranslation, RussianWhenInstalledAndNoErrorWhenMissing) {
    EXPECT_FALSE(installQtTranslation(*qApp, QDir::tempPath() + "/no-translations-here"));
    if (!installQtTranslation(*qApp)) {
        GTEST_SKIP() << "qtbase_ru.qm is not installed";
    }
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Open"), QStringLiteral("Открыть"));
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}
