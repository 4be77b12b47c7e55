// SPDX-License-Identifier: MIT
// What the command line does with full disks, a second writer, odd names and
// firmware ids, lists cut at a NUL and patches aimed at a working folder.
#include "CliFixture.h"
#include "cli/Commands.h"
#include "dataset/ListFile.h"
#include "melodies/MelodyVolumes.h"
#include "platform/DataSetLock.h"
#include "platform/SettingsStore.h"
#include "support/MiniDataSet.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSysInfo>
#include <QThread>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using testsupport::readAll;
using testsupport::Scratch;

namespace {

class DataSafety : public CliFixture {
protected:
    void SetUp() override {
        set.melodies = 200; // lists larger than the file size limit below
        CliFixture::SetUp();
    }
    QString data(const QString& name) const { return firmware + "/Data/" + name; }

    // Runs the real program with writes past `limit` bytes failing as on a
    // full disk (EFBIG), or with the environment changed by `env`.
    int runChild(const QStringList& args, qint64 limit,
                 const std::function<void(QProcessEnvironment&)>& env = {}) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", scratch.path("config"));
        if (env) {
            env(environment);
        }
        child.setProcessEnvironment(environment);
        child.setChildProcessModifier([limit] {
            if (limit > 0) {
                const rlimit size{rlim_t(limit), rlim_t(limit)};
                setrlimit(RLIMIT_FSIZE, &size);
                std::signal(SIGXFSZ, SIG_IGN);
            }
        });
        child.start(QStringLiteral(TARVEX_CLI_PATH), args);
        EXPECT_TRUE(child.waitForFinished(30000));
        err = QString::fromUtf8(child.readAllStandardError());
        return child.exitCode();
    }

    // Every file of the folder, hidden ones included.
    QStringList entries(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
};

} // namespace

TEST_F(DataSafety, FullDiskLeavesEveryFileWholeAndSaysWhy) {
    const QStringList args{"--user-folder", user(), "--firmware", "X120XEDJ2"};
    const QByteArray filesBefore = readAll(data("MelodiesFiles.lst"));
    const QByteArray sizesBefore = readAll(data("MelodiesSize.lst"));
    const QStringList dataBefore = entries(firmware + "/Data");
    ASSERT_GT(filesBefore.size(), 4096);

    // The working copy does not fit.
    const QString big = scratch.write("in/big.mmf", QByteArray(3000, 'b'));
    EXPECT_EQ(runChild(args + QStringList{"assign", "melodies", "1", big}, 2048), 1);
    EXPECT_EQ(err.trimmed(), "tarvex-cli: Cannot create file " + firmware +
                                 "/TempMelodies/big.mmf: File too large");
    EXPECT_TRUE(entries(firmware + "/TempMelodies").isEmpty());

    // The copy fits, the lists do not.
    const QString small = scratch.write("in/small.mmf", QByteArray(100, 's'));
    EXPECT_EQ(runChild(args + QStringList{"assign", "melodies", "1", small}, 4096), 1);
    EXPECT_EQ(err.trimmed(),
              "tarvex-cli: Cannot create file " + data("MelodiesFiles.lst") + ": File too large");
    EXPECT_EQ(readAll(data("MelodiesFiles.lst")), filesBefore);
    EXPECT_EQ(readAll(data("MelodiesSize.lst")), sizesBefore);
    EXPECT_EQ(entries(firmware + "/Data"), dataBefore);
    EXPECT_TRUE(entries(firmware + "/TempMelodies").isEmpty()); // no copy no slot names

    // A patch that does not fit leaves the old one whole.
    ASSERT_EQ(
        run({"assign", "melodies", "2", scratch.write("in/long.mmf", QByteArray(20000, 'l'))}), 0);
    const QString patch = scratch.write("out/patch.s3", "old patch\r\n");
    EXPECT_EQ(runChild(args + QStringList{"build", "melodies", "-o", patch}, 16384), 1);
    EXPECT_TRUE(err.contains(patch + ": File too large")) << err.toStdString();
    EXPECT_EQ(readAll(patch), "old patch\r\n");
    EXPECT_EQ(entries(scratch.path("out")), QStringList{"patch.s3"});
}

