#pragma once
// The subcommands of kestrix-cli; each takes the arguments after its name and
// returns the exit code, or throws a Failure.

#include <QStringList>

namespace kestrix::cli {

int RunInfo(const QStringList& args);
int RunConvert(const QStringList& args);
int RunRender(const QStringList& args);
int RunTspl(const QStringList& args);
int RunPrint(const QStringList& args);

}  // namespace kestrix::cli
