// kestrix-cli from outside, as a user meets it: what it says on standard
// error, what it writes where, and that it never hangs.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QImage>
#include <future>
#include <thread>

#include "CliFixture.h"
#include "SimulatedPrinter.h"
#include "output/PrinterStatus.h"

namespace kestrix {
namespace {

// What a reader of a new FIFO at `path` gets until the writer closes; its
// reading end is open at once, so writers need not wait for one.
std::future<QByteArray> ReadFifo(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    mkfifo(name.constData(), 0600);
    const int reader = ::open(name.constData(), O_RDONLY | O_NONBLOCK);
    return std::async(std::launch::async, [reader] {
        QByteArray got;
        char chunk[4096];
        for (pollfd p{reader, POLLIN, 0}; ::poll(&p, 1, 5000) > 0;) {
            const ssize_t n = ::read(reader, chunk, sizeof chunk);
            if (n <= 0) break;
            got.append(chunk, n);
        }
        ::close(reader);
        return got;
    });
}

// -o into a FIFO (or a device node), also through a link, writes into it; a
// regular file is replaced only by a complete new one; a folder is refused,
// and so are settings from anything but a regular file (a FIFO without a
// writer would wait forever).
TEST_F(Cli, OutputIntoFifoAndFilesButNotFolders) {
    for (const char* target : {"fifo", "link"}) {
        std::future<QByteArray> fifo = ReadFifo(Path("fifo"));
        QFile::link(Path("fifo"), Path("link"));
        EXPECT_EQ(Run({"tspl", "a.lab", "-o", target}).exitCode, 0) << target;
        EXPECT_EQ(fifo.get(), stream_) << target;
    }
    EXPECT_EQ(ReadRegularFile(Path("fifo"), 1).problem, FileProblem::NotRegular) << "still a FIFO";
    EXPECT_TRUE(QFileInfo(Path("link")).isSymLink());
    const std::pair<QStringList, std::string> refused[] = {
        {{"render", "a.lab", "-o", "folder"}, "kestrix-cli render: folder: cannot be written: is a folder\n"},
        {{"tspl", "a.lab", "--settings", "fifo", "-o", "out.tspl"},
         "kestrix-cli tspl: cannot read settings fifo: is not a regular file\n"}};
    QDir(dir_.path()).mkdir(QStringLiteral("folder"));
    for (const auto& [args, err] : refused) {
        const CliRun run = Run(args, 5000);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, err);
    }
    // A full disk (here a file size limit) says how far the write came; the old file stays.
    for (const char* command : {"tspl", "render"}) {
        const CliRun full = Run({command, "a.lab", "-o", "a.tspl"}, 10000, 500);
        EXPECT_EQ(full.exitCode, 1) << command;
        EXPECT_NE(full.err.find("a.tspl: cannot be written: file size limit reached: only 500 of "), std::string::npos)
            << full.err;
        EXPECT_EQ(Read("a.tspl"), stream_);
    }
}

// A printer that stops taking data is waited for: after 5 seconds the user is
// told, naming the state the printer reports (each state while the stall
// lasts) where it can be asked beside the job, as on the network; a
// pseudo-terminal standing for a USB printer's node cannot be. When the
// printer reads again the job goes on, never cut short, and it prints what
// tspl writes. With --timeout the job gives up after that many seconds without
// progress, saying how many labels the printer has whole.
TEST_F(Cli, PrintWaitsForAStalledPrinterNamingItsStateAndGivesUpOnlyWhenAsked) {
    ASSERT_EQ(Run({"tspl", "a.lab", "--copies", "10", "-o", "ten.tspl"}).exitCode, 0);
    const QByteArray ten = Read("ten.tspl");  // more than the system buffers between here and the printer
    for (const bool network : {false, true}) {
        SCOPED_TRACE(network ? "network" : "USB");
        SimulatedPrinter printer(SimulatedPrinter::SmallBuffer());
        const QString address = network ? printer.Address() : printer.PtyPath();
        printer.SetStalled(true);
        std::thread runsOutOfPaper([&] {  // once the job has begun
            printer.WaitForJobBytes(1);
            printer.SetState(kOutOfPaper);
        });
        const std::string outOfPaper = "kestrix-cli print: the printer reports out of paper; still waiting\n";
        const std::string coverOpenToo =
            "kestrix-cli print: the printer reports out of paper, cover open; still waiting\n";
        const CliRun waited = Run({"print", "a.lab", "--copies", "10", "--device", address}, 30000, RLIM_INFINITY,
                                  [&](const std::string& err) {
                                      if (err.ends_with(outOfPaper)) {
                                          printer.SetState(kOutOfPaper | kCoverOpen);
                                      } else if (err.ends_with("still waiting\n")) {
                                          printer.SetState(0);
                                          printer.SetStalled(false);
                                      }
                                  });
        runsOutOfPaper.join();
        EXPECT_EQ(waited.exitCode, 0);
        EXPECT_EQ(waited.err, network ? outOfPaper + coverOpenToo
                                      : "kestrix-cli print: The printer is not taking data (out of paper or cover "
                                        "open?); still waiting\n");
        EXPECT_EQ(printer.Received(), ten);
        EXPECT_EQ(printer.Labels().size(), 10);

        SimulatedPrinter stuck(SimulatedPrinter::SmallBuffer());
        const QString stuckAddress = network ? stuck.Address() : stuck.PtyPath();
        stuck.SetStalled(true);
        const CliRun gaveUp = Run({"print", "a.lab", "--copies", "10", "--device", stuckAddress, "--timeout", "1"});
        EXPECT_EQ(gaveUp.exitCode, 1);
        const std::string gaveUpText = "kestrix-cli print: the printer has taken no data for 1 s; gave up; a.lab: ";
        ASSERT_TRUE(gaveUp.err.starts_with(gaveUpText) && gaveUp.err.ends_with(" of 10 labels printed\n"))
            << gaveUp.err;
        stuck.SetStalled(false);
        EXPECT_LT(stuck.Received().size(), ten.size());
        // Counted are the labels the printer has whole, also those it takes from its buffer after the stall.
        EXPECT_EQ(std::stoi(gaveUp.err.substr(gaveUpText.size())), stuck.Labels().size());
        EXPECT_EQ(stuck.Resets(), network ? 1 : 0) << "what the printer has not taken is dropped";
    }
}

// The printer prints what render draws, dot for dot.
TEST_F(Cli, ThePrinterPrintsWhatRenderDraws) {
    SimulatedPrinter printer;
    ASSERT_EQ(Run({"print", "a.lab", "--copies", "2", "--device", printer.Address()}).exitCode, 0);
    ASSERT_EQ(Run({"render", "a.lab", "--mono", "-o", "a.bmp"}).exitCode, 0);
    EXPECT_EQ(printer.Received(), stream_ + stream_);
    EXPECT_EQ(printer.Problems(), QStringList()) << "the printer reads every command";
    const QImage drawn = QImage(Path("a.bmp")).convertToFormat(QImage::Format_Mono);
    ASSERT_EQ(printer.Labels().size(), 2);
    for (const PrintedLabel& printed : printer.Labels())
        EXPECT_EQ(printed.image.convertToFormat(QImage::Format_Mono).copy(drawn.rect()), drawn);
}

// A refused port, a CUPS that is not running and an address that is none fail at once.
TEST_F(Cli, NetworkFaultsAreToldAtOnce) {
    SimulatedPrinter off(SimulatedPrinter::SwitchedOff());
    qputenv("CUPS_SERVER", QFile::encodeName(Path("no-cupsd.sock")));
    const std::pair<QString, std::string> faults[] = {
        {off.Address(), off.Address().toStdString() + ": connection refused"},
        {"cups:labels",
         "cups:labels: CUPS is not running (no scheduler at " + Path("no-cupsd.sock").toStdString() + ")"},
        {"ipp://printer/ipp/print",
         "\"ipp://printer/ipp/print\": a printer address is usb, socket://HOST[:PORT], cups:QUEUE or a path"},
    };
    for (const auto& [device, message] : faults) {
        QElapsedTimer clock;
        clock.start();
        const CliRun run = Run({"print", "a.lab", "--device", device});
        EXPECT_LT(clock.elapsed(), 1000) << device.toStdString();
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "kestrix-cli print: " + message + "\n");
    }
    qunsetenv("CUPS_SERVER");
}