TEST_F(DataSafety, OneWriterPerDataSetReadersWorkRegardless) {
    const QString melody = scratch.write("in/ring.mmf", QByteArray(10, 'r'));
    {
        DataSetLock other(firmware);
        ASSERT_EQ(other.tryLock(), DataSetLock::Result::Locked);
        for (const QStringList& writing : {QStringList{"assign", "melodies", "1", melody},
                                           {"restore", "melodies", "1"},
                                           {"volume", "1", "20"},
                                           {"build", "java", "-o", scratch.path("p.s3")}}) {
            EXPECT_EQ(run(writing), 1) << writing.join(' ').toStdString();
            EXPECT_TRUE(err.contains("is in use by")) << err.toStdString();
            EXPECT_TRUE(err.contains(QString::number(QCoreApplication::applicationPid())));
        }
        EXPECT_FALSE(QFile::exists(scratch.path("p.s3")));
        EXPECT_EQ(run({"slots", "melodies"}), 0);
        EXPECT_EQ(run({"info"}), 0);
    }
    // A lock whose holder is gone is taken over, also one its holder was
    // killed while writing.
    EXPECT_EQ(run({"assign", "melodies", "1", melody}), 0) << err.toStdString();
    QFile empty(scratch.write("user/X120XEDJ2/.tarvex.lock", ""));
    ASSERT_TRUE(empty.open(QIODevice::ReadWrite));
    empty.setFileTime(QDateTime::currentDateTime().addSecs(-5), QFileDevice::FileModificationTime);
    empty.close();
    EXPECT_EQ(run({"restore", "melodies", "1"}), 0) << err.toStdString();
    EXPECT_EQ(run({"assign", "melodies", "1", melody}), 0) << err.toStdString();
    EXPECT_EQ(listfile::load(data("MelodiesFiles.lst"))[1], "ring.mmf");
}

