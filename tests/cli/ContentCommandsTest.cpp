// SPDX-License-Identifier: MIT
#include "CliFixture.h"
#include "base/TextLines.h"
#include "content/ContentFile.h"
#include "dataset/ListFile.h"
#include "srec/SRecordReader.h"
#include "support/ContentSamples.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class ContentCommands : public CliFixture {
protected:
    QString work(const QString& name) const { return firmware + "/TempJava/" + name; }
    QStringList javaSizes() const {
        return QString::fromLatin1(testsupport::readAll(firmware + "/Data/JavaSize.lst"))
            .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
    // Every data byte of a patch, in the order of its records.
    static QByteArray patchBytes(const QString& path) {
        QByteArray text = testsupport::readAll(path);
        QBuffer buffer(&text);
        buffer.open(QIODevice::ReadOnly);
        srec::SRecordReader reader(buffer);
        srec::SRecordReader::Line line;
        QByteArray bytes;
        while (reader.next(line)) {
            if (line.record.isData()) {
                bytes.append(reinterpret_cast<const char*>(line.record.data.data()),
                             qsizetype(line.record.data.size()));
            }
        }
        return bytes;
    }
};

} // namespace

TEST_F(ContentCommands, AssignCorrectsTheJadWorkingCopyAndTheBuiltPatchCarriesIt) {
    const QByteArray jar = samples::jar(samples::manifest("Space Run", "Ulvane Games", "1.2.0"));
    const QByteArray jad = samples::jad("Space Run", "Ulvane Games", "1.2.0", "12");
    const QString userJad = scratch.write("in/space.jad", jad);
    ASSERT_EQ(run({"assign", "java", "1", scratch.write("in/space.jar", jar)}), 0);
    EXPECT_TRUE(err.contains("the game needs a JAD of its own")) << err.toStdString();

    ASSERT_EQ(run({"assign", "java", "0", userJad}), 0) << err.toStdString();
    const QString line = QStringLiteral("MIDlet-Jar-Size: 12 → %1").arg(jar.size());
    EXPECT_EQ(err, line + "\n");
    const QByteArray corrected = testsupport::readAll(work("space.jad"));
    EXPECT_TRUE(corrected.contains(
        QStringLiteral("\r\nMIDlet-Jar-Size: %1\r\nMIDlet-Jar-URL").arg(jar.size()).toUtf8()));
    EXPECT_EQ(testsupport::readAll(userJad), jad); // the user's own file as it was
    EXPECT_EQ(javaSizes().value(0), QString::number(corrected.size()));

    const QString patch = scratch.path("java.s3");
    ASSERT_EQ(run({"build", "java", "-o", patch}), 0) << err.toStdString();
    const QByteArray patched = patchBytes(patch);
    EXPECT_TRUE(patched.contains(corrected));
    EXPECT_TRUE(patched.contains(jar));

    // Back to the standard JAR: the JAD takes the standard entry's size
    // (4096), and the user is told the JAD must now fit the standard game.
    const QString standardJar = "warning: the JAD of slot 0 is new but the JAR of slot 1 is "
                                "standard: the JAD must describe the standard game\n";
    ASSERT_EQ(run({"restore", "java", "1"}), 0);
    EXPECT_EQ(err, QStringLiteral("MIDlet-Jar-Size: %1 → 4096\n").arg(jar.size()) + standardJar);
    EXPECT_EQ(content::describeFile(work("space.jad")).declaredJarSize, 4096);
    ASSERT_EQ(run({"assign", "java", "0", scratch.write("in/again.jad", jad)}), 0);
    EXPECT_EQ(err, "MIDlet-Jar-Size: 12 → 4096\n" + standardJar);

    // Back to the standard JAD beside a new JAR: told on restore.
    ASSERT_EQ(run({"assign", "java", "1", scratch.write("in/space2.jar", jar)}), 0);
    ASSERT_EQ(run({"restore", "java", "0"}), 0);
    EXPECT_TRUE(
        err.startsWith("warning: the JAR of slot 1 is new but the JAD of slot 0 is standard"))
        << err.toStdString();
}

