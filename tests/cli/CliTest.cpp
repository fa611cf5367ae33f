// kestrix-cli from outside, as a user meets it: what it says on standard
// error, what it writes where, and that it never hangs.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <sys/stat.h>

#include "document/LabelFile.h"

namespace kestrix {
namespace {

struct CliRun {
    bool finished = false;
    int exitCode = -1;
    std::string err;
    qint64 ms = 0;
};

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        LabelElement box = CreateElement(kShape, {20, 20});
        box.nWidth = 200;
        box.nHeight = 100;
        ASSERT_TRUE(WriteLabelFile(Path("a.lab"), {40, 30, {}, {}, {box}}, nullptr));
    }

    QString Path(const QString& name) const { return dir_.filePath(name); }
    void MakeFifo(const QString& name) const { ASSERT_EQ(mkfifo(QFile::encodeName(Path(name)).constData(), 0600), 0); }

    // Runs kestrix-cli in the test folder; a run over `limitMs` is killed.
    CliRun Run(const QStringList& args, int limitMs = 10000) const {
        QProcess process;
        process.setWorkingDirectory(dir_.path());
        process.setProcessEnvironment([this] {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("HOME"), dir_.path());  // no PrinterSettings.ini of the user's
            return env;
        }());
        QElapsedTimer timer;
        timer.start();
        process.start(QStringLiteral(KESTRIX_CLI), args);
        CliRun run;
        run.finished = process.waitForFinished(limitMs);
        if (!run.finished) {
            process.kill();
            process.waitForFinished();
        }
        run.ms = timer.elapsed();
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.err = process.readAllStandardError().toStdString();
        return run;
    }

    QTemporaryDir dir_;
};

// Settings come only from a regular file: a FIFO without a writer would wait forever.
TEST_F(Cli, SettingsOnlyFromARegularFile) {
    MakeFifo(QStringLiteral("settings.ini"));
    const CliRun run = Run({"tspl", "a.lab", "--settings", "settings.ini", "-o", "out.tspl"}, 5000);
    EXPECT_TRUE(run.finished) << "waited for a writer";
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "kestrix-cli tspl: cannot read settings settings.ini: is not a regular file\n");
    EXPECT_FALSE(QFile::exists(Path("out.tspl")));
}

}  // namespace
}  // namespace kestrix
