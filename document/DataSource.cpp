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

QString KindName(const LabelElement& e, UiLanguage language) {
    switch (e.nType) {
    case kText: return UiText(language, "text", "文字");
    case kBarcode: return UiText(language, "barcode", "条码");
    default: return UiText(language, "2D code", "二维码");
    }
}

}  // namespace

std::unique_ptr<DataSource> DataSource::Open(const QString& path, QString* error, UiLanguage language) {
    std::unique_ptr<DataSource> data(new DataSource);
    data->path_ = path;
    data->language_ = language;
    data->file_ = DataFile::Open(path, error, language);
    if (!data->file_) {
        *error = UiText(language, "%1: %2", "%1：%2").arg(path, *error);
        return nullptr;
    }
    data->reader_ = std::make_unique<CsvReader>(*data->file_, path, language);
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
        *error = UiText(language_, "%1: rows %2 to %3 are no range of rows", "%1：第 %2 行至第 %3 行不是行的范围")
                     .arg(path_)
                     .arg(range.first)
                     .arg(range.last);
        return false;
    }
    if (const QStringList missing = MissingFields(elements); !missing.isEmpty()) {
        const bool plural = missing.size() > 1 && language_ == UiLanguage::English;
        *error = UiText(language_, "%1: no column for the label's field%2 %3 (the columns are: %4)",
                        "%1：标签的字段%2 %3 没有对应的列（文件的列是：%4）")
                     .arg(path_, plural ? QStringLiteral("s") : QString(), Braced(missing),
                          Columns().join(QStringLiteral(", ")));
        return false;
    }
    if (const QStringList twice = AmbiguousFields(elements); !twice.isEmpty()) {
        *error = UiText(language_, "%1: two columns are named for the field %2; give them different names",
                        "%1：有两列都以字段 %2 为名；请给它们不同的名字")
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
                check.cutNotes << UiText(language_,
                                         "%1, line %2 (row %3): the %4 \"%5\" comes to %6 %7 with this row's "
                                         "values; only the first %8 are used",
                                         "%1，第 %2 行（第 %3 行数据）：%4“%5”填入此行的值后有 %6 %7；只使用前 %8 个")
                                      .arg(path_)
                                      .arg(row->line)
                                      .arg(row->number)
                                      .arg(KindName(elements[i], language_), Written(elements[i]))
                                      .arg(cut.length)
                                      .arg(cut.bytes ? UiText(language_, "bytes", "字节")
                                                     : UiText(language_, "characters", "字符"))
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
        *error = UiText(language_, "%1: no data rows below the header", "%1：标题行下面没有数据行").arg(path_);
        return false;
    }
    const qint64 wanted = range.last > 0 ? range.last : range.first;
    if (rows < wanted) {
        *error = UiText(language_, "%1 has %2 data row%3; row %4 was asked for", "%1 只有 %2 行数据%3；要的是第 %4 行")
                     .arg(path_)
                     .arg(rows)
                     .arg(rows == 1 || language_ == UiLanguage::Chinese ? QString() : QStringLiteral("s"))
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