// Several labels in one run go out in the order given, each exactly as its own
// run would send it (its copies, its numbers, saved back with --update; a label
// named again counts on), all through one opening of the printer: a plain file
// standing in for one, or a network printer named by Device= of the settings.
// A label that cannot be read is told and the others still go.
TEST_F(Cli, SeveralLabelsGoOutInOrderAsTheirOwnRunsWould) {
    WriteCountingLabel("s.lab", u"0001");
    WriteCountingLabel("t.lab", u"X10");
    SimulatedPrinter printer;
    Write("device.ini", "[Print Settings]\nDevice=" + printer.Address().toUtf8() + "\n");
    const QByteArray original[] = {Read("s.lab"), Read("t.lab")};
    const QStringList labels = {"s.lab", "a.lab", "missing.lab", "t.lab", "s.lab"};
    const QStringList options = {"--copies", "2", "--update", "--settings", "device.ini"};
    QByteArray expected;
    for (const QString& label : labels) {
        if (label == u"missing.lab") continue;
        ASSERT_EQ(Run(QStringList{"tspl", label, "-o", "one.tspl"} + options).exitCode, 0);
        expected += Read("one.tspl");
    }
    const QByteArray updated[] = {Read("s.lab"), Read("t.lab")};
    ASSERT_NE(updated[0], original[0]);
    Write("lp0", "");
    for (const auto& [command, out] : {std::pair<QStringList, QString>{{"tspl", "-o", "all.tspl"}, "all.tspl"},
                                       {{"print", "--device", "lp0"}, "lp0"},
                                       {{"print"}, ""}}) {
        Write("s.lab", original[0]);
        Write("t.lab", original[1]);
        const CliRun run = Run(command + labels + options);
        EXPECT_EQ(run.exitCode, 1) << command[0].toStdString();
        EXPECT_EQ(run.err, "kestrix-cli " + command[0].toStdString() + ": missing.lab: no such file\n");
        EXPECT_EQ(out.isEmpty() ? printer.Received() : Read(out), expected) << out.toStdString();
        EXPECT_EQ(Read("s.lab"), updated[0]);
        EXPECT_EQ(Read("t.lab"), updated[1]);
    }
}

// A run that sends nothing, or cannot write all, leaves OUT and the labels as they were.
TEST_F(Cli, AFailedRunLeavesOutputAndLabelsAsTheyWere) {
    const CliRun none = Run({"tspl", "x.lab", "y.lab", "-o", "a.tspl"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.err, "kestrix-cli tspl: x.lab: no such file\nkestrix-cli tspl: y.lab: no such file\n");
    EXPECT_EQ(Read("a.tspl"), stream_);

    WriteCountingLabel("s.lab", u"0001");
    const QByteArray label = Read("s.lab");
    ASSERT_EQ(Run({"tspl", "s.lab", "-o", "s.tspl"}).exitCode, 0);
    const rlim_t room = Read("s.tspl").size() + label.size();  // s.lab's jobs and the label fit, a.lab's jobs not
    ASSERT_LT(room, Read("s.tspl").size() + stream_.size());
    const CliRun full = Run({"tspl", "s.lab", "a.lab", "--update", "-o", "a.tspl"}, 10000, room);
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_NE(full.err.find("file size limit reached"), std::string::npos) << full.err;
    EXPECT_EQ(Read("a.tspl"), stream_);
    EXPECT_EQ(Read("s.lab"), label);
}

}  // namespace
}  // namespace kestrix
