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
