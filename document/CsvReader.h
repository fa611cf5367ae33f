#pragma once
// Data files as spreadsheets write them: comma-separated values (RFC 4180
// quoting, "" inside quotes, separators and line breaks inside quoted fields,
// CRLF or LF), the separator (comma, semicolon or tab) found from the first
// row, which names the columns. Text is UTF-8, with or without a byte-order
// mark, or GB18030 when the bytes are not valid UTF-8. The file is read in
// pieces as rows are asked for, so the first rows of a large file come at once
// and memory does not grow with the file.

#include <QIODevice>
#include <QStringDecoder>
#include <deque>
#include <memory>
#include <vector>

#include "document/DataRow.h"
#include "document/UiLanguage.h"

struct csv_parser;

namespace kestrix {

class CsvReader {
public:
    // Longest field taken; a longer one is refused (usually a quote left open).
    static constexpr qsizetype kMaxFieldBytes = qsizetype(1) << 20;
    static constexpr int kMaxColumns = 4096;

    // Reads `device`, open for reading at the start of the file; `name` names
    // the file in messages, which are in `language`.
    CsvReader(QIODevice& device, QString name, UiLanguage language = UiLanguage::English);
    ~CsvReader();
    CsvReader(const CsvReader&) = delete;
    CsvReader& operator=(const CsvReader&) = delete;

    // Reads the header row; false, with Error() saying why, when the file is
    // empty or damaged.
    bool ReadHeader();
    const std::shared_ptr<const QStringList>& Columns() const { return columns_; }
    // The next data row (as many values as columns; missing ones empty).
    // False at the end of the file (Error() empty) or on damage (Error() names
    // the line, and the row or column where it can).
    bool Next(DataRow& row);
    // Data rows read since the header.
    qint64 RowsRead() const { return rowNumber_; }
    // Back before the first data row; false (Error() set) when the file cannot be read again.
    bool Rewind();

    const QString& Error() const { return error_; }
    // ',', ';' or '\t'.
    char Separator() const { return separator_; }
    // "UTF-8" or "GB18030"; empty while every byte read was ASCII.
    QString EncodingName() const;

private:
    struct RawRow {
        std::vector<QByteArray> fields;
        qsizetype count = 0;  // fields seen, also those past the ones kept
        qint64 line = 0;
    };
    static void OnField(void* bytes, size_t size, void* self);
    static void OnRowEnd(int terminator, void* self);

    void StartParser();
    bool ReadChunk();
    void Decide(QByteArrayView bytes);
    void MakeDecoder();
    // Feeds the parser until a row is complete or the file ends.
    bool ReadRow(RawRow& row);
    bool Decode(const QByteArray& bytes, QString& text);
    QString BadBytesText() const;
    bool Fail(qint64 line, const QString& what);

    QIODevice& device_;
    QString name_;
    UiLanguage language_;
    std::unique_ptr<csv_parser> parser_;
    char separator_ = ',';
    enum class Encoding { Undecided, Utf8, Gb18030 } encoding_ = Encoding::Undecided;
    std::unique_ptr<QStringDecoder> decoder_;
    std::shared_ptr<const QStringList> columns_;
    QString error_;

    QByteArray chunk_;
    qsizetype pos_ = 0;
    bool atStart_ = true;
    bool ended_ = false;
    qint64 line_ = 1;         // the line being fed to the parser
    bool rowPending_ = true;  // the next bytes that are not a line break start a row
    RawRow building_;
    std::deque<RawRow> ready_;
    qsizetype keepFields_ = kMaxColumns;
    qint64 rowNumber_ = 0;
};

}  // namespace kestrix
