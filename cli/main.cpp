// kestrix-cli: label files, rendering and direct printing without a window.

#include <QCoreApplication>
#include <QGuiApplication>
#include <csignal>
#include <cstdio>
#include <functional>
#include <map>

#include "cli/CliCommand.h"
#include "cli/Commands.h"
#include "cli/StopSignals.h"

namespace {

const char kUsageText[] =
    "usage: kestrix-cli COMMAND ...\n"
    "  info LABEL.lab                      print the label as JSON\n"
    "  convert IN.lab OUT.lab              open IN and save it as OUT\n"
    "  render LABEL.lab -o OUT.png [--mono] [--dpi N|NX,NY] [--view WxH] [--data FILE.csv [--row N]]\n"
    "                                      draw the label for output (--mono: 1-bit BMP)\n"
    "  tspl LABEL.lab... -o OUT [--settings FILE.ini] [--copies N] [--update [--no-wait]] [--view WxH]\n"
    "       [--data FILE.csv [--rows A-B]] [--progress]\n"
    "                                      write the printer command stream\n"
    "  print LABEL.lab... [--settings FILE.ini] [--copies N] [--update [--no-wait]] [--device ADDRESS]\n"
    "        [--view WxH]\n"
    "        [--timeout SECONDS] [--force] [--data FILE.csv [--rows A-B]] [--progress]\n"
    "                                      send the label to the label printer; a printer that\n"
    "                                      takes no data is waited for, or given up after SECONDS;\n"
    "                                      one out of paper, open or out of ribbon is not sent to\n"
    "                                      (exit 2) unless --force\n"
    "                                      ADDRESS: usb (the default), socket://HOST[:PORT],\n"
    "                                      cups:QUEUE or a device node or file\n"
    "  print LABEL.lab... --printer QUEUE [--copies N] [--update [--no-wait]] [--view WxH]\n"
    "        [--data FILE.csv [--rows A-B]]\n"
    "                                      print through an installed printer's driver (CUPS)\n"
    "  status [--device ADDRESS] [--settings FILE.ini]\n"
    "                                      the label printer's state: ready, or what is wrong\n"
    "                                      (exit 0 ready or printing, 2 another state, 1 no answer)\n"
    "tspl and print send several labels in the order given, each with the options; a label\n"
    "that cannot be read is reported and the others are still sent (exit status 1).\n"
    "--data merges: ${NAME} in a text, barcode or 2D code takes column NAME of the CSV file,\n"
    "one label per row (A-B: rows A to B, A-: from A to the end; render draws row N, 1 by\n"
    "default); --progress tells on standard error how many labels are sent.\n"
    "--update locks each label while the run prints and saves its numbers: a run that finds a\n"
    "label locked waits for it, or with --no-wait gives up (exit status 1). Ctrl+C or SIGTERM\n"
    "stop print between labels: the labels printed are saved and told (exit status 128+signal).\n";

void PrintLine(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

// The contract allows one line on standard error; Qt's own notices (no runtime
// folder, font fallbacks) would add more, so only fatal ones get through.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) PrintLine(message);
}

}  // namespace

int main(int argc, char* argv[]) {
    // Before any other thread starts, so that every thread leaves the signals to it.
    kestrix::cli::StopSignals stops;
    qInstallMessageHandler(QuietMessages);
    // A file size limit then fails the write, which is reported, instead of ending the program unheard.
    std::signal(SIGXFSZ, SIG_IGN);
    // Likewise a reader of a pipe or FIFO that goes away fails the write with a message.
    std::signal(SIGPIPE, SIG_IGN);
    // Rendering needs fonts but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);

    using namespace kestrix::cli;
    const std::map<QString, std::function<int(const QStringList&)>> commands = {
        {QStringLiteral("info"), RunInfo},
        {QStringLiteral("convert"), RunConvert},
        {QStringLiteral("render"), RunRender},
        {QStringLiteral("tspl"), RunTspl},
        {QStringLiteral("print"), [&stops](const QStringList& a) { return RunPrint(a, stops); }},
        {QStringLiteral("status"), RunStatus},
    };
    if (args.isEmpty() || args[0] == u"--help" || args[0] == u"-h") {
        std::fputs(kUsageText, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? kUsage : kOk;
    }
    auto command = commands.find(args[0]);
    if (command == commands.end()) {
        PrintLine(QStringLiteral("kestrix-cli: unknown command \"%1\"").arg(args[0]));
        std::fputs(kUsageText, stderr);
        return kUsage;
    }
    try {
        return command->second(args.mid(1));
    } catch (const Failure& failure) {
        Report(args[0], failure.message);
        if (failure.wrongUsage) std::fputs(kUsageText, stderr);
        return failure.code;
    }
}
