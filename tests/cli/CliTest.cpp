// kestrix-cli from outside, as a user meets it: what it says on standard
// error, what it writes where, and that it never hangs.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

#include "document/LabelFile.h"
#include "document/RegularFile.h"

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
        LabelElement box = CreateElement(kShape, {10, 10});  // a stream of about 8 kB
        box.nWidth = 300;
        box.nHeight = 200;
        ASSERT_TRUE(WriteLabelFile(Path("a.lab"), {40, 30, {}, {}, {box}}, nullptr));
    }

    QString Path(const QString& name) const { return dir_.filePath(name); }
    void MakeFifo(const QString& name) const { ASSERT_EQ(mkfifo(QFile::encodeName(Path(name)).constData(), 0600), 0); }

    // Runs kestrix-cli in the test folder; a run over `limitMs` is killed. With
    // `maxFileBytes`, files it writes may not grow beyond that, as on a full disk.
    CliRun Run(const QStringList& args, int limitMs = 10000, rlim_t maxFileBytes = RLIM_INFINITY) const {
        QProcess process;
        process.setChildProcessModifier([maxFileBytes] {
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = std::min(maxFileBytes, limit.rlim_max);
            setrlimit(RLIMIT_FSIZE, &limit);
        });
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

// -o into a FIFO (or a device node) writes into it; a regular file is replaced
// only by a complete new one; a folder is refused.
TEST_F(Cli, OutputIntoFifoAndFilesButNotFolders) {
    ASSERT_EQ(Run({"tspl", "a.lab", "-o", "expected.tspl"}).exitCode, 0);
    const QByteArray expected = ReadRegularFile(Path("expected.tspl"), 1 << 20).bytes;
    MakeFifo(QStringLiteral("fifo"));
    ASSERT_TRUE(QFile::link(Path("fifo"), Path("link")));
    for (const char* target : {"fifo", "link"}) {
        const int reader = ::open(QFile::encodeName(Path(target)).constData(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(reader, 0);
        EXPECT_EQ(Run({"tspl", "a.lab", "-o", target}).exitCode, 0) << target;
        QByteArray got(expected.size() + 1, '\0');
        got.truncate(std::max<ssize_t>(0, ::read(reader, got.data(), got.size())));
        ::close(reader);
        EXPECT_EQ(got, expected) << target;
    }
    EXPECT_EQ(ReadRegularFile(Path("fifo"), 1).problem, FileProblem::NotRegular) << "still a FIFO";
    EXPECT_TRUE(QFileInfo(Path("link")).isSymLink());

    QDir(dir_.path()).mkdir(QStringLiteral("folder"));
    const CliRun folder = Run({"render", "a.lab", "-o", "folder"});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_EQ(folder.err, "kestrix-cli render: folder: cannot be written: is a folder\n");

    // A full disk (here a file size limit) says how far the write came; the old file stays.
    for (const char* command : {"tspl", "render"}) {
        const CliRun full = Run({command, "a.lab", "-o", "expected.tspl"}, 10000, 500);
        EXPECT_EQ(full.exitCode, 1) << command;
        EXPECT_NE(full.err.find(": cannot be written: file size limit reached: only 500 of "), std::string::npos)
            << full.err;
        EXPECT_EQ(ReadRegularFile(Path("expected.tspl"), 1 << 20).bytes, expected);
    }
}

// A printer that stops taking data is waited for: after 5 seconds the user is
// told once, and the job is never cut short however long the stall. With
// --timeout the job gives up after that many seconds without progress.
TEST_F(Cli, PrintWaitsForAStalledPrinterAndGivesUpOnlyWhenAsked) {
    ASSERT_EQ(Run({"tspl", "a.lab", "-o", "expected.tspl"}).exitCode, 0);
    const QByteArray expected = ReadRegularFile(Path("expected.tspl"), 1 << 20).bytes;
    MakeFifo(QStringLiteral("lp0"));
    for (const bool givingUp : {false, true}) {
        const int reader = ::open(QFile::encodeName(Path("lp0")).constData(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(reader, 0);
        ASSERT_LT(::fcntl(reader, F_SETPIPE_SZ, 4096), expected.size()) << "the printer cannot take it all at once";
        QByteArray got;
        std::thread printer([&] {
            if (givingUp) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(10500));
            char chunk[4096];
            for (pollfd p{reader, POLLIN, 0}; ::poll(&p, 1, 5000) > 0;) {
                const ssize_t n = ::read(reader, chunk, sizeof chunk);
                if (n <= 0) break;
                got.append(chunk, n);
            }
        });
        const CliRun run = givingUp ? Run({"print", "a.lab", "--device", "lp0", "--timeout", "1"})
                                    : Run({"print", "a.lab", "--device", "lp0"}, 20000);
        printer.join();
        ::close(reader);
        if (givingUp) {
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(run.err, "kestrix-cli print: the printer has taken no data for 1 s; gave up\n");
            EXPECT_LT(run.ms, 4000);
        } else {
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_EQ(run.err, "kestrix-cli print: The printer is not taking data (out of paper or cover open?); "
                               "still waiting\n");
            EXPECT_EQ(got, expected);
        }
    }
}

}  // namespace
}  // namespace kestrix
