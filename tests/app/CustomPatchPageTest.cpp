// SPDX-License-Identifier: MIT
#include "editor/CustomPatchPage.h"

#include "AppTestSupport.h"
#include "base/Cp1251.h"
#include "base/TextLines.h"
#include "srec/CustomPatch.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

using testsupport::readAll;
using testsupport::Scratch;
using testsupport::sequence;

namespace {

// A data record's bytes add up, with their checksum, to FF.
bool checksumOk(const QString& line) {
    const QByteArray bytes = QByteArray::fromHex(line.mid(2).toLatin1());
    int sum = 0;
    for (const char b : bytes) {
        sum += static_cast<unsigned char>(b);
    }
    return (sum & 0xFF) == 0xFF && bytes.size() == (bytes.isEmpty() ? 0 : bytes[0] + 1);
}

class CustomPatchTest : public ::testing::Test {
protected:
    // Opens a file of `bytes` through the page, as the button does.
    QStringList openFile(const QByteArray& bytes) {
        dialogs.openAnswers << scratch.write("input.bin", bytes);
        page.openButton()->click();
        return page.editorLines();
    }
    QStringList boxes() const {
        QStringList texts;
        for (const QStringList& box : dialogs.informs) {
            EXPECT_EQ(box.value(1), "Tarvex");
            texts << box.value(0);
        }
        return texts;
    }

    Scratch scratch;
    ScriptedDialogs dialogs;
    CustomPatchPage page;
    PatchEditor* editor = child<PatchEditor>(&page, "Editor");
};

} // namespace

TEST_F(CustomPatchTest, TwentyBytesGiveTwoRecordsBetweenHeaderAndEnd) {
    EXPECT_EQ(child<QLineEdit>(&page, "mmfOffset")->text(), "0x00646880");
    const QStringList lines = openFile(sequence(20));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "S00600004844521B");
    EXPECT_TRUE(lines[1].startsWith("S31500646880000102030405060708090A0B0C0D0E0F"))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("S3090064689010111213")) << lines[2].toStdString();
    EXPECT_EQ(lines[3], "S705A002000058");
    EXPECT_TRUE(checksumOk(lines[1]) && checksumOk(lines[2]));
    EXPECT_EQ(boxes(), QStringList({"20", "1"}));
    EXPECT_EQ(dialogs.openFilters, QStringList(QString()));
}

TEST_F(CustomPatchTest, RecordCountsAndBoxesFollowTheFileSize) {
    QStringList lines = openFile(sequence(16));
    EXPECT_EQ(lines.size(), 3);
    EXPECT_EQ(boxes(), QStringList({"16", "1"}));

    dialogs.informs.clear();
    lines = openFile(sequence(5, 0xA0));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].startsWith("S30A00646880A0A1A2A3A4")) << lines[1].toStdString();
    EXPECT_EQ(lines[1].size(), 2 + 2 * (1 + 4 + 5 + 1));
    EXPECT_EQ(boxes(), QStringList({"5", "0"}));

    dialogs.informs.clear();
    lines = openFile(QByteArray());
    EXPECT_EQ(lines, QStringList({"S00600004844521B", "S705A002000058"}));
    EXPECT_EQ(boxes(), QStringList({"0", "0"}));
}

TEST_F(CustomPatchTest, DecimalOffsetPlacesTheFirstRecord) {
    child<QLineEdit>(&page, "mmfOffset")->setText("4096");
    const QStringList lines = openFile(sequence(3));
    EXPECT_TRUE(lines.value(1).startsWith("S30800001000000102")) << lines.value(1).toStdString();
}

TEST_F(CustomPatchTest, FilesBeyondFiveMebibytesAreTakenWhole) {
    const int size = 5 * 1024 * 1024 + 17;
    const QStringList lines = openFile(sequence(size));
    ASSERT_EQ(lines.size(), 2 + (size + 15) / 16);
    EXPECT_TRUE(lines[lines.size() - 2].startsWith("S306"));
    EXPECT_EQ(boxes(), QStringList({QString::number(size), QString::number(size / 16)}));
}

TEST_F(CustomPatchTest, AnInvalidOffsetLeavesTheEditorAsItWas) {
    editor->setPlainText("kept");
    child<QLineEdit>(&page, "mmfOffset")->setText("0x12G");
    openFile(sequence(4));
    EXPECT_EQ(dialogs.errors, QStringList("'0x12G' is not a valid integer value."));
    EXPECT_EQ(editor->toPlainText(), "kept");
    EXPECT_TRUE(dialogs.informs.isEmpty());
}

TEST_F(CustomPatchTest, AFileThatCannotBeReadIsRefusedAndThePatchStays) {
    editor->setPlainText("old patch");
    ASSERT_EQ(::mkfifo(QFile::encodeName(scratch.path("fifo.bin")).constData(), 0600), 0);
    QFile::link("/dev/null", scratch.path("device.bin"));
    const QStringList refused{scratch.path("missing.bin"), scratch.mkdir("folder.bin"),
                              scratch.path("fifo.bin"), scratch.path("device.bin")};
    for (const QString& file : refused) {
        dialogs.errors.clear();
        dialogs.openAnswers << file;
        page.openButton()->click();
        ASSERT_EQ(dialogs.errors.size(), 1) << file.toStdString();
        EXPECT_TRUE(dialogs.errors[0].startsWith("Cannot open file " + file))
            << dialogs.errors[0].toStdString();
        EXPECT_EQ(editor->toPlainText(), "old patch");
    }
    // A drop, proposing a move as file managers do, meets the same refusal.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(scratch.path("fifo.bin"))});
    const QPoint at = page.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    enter.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(&page, &enter);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    drop.setDropAction(Qt::MoveAction);
    dialogs.errors.clear();
    QApplication::sendEvent(&page, &drop);
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    QApplication::processEvents();
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(editor->toPlainText(), "old patch");
    EXPECT_TRUE(dialogs.informs.isEmpty());
}

