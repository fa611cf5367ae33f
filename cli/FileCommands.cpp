// info and convert: the label file as the editor opens and saves it.

#include <QFile>
#include <cstdio>

#include "cli/CliCommand.h"
#include "cli/Commands.h"
#include "cli/LabelJson.h"
#include "document/LabelFile.h"

namespace kestrix::cli {

int RunInfo(const QStringList& args) {
    Arguments a(args, {}, {});
    if (a.Positional().size() != 1) UsageError(QStringLiteral("info takes one label file"));
    const QByteArray json = LabelJson(OpenLabelOrFail(a.Positional()[0]));
    std::fwrite(json.constData(), 1, json.size(), stdout);
    return kOk;
}

int RunConvert(const QStringList& args) {
    Arguments a(args, {}, {});
    if (a.Positional().size() != 2) UsageError(QStringLiteral("convert takes IN.lab and OUT.lab"));
    const LabelDocument doc = OpenLabelOrFail(a.Positional()[0]);
    QString error;
    if (!WriteLabelFile(a.Positional()[1], doc, &error)) Fail(error);
    return kOk;
}

}  // namespace kestrix::cli
