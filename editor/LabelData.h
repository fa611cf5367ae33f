#pragma once
// The data file the label being edited is merged with: which file, which of
// its rows print, and which row the canvas shows. Only the shown row is kept;
// printing reads the file again from the start. Which file goes with which
// label file is kept in the editor's settings, never in the label file.

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "document/DataRow.h"
#include "document/DataSource.h"
#include "document/UiLanguage.h"

namespace kestrix {

class LabelData {
public:
    // Messages about the file are in `language`.
    explicit LabelData(UiLanguage language = UiLanguage::English) : language_(language) {}

    bool Attached() const { return !path_.isEmpty(); }
    const QString& Path() const { return path_; }
    const QStringList& Columns() const { return columns_; }
    RowRange Rows() const { return rows_; }
    // The row the canvas shows (1-based) and its values; nullptr when no file is attached.
    qint64 ShownNumber() const { return shown_.number; }
    const DataRow* ShownRow() const { return Attached() ? &shown_ : nullptr; }
    // The file's data rows, once known (the shown row reached the end); 0 until then.
    qint64 KnownRows() const { return knownRows_; }

    // Takes the file at `path` with `rows` to print, showing row `shown` (the
    // first one when the file has fewer). False, nothing changed and `error`
    // naming the file and the line or row, when it cannot be used. `knownRows`:
    // the file's data rows when the caller has read them all, else 0.
    bool Attach(const QString& path, RowRange rows, qint64 shown, QString* error, qint64 knownRows = 0);
    void Detach();
    // Shows row `number`; false, the shown row kept, when there is no such row
    // or it cannot be read (`error` says why).
    bool Show(qint64 number, QString* error);

    // The file opened afresh and checked against `elements` for the rows that
    // print, ready to be read from their first; nothing, and `error` naming the
    // file and the line, row or field, when it cannot print.
    std::unique_ptr<DataSource> OpenForPrinting(const std::vector<LabelElement>& elements, DataCheck& check,
                                                QString* error) const;

    // The data file remembered for the label file at `labelPath`, empty when none.
    static QString Remembered(const QString& labelPath);
    // Remembers `dataPath` for the label file (forgets it when empty).
    static void Remember(const QString& labelPath, const QString& dataPath);

private:
    // Row `number` of the file at `path`, read from the start.
    std::optional<DataRow> ReadRow(const QString& path, qint64 number, qint64* rows, QString* error) const;

    UiLanguage language_;
    QString path_;
    QStringList columns_;
    RowRange rows_;
    DataRow shown_;
    qint64 knownRows_ = 0;
};

}  // namespace kestrix
