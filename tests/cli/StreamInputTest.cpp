// SPDX-License-Identifier: MIT
#include "support/TestSupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <csignal>
#include <unistd.h>

using testsupport::Scratch;

namespace {

// Whatever the program leaves in its temporary folder.
QStringList spools(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                  QDir::System);
}

// The program with its own temporary folder, and the signals a test sends
// acting as they do by default, whatever its parent ignores.
void prepare(QProcess& p, const QString& temp) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", temp);
    p.setProcessEnvironment(env);
    p.setChildProcessModifier([] {
        for (const int s : {SIGTERM, SIGINT, SIGHUP}) {
            std::signal(s, SIG_DFL);
        }
    });
}

} // namespace

TEST(StreamInput, VerifysCopyOfAStreamIsRemovedBySignalsAndAfterAKill) {
    Scratch dir;
    const QString temp = dir.mkdir("tmp");
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        QProcess p;
        prepare(p, temp);
        p.start(TARVEX_CLI_PATH, {"verify", "--no-dataset", "-"}); // its input stays open
        ASSERT_TRUE(p.waitForStarted());
        const QDeadlineTimer deadline(20000);
        while (spools(temp).isEmpty() && !deadline.hasExpired()) {
            QThread::msleep(5);
        }
        ASSERT_EQ(spools(temp).size(), 1) << signal;
        ::kill(pid_t(p.processId()), signal);
        ASSERT_TRUE(p.waitForFinished(20000));
        EXPECT_EQ(p.exitStatus(), QProcess::CrashExit) << signal;
        EXPECT_EQ(spools(temp), QStringList()) << signal;
    }
    // What a process killed outright left goes with the next run; a living
    // process keeps its copy.
    QProcess gone;
    gone.start("/bin/sh", {"-c", "exit 0"});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 dead = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    const QString stale = QString("tarvex-spool-%1-a1b2c3").arg(dead);
    const QString living = QString("tarvex-spool-%1-a1b2c3").arg(::getpid());
    dir.write("tmp/" + stale, "S0");
    dir.write("tmp/" + living, "S0");
    // Links planted at stale names: one to a folder stays, one to a file goes
    // as a link; what they lead to stays whole.
    const QString kept = dir.write("outside/keep.txt", "keep");
    QFile::link(dir.path("outside"), temp + QString("/tarvex-spool-%1-folder").arg(dead));
    QFile::link(kept, temp + QString("/tarvex-spool-%1-file").arg(dead));
    QProcess p;
    prepare(p, temp);
    p.start(TARVEX_CLI_PATH, {"verify", "--no-dataset", dir.write("p.s3", "S705A002000058\r\n")});
    ASSERT_TRUE(p.waitForFinished(20000));
    QStringList left = spools(temp);
    QStringList staying{QString("tarvex-spool-%1-folder").arg(dead), living};
    left.sort();
    staying.sort();
    EXPECT_EQ(left, staying);
    EXPECT_EQ(testsupport::readAll(kept), "keep");
    // The name is one of the declared staging names, which the hostile-folder
    // runs plant links at.
    p.start(TARVEX_CLI_PATH, {"--staging-names"});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_TRUE(p.readAllStandardOutput().split('\n').contains("tarvex-spool-{}"));
    // A temporary folder that is a file: the refusal names where the copy was to go.
    QProcess blocked;
    prepare(blocked, dir.write("not-a-folder", "x"));
    blocked.start(TARVEX_CLI_PATH, {"verify", "--no-dataset", "-"});
    blocked.closeWriteChannel();
    ASSERT_TRUE(blocked.waitForFinished(20000));
    EXPECT_EQ(blocked.exitCode(), 1);
    EXPECT_TRUE(blocked.readAllStandardError().contains(
        QString("Cannot create file %1/tarvex-spool-").arg(dir.path("not-a-folder")).toUtf8()));
}

TEST(StreamInput, ACustomPatchOfAStreamWithoutEndIsRefusedAndWritesNothing) {
    Scratch dir;
    const QString temp = dir.mkdir("tmp");
    const QString out = dir.path("out/zero.s3");
    dir.mkdir("out");
    QProcess p;
    prepare(p, temp);
    // Should the stream be read without end, the file size limit (in blocks
    // of 512 bytes, above 256 MiB) ends it.
    p.start("/bin/sh", {"-c", "ulimit -f 600000; exec \"$0\" \"$@\"", TARVEX_CLI_PATH, "custom",
                        "/dev/zero", "-o", out});
    ASSERT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_EQ(p.readAllStandardError(),
              "tarvex-cli: /dev/zero holds more than 256 MiB: it is not read\n");
    EXPECT_EQ(spools(dir.path("out")), QStringList());
    EXPECT_EQ(spools(temp), QStringList());
    // From standard input, not one record reaches standard output.
    p.setStandardInputFile("/dev/zero");
    p.start(TARVEX_CLI_PATH, {"custom", "-"});
    ASSERT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_EQ(p.readAllStandardOutput(), "");
    EXPECT_EQ(p.readAllStandardError(),
              "tarvex-cli: The input holds more than 256 MiB: it is not read\n");
}
#ifdef Q_OS_LINUX // the peak is read from /proc
TEST(StreamInput, ADraftOfManySlotsTakesMemoryInProportion) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's own memory would count in the peak";
#endif
    // One melody and 100,000 table entries pointing at it, then an erased region.
    Scratch dir;
    QByteArray track = QByteArray("\x00\xFF\x03\x04"
                                  "Dawn",
                                  8);
    for (int i = 0; i < 8; ++i) {
        const char note = char(60 + i);
        track += QByteArray("\x00\x90", 2) + note + "\x64\x30\x80" + note + '\x40';
    }
    track += QByteArray("\x00\xFF\x2F\x00", 4);
    const QByteArray midi =
        QByteArray("MThd\0\0\0\x06\0\0\0\x01\0\x60MTrk\0\0\0", 21) + char(track.size()) + track;
    QByteArray image(0x1000, '\x01');
    image += midi + QByteArray((8 - midi.size() % 8) % 8, '\x01');
    const quint32 entry[2] = {0x1000, quint32(midi.size())};
    constexpr int kEntries = 100000;
    for (int i = 0; i < kEntries; ++i) {
        image.append(reinterpret_cast<const char*>(entry), sizeof entry);
    }
    image += QByteArray(64, '\x01');
    const QString region =
        QString("0x%1-0x%2").arg(image.size(), 0, 16).arg(image.size() + 0xFFFF, 0, 16);
    image += QByteArray(0x10000, '\xFF');
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(TARVEX_CLI_PATH,
            {"--user-folder", dir.mkdir("user"), "draft", dir.write("fw.bin", image), "--as",
             "MANY", "--melody-region", region});
    ASSERT_TRUE(p.waitForStarted());
    // The program's own high-water mark, read while it runs.
    qint64 peakKiB = 0;
    const QString status = QString("/proc/%1/status").arg(p.processId());
    while (!p.waitForFinished(5)) {
        const QByteArray text = testsupport::readAll(status);
        const qsizetype at = text.indexOf("VmHWM:");
        peakKiB = std::max(peakKiB,
                           at < 0 ? 0 : text.mid(at + 6, 20).trimmed().split(' ')[0].toLongLong());
    }
    EXPECT_EQ(p.exitCode(), 0);
    // Each slot's lines were once held three times over, and each table entry
    // with a name of its own: about 1,600 bytes a slot.
    EXPECT_GT(peakKiB, 0);
    EXPECT_LT(peakKiB * 1024, 64 * 1024 * 1024 + 900 * kEntries) << peakKiB;
}

#endif

#endif
