#include "support/TestSupport.h"

#include <QProcess>
#include <QProcessEnvironment>

// --help and --version are answered on standard output with no display at
// all: no X server, no Wayland, no offscreen platform to fall back on.
TEST(Program, HelpAndVersionNeedNoDisplay) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        env.remove(name);
    }
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TARVEX_PATH), {"--version"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardOutput().startsWith("tarvex 1."));
    p.start(QStringLiteral(TARVEX_PATH), {"--help"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardOutput().startsWith("usage: tarvex "));
}

// Without any display the window says so and exits 1, instead of aborting.
TEST(Program, NoDisplayIsSaidPlainlyWithExitOne) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        env.remove(name);
    }
    testsupport::Scratch scratch;
    env.insert("XDG_DATA_HOME", scratch.path("data"));
    env.insert("XDG_CONFIG_HOME", scratch.path("config"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TARVEX_PATH), {});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1);
    const QByteArray err = p.readAllStandardError();
    EXPECT_TRUE(err.contains("tarvex: no display could be opened (DISPLAY is not set)"))
        << err.constData();
    EXPECT_FALSE(err.contains("Reinstalling"));
}
