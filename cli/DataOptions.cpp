#include "cli/DataOptions.h"

#include <QRegularExpression>
#include <cstdio>

namespace kestrix::cli {

namespace {

qint64 RowNumber(const QString& text, bool* ok) {
    const qint64 n = text.toLongLong(ok);
    *ok = *ok && n >= 1;
    return n;
}

}  // namespace

QStringList DataValueOptions() { return {QStringLiteral("--data"), QStringLiteral("--rows"), QStringLiteral("--row")}; }

std::unique_ptr<DataSource> OpenDataOption(const Arguments& a) {
    const std::optional<QString> path = a.Value(QStringLiteral("--data"));
    if (!path) {
        if (a.Value(QStringLiteral("--rows")) || a.Value(QStringLiteral("--row")))
            UsageError(QStringLiteral("--rows and --row choose rows of the --data file"));
        return nullptr;
    }
    QString error;
    std::unique_ptr<DataSource> data = DataSource::Open(*path, &error);
    if (!data) Fail(error);
    return data;
}

RowRange RowsOption(const Arguments& a, bool oneRow) {
    const std::optional<QString> rows = a.Value(QStringLiteral("--rows"));
    const std::optional<QString> row = a.Value(QStringLiteral("--row"));
    if (rows && oneRow) UsageError(QStringLiteral("render draws one row: --row N"));
    if (row && !oneRow) UsageError(QStringLiteral("--row N is render's; tspl and print take --rows A-B"));
    bool ok = true;
    if (row) {
        const qint64 n = RowNumber(*row, &ok);
        if (!ok) Fail(QStringLiteral("--row: \"%1\" is not a row number (1 is the first row)").arg(*row));
        return {n, n};
    }
    if (!rows) return {1, oneRow ? 1 : 0};
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^([0-9]+)-([0-9]*)$")).match(*rows);
    RowRange range;
    bool okLast = true;
    if (m.hasMatch()) {
        range.first = RowNumber(m.captured(1), &ok);
        if (!m.captured(2).isEmpty()) range.last = RowNumber(m.captured(2), &okLast);
    }
    if (!m.hasMatch() || !ok || !okLast || (range.last != 0 && range.last < range.first))
        Fail(QStringLiteral("--rows: \"%1\" is not A-B or A- (row numbers from 1, A not after B)").arg(*rows));
    return range;
}

void CheckDataForLabel(const QString& command, DataSource& data, const LabelDocument& doc, RowRange range) {
    DataCheck check;
    QString error;
    if (!data.Check(doc.elements, range, check, &error)) Fail(doc.labelPath + QStringLiteral(": ") + error);
    for (const QString& note : check.cutNotes) Report(command, QStringLiteral("warning: ") + note);
    if (check.cuts > check.cutNotes.size())
        Report(command, QStringLiteral("warning: %1 more values of %2 cut the same way")
                            .arg(check.cuts - check.cutNotes.size())
                            .arg(data.Path()));
}

std::function<void(qint64 sent, qint64 total)> ProgressOption(const Arguments& a, const QString& command) {
    if (!a.Flag(QStringLiteral("--progress"))) return {};
    return [command, shown = qint64(-1)](qint64 sent, qint64 total) mutable {
        const qint64 percent = total > 0 ? sent * 100 / total : 100;
        if (percent == shown && sent != total) return;
        shown = percent;
        Report(command, QStringLiteral("%1 of %2 labels sent (%3%)").arg(sent).arg(total).arg(percent));
    };
}

}  // namespace kestrix::cli
