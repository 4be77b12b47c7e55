// SPDX-License-Identifier: MIT
#include "AppTestSupport.h"
#include "app/AboutDialog.h"
#include "app/DonationDialog.h"
#include "app/FirmwareVersionDialog.h"
#include "app/SecretPanel.h"
#include "base/TarvexError.h"
#include "desktop/ShellOpen.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <new>
#include <stdexcept>

TEST(ErrorBox, AppendsAFullStopOnlyAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(UserDialogs::errorText("Cannot open file a.lst"), "Cannot open file a.lst.");
    EXPECT_EQ(UserDialogs::errorText("Integer overflow"), "Integer overflow.");
    EXPECT_EQ(UserDialogs::errorText("Файл не найден"), "Файл не найден.");
    EXPECT_EQ(UserDialogs::errorText("folder/"), "folder/.");
    EXPECT_EQ(UserDialogs::errorText("size 42"), "size 42.");
    EXPECT_EQ(UserDialogs::errorText("Done."), "Done.");
    EXPECT_EQ(UserDialogs::errorText("List index out of bounds (3)"),
              "List index out of bounds (3)");
    EXPECT_EQ(UserDialogs::errorText("Stop!"), "Stop!");
    EXPECT_EQ(UserDialogs::errorText(""), "");
}

TEST(ErrorBox, GuardShowsWhatAHandlerRaisesAndCarriesOn) {
    ScriptedDialogs dialogs;
    EXPECT_FALSE(guarded([] { throw TarvexError("Stream read error"); }));
    EXPECT_FALSE(guarded([] { throw std::runtime_error("bad thing"); }));
    EXPECT_FALSE(guarded([] { throw std::bad_alloc(); }));
    EXPECT_TRUE(guarded([] {}));
    EXPECT_EQ(dialogs.errors, QStringList({"Stream read error.", "bad thing.", "Out of memory."}));
}

namespace {

class FirmwareDialogTest : public WindowTest {
protected:
    // Accepts the dialog with the given folder selected.
    void acceptWith(const QString& folder) {
        dialogs.onModal = [folder](QDialog& dialog) {
            auto* box = dialog.findChild<QComboBox*>("cbFirmware");
            box->setCurrentIndex(box->findText(folder));
            return int(QDialog::Accepted);
        };
    }
    static QString stored(const char* name) {
        return SettingsStore().readString(QString::fromLatin1(name)).value_or("<absent>");
    }
};

} // namespace

TEST(FirmwareDialog, SelectsTheCurrentFirmwareAsAWholeItemIgnoringCase) {
    FirmwareVersionDialog dialog;
    dialog.fill({"x450xedh1", "X120XEDJ2\r\nX120XEDL2\r\nX450XEDH1\r\n"});
    ASSERT_EQ(child<QComboBox>(&dialog, "cbFirmware")->count(), 3);
    EXPECT_EQ(dialog.chosenFirmware(), "X450XEDH1");
    // A part of a name is no match: nothing is selected.
    dialog.fill({"X120", "X120XEDJ2\r\nX120XEDL2\r\n"});
    EXPECT_EQ(child<QComboBox>(&dialog, "cbFirmware")->currentIndex(), -1);
    EXPECT_EQ(dialog.chosenFirmware(), "");
}

TEST_F(FirmwareDialogTest, OffersTheScannedFoldersNotTheStoredList) {
    MiniDataSet().writeTo(userFolder(), "X450XEDH1");
    SettingsStore().writeString("FWList", "OLD1\r\nOLD2\r\n");
    auto window = open(MiniDataSet());
    QStringList items;
    const QComboBox* box = child<QComboBox>(window.get(), "cbFirmware");
    for (int i = 0; i < box->count(); ++i) {
        items << box->itemText(i);
    }
    items.sort();
    EXPECT_EQ(items, QStringList({"X120XEDJ2", "X450XEDH1"}));
    EXPECT_EQ(child<FirmwareVersionDialog>(window.get(), "frmOptFirmware")->chosenFirmware(),
              "X120XEDJ2");
}

TEST_F(FirmwareDialogTest, ConfirmingTheCurrentFirmwareStoresNothing) {
    auto window = open(MiniDataSet());
    dialogs.onModal = [](QDialog&) { return int(QDialog::Accepted); };
    window->chooseFirmware();
    EXPECT_EQ(dialogs.modals, QStringList("frmOptFirmware"));
    EXPECT_TRUE(dialogs.informs.isEmpty());
    EXPECT_EQ(stored("CurFW"), "<absent>");
}

TEST_F(FirmwareDialogTest, AnotherChoiceIsStoredWithTheScannedListAndAsksForARestart) {
    MiniDataSet().writeTo(userFolder(), "X450XEDH1");
    auto window = open(MiniDataSet());
    acceptWith("X450XEDH1");
    window->chooseFirmware();
    EXPECT_EQ(dialogs.informs, QList<QStringList>({{"Пожалуйста, перезапустите программу.", ""}}));
    EXPECT_EQ(stored("CurFW"), "X450XEDH1");
    EXPECT_EQ(stored("FWList"), Session::scanFirmwareFolders(userFolder()));
    EXPECT_EQ(stored("FWList").split("\r\n").size(), 3);
    // The running program stays on the firmware it started with.
    EXPECT_EQ(window->statusText(1), "Прошивка: X120XEDJ2");

    // Confirming the new choice again changes nothing.
    dialogs.informs.clear();
    window->chooseFirmware();
    EXPECT_TRUE(dialogs.informs.isEmpty());
}

