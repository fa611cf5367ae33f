#pragma once
// The pieces every kestrix-cli subcommand shares: parsed arguments, failure
// reporting (one line on standard error, exit 1) and wrong usage (exit 2).

#include <QString>
#include <QStringList>
#include <optional>

#include "document/LabelDocument.h"

namespace kestrix::cli {

// Exit codes of the contract.
constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;
// The printer reports a state that stops printing (status, print without --force).
constexpr int kPrinterNotReady = 2;

// Thrown by a command to end with one line on standard error (and the usage
// text for wrong usage).
struct Failure {
    int code;
    QString message;
    bool wrongUsage = false;
};

// Positional arguments and --options of one subcommand.
class Arguments {
public:
    // `valued` lists the options that take a value (given as "--x V" or "--x=V"),
    // `flags` those that do not. Unknown options are wrong usage.
    Arguments(const QStringList& args, const QStringList& valued, const QStringList& flags);

    const QStringList& Positional() const { return positional_; }
    std::optional<QString> Value(const QString& option) const;
    bool Flag(const QString& option) const { return flags_.contains(option); }
    // A positive whole number, or a failure naming the option.
    int PositiveInt(const QString& option, int fallback) const;

private:
    QStringList positional_;
    QStringList flags_;
    QList<std::pair<QString, QString>> values_;
};

// Opens a label as the editor's Open does; nothing, and `error` naming the
// file and the problem, when it cannot be read.
std::optional<LabelDocument> OpenLabel(const QString& path, QString* error);
// The same, or throws a Failure.
LabelDocument OpenLabelOrFail(const QString& path);
// One line on standard error: "kestrix-cli COMMAND: MESSAGE".
void Report(const QString& command, const QString& message);
[[noreturn]] void Fail(const QString& message);
[[noreturn]] void UsageError(const QString& message);
// The printer is not ready to print: exit kPrinterNotReady.
[[noreturn]] void NotReady(const QString& message);

}  // namespace kestrix::cli
