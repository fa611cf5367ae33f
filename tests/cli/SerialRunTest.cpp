// Serial numbers of print --update whatever ends the run: a label counts only
// once the printer has it whole, a stop between labels saves what was printed,
// and two runs on one label never print the same number.

#include <gtest/gtest.h>

#include <QProcess>
#include <QThread>
#include <csignal>

#include "CliFixture.h"
#include "SimulatedPrinter.h"

namespace kestrix {
namespace {

class SerialRun : public Cli {
protected:
    // A counting text above a box as wide as the label: each label's stream
    // (about 40 kB) is far more than a stalled printer's buffers hold.
    void WriteWideCountingLabel(const QString& name, std::u16string_view first) const {
        LabelElement text = CreateElement(kText, {10, 10}, first);
        std::tie(text.nWidth, text.nHeight, text.nSerialMode) = std::tuple{96, 28, 1};
        LabelElement box = CreateElement(kShape, {0, 60});
        std::tie(box.nWidth, box.nHeight) = std::tuple{800, 400};
        ASSERT_TRUE(WriteLabelFile(Path(name), {105, 70, {}, {}, {text, box}}, nullptr));
    }
    // The stream of one label for each number from `first`, as tspl writes it.
    std::vector<QByteArray> Streams(const QString& label, int first, int count) const {
        std::vector<QByteArray> streams;
        const QByteArray original = Read(label);
        for (int n = first; n < first + count; ++n) {
            WriteWideCountingLabel(QStringLiteral("ref.lab"),
                                   QStringLiteral("%1").arg(n, 4, 10, QChar(u'0')).toStdU16String());
            EXPECT_EQ(Run({"tspl", "ref.lab", "-o", "ref.tspl"}).exitCode, 0);
            streams.push_back(Read("ref.tspl"));
        }
        EXPECT_EQ(Read(label), original);
        return streams;
    }
    static QByteArray Joined(const std::vector<QByteArray>& streams, std::size_t from, std::size_t to) {
        QByteArray joined;
        for (std::size_t i = from; i < to; ++i) joined += streams[i];
        return joined;
    }
    // kestrix-cli started in the test folder, left running.
    std::unique_ptr<QProcess> Start(const QStringList& args) const {
        auto process = std::make_unique<QProcess>();
        process->setWorkingDirectory(dir_.path());
        process->start(QStringLiteral(KESTRIX_CLI), args);
        EXPECT_TRUE(process->waitForStarted());
        return process;
    }
    // Standard error until `text` is in it (or 10 s).
    static std::string ErrUntil(QProcess& process, const std::string& text, std::string& err) {
        QElapsedTimer clock;
        clock.start();
        while (err.find(text) == std::string::npos && clock.elapsed() < 10000) {
            process.waitForReadyRead(50);
            err += process.readAllStandardError().toStdString();
        }
        return err;
    }
};

// SIGINT or SIGTERM while the printer is stalled in the third of five labels:
// the run stops, the label file holds the third number, the user is told how
// far it came, and a second run goes on from there. After any other failure
// the same holds: a device that takes nothing advances nothing.
TEST_F(SerialRun, AStoppedOrFailedRunSavesExactlyTheLabelsPrinted) {
    WriteWideCountingLabel("s.lab", u"0001");
    const std::vector<QByteArray> streams = Streams("s.lab", 1, 5);
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        WriteWideCountingLabel("s.lab", u"0001");
        SimulatedPrinter printer(SimulatedPrinter::SmallBuffer());
        printer.StallAfter(streams[0].size() + streams[1].size() + 100);
        const auto run = Start({"print", "s.lab", "--copies", "5", "--update", "--device", printer.Address()});
        ASSERT_TRUE(printer.WaitForJobBytes(streams[0].size() + streams[1].size() + 100));
        ::kill(static_cast<pid_t>(run->processId()), signal);
        ASSERT_TRUE(run->waitForFinished(10000));
        EXPECT_EQ(run->exitCode(), 128 + signal);
        EXPECT_EQ(run->readAllStandardError().toStdString(), std::string("kestrix-cli print: stopped by ") +
                                                                 (signal == SIGINT ? "SIGINT" : "SIGTERM") +
                                                                 "; s.lab: 2 of 5 labels printed, next number 0003\n");
        EXPECT_EQ(Number("s.lab"), u"0003");
        printer.SetStalled(false);
        EXPECT_EQ(printer.Labels().size(), 2) << "the third label was dropped, not finished";
    }
    // The next run prints the third number on.
    SimulatedPrinter printer;
    EXPECT_EQ(Run({"print", "s.lab", "--copies", "3", "--update", "--device", printer.Address()}).exitCode, 0);
    EXPECT_EQ(printer.Received(), Joined(streams, 2, 5));
    EXPECT_EQ(Number("s.lab"), u"0006");

    const CliRun full = Run({"print", "s.lab", "--copies", "3", "--update", "--device", "/dev/full"});
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(full.err,
              "kestrix-cli print: /dev/full: No space left on device; s.lab: 0 of 3 labels printed, "
              "next number 0006\n");
    EXPECT_EQ(Number("s.lab"), u"0006");
}

// Two runs on one label at once: the second waits for the first and goes on
// from its numbers (with --no-wait a third gives up at once), so no number is
// printed twice.
TEST_F(SerialRun, TwoRunsOnOneLabelNeverPrintTheSameNumber) {
    WriteWideCountingLabel("s.lab", u"0001");
    const std::vector<QByteArray> streams = Streams("s.lab", 1, 8);
    SimulatedPrinter slow;
    slow.SetStalled(true);
    const auto first = Start({"print", "s.lab", "--copies", "5", "--update", "--device", slow.Address()});
    // It holds the label once it asks the printer for its state.
    QElapsedTimer clock;
    for (clock.start(); slow.Queries() == 0 && clock.elapsed() < 10000;) QThread::msleep(20);
    ASSERT_GT(slow.Queries(), 0);
    Write("b.bin", {});
    const auto second = Start({"print", "s.lab", "--copies", "3", "--update", "--device", "b.bin"});
    std::string waiting;
    EXPECT_EQ(ErrUntil(*second, "waiting", waiting),
              "kestrix-cli print: s.lab: another run is printing this label; waiting for it\n");
    for (const QString command : {"tspl", "print"}) {
        const CliRun refused =
            Run({command, "s.lab", "--update", "--no-wait", command == "tspl" ? "-o" : "--device", "c.bin"}, 3000);
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_EQ(refused.err, "kestrix-cli " + command.toStdString() +
                                   ": s.lab: another run is printing this label (not waiting: --no-wait)\n");
    }
    slow.SetStalled(false);
    ASSERT_TRUE(first->waitForFinished(20000));
    ASSERT_TRUE(second->waitForFinished(20000));
    EXPECT_EQ(first->exitCode(), 0);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(slow.Received(), Joined(streams, 0, 5));
    EXPECT_EQ(Read("b.bin"), Joined(streams, 5, 8));
    EXPECT_EQ(Number("s.lab"), u"0009");
}

}  // namespace
}  // namespace kestrix
