// SPDX-License-Identifier: MIT
#include "CliFixture.h"
#include "dataset/BundledDataSets.h"
#include "firmware/FirmwareMaker.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QImage>

// What the commands write, compared byte for byte with the files in golden/:
// the three managers' patches on the bundled data set and verify's reports of
// them, and match and port on a made firmware and a later version of it.
// TARVEX_WRITE_GOLDEN=1 writes the files anew instead, for a change that
// means to alter an output.

using testsupport::readAll;

namespace {

using Kind = FirmwareMaker::Kind;

bool writingGolden() {
    return qEnvironmentVariable("TARVEX_WRITE_GOLDEN") == QLatin1String("1");
}

QString golden(const QString& name) {
    return QStringLiteral(TARVEX_GOLDEN_DIR "/") + name;
}

class GoldenOutputs : public CliFixture {
protected:
    void SetUp() override {
        SettingsStore::setOverrideFile(scratch.path("settings.ini"));
        QDir().mkpath(user());
    }

    // The output with the scratch folder's path, which differs on every run, named alike.
    QString stable(const QString& text) const {
        return QString(text).replace(scratch.path(), QStringLiteral("SCRATCH"));
    }

    void expectGolden(const QString& name, const QByteArray& bytes) {
        if (writingGolden()) {
            QDir().mkpath(QFileInfo(golden(name)).absolutePath());
            QFile file(golden(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            return;
        }
        ASSERT_TRUE(QFileInfo::exists(golden(name))) << name.toStdString();
        EXPECT_EQ(bytes, readAll(golden(name))) << name.toStdString();
    }

    // The command's exit code and both of its outputs.
    void expectRun(const QString& name, const QStringList& args) {
        const int code = run(args);
        expectGolden(name, QStringLiteral("exit %1\n--- out\n%2--- err\n%3")
                               .arg(code)
                               .arg(stable(out), stable(err))
                               .toUtf8());
    }

    // Every file under folder, each compared with its golden copy.
    void expectTree(const QString& name, const QString& folder) {
        QStringList files;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            files.append(QDir(folder).relativeFilePath(it.next()));
        }
        files.sort();
        expectGolden(name + "/files.txt", files.join('\n').toUtf8());
        for (const QString& file : files) {
            expectGolden(name + '/' + file, readAll(folder + '/' + file));
        }
    }
};

} // namespace

TEST_F(GoldenOutputs, PatchesAndVerifyOnTheBundledDataSet) {
    ASSERT_EQ(bundled::installMissing(testsupport::bundledFirmwareRoot(), user()),
              QStringList{"X120XEDJ2"});
    expectRun("bundled/check.txt", {"check"});

    // One slot of each manager given a file of its own, one volume changed.
    ASSERT_EQ(run({"assign", "melodies", "1",
                   scratch.write("in/tune.mid", testsupport::sequence(700, 7))}),
              0)
        << err.toStdString();
    ASSERT_EQ(run({"volume", "1", "100"}), 0) << err.toStdString();
    ASSERT_EQ(run({"assign", "java", "0", scratch.write("in/game.jad", "MIDlet-Name: G\r\n")}), 0)
        << err.toStdString();
    ASSERT_EQ(
        run({"assign", "java", "1", scratch.write("in/game.jar", testsupport::sequence(900))}), 0)
        << err.toStdString();
    // A picture of the slot's size, which its preview has.
    const QSize size = QImage(user() + "/X120XEDJ2/Data/Pic/3.jpg").size();
    QImage picture(size, QImage::Format_RGB888);
    ASSERT_FALSE(picture.isNull());
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.setPixel(x, y, qRgb(x * 7, y * 5, (x ^ y) * 3));
        }
    }
    ASSERT_TRUE(picture.save(scratch.path("in/picture.bmp"), "BMP"));
    ASSERT_EQ(run({"assign", "pictures", "2", scratch.path("in/picture.bmp")}), 0)
        << err.toStdString();

    for (const char* manager : {"melodies", "java", "pictures"}) {
        const QString patch = scratch.path(QStringLiteral("%1.s3").arg(manager));
        expectRun(QStringLiteral("bundled/build-%1.txt").arg(manager),
                  {"build", manager, "-o", patch});
        expectGolden(QStringLiteral("bundled/%1.s3").arg(manager), readAll(patch));
        expectRun(QStringLiteral("bundled/verify-%1.txt").arg(manager), {"verify", patch});
    }
    expectRun("bundled/verify-alone.txt", {"verify", "--no-dataset", scratch.path("java.s3")});
}

TEST_F(GoldenOutputs, MatchAndPortOnAMadeFirmware) {
    const FirmwareMaker old = FirmwareMaker::standard();
    const FirmwareMaker::Made made = old.make();
    firmwaremaker::writeDataSet(made, user());
    const QString oldPath = scratch.write("old.s3", firmwaremaker::sRecords(made.image, old.base));

    // Code inserted in two places, one melody moved to the end.
    FirmwareMaker later = old;
    auto before = [&](Kind kind, int index = 0) {
        return later.pieces.begin() + std::ptrdiff_t(later.find(kind, index));
    };
    later.pieces.insert(later.pieces.begin(), {Kind::Code, 50});
    later.pieces.insert(before(Kind::JavaTable), {Kind::Code, 51});
    later.pieces.erase(before(Kind::Melody, 1));
    later.pieces.push_back({Kind::Melody, 1});
    later.pieces.push_back({Kind::Code, 52});
    const QString newPath =
        scratch.write("new.s3", firmwaremaker::sRecords(later.make().image, later.base));

    expectRun("made/match-old.txt", {"match", oldPath});
    expectRun("made/match-new.txt", {"match", newPath});
    expectRun("made/port.txt", {"port", oldPath, newPath, "--as", "LATER"});
    expectTree("made/LATER", user() + "/LATER");
    expectRun("made/match-ported.txt", {"--firmware", "LATER", "match", newPath});
    expectRun("made/port-json.txt", {"port", oldPath, newPath, "--as", "LATER2", "--json"});
}
