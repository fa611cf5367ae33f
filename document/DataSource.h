#pragma once
// The data file a label is merged with: its columns, its rows in file order,
// and the check a merged run makes before it prints anything. The file is
// read twice (once to check, once to print), each time in pieces, so a file
// of a million rows never sits in memory; a file written to in between is
// noticed and the run stops.

#include <QString>
#include <memory>
#include <vector>

#include "document/CsvReader.h"
#include "document/DataFile.h"
#include "document/DataRow.h"
#include "document/LabelElement.h"

namespace kestrix {

// The rows a run prints: first to last, 1-based, both included; last 0 runs to the end of the file.
struct RowRange {
    qint64 first = 1;
    qint64 last = 0;
};

// What a check found that does not stop the run.
struct DataCheck {
    qint64 rows = 0;       // rows of the range
    qint64 cuts = 0;       // merged contents cut to what the record holds
    QStringList cutNotes;  // the first kMaxCutNotes of them, in words
    static constexpr int kMaxCutNotes = 20;
};

class DataSource {
public:
    // The data file at `path` with its header read; nothing, and `error`
    // naming the file and what is wrong, when it cannot be read. Its messages
    // are in `language`.
    static std::unique_ptr<DataSource> Open(const QString& path, QString* error,
                                            UiLanguage language = UiLanguage::English);

    const QString& Path() const { return path_; }
    const QStringList& Columns() const { return *reader_->Columns(); }
    const CsvReader& Reader() const { return *reader_; }

    // Up to `count` rows from the first, as a preview shows them (fewer at the
    // end of the file); false, and `error` set, when the file is damaged before that.
    bool FirstRows(qsizetype count, std::vector<DataRow>& rows, QString* error);

    // The names the elements use that no column has, and those two columns have.
    QStringList MissingFields(const std::vector<LabelElement>& elements) const;
    QStringList AmbiguousFields(const std::vector<LabelElement>& elements) const;

    // Reads every row up to the end of `range` once: the label's fields must
    // all be columns, the range must lie in the file and every row read must
    // be sound. Then the rows of the range are ready for Next(). False, and
    // `error` naming the file and the line, row or field, when they are not.
    bool Check(const std::vector<LabelElement>& elements, RowRange range, DataCheck& check, QString* error);
    // Rows of the checked range.
    qint64 Count() const { return count_; }
    // Back before the first row of the range.
    bool Rewind(QString* error);
    // The next row of the range; nullptr after its last one, or when the file
    // can no longer be read (Error() says why).
    const DataRow* Next();
    const QString& Error() const { return error_; }

private:
    DataSource() = default;

    QString path_;
    UiLanguage language_ = UiLanguage::English;
    std::unique_ptr<DataFile> file_;
    std::unique_ptr<CsvReader> reader_;
    RowRange range_;
    qint64 count_ = 0;
    DataRow row_;
    QString error_;
};

}  // namespace kestrix