// Liveness is the holder's own lock on the file: a killed holder frees the
// data set at once, even when its pid now belongs to another tarvex-cli, and
// what stands in the lock's place unlike a file is named with what to do.
TEST_F(DataSafety, TheLockIsAliveExactlyAsLongAsItsHolder) {
    const QString lockFile = firmware + "/.tarvex.lock";
    // A real holder: a build blocked writing a patch larger than a pipe holds
    // into a FIFO whose reader reads nothing.
    std::vector<int> readers;
    const auto startHolder = [&](QProcess& holder, const QString& userFolder) {
        const QString fifo = scratch.path("fifo-%1").arg(qintptr(&holder));
        EXPECT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        readers.push_back(::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK));
        const QString big = scratch.write("big.mmf", QByteArray(200'000, 'r'));
        QString ignored;
        QTextStream o(&ignored);
        ASSERT_EQ(runCli({"--user-folder", userFolder, "assign", "melodies", "0", big},
                         scratch.path("bin"), o, o),
                  0);
        holder.start(QStringLiteral(TARVEX_CLI_PATH),
                     {"--user-folder", userFolder, "build", "melodies", "-o", fifo});
        EXPECT_TRUE(holder.waitForStarted());
        for (int i = 0; i < 200 && readAll(userFolder + "/X120XEDJ2/.tarvex.lock").isEmpty(); ++i) {
            QThread::msleep(50);
        }
    };
    QProcess holder;
    startHolder(holder, user());
    EXPECT_EQ(run({"volume", "1", "20"}), 1);
    EXPECT_TRUE(err.contains("is in use by")) << err.toStdString();
    EXPECT_TRUE(err.contains(QString::number(holder.processId()))) << err.toStdString();
    holder.kill();
    holder.waitForFinished();
    ASSERT_TRUE(QFile::exists(lockFile)); // a killed holder removes nothing

    // Its pid taken over by another live tarvex-cli, holding another data set.
    QProcess other;
    MiniDataSet().writeTo(scratch.mkdir("user2"));
    startHolder(other, scratch.path("user2"));
    listfile::writeWhole(lockFile, QByteArray::number(other.processId()) + "\ntarvex-cli\n" +
                                       QSysInfo::machineHostName().toUtf8() + "\n");
    EXPECT_EQ(run({"volume", "1", "21"}), 0) << err.toStdString();
    other.kill();
    other.waitForFinished();
    for (const int fd : readers) {
        ::close(fd);
    }

    // Garbage is taken over; a folder, a FIFO or a link is named, never waited on.
    listfile::writeWhole(lockFile, QByteArray(100, '\x01'));
    EXPECT_EQ(run({"volume", "1", "22"}), 0) << err.toStdString();
    const auto expectNamed = [&](const char* what) {
        EXPECT_EQ(run({"volume", "1", "23"}), 1);
        EXPECT_TRUE(err.contains(lockFile + " is " + what + ", not a file")) << err.toStdString();
        EXPECT_TRUE(err.contains("Remove it")) << err.toStdString();
    };
    ASSERT_TRUE(QDir().mkdir(lockFile));
    expectNamed("a folder");
    QDir().rmdir(lockFile);
    ASSERT_EQ(mkfifo(QFile::encodeName(lockFile).constData(), 0600), 0);
    expectNamed("a FIFO");
    QFile::remove(lockFile);
    ASSERT_TRUE(QFile::link(scratch.path("nowhere"), lockFile));
    expectNamed("a link");
    EXPECT_EQ(listfile::load(data("Volumes.lst"))[1], melodyvolumes::lineFor(22));
}

// A pipe, a FIFO or "-" is read to its end: the patch holds every byte, as
// for the same bytes in a file; convert and verify take "-" too.
TEST_F(DataSafety, StreamsAreReadToTheirEnd) {
    QByteArray blob;
    for (int i = 0; i < 70000; ++i) {
        blob.append(char(i * 7));
    }
    const QString file = scratch.write("in/blob.bin", blob);
    ASSERT_EQ(run({"custom", file, "-o", scratch.path("file.s3")}), 0);
    const QByteArray expected = readAll(scratch.path("file.s3"));
    const auto piped = [&](const QStringList& args, const QByteArray& input) {
        QProcess child;
        child.start(QStringLiteral(TARVEX_CLI_PATH), QStringList{"--user-folder", user()} + args);
        child.write(input);
        child.closeWriteChannel();
        EXPECT_TRUE(child.waitForFinished(30000));
        err = QString::fromUtf8(child.readAllStandardError());
        return child.exitCode();
    };
    for (const QString& name : {QStringLiteral("-"), QStringLiteral("/dev/stdin")}) {
        EXPECT_EQ(piped({"custom", name, "-o", scratch.path("piped.s3")}, blob), 0)
            << err.toStdString();
        EXPECT_EQ(readAll(scratch.path("piped.s3")), expected) << name.toStdString();
    }
    EXPECT_EQ(piped({"verify", "-", "--no-dataset"}, expected), 0) << err.toStdString();
    EXPECT_EQ(piped({"verify", "-", "--no-dataset"}, "S3 broken\r\n"), 1);
    const QString picture = scratch.path("in/p.png");
    QImage(4, 3, QImage::Format_RGB32).save(picture);
    ASSERT_EQ(run({"convert", picture, "-o", scratch.path("file.pic")}), 0);
    EXPECT_EQ(piped({"convert", "-", "-o", scratch.path("piped.pic")}, readAll(picture)), 0)
        << err.toStdString();
    EXPECT_EQ(readAll(scratch.path("piped.pic")), readAll(scratch.path("file.pic")));
}

// A FIFO where a file is expected is never opened: every command ends, and
// one that needs the file says which.
TEST_F(DataSafety, FifosAreNeverWaitedOn) {
    const QString melody = scratch.write("in/ring.mmf", QByteArray(10, 'r'));
    ASSERT_EQ(run({"assign", "melodies", "0", melody}), 0);
    const QStringList args{"--user-folder", user()};
    const QStringList places{data(".lists.commit"),
                             data("JavaFiles.lst"),
                             data("Memory.ini"),
                             data("JavaHelp.rtf"),
                             firmware + "/TempMelodies/ring.mmf",
                             data("ReqPatches/Fix.s3")};
    scratch.write(data("ReqPatches/Fix.s3").mid(scratch.path().size() + 1), "S00600004844521B\r\n");
    ASSERT_EQ(run({"build", "melodies", "-o", scratch.path("built.s3")}), 0);
    const QString patch = scratch.path("built.s3");
    for (const QString& place : places) {
        const QString kept = place + ".kept";
        QFile::rename(place, kept);
        ASSERT_EQ(mkfifo(QFile::encodeName(place).constData(), 0600), 0);
        for (const QStringList& command : {QStringList{"info"},
                                           {"slots", "java"},
                                           {"slots", "melodies"},
                                           {"restore", "java", "0"},
                                           {"check"},
                                           {"verify", patch},
                                           {"build", "melodies", "-o", scratch.path("p.s3")}}) {
            QProcess child;
            child.start(QStringLiteral(TARVEX_CLI_PATH), args + command);
            const bool ended = child.waitForFinished(10000);
            EXPECT_TRUE(ended) << place.toStdString() << ": " << command.join(' ').toStdString();
            if (!ended) {
                child.kill();
                child.waitForFinished();
            }
        }
        QFile::remove(place);
        QFile::rename(kept, place);
    }
    QFile::remove(data("JavaFiles.lst"));
    ASSERT_EQ(mkfifo(QFile::encodeName(data("JavaFiles.lst")).constData(), 0600), 0);
    EXPECT_EQ(run({"slots", "java"}), 1);
    EXPECT_TRUE(err.contains(data("JavaFiles.lst") + ": Not a regular file")) << err.toStdString();
}

// A reader's memory stays within twice its input: a list of one 100 MB line
// is read, shown and checked in 250 MB of address space, and a huge marker
// costs no memory either.
TEST_F(DataSafety, ReadersKeepTheirMemoryWithinTheirInput) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reserves more address space than the limit";
#endif
    QStringList names = set.linesOf("MelodiesNames.lst");
    names[3] = QString(100'000'000, 'x');
    listfile::writeWhole(data("MelodiesNames.lst"), listfile::encode(names));
    listfile::writeWhole(data(".lists.commit"),
                         "MelodiesFiles.lst\r\n" + QByteArray(50'000'000, 'y'));
    for (const QStringList& command : {QStringList{"slots", "melodies"}, {"check"}}) {
        QProcess child;
        child.setChildProcessModifier([] {
            const rlimit space{250u << 20, 250u << 20};
            setrlimit(RLIMIT_AS, &space);
        });
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QStringLiteral(TARVEX_CLI_PATH),
                    QStringList{"--user-folder", user()} + command);
        ASSERT_TRUE(child.waitForFinished(60000));
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << command.join(' ').toStdString();
        EXPECT_TRUE(child.readAll().contains("MelodiesNames.lst:4: "))
            << command.join(' ').toStdString();
    }
}

