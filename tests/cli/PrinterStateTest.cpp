// The printer's state from the command line: `status` says what the printer
// answers, or what became of asking, never waiting past the 3 seconds an
// answer may take. Before a direct print the printer is asked once: one that
// cannot print gets no job unless --force, and one whose answer is none still
// gets its job whole.

#include <gtest/gtest.h>

#include <thread>

#include "CliFixture.h"
#include "SimulatedPrinter.h"
#include "output/PrinterStatus.h"

namespace kestrix {
namespace {

using Answer = SimulatedPrinter::Answer;

TEST_F(Cli, StatusSaysWhatBecameOfAskingWithinThreeSeconds) {
    SimulatedPrinter printer;
    const SimulatedPrinter off(SimulatedPrinter::SwitchedOff());
    const QString tcp = printer.Address(), usb = printer.PtyPath();
    Write("file.bin", "");
    struct Case {
        QString device;
        Answer answer;
        QByteArray bytes;  // the answer's, or sent unasked before asking
        int exitCode;
        std::string out, err;
    };
    const std::string notAnswering = ": the printer does not answer (no state within 3 s)\n";
    const Case cases[] = {
        {usb, Answer::State, {}, 2, "out of paper, cover open\n", ""},
        {usb, Answer::State, "\x10", 2, "out of paper, cover open\n", ""},  // a late answer waiting is dropped
        {usb, Answer::Nothing, {}, 1, "", usb.toStdString() + notAnswering},
        {tcp, Answer::Nothing, {}, 1, "", tcp.toStdString() + notAnswering},
        {tcp, Answer::Bytes, "OK\r\n", 1, "",
         tcp.toStdString() + ": the printer answered 4 bytes (4f 4b 0d 0a) where one was expected\n"},
        {tcp, Answer::Reset, {}, 1, "", tcp.toStdString() + ": the printer reset the connection while being asked\n"},
        {off.Address(), Answer::State, {}, 1, "", off.Address().toStdString() + ": connection refused\n"},
        {"file.bin", Answer::State, {}, 1, "", "file.bin: not a printer device: it cannot be asked for its state\n"},
    };
    printer.SetState(kOutOfPaper | kCoverOpen);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.err);
        printer.SetAnswer(c.answer, c.bytes);
        if (c.answer == Answer::State && !c.bytes.isEmpty()) printer.SendUnasked(c.bytes);
        const CliRun run = Run({"status", "--device", c.device}, 4500);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out.toStdString(), c.out);
        EXPECT_EQ(run.err, c.err.empty() ? "" : "kestrix-cli status: " + c.err);
    }
}

TEST_F(Cli, APrinterThatCannotPrintGetsNoJobUnlessForced) {
    SimulatedPrinter printer;
    const std::pair<quint8, std::string> refused[] = {
        {kOutOfPaper, "out of paper; nothing sent (load paper"},
        {kHeadOpen, "head open; nothing sent (close the print head"},
        {kPrinting | kCoverOpen, "printing, cover open; nothing sent (close the cover"},
        {kPaperJam | kOutOfRibbon, "paper jam, out of ribbon; nothing sent (clear the jam and load a ribbon"},
    };
    for (const QString& device : {printer.Address(), printer.PtyPath()}) {
        for (const auto& [state, message] : refused) {
            printer.SetState(state);
            const CliRun run = Run({"print", "a.lab", "--device", device});
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_EQ(run.err,
                      "kestrix-cli print: the printer reports " + message + ", or print anyway with --force)\n");
        }
    }
    EXPECT_EQ(printer.JobSize(), 0);

    const std::pair<quint8, QStringList> printed[] = {
        {kPaused | kPaperJam | kPrinting | kTemperatureOutOfRange, {}},
        {kOutOfPaper | kCoverOpen, {"--force"}},
    };
    for (const auto& [state, force] : printed) {
        printer.SetState(state);
        const CliRun run = Run(QStringList{"print", "a.lab", "--device", printer.Address()} + force);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
    }
    EXPECT_EQ(printer.Received(), stream_ + stream_);
}

// No answer, a wrong one, a reset while asking, or a status byte sent in the
// middle of the job: the job still goes out whole, without a word.
TEST_F(Cli, AnswersThatAreNoneNeverCutAJob) {
    ASSERT_EQ(Run({"tspl", "a.lab", "--copies", "10", "-o", "ten.tspl"}).exitCode, 0);
    const QByteArray ten = Read("ten.tspl");
    const std::pair<Answer, QByteArray> answers[] = {
        {Answer::Nothing, {}}, {Answer::Bytes, "\x04\x04"}, {Answer::Reset, {}}, {Answer::State, {}}};
    for (const auto& [answer, bytes] : answers) {
        SCOPED_TRACE(int(answer));
        SimulatedPrinter printer(SimulatedPrinter::SmallBuffer());
        printer.SetAnswer(answer, bytes);
        const bool unasked = answer == Answer::State;
        printer.SetStalled(unasked);
        std::thread midJob([&] {
            if (!unasked) return;
            printer.WaitForJobBytes(1);
            printer.SendUnasked(QByteArray(1, char(kOutOfPaper)));
            printer.SetStalled(false);
        });
        const CliRun run = Run({"print", "a.lab", "--copies", "10", "--device", printer.Address()});
        midJob.join();
        EXPECT_EQ(run.exitCode, 0) << printer.JobSize() << " " << printer.Queries();
        EXPECT_EQ(run.err, "");
        EXPECT_TRUE(printer.Received() == ten);
        EXPECT_EQ(printer.Resets(), 0) << "the job's connection closed, not reset";
    }
}

}  // namespace
}  // namespace kestrix
