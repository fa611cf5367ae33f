#include "document/DataSource.h"

#include "document/FieldMerge.h"

namespace kestrix {

namespace {

QString Braced(const QStringList& names) {
    QStringList fields;
    for (const QString& name : names) fields << QStringLiteral("${%1}").arg(name);
    return fields.join(QStringLiteral(", "));
}

// The element's content as the user wrote it, shortened for a message.
QString Written(const LabelElement& e) {
    const QString content = QString::fromStdU16String(ElementText(e));
    return content.size() <= 40 ? content : content.left(37) + QStringLiteral("...");
}

QString KindName(const LabelElement& e) {
    switch (e.nType) {
    case kText: return QStringLiteral("text");
    case kBarcode: return QStringLiteral("barcode");
    default: return QStringLiteral("2D code");
    }
}

}  // namespace

std::unique_ptr<DataSource> DataSource::Open(const QString& path, QString* error) {
    std::unique_ptr<DataSource> data(new DataSource);
    data->path_ = path;
    data->file_ = DataFile::Open(path, error);
    if (!data->file_) {
        *error = QStringLiteral("%1: %2").arg(path, *error);
        return nullptr;
    }
    data->reader_ = std::make_unique<CsvReader>(*data->file_, path);
    if (!data->reader_->ReadHeader()) {
        *error = data->reader_->Error();
        return nullptr;
    }
    return data;
}

bool DataSource::FirstRows(qsizetype count, std::vector<DataRow>& rows, QString* error) {
    rows.clear();
    if (!reader_->Rewind()) {
        *error = reader_->Error();
        return false;
    }
    DataRow row;
    while (qsizetype(rows.size()) < count && reader_->Next(row)) rows.push_back(row);
    *error = reader_->Error();
    return error->isEmpty();
}

QStringList DataSource::MissingFields(const std::vector<LabelElement>& elements) const {
    QStringList missing;
    for (const QString& name : LabelFieldNames(elements))
        if (!Columns().contains(name)) missing << name;
    return missing;
}

QStringList DataSource::AmbiguousFields(const std::vector<LabelElement>& elements) const {
    QStringList twice;
    for (const QString& name : LabelFieldNames(elements))
        if (Columns().count(name) > 1) twice << name;
    return twice;
}

bool DataSource::Check(const std::vector<LabelElement>& elements, RowRange range, DataCheck& check, QString* error) {
    check = {};
    count_ = 0;
    if (range.first < 1 || (range.last != 0 && range.last < range.first)) {
        *error = QStringLiteral("%1: rows %2 to %3 are no range of rows").arg(path_).arg(range.first).arg(range.last);
        return false;
    }
    if (const QStringList missing = MissingFields(elements); !missing.isEmpty()) {
        *error = QStringLiteral("%1: no column for the label's field%2 %3 (the columns are: %4)")
                     .arg(path_, missing.size() > 1 ? QStringLiteral("s") : QString(), Braced(missing),
                          Columns().join(QStringLiteral(", ")));
        return false;
    }
    if (const QStringList twice = AmbiguousFields(elements); !twice.isEmpty()) {
        *error = QStringLiteral("%1: two columns are named for the field %2; give them different names")
                     .arg(path_, Braced(twice));
        return false;
    }
    std::vector<std::size_t> merged;
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (TakesFields(elements[i])) merged.push_back(i);

    range_ = range;
    if (!Rewind(error)) return false;
    while (const DataRow* row = Next()) {
        for (std::size_t i : merged) {
            FieldCut cut;
            MergedElement(elements[i], *row, &cut);
            if (cut.limit == 0) continue;
            if (check.cutNotes.size() < DataCheck::kMaxCutNotes)
                check.cutNotes << QStringLiteral(
                                      "%1, line %2 (row %3): the %4 \"%5\" comes to %6 %7 with this row's "
                                      "values; only the first %8 are used")
                                      .arg(path_)
                                      .arg(row->line)
                                      .arg(row->number)
                                      .arg(KindName(elements[i]), Written(elements[i]))
                                      .arg(cut.length)
                                      .arg(cut.bytes ? QStringLiteral("bytes") : QStringLiteral("characters"))
                                      .arg(cut.limit);
            ++check.cuts;
        }
    }
    if (!error_.isEmpty()) {
        *error = error_;
        return false;
    }
    // The rows read: up to the end of the range, or all there are when the file ends first.
    const qint64 rows = reader_->RowsRead();
    if (rows == 0) {
        *error = QStringLiteral("%1: no data rows below the header").arg(path_);
        return false;
    }
    const qint64 wanted = range.last > 0 ? range.last : range.first;
    if (rows < wanted) {
        *error = QStringLiteral("%1 has %2 data row%3; row %4 was asked for")
                     .arg(path_)
                     .arg(rows)
                     .arg(rows == 1 ? QString() : QStringLiteral("s"))
                     .arg(wanted);
        return false;
    }
    count_ = (range.last > 0 ? range.last : rows) - range.first + 1;
    check.rows = count_;
    return Rewind(error);
}

bool DataSource::Rewind(QString* error) {
    error_.clear();
    if (reader_->Rewind()) return true;
    *error = reader_->Error();
    return false;
}

const DataRow* DataSource::Next() {
    while (range_.last == 0 || reader_->RowsRead() < range_.last) {
        if (!reader_->Next(row_)) {
            error_ = reader_->Error();
            return nullptr;
        }
        if (row_.number >= range_.first) return &row_;
    }
    return nullptr;
}

}  // namespace kestrix
