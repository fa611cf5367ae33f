// simulated-printer: the tests' label printer as a program, for scripts.
//
//   simulated-printer [--pty] [--receive-buffer BYTES] [--png-folder DIR]
//
// Prints its address (socket://127.0.0.1:PORT) and, with --pty, the path of
// its pseudo-terminal, one a line; then takes commands on standard input, one
// a line, and answers each with one line ("ok" or a number):
//   state N                  the state byte answered to <ESC>!? (0 to 255)
//   answer state|nothing|reset|bytes HEX
//   stall | resume
//   unasked HEX              bytes sent unasked (SendUnasked)
//   received FILE            waits for the jobs to be read whole, writes their bytes to FILE
//   labels | queries         how many labels were printed, status queries answered
// It ends at the end of its input.

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include "SimulatedPrinter.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    kestrix::SimulatedPrinter::Options options;
    const auto value = [&](const char* name) {
        const qsizetype at = args.indexOf(QLatin1String(name));
        return at > 0 ? args.value(at + 1) : QString();
    };
    options.receiveBuffer = value("--receive-buffer").toInt();
    options.pngFolder = value("--png-folder");
    kestrix::SimulatedPrinter printer(options);
    QTextStream out(stdout);
    out << printer.Address() << Qt::endl;
    if (args.contains(QStringLiteral("--pty"))) out << printer.PtyPath() << Qt::endl;

    QTextStream in(stdin);
    for (QString line; in.readLineInto(&line);) {
        const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
        const QString command = words.value(0), argument = words.value(1);
        QString reply = QStringLiteral("ok");
        if (command == u"state") {
            printer.SetState(static_cast<quint8>(argument.toUInt()));
        } else if (command == u"answer" && argument == u"bytes") {
            printer.SetAnswer(kestrix::SimulatedPrinter::Answer::Bytes, QByteArray::fromHex(words.value(2).toLatin1()));
        } else if (command == u"answer") {
            using Answer = kestrix::SimulatedPrinter::Answer;
            printer.SetAnswer(argument == u"nothing" ? Answer::Nothing
                              : argument == u"reset" ? Answer::Reset
                                                     : Answer::State);
        } else if (command == u"stall" || command == u"resume") {
            printer.SetStalled(command == u"stall");
        } else if (command == u"unasked") {
            printer.SendUnasked(QByteArray::fromHex(argument.toLatin1()));
        } else if (command == u"received") {
            QFile file(argument);
            if (!file.open(QIODevice::WriteOnly) || file.write(printer.Received()) < 0) reply = QStringLiteral("error");
        } else if (command == u"labels") {
            reply = QString::number(printer.Labels().size());
        } else if (command == u"queries") {
            reply = QString::number(printer.Queries());
        } else {
            reply = QStringLiteral("error: unknown command");
        }
        out << reply << Qt::endl;
    }
    return 0;
}
