#pragma once
// One row of a data file: the values that fill a label's ${NAME} fields,
// with the names of the file's columns and where the row stands in the file.

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace kestrix {

struct DataRow {
    // The header's names, used exactly as written (case-sensitive); shared by every row.
    std::shared_ptr<const QStringList> columns;
    // One value per column; a row with fewer fields has the missing ones empty.
    QStringList values;
    qint64 number = 0;  // 1-based among the data rows (the header is not a row)
    qint64 line = 0;    // the file's line the row starts on

    // The value of the first column called `name`, or nothing when none is.
    std::optional<QString> Value(QStringView name) const {
        const qsizetype at = columns ? columns->indexOf(name) : -1;
        if (at < 0) return std::nullopt;
        return at < values.size() ? values[at] : QString();
    }
};

}  // namespace kestrix
