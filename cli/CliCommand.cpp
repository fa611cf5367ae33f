#include "cli/CliCommand.h"

#include <cstdio>

#include "document/LabelFile.h"

namespace kestrix::cli {

Arguments::Arguments(const QStringList& args, const QStringList& valued, const QStringList& flags) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == u"--") {  // the rest are file names, even those starting with '-'
            positional_ << args.mid(i + 1);
            break;
        }
        if (!arg.startsWith(u'-') || arg == u"-") {
            positional_ << arg;
            continue;
        }
        QString name = arg.section(u'=', 0, 0);
        if (valued.contains(name)) {
            if (arg.contains(u'=')) {
                values_.append({name, arg.section(u'=', 1)});
            } else if (i + 1 < args.size()) {
                values_.append({name, args[++i]});
            } else {
                UsageError(QStringLiteral("option %1 needs a value").arg(name));
            }
        } else if (flags.contains(arg)) {
            flags_ << arg;
        } else {
            UsageError(QStringLiteral("unknown option %1").arg(arg));
        }
    }
}

std::optional<QString> Arguments::Value(const QString& option) const {
    for (auto it = values_.crbegin(); it != values_.crend(); ++it)
        if (it->first == option) return it->second;
    return std::nullopt;
}

int Arguments::PositiveInt(const QString& option, int fallback) const {
    auto text = Value(option);
    if (!text) return fallback;
    bool ok = false;
    const int value = text->toInt(&ok);
    if (!ok || value < 1) Fail(QStringLiteral("%1: \"%2\" is not a positive whole number").arg(option, *text));
    return value;
}

std::optional<LabelDocument> OpenLabel(const QString& path, QString* error) {
    LabelDocument doc;
    LabelFileProblem problem;
    if (!ReadLabelFile(path, doc, &problem)) {
        *error = path + QStringLiteral(": ") + LabelFileProblemText(problem, UiLanguage::English);
        return std::nullopt;
    }
    doc.labelPath = path;
    return doc;
}

LabelDocument OpenLabelOrFail(const QString& path) {
    QString error;
    std::optional<LabelDocument> doc = OpenLabel(path, &error);
    if (!doc) Fail(error);
    return std::move(*doc);
}

void Report(const QString& command, const QString& message) {
    std::fputs(QStringLiteral("kestrix-cli %1: %2\n").arg(command, message).toLocal8Bit().constData(), stderr);
}

void Fail(const QString& message) { throw Failure{kFailed, message}; }
void UsageError(const QString& message) { throw Failure{kUsage, message, true}; }
void NotReady(const QString& message) { throw Failure{kPrinterNotReady, message}; }

}  // namespace kestrix::cli
