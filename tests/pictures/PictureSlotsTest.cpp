// SPDX-License-Identifier: MIT
#include "pictures/PictureSlots.h"

#include "base/Cp1251.h"
#include "base/ReportLanguage.h"
#include "base/TarvexError.h"
#include "dataset/Session.h"
#include "manager/PatchAssembly.h"
#include "platform/SettingsStore.h"
#include "srec/S3Records.h"
#include "support/MiniDataSet.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>

using testsupport::Scratch;

namespace {

class PictureSlotsTest : public ::testing::Test {
protected:
    static MiniDataSet threePictures() {
        MiniDataSet set;
        set.pictures = 3; // 4 x 2, 2 x 2, 4 x 2
        return set;
    }

    // A bitmap of the given size and colours (one per pixel, rows from the top).
    QString bitmap(const QString& name, int width, int height, const QList<QRgb>& colors) {
        QImage image(width, height, QImage::Format_RGB888);
        for (int i = 0; i < width * height; ++i) {
            image.setPixel(i % width, i / width, colors.value(i, colors.last()));
        }
        const QString path = scratch.path("in/" + name);
        QDir().mkpath(scratch.path("in"));
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }
    QString work(const QString& name) const {
        return session->firmwareFolder() + "/TempPic/" + name;
    }

    MiniSession mini{threePictures()};
    Scratch& scratch = mini.scratch;
    std::unique_ptr<Session>& session = mini.session;
    std::unique_ptr<SlotTable> table =
        std::make_unique<SlotTable>(mini.data(), managers::pictures());
};

// The 4 x 2 picture of the handset format's worked example: 22 bytes once converted.
const QList<QRgb> kExample{qRgb(255, 0, 0), qRgb(255, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 255),
                           qRgb(0, 0, 255), qRgb(0, 255, 0), qRgb(0, 255, 0), qRgb(0, 255, 0)};

} // namespace

TEST_F(PictureSlotsTest, AcceptsOnlyTheSlotsSizeAndRecordsTheConvertedSize) {
    // The window's warning, in Russian word for word (a Cyrillic ha between the numbers).
    ASSERT_TRUE(reportlanguage::use(QLocale(QLocale::Russian)));
    const auto wrong = pictureslots::choose(*table, 0, bitmap("wide.bmp", 4, 3, {qRgb(1, 2, 3)}));
    reportlanguage::use(QLocale(QLocale::English));
    EXPECT_EQ(wrong.outcome, pictureslots::Outcome::WrongSize);
    EXPECT_TRUE(wrong.warning.startsWith(
        QStringLiteral("Картинка не соответствует размеру 4х2 пикселей. Пожалуйста, выберите "
                       "другой файл. Размер выбранной картинки: 4x3.")));
    EXPECT_FALSE(QFile::exists(work("wide.bmp")));
    EXPECT_EQ(table->fileName(0), QStringLiteral("[Стандартная картинка]"));

    const auto ok = pictureslots::choose(*table, 0, bitmap("ex.bmp", 4, 2, kExample));
    EXPECT_EQ(ok.outcome, pictureslots::Outcome::Accepted);
    EXPECT_EQ(table->fileName(0), "ex.bmp");
    EXPECT_EQ(table->size(0), "22");
    EXPECT_TRUE(QFile::exists(work("ex.bmp")));
    EXPECT_FALSE(QFile::exists(work("temp.09")));
}

TEST_F(PictureSlotsTest, TwoSlotsNeverShareOneWorkingCopy) {
    ASSERT_EQ(pictureslots::choose(*table, 0, bitmap("same.bmp", 4, 2, kExample)).outcome,
              pictureslots::Outcome::Accepted);
    // Another bitmap of that name for another slot would overwrite slot 0's copy.
    const QString other = scratch.path("other");
    QDir().mkpath(other);
    QImage(4, 2, QImage::Format_RGB888).save(other + "/same.bmp", "BMP");
    const auto refused = pictureslots::choose(*table, 2, other + "/same.bmp");
    EXPECT_EQ(refused.outcome, pictureslots::Outcome::NameInUse);
    EXPECT_EQ(table->fileName(2), QStringLiteral("[Стандартная картинка]"));
    // The same slot may take a file of its own name again, measured anew.
    const auto again = pictureslots::choose(*table, 0, bitmap("same.bmp", 4, 2, {qRgb(9, 9, 9)}));
    EXPECT_EQ(again.outcome, pictureslots::Outcome::Accepted);
    EXPECT_EQ(table->size(0), "14"); // one colour: palette run, closing record, pad, trailer
}