TEST_F(FirmwareDialogTest, CancelStoresNothingAndTheDialogKeepsTheSelection) {
    MiniDataSet().writeTo(userFolder(), "X450XEDH1");
    auto window = open(MiniDataSet());
    dialogs.onModal = [](QDialog& dialog) {
        auto* box = dialog.findChild<QComboBox*>("cbFirmware");
        box->setCurrentIndex(box->findText("X450XEDH1"));
        return int(QDialog::Rejected);
    };
    window->chooseFirmware();
    EXPECT_TRUE(dialogs.informs.isEmpty());
    EXPECT_EQ(stored("CurFW"), "<absent>");
    EXPECT_EQ(child<QComboBox>(window.get(), "cbFirmware")->currentText(), "X450XEDH1");
}

TEST_F(FirmwareDialogTest, WithNoFirmwareFolderTheEmptyChoiceIsStored) {
    auto window = open();
    EXPECT_EQ(child<QComboBox>(window.get(), "cbFirmware")->count(), 0);
    EXPECT_EQ(child<FirmwareVersionDialog>(window.get(), "frmOptFirmware")->chosenFirmware(), "");
    dialogs.onModal = [](QDialog&) { return int(QDialog::Accepted); };
    window->chooseFirmware();
    EXPECT_EQ(stored("CurFW"), "");
    EXPECT_EQ(stored("FWList"), "");
    EXPECT_EQ(dialogs.informs.size(), 1);
}

TEST_F(WindowTest, AboutBoxOpensMailLinksAndKeepsScrolling) {
    QStringList opened;
    shell::setOpener([&opened](const QString& target) { opened << target; });
    auto window = open(MiniDataSet());
    child<QAction>(window.get(), "About1")->trigger();
    AboutDialog* about = child<AboutDialog>(window.get(), "frmAbout");
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    QStringList expected;
    for (const char* name : {"Label5", "Label6", "Label7"}) {
        QTest::mouseClick(child<QLabel>(about, name), Qt::LeftButton);
        expected << "mailto:" + child<QLabel>(about, name)->text() + "?subj=Tarvex_v10";
    }
    shell::setOpener({});
    EXPECT_EQ(opened, expected);
    EXPECT_EQ(opened.removeDuplicates(), 0);

    child<QPushButton>(about, "btnClose")->click();
    EXPECT_FALSE(about->isVisible());
    const SecretPanel* credits = child<SecretPanel>(about, "SecretPanel1");
    const int offset = credits->scrollOffset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return credits->scrollOffset() != offset; }));
    window->showAbout();
    EXPECT_EQ(child<AboutDialog>(window.get(), "frmAbout"), about);
    EXPECT_TRUE(about->isVisible());
}

TEST(SecretPanel, StartsAgainOnceTheLastLineHasLeft) {
    SecretPanel panel;
    panel.resize(153, 100);
    panel.setLines({"", "", "first", "second"});
    EXPECT_EQ(panel.lines(), QStringList({"first", "second"}));
    const int cycle = panel.cycleLength();
    EXPECT_EQ(cycle, 100 + 2 * panel.fontMetrics().lineSpacing());
    for (int i = panel.scrollOffset(); i < cycle; ++i) {
        panel.advance();
    }
    EXPECT_EQ(panel.scrollOffset(), cycle);
    panel.advance();
    EXPECT_EQ(panel.scrollOffset(), 0);
}

TEST_F(WindowTest, DonationRequestShowsOnceAndCopiesTheEditedIdentifiers) {
    auto window = open(MiniDataSet());
    window->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.modals.isEmpty(); }));
    window->hide();
    window->show();
    QTest::qWait(20);
    EXPECT_EQ(dialogs.modals, QStringList("frmNagScreen"));

    DonationDialog* nag = child<DonationDialog>(window.get(), "frmNagScreen");
    QList<QLineEdit*> edits;
    QList<QToolButton*> buttons;
    for (int i = 1; i <= 5; ++i) {
        edits << child<QLineEdit>(nag, qPrintable(QStringLiteral("Edit%1").arg(i)));
        buttons << child<QToolButton>(nag, qPrintable(QStringLiteral("SpeedButton%1").arg(i)));
    }
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(buttons[i]->toolTip(), "Copy");
        edits[i]->setText(QStringLiteral("ID-%1").arg(i + 1));
    }
    for (int i = 4; i >= 0; --i) {
        buttons[i]->click();
        EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("ID-%1").arg(i + 1));
    }
    child<QPushButton>(nag, "Button1")->click();
    EXPECT_EQ(nag->result(), int(QDialog::Rejected));
}
