#pragma once
// The subcommands of kestrix-cli; each takes the arguments after its name and
// returns the exit code, or throws a Failure.

#include <QStringList>

#include "document/DataSource.h"
#include "document/LabelDocument.h"

namespace kestrix::cli {

int RunInfo(const QStringList& args);
int RunConvert(const QStringList& args);
int RunRender(const QStringList& args);
int RunTspl(const QStringList& args);
class StopSignals;
int RunPrint(const QStringList& args, StopSignals& stops);
int RunStatus(const QStringList& args);

// print --printer: `copies` of the label (of each row of `rows`) on an
// installed printer; serial numbers advance in `doc`.
void PrintThroughDriver(LabelDocument& doc, const QString& queue, int copies, double viewScaleX, double viewScaleY,
                        DataSource* rows = nullptr);

}  // namespace kestrix::cli