// What a killed assign leaves in a working folder, copies no slot names and
// half-written temporary files, goes at the next writer's start; a reader
// that finds the data set free removes only the new files no save committed.
TEST_F(DataSafety, AWriterDropsWorkingCopiesNoSlotNames) {
    const QString melody = scratch.write("in/ring.mmf", QByteArray(10, 'r'));
    ASSERT_EQ(run({"assign", "melodies", "1", melody}), 0);
    const QString work = firmware + "/TempMelodies/";
    scratch.write(work.mid(scratch.path().size() + 1) + "orphan.mmf", "left by a kill");
    scratch.write(work.mid(scratch.path().size() + 1) + ".half.mmf.new.AbC123", "cut short");
    scratch.write(work.mid(scratch.path().size() + 1) + "ring.mmf.new", "never committed");
    EXPECT_EQ(run({"slots", "melodies"}), 0);
    EXPECT_EQ(entries(work), (QStringList{"orphan.mmf", "ring.mmf"}));
    EXPECT_EQ(run({"restore", "java", "0"}), 0) << err.toStdString();
    EXPECT_EQ(entries(work), QStringList{"ring.mmf"});
    EXPECT_EQ(readAll(work + "ring.mmf"), QByteArray(10, 'r'));
}

TEST_F(DataSafety, NamesTheListsCannotHoldAreRefusedAndNothingChanges) {
    const QByteArray before = readAll(data("MelodiesFiles.lst"));
    for (const char* name : {"evil\nname.mid", "tab\tname.mid", "klänge.mid", "back\\slash.mid",
                             "del\x7Fname.mid", "c1\xC2\x85name.mid", "c1\xC2\x9Fname.mid"}) {
        const QString file = scratch.write(QStringLiteral("in/") + QString::fromUtf8(name), "m");
        EXPECT_EQ(run({"assign", "melodies", "1", file}), 1) << name;
        EXPECT_TRUE(err.contains("Please rename the file") || err.contains("Invalid file name"))
            << err.toStdString();
    }
    EXPECT_EQ(readAll(data("MelodiesFiles.lst")), before);
    EXPECT_TRUE(entries(firmware + "/TempMelodies").isEmpty());
}

