#include "editor/LabelData.h"

#include <QFileInfo>

#include "editor/EditorSettings.h"

namespace kestrix {

namespace {

constexpr char kDataFilesGroup[] = "Data Files";
// Data files up to this size have their rows counted when they are taken.
constexpr qint64 kCountedBytes = 1 << 20;

// A settings key for a label file: its absolute path, escaped so that its
// slashes do not make groups.
QString LabelKey(const QString& labelPath) {
    return QString::fromLatin1(QFileInfo(labelPath).absoluteFilePath().toUtf8().toPercentEncoding());
}

}  // namespace

bool LabelData::Attach(const QString& path, RowRange rows, qint64 shown, QString* error, qint64 knownRows) {
    qint64 count = knownRows;
    std::optional<DataRow> row = ReadRow(path, std::max<qint64>(shown, 1), &count, error);
    // A file that has become shorter shows its first row.
    if (!row && count > 0) row = ReadRow(path, 1, &count, error);
    if (!row) return false;
    // A small file is counted at once, so the row selector can say "of N" from the start.
    if (count == 0 && QFileInfo(path).size() <= kCountedBytes) {
        QString ignored;
        if (std::unique_ptr<DataSource> all = DataSource::Open(path, &ignored, language_)) {
            DataCheck check;
            if (all->Check({}, {}, check, &ignored)) count = all->Count();
        }
    }
    path_ = path;
    columns_ = row->columns ? *row->columns : QStringList();
    rows_ = rows;
    shown_ = std::move(*row);
    knownRows_ = count;
    return true;
}

void LabelData::Detach() { *this = LabelData(language_); }

bool LabelData::Show(qint64 number, QString* error) {
    if (!Attached() || number < 1) return false;
    qint64 count = 0;
    std::optional<DataRow> row = ReadRow(path_, number, &count, error);
    if (count > 0) knownRows_ = count;
    if (!row) return false;
    shown_ = std::move(*row);
    return true;
}

std::optional<DataRow> LabelData::ReadRow(const QString& path, qint64 number, qint64* rows, QString* error) const {
    std::unique_ptr<DataSource> source = DataSource::Open(path, error, language_);
    if (!source) return std::nullopt;
    DataCheck check;
    const bool read = source->Check({}, {number, number}, check, error);
    // A check that ran out of rows has read them all: the count is known.
    if (!read) {
        if (source->Reader().Error().isEmpty() && source->Reader().RowsRead() < number)
            *rows = source->Reader().RowsRead();
        return std::nullopt;
    }
    const DataRow* row = source->Next();
    if (!row) {
        *error = source->Error();
        return std::nullopt;
    }
    return *row;
}

std::unique_ptr<DataSource> LabelData::OpenForPrinting(const std::vector<LabelElement>& elements, DataCheck& check,
                                                       QString* error) const {
    std::unique_ptr<DataSource> source = DataSource::Open(path_, error, language_);
    if (source && !source->Check(elements, rows_, check, error)) source.reset();
    return source;
}

QString LabelData::Remembered(const QString& labelPath) {
    if (labelPath.isEmpty()) return {};
    QSettings settings = EditorSettings();
    settings.beginGroup(QLatin1String(kDataFilesGroup));
    return settings.value(LabelKey(labelPath)).toString();
}

void LabelData::Remember(const QString& labelPath, const QString& dataPath) {
    if (labelPath.isEmpty()) return;
    QSettings settings = EditorSettings();
    settings.beginGroup(QLatin1String(kDataFilesGroup));
    if (dataPath.isEmpty())
        settings.remove(LabelKey(labelPath));
    else
        settings.setValue(LabelKey(labelPath), QFileInfo(dataPath).absoluteFilePath());
}

}  // namespace kestrix