TEST_F(CustomPatchTest, CancellingEitherDialogChangesNothing) {
    editor->setPlainText("kept");
    page.openButton()->click();
    EXPECT_EQ(editor->toPlainText(), "kept");
    page.saveButton()->click();
    EXPECT_EQ(dialogs.saveRequests,
              QList<QStringList>({{"CustomPatch", "Motorola S3 format (*.s3)"}}));
    EXPECT_TRUE(dialogs.informs.isEmpty() && dialogs.errors.isEmpty());
}

TEST_F(CustomPatchTest, SavingAnEmptyEditorAsksNothing) {
    page.saveButton()->click();
    EXPECT_TRUE(dialogs.saveRequests.isEmpty());
}

TEST_F(CustomPatchTest, SavesTheEditedTextExactlyWithCrLfAfterEveryLine) {
    openFile(sequence(20));
    const QStringList lines = page.editorLines();
    // The user's edit is kept as typed, without a new checksum.
    editor->setPlainText(lines[0] + "\n" + "S3 edited by hand" + "\n" + lines[3] + "\n");
    const QString target = scratch.path("patch.s3");
    dialogs.saveAnswers << target;
    page.saveButton()->click();
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(readAll(target),
              (lines[0] + "\r\nS3 edited by hand\r\n" + lines[3] + "\r\n").toLatin1());
}

TEST_F(CustomPatchTest, TextTheCodePageCannotHoldIsRefusedAndTheOldFileKept) {
    const QString target = scratch.write("patch.s3", "old\r\n");
    editor->setPlainText(QStringLiteral("S0 заголовок\nS3 \u2713"));
    dialogs.saveAnswers << target;
    page.saveButton()->click();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("S3 \u2713")))
        << dialogs.errors[0].toStdString();
    EXPECT_EQ(readAll(target), "old\r\n");

    // Cyrillic is in the code page and written as its bytes.
    editor->setPlainText(QStringLiteral("S0 заголовок"));
    dialogs.errors.clear();
    dialogs.saveAnswers << target;
    page.saveButton()->click();
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(readAll(target), QByteArray("S0 \xE7\xE0\xE3\xEE\xEB\xEE\xE2\xEE\xEA\r\n"));
}

TEST_F(CustomPatchTest, ALargePatchIsEditedByKeysAndSavedExactlyAsShown) {
    const int size = 5 * 1024 * 1024 + 17;
    const QByteArray bytes = sequence(size, 9);
    openFile(bytes);
    const CustomPatch made = makeCustomPatch(scratch.path("input.bin"), size, 0x00646880);
    QStringList expected;
    for (qsizetype i = 0; i < made.lines.count(); ++i) {
        expected << cp1251::decode(made.lines.line(i));
    }
    ASSERT_EQ(editor->blockCount(), expected.size());

    // Unedited, the saved file is the patch as the records make it. The
    // window handles its events between the blocks of the save.
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(0);
    const QString target = scratch.path("patch.s3");
    dialogs.saveAnswers << target;
    page.saveButton()->click();
    ticker.stop();
    EXPECT_GT(ticks, 0);
    ASSERT_EQ(readAll(target), QByteArray::fromStdString(std::string(made.lines.text())));

    editor->setCursorPosition({1000, 4});
    QTest::keyClicks(editor, "AB");
    expected[1000].insert(4, "AB");
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, "S0 new");
    expected.insert(1001, "S0 new");
    editor->setCursorPosition({5001, 0});
    QTest::keyClick(editor, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(editor, Qt::Key_Delete);
    expected.removeAt(5001);
    editor->setCursorPosition({2, 0});
    QTest::keyClick(editor, Qt::Key_Backspace);
    expected[1] += expected[2];
    expected.removeAt(2);
    QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(editor->cursorPosition().line, expected.size() - 1);
    EXPECT_GT(editor->verticalScrollBar()->value(), expected.size() - 100);

    dialogs.saveAnswers << target;
    page.saveButton()->click();
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(readAll(target), textlines::encode(expected));
}

TEST_F(CustomPatchTest, SelectionsCutCopyAndPasteWorkAcrossLines) {
    editor->setPlainText("S0 one\nS3 two\nS3 three");
    editor->setCursorPosition({0, 3});
    editor->setCursorPosition({1, 3}, true);
    EXPECT_EQ(editor->selectedText(), "one\nS3 ");
    QTest::keyClick(editor, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(editor->toPlainText(), "S0 two\nS3 three");
    QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->toPlainText(), "S0 two\nS3 threeone\nS3 ");

    // Pasted line ends of any kind become lines; typing replaces a selection.
    QApplication::clipboard()->setText("A\r\nB\rC");
    editor->setCursorPosition({0, 0});
    QTest::keyClick(editor, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(editor, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->toPlainText(), "A\nB\nC two\nS3 threeone\nS3 ");
    EXPECT_EQ(editor->cursorPosition(), (PatchEditor::Position{2, 1}));

    // Everything deleted leaves an empty box: nothing to save, and undo brings it back.
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(page.savedLineCount(), 0);
    page.saveButton()->click();
    EXPECT_TRUE(dialogs.saveRequests.isEmpty());
    editor->undo();
    EXPECT_EQ(editor->toPlainText(), "A\nB\nC two\nS3 threeone\nS3 ");
}
