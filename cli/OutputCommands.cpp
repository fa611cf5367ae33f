// render, tspl and print: drawing the label for output and the direct print job.

#include "cli/CliCommand.h"
#include "cli/Commands.h"

namespace kestrix::cli {

int RunRender(const QStringList&) { Fail(QStringLiteral("not built yet")); }
int RunTspl(const QStringList&) { Fail(QStringLiteral("not built yet")); }
int RunPrint(const QStringList&) { Fail(QStringLiteral("not built yet")); }

}  // namespace kestrix::cli