TEST_F(DataSafety, FirmwareIdMustBeAFolderName) {
    QDir().mkpath(scratch.path("elsewhere/Data"));
    EXPECT_EQ(run({"--firmware", "../elsewhere", "assign", "melodies", "1", "x.mmf"}), 1);
    EXPECT_TRUE(err.contains("is not a folder name")) << err.toStdString();
    SettingsStore().writeString("CurFW", "../elsewhere");
    EXPECT_EQ(run({"build", "java", "-o", scratch.path("p.s3")}), 1);
    EXPECT_TRUE(err.contains("the firmware id \"../elsewhere\" is not a folder name"));
    EXPECT_EQ(QDir(scratch.path("elsewhere"))
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"Data"});
}

TEST_F(DataSafety, AListCutAtANulIsNeverWrittenBack) {
    QStringList lines = set.linesOf("MelodiesNames.lst");
    lines[3].insert(2, QChar(0));
    const QByteArray before = listfile::encode(lines);
    listfile::writeWhole(data("MelodiesNames.lst"), before);
    run({"slots", "melodies"}); // reading alone loses nothing, and says why rows are missing
    EXPECT_TRUE(err.startsWith("warning: " + data("MelodiesNames.lst") + ":4: "));
    const QString melody = scratch.write("in/ring.mmf", "ring");
    for (const QStringList& writing : {QStringList{"volume", "1", "5"},
                                       {"assign", "melodies", "1", melody},
                                       {"restore", "melodies", "1"},
                                       {"build", "melodies", "-o", scratch.path("p.s3")}}) {
        EXPECT_EQ(run(writing), 1) << writing.join(' ').toStdString();
        EXPECT_TRUE(err.startsWith("tarvex-cli: " + data("MelodiesNames.lst") + ":4: "))
            << err.toStdString();
    }
    // The other managers work, and leave the cut list as it is.
    EXPECT_EQ(run({"restore", "java", "0"}), 0) << err.toStdString();
    EXPECT_EQ(readAll(data("MelodiesNames.lst")), before);
    EXPECT_FALSE(QFile::exists(scratch.path("p.s3")));
}