// What the JAD reader reads is what gets corrected: a byte order mark, a
// value continued on the next line. The user's line ends stay.
TEST_F(ContentCommands, AJadIsCorrectedWhereverItsReaderFindsTheSize) {
    const QByteArray jar = samples::jar(samples::manifest("Space Run", "Ulvane Games", "1.2.0"));
    const QByteArray plain = samples::jad("Space Run", "Ulvane Games", "1.2.0", "5");
    const struct {
        QByteArray jad;
        qint64 read;
    } cases[] = {
        {"\xEF\xBB\xBF" + plain, 5},
        {QByteArray(plain).replace("Size: 5", "Size: 74\r\n 7842"), 747842},
    };
    qsizetype jad = 0;
    for (const auto& c : cases) {
        const QString name = QStringLiteral("g%1").arg(jad);
        ASSERT_EQ(run({"assign", "java", QString::number(jad + 1),
                       scratch.write("in/" + name + ".jar", jar)}),
                  0);
        ASSERT_EQ(run({"assign", "java", QString::number(jad),
                       scratch.write("in/" + name + ".jad", c.jad)}),
                  0);
        EXPECT_EQ(err, QStringLiteral("MIDlet-Jar-Size: %1 → %2\n").arg(c.read).arg(jar.size()));
        const QByteArray copy = testsupport::readAll(work(name + ".jad"));
        EXPECT_EQ(content::describe(copy).declaredJarSize, jar.size());
        EXPECT_EQ(copy.startsWith("\xEF\xBB\xBF"), c.jad.startsWith("\xEF\xBB\xBF"));
        EXPECT_EQ(copy.count("\r\n"), plain.count("\r\n"));
        EXPECT_EQ(javaSizes().value(jad), QString::number(copy.size()));

        const QString patch = scratch.path("java.s3");
        ASSERT_EQ(run({"build", "java", "-o", patch}), 0) << err.toStdString();
        EXPECT_TRUE(patchBytes(patch).contains(copy));
        EXPECT_EQ(run({"check"}), 0) << out.toStdString();
        jad += 2;
    }
}

// The new JAD and its correction go in one journaled save: a kill at any
// moment leaves the old pair or the new one, never a JAD naming another size.
TEST_F(ContentCommands, AKilledAssignNeverLeavesAJadNamingAnotherSize) {
    const QByteArray jar = samples::jar(samples::manifest("Space Run", "Ulvane Games", "1.2.0"));
    ASSERT_EQ(run({"assign", "java", "1", scratch.write("in/space.jar", jar)}), 0);
    const QByteArray jad = samples::jad("Space Run", "Ulvane Games", "1.2.0", "5");
    int assigned = 0;
    for (int attempt = 0; attempt < 20; ++attempt) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int g = 0;; ++g) { // assigns until killed
                run({"assign", "java", "0",
                     scratch.write(QStringLiteral("in/k%1-%2.jad").arg(attempt).arg(g), jad)});
            }
        }
        usleep(useconds_t(QRandomGenerator::global()->bounded(50000, 700000)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_EQ(run({"restore", "java", "2"}), 0) << err.toStdString(); // finishes the save
        const QString name = QString::fromUtf8(
            testsupport::readAll(firmware + "/Data/JavaFiles.lst").split('\r').first());
        if (name.endsWith(".jad")) {
            ++assigned;
            const QByteArray copy = testsupport::readAll(work(name));
            ASSERT_EQ(content::describe(copy).declaredJarSize, jar.size()) << "attempt " << attempt;
            ASSERT_EQ(javaSizes().value(0), QString::number(copy.size()));
        }
    }
    EXPECT_GT(assigned, 0); // the kills did not all come before the first save
}

TEST_F(ContentCommands, AssignWarnsAboutWhatTheHandsetCannotUse) {
    ASSERT_EQ(run({"assign", "melodies", "0", scratch.write("in/a.mid", "ID3\x03 tags")}), 0);
    EXPECT_EQ(err, "warning: named .mid but holds MP3 data\n"
                   "warning: the handset does not play MP3\n");
    const QByteArray whole = samples::midi(0, 96, {samples::midiTrack("Cut", 960)});
    ASSERT_EQ(run({"assign", "melodies", "1", scratch.write("in/b.mid", whole.first(30))}), 0);
    EXPECT_EQ(err, "warning: cut short: track 1 of 1 runs past the end\n");
    ASSERT_EQ(run({"assign", "melodies", "2", scratch.write("in/c.mid", whole)}), 0);
    EXPECT_EQ(err, "");

    // A pair that names two games, and a JAR that is no archive.
    ASSERT_EQ(run({"assign", "java", "2",
                   scratch.write("in/g.jad", samples::jad("Space Run", "U", "1", "5"))}),
              0);
    ASSERT_EQ(run({"assign", "java", "3", scratch.write("in/g.jar", "not a zip")}), 0);
    EXPECT_EQ(err, "warning: the JAR is not a ZIP archive\nMIDlet-Jar-Size: 4096 → 9\n");
    ASSERT_EQ(run({"assign", "java", "3",
                   scratch.write("in/h.jar", samples::jar(samples::manifest("Other", "U", "1")))}),
              0);
    EXPECT_TRUE(err.contains("warning: MIDlet-Name differs: \"Space Run\" in the JAD of slot 2, "
                             "\"Other\" in the JAR of slot 3\n"))
        << err.toStdString();
}

