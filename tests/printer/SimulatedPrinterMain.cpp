// simulated-printer: the tests' label printer as a program, for scripts.
//
//   simulated-printer [--png-folder DIR]
//
// Prints its address (socket://127.0.0.1:PORT) on a line of its own, then takes
// commands on standard input, one a line, and answers each with one line:
//   state N     the state byte answered to <ESC>!? (0 to 255); answers "ok"
//   labels      how many labels were printed
// It ends at the end of its input.

#include <QCoreApplication>
#include <QTextStream>

#include "SimulatedPrinter.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    kestrix::SimulatedPrinter::Options options;
    if (const qsizetype at = args.indexOf(QStringLiteral("--png-folder")); at > 0)
        options.pngFolder = args.value(at + 1);
    kestrix::SimulatedPrinter printer(options);
    QTextStream out(stdout);
    out << printer.Address() << Qt::endl;

    QTextStream in(stdin);
    for (QString line; in.readLineInto(&line);) {
        const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
        QString reply = QStringLiteral("error: unknown command");
        if (words.value(0) == u"state") {
            printer.SetState(static_cast<quint8>(words.value(1).toUInt()));
            reply = QStringLiteral("ok");
        } else if (words.value(0) == u"labels") {
            reply = QString::number(printer.Labels().size());
        }
        out << reply << Qt::endl;
    }
    return 0;
}