// No output lands inside a firmware folder, whatever command writes it and
// whatever link leads there; the data set stays as it was.
TEST_F(DataSafety, NoOutputIsWrittenInsideAFirmwareFolder) {
    const QString melody = scratch.write("in/ring.mmf", QByteArray(10, 'r'));
    ASSERT_EQ(run({"assign", "melodies", "1", melody}), 0);
    const QString picture = scratch.path("in/p.bmp");
    QImage(4, 4, QImage::Format_RGB32).save(picture);
    ASSERT_EQ(run({"convert", picture, "-o", scratch.path("in/p.pic")}), 0) << err.toStdString();
    ASSERT_TRUE(QFile::link(firmware + "/TempMelodies", scratch.path("linked")));
    ASSERT_TRUE(QFile::link(firmware, scratch.path("linkedFirmware")));
    const QStringList entriesBefore =
        entries(firmware + "/Data") + entries(firmware + "/TempMelodies");
    const QByteArray files = readAll(data("MelodiesFiles.lst"));
    const QByteArray ini = readAll(data("Memory.ini"));
    const QStringList targets{
        data("MelodiesFiles.lst"),           data("Memory.ini"),
        firmware + "/.tarvex.lock",          data(".lists.commit"),
        firmware + "/TempMelodies/ring.mmf", firmware + "/TempPic/x.png",
        scratch.path("linked/p.s3"),         scratch.path("linkedFirmware/Data/x.s3")};
    for (const QString& target : targets) {
        for (const QStringList& command :
             {QStringList{"build", "melodies", "-o", target},
              {"custom", melody, "-o", target},
              {"convert", picture, "-o", target},
              {"decode", scratch.path("in/p.pic"), "-o", target + ".png"}}) {
            EXPECT_EQ(run(command), 1) << command.join(' ').toStdString();
            EXPECT_TRUE(err.contains("the working folder")) << err.toStdString();
            // One line: the window's line break is no literal "\n" here.
            EXPECT_FALSE(err.contains("\\n")) << err.toStdString();
        }
    }
    EXPECT_EQ(readAll(data("MelodiesFiles.lst")), files);
    EXPECT_EQ(readAll(data("Memory.ini")), ini);
    EXPECT_EQ(readAll(firmware + "/TempMelodies/ring.mmf"), QByteArray(10, 'r'));
    EXPECT_EQ(entries(firmware + "/Data") + entries(firmware + "/TempMelodies"), entriesBefore);
    EXPECT_FALSE(QFile::exists(firmware + "/TempPic/x.png"));
    // Beside the user folder is fine.
    EXPECT_EQ(run({"custom", melody, "-o", scratch.path("out.s3")}), 0) << err.toStdString();
}

// An output that is one of the command's own inputs, by any name, would
// replace the user's file with what was made from it.
TEST_F(DataSafety, NoOutputIsWrittenOverItsOwnInput) {
    const QString picture = scratch.mkdir("in") + "/p.bmp";
    QImage(4, 4, QImage::Format_RGB32).save(picture);
    ASSERT_EQ(run({"convert", picture, "-o", scratch.path("in/p.pic")}), 0) << err.toStdString();
    for (const QString& input : {picture, scratch.path("in/p.pic")}) {
        const QString linked = input + ".linked.png";
        std::filesystem::create_hard_link(input.toStdString(), linked.toStdString());
    }
    const QByteArray bitmap = readAll(picture);
    const QByteArray converted = readAll(scratch.path("in/p.pic"));
    for (const QStringList& command :
         {QStringList{"custom", picture, "-o", picture + ".linked.png"},
          {"convert", picture, "-o", picture + ".linked.png"},
          {"decode", scratch.path("in/p.pic"), "-o", scratch.path("in/p.pic.linked.png")}}) {
        EXPECT_EQ(run(command), 1) << command.join(' ').toStdString();
        EXPECT_TRUE(err.contains("is also read by this command")) << err.toStdString();
    }
    // Neither name of either input was replaced.
    EXPECT_EQ(readAll(picture + ".linked.png"), bitmap);
    EXPECT_EQ(readAll(scratch.path("in/p.pic.linked.png")), converted);
}

TEST_F(DataSafety, NoHomeStopsInsteadOfWritingAtTheRoot) {
    for (const QString& xdg : {QString(), QStringLiteral("relative/data")}) {
        EXPECT_EQ(runChild({"info"}, 0,
                           [&](QProcessEnvironment& env) {
                               env.remove("HOME");
                               env.insert("XDG_DATA_HOME", xdg);
                           }),
                  1);
        EXPECT_TRUE(err.contains("HOME is not set")) << err.toStdString();
    }
}