TEST_F(ContentCommands, CheckNamesEachPairProblemAtTheSlotsLines) {
    // A pair whose JAD kept another size (the window's question answered no)
    // and names another game; a melody slot holding an MP3.
    const QByteArray jar = samples::jar(samples::manifest("Other", "U", "1"));
    const QByteArray jad = samples::jad("Space Run", "U", "1", "5");
    scratch.write("user/X120XEDJ2/TempJava/g.jad", jad);
    scratch.write("user/X120XEDJ2/TempJava/g.jar", jar);
    const QString standard = QStringLiteral("[Стандартная игра]");
    listfile::writeWhole(firmware + "/Data/JavaFiles.lst",
                         textlines::encode({standard, standard, "g.jad", "g.jar"}));
    listfile::writeWhole(
        firmware + "/Data/JavaSize.lst",
        textlines::encode({"0", "0", QString::number(jad.size()), QString::number(jar.size())}));
    ASSERT_EQ(run({"assign", "melodies", "1", scratch.write("in/a.mid", "ID3\x03")}), 0);

    // The phone refuses the game: errors.
    EXPECT_EQ(run({"check"}), 1) << out.toStdString();
    const QString files = firmware + "/Data/JavaFiles.lst:3: error: ";
    EXPECT_TRUE(out.contains(firmware + "/Data/MelodiesFiles.lst:2: warning: named .mid but "
                                        "holds MP3 data\n"))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("%1MIDlet-Jar-Size 5 in the JAD of slot 2, but the "
                                            "JAR of slot 3 has %2 bytes\n")
                                 .arg(files)
                                 .arg(jar.size())));
    EXPECT_TRUE(out.contains(files + "MIDlet-Name differs: \"Space Run\" in the JAD of slot 2, "
                                     "\"Other\" in the JAR of slot 3\n"));
}

TEST_F(ContentCommands, SlotsJsonTellsWhatEachNewFileHolds) {
    const QByteArray midi =
        samples::midi(0, 96, {samples::midiTrack("Morning Tune", 192, 1000000)});
    ASSERT_EQ(run({"assign", "melodies", "1", scratch.write("in/m.mid", midi)}), 0);
    ASSERT_EQ(run({"assign", "melodies", "2", scratch.write("in/b.mmf", "plain")}), 0);
    ASSERT_EQ(run({"slots", "melodies", "--json"}), 0);
    const QJsonArray rows = QJsonDocument::fromJson(out.toUtf8())["slots"].toArray();
    EXPECT_TRUE(rows[0]["content"].isNull()); // standard
    const QJsonObject tune = rows[1]["content"].toObject();
    EXPECT_EQ(tune["kind"].toString(), "midi");
    EXPECT_EQ(tune["title"].toString(), "Morning Tune");
    EXPECT_EQ(tune["duration_ms"].toInt(), 2000);
    EXPECT_TRUE(tune["midlet_name"].isNull());
    EXPECT_EQ(tune["problems"].toArray().size(), 0);
    const QJsonObject unknown = rows[2]["content"].toObject();
    EXPECT_EQ(unknown["kind"].toString(), "unknown");
    EXPECT_EQ(unknown["problems"].toArray().at(0).toString(), "named .mmf but holds no SMAF data");

    const QByteArray jar = samples::jar(samples::manifest("Space Run", "Ulvane Games", "1.2.0"));
    ASSERT_EQ(run({"assign", "java", "1", scratch.write("in/s.jar", jar)}), 0);
    ASSERT_EQ(run({"slots", "java", "--json"}), 0);
    const QJsonObject game =
        QJsonDocument::fromJson(out.toUtf8())["slots"][1].toObject()["content"].toObject();
    EXPECT_EQ(game["kind"].toString(), "jar");
    EXPECT_EQ(game["midlet_vendor"].toString(), "Ulvane Games");
    EXPECT_EQ(game["configuration"].toString(), "CLDC-1.0");
}
