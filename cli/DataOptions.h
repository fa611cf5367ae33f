#pragma once
// The data merge options of render, tspl and print: --data FILE, --rows A-B
// (or A- to the end), --row N, and --progress for long runs.

#include <QStringList>
#include <functional>
#include <memory>

#include "cli/CliCommand.h"
#include "document/DataSource.h"

namespace kestrix::cli {

// The options that take a value.
QStringList DataValueOptions();

// The data file of --data, open with its header read; nothing without --data.
// --rows or --row without --data is wrong usage.
std::unique_ptr<DataSource> OpenDataOption(const Arguments& a);

// The rows asked for: --rows A-B or --rows A- (all rows when not given), or
// for `oneRow` commands (render) --row N (row 1 when not given).
RowRange RowsOption(const Arguments& a, bool oneRow);

// Checks `data` for `range` against the label before anything is made: a
// failure ends the run with its message; values cut to the record's limits are
// warned of on standard error, the first few one by one.
void CheckDataForLabel(const QString& command, DataSource& data, const LabelDocument& doc, RowRange range);

// With --progress, lines on standard error saying how many labels are sent of
// how many, one per percent; nothing otherwise.
std::function<void(qint64 sent, qint64 total)> ProgressOption(const Arguments& a, const QString& command);

}  // namespace kestrix::cli