TEST_F(PictureSlotsTest, BadInputGivesMessagesAndChangesNothing) {
    const QString garbage = scratch.write("in/garbage.bmp", "BM this is not a bitmap");
    EXPECT_THROW(pictureslots::choose(*table, 0, garbage), TarvexError);
    EXPECT_EQ(table->fileName(0), QStringLiteral("[Стандартная картинка]"));
    session->dataSet().setLine("PicOffsets.lst", 1, "ZZ00020000000000");
    try {
        pictureslots::choose(*table, 1, bitmap("x.bmp", 2, 2, {qRgb(0, 0, 0)}));
        ADD_FAILURE();
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "'0xZZ' is not a valid integer value");
    }
    EXPECT_EQ(pictureslots::choose(*table, 1, bitmap("temp.09", 2, 2, {qRgb(0, 0, 0)})).outcome,
              pictureslots::Outcome::UnsafeName);
}

TEST_F(PictureSlotsTest, PatchPlacesConvertedPicturesWithWidthHeightAndAddress) {
    ASSERT_EQ(pictureslots::choose(*table, 0, bitmap("a.bmp", 4, 2, kExample)).outcome,
              pictureslots::Outcome::Accepted);
    ASSERT_EQ(pictureslots::choose(*table, 2, bitmap("c.bmp", 4, 2, {qRgb(7, 7, 7)})).outcome,
              pictureslots::Outcome::Accepted);
    scratch.write("user/X120XEDJ2/TempPic/temp.09", "left by a failed build");
    const QString out = scratch.path("p.s3");
    ASSERT_EQ(patch::run(*table, pictureslots::patchHooks(), {}, [&] { return out; }), out);
    const QList<QByteArray> lines = testsupport::readAll(out).split('\n');
    auto has = [&](const QString& record) { return lines.contains(record.toLatin1() + '\r'); };
    EXPECT_TRUE(has(srec::tableRecord("00600100", srec::pictureEntry(0x00646880, 4, 2))));
    EXPECT_TRUE(has(srec::tableRecord("00600108", "0200020000007000")));
    EXPECT_TRUE(has(srec::tableRecord("00600110", srec::pictureEntry(0x00646880 + 22, 4, 2))));
    QString error;
    EXPECT_EQ(testsupport::srecCatBytes(out, 0x00646880, 22, &error),
              testsupport::bytesFromHex("0903E0071F0000F8C302C201C20081E0070004000200"))
        << error.toStdString();
    EXPECT_FALSE(QFile::exists(work("temp.09")));
    EXPECT_TRUE(QFile::exists(work("a.bmp")));
}

TEST_F(PictureSlotsTest, AVanishedCopyIsStandardAndMovesTheNextOneUp) {
    ASSERT_EQ(pictureslots::choose(*table, 0, bitmap("a.bmp", 4, 2, kExample)).outcome,
              pictureslots::Outcome::Accepted);
    ASSERT_EQ(pictureslots::choose(*table, 2, bitmap("c.bmp", 4, 2, kExample)).outcome,
              pictureslots::Outcome::Accepted);
    QFile::remove(work("a.bmp"));
    const S3LineList lines = patch::build(*table, pictureslots::patchHooks(), {});
    QStringList text;
    for (qsizetype i = 0; i < lines.count(); ++i) {
        text << cp1251::decode(lines.line(i));
    }
    EXPECT_TRUE(text.contains(srec::tableRecord("00600100", "0400020000007000")));
    EXPECT_TRUE(text.contains(srec::tableRecord("00600110", srec::pictureEntry(0x00646880, 4, 2))));
}
