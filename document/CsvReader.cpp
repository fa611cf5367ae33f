#include "document/CsvReader.h"

#include <csv.h>

#include <algorithm>
#include <cstring>

namespace kestrix {

namespace {

constexpr qsizetype kChunkBytes = 64 * 1024;

// Spaces belong to the field: with the parser's default, the blanks around a
// value and a tab separator would be dropped.
int NoSpace(unsigned char) { return 0; }

bool IsAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsBlank(const char* bytes, qsizetype size) {
    return std::all_of(bytes, bytes + size, [](char c) { return c == '\r' || c == '\n'; });
}

// The separator the first row uses most outside quotes: comma, semicolon or
// tab; a comma when none is used (one column) or on a tie.
char FindSeparator(QByteArrayView bytes) {
    constexpr char kSeparators[] = {',', ';', '\t'};
    int counts[3] = {};
    bool quoted = false;
    for (char c : bytes) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n' || c == '\r') break;
        for (int k = 0; k < 3; ++k) counts[k] += c == kSeparators[k];
    }
    return kSeparators[std::max_element(counts, counts + 3) - counts];
}

}  // namespace

CsvReader::CsvReader(QIODevice& device, QString name, UiLanguage language)
    : device_(device), name_(std::move(name)), language_(language), parser_(std::make_unique<csv_parser>()) {
    StartParser();
}

CsvReader::~CsvReader() { csv_free(parser_.get()); }

void CsvReader::StartParser() {
    // Strict: a quote inside an unquoted field, text after a closing quote and
    // a quoted field still open at the end of the file are errors.
    csv_init(parser_.get(), CSV_STRICT | CSV_STRICT_FINI);
    csv_set_space_func(parser_.get(), NoSpace);
    csv_set_delim(parser_.get(), static_cast<unsigned char>(separator_));
}

QString CsvReader::EncodingName() const {
    switch (encoding_) {
    case Encoding::Utf8: return QStringLiteral("UTF-8");
    case Encoding::Gb18030: return QStringLiteral("GB18030");
    case Encoding::Undecided: break;
    }
    return {};
}

bool CsvReader::Fail(qint64 line, const QString& what) {
    error_ = UiText(language_, "%1, line %2: %3", "%1，第 %2 行：%3").arg(name_).arg(line).arg(what);
    return false;
}

void CsvReader::Decide(QByteArrayView bytes) {
    // Stateful, so a character cut at the end of the piece is no error.
    QStringDecoder probe(QStringConverter::Utf8);
    const QString decoded = probe(bytes);
    encoding_ = probe.hasError() ? Encoding::Gb18030 : Encoding::Utf8;
    MakeDecoder();
}

void CsvReader::MakeDecoder() {
    // Made in place, never moved: the library's converter reports bad bytes to the object it was made for.
    const auto flags = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;
    decoder_ = encoding_ == Encoding::Utf8 ? std::make_unique<QStringDecoder>(QStringConverter::Utf8, flags)
                                           : std::make_unique<QStringDecoder>("GB18030", flags);
}

bool CsvReader::ReadChunk() {
    chunk_.resize(kChunkBytes);
    const qint64 read = device_.read(chunk_.data(), kChunkBytes);
    if (read < 0)
        return Fail(line_, UiText(language_, "cannot be read: %1", "无法读取：%1").arg(device_.errorString()));
    chunk_.resize(read);
    pos_ = 0;
    if (atStart_) {
        atStart_ = false;
        if (chunk_.startsWith("\xEF\xBB\xBF")) {
            pos_ = 3;
            Decide({});
        }
        separator_ = FindSeparator(QByteArrayView(chunk_).sliced(pos_));
        csv_set_delim(parser_.get(), static_cast<unsigned char>(separator_));
    }
    // The first piece with text beyond ASCII decides the encoding for the whole file.
    if (encoding_ == Encoding::Undecided && !IsAscii(chunk_)) Decide(chunk_);
    return true;
}

void CsvReader::OnField(void* bytes, size_t size, void* self) {
    auto* reader = static_cast<CsvReader*>(self);
    RawRow& row = reader->building_;
    if (reader->rowPending_) {  // a row that started after another ended on the same line
        row.line = reader->line_;
        reader->rowPending_ = false;
    }
    if (row.count++ < reader->keepFields_) row.fields.emplace_back(static_cast<const char*>(bytes), qsizetype(size));
}

void CsvReader::OnRowEnd(int, void* self) {
    auto* reader = static_cast<CsvReader*>(self);
    reader->ready_.push_back(std::move(reader->building_));
    reader->building_ = {};
    reader->rowPending_ = true;
}

bool CsvReader::ReadRow(RawRow& row) {
    while (ready_.empty()) {
        if (ended_ || !error_.isEmpty()) return false;
        if (pos_ == chunk_.size()) {
            if (!ReadChunk()) return false;
            if (pos_ == chunk_.size()) {
                ended_ = true;
                if (csv_fini(parser_.get(), OnField, OnRowEnd, this) != 0)
                    return Fail(building_.line, UiText(language_, "a quoted field is never closed (a \" is missing)",
                                                       "引号中的字段没有结束（缺少一个 \"）"));
                continue;
            }
        }
        // Fed a line at a time, so every row knows the line it starts on.
        const char* piece = chunk_.constData() + pos_;
        qsizetype size = chunk_.size() - pos_;
        if (const void* lineEnd = std::memchr(piece, '\n', size)) size = static_cast<const char*>(lineEnd) - piece + 1;
        if (std::memchr(piece, '\0', size))
            return Fail(
                line_, UiText(language_, "holds a NUL byte, which no text file does", "含有 NUL 字节，文本文件不会有"));
        if (rowPending_ && !IsBlank(piece, size)) {
            building_.line = line_;
            rowPending_ = false;
        }
        if (csv_parse(parser_.get(), piece, size, OnField, OnRowEnd, this) != static_cast<size_t>(size))
            return Fail(line_, UiText(language_,
                                      "a \" inside a field that does not start with one, or text after a closing \" "
                                      "(quotes inside a quoted field are written \"\")",
                                      "字段中间有 \"，或右引号后还有文字（引号内的引号应写作 \"\"）"));
        pos_ += size;
        if (piece[size - 1] == '\n') ++line_;
        if (static_cast<qsizetype>(parser_->entry_pos) > kMaxFieldBytes)
            return Fail(building_.line, UiText(language_, "a field runs on for more than %1 bytes (a \" left open?)",
                                               "字段超过 %1 字节（是否有未闭合的 \"？）")
                                            .arg(kMaxFieldBytes));
    }
    row = std::move(ready_.front());
    ready_.pop_front();
    return true;
}

bool CsvReader::Decode(const QByteArray& bytes, QString& text) {
    if (IsAscii(bytes)) {
        text = QString::fromLatin1(bytes);
        return true;
    }
    text = (*decoder_)(bytes);
    if (!decoder_->hasError()) return true;
    // A fresh one: the library's converter may keep part of the bad bytes.
    MakeDecoder();
    return false;
}

bool CsvReader::ReadHeader() {
    keepFields_ = kMaxColumns + 1;
    RawRow raw;
    if (!ReadRow(raw)) {
        if (error_.isEmpty())
            error_ = UiText(language_, "%1: the file is empty; its first row must name the columns",
                            "%1：文件是空的；第一行必须是列名")
                         .arg(name_);
        return false;
    }
    if (raw.count > kMaxColumns)
        return Fail(
            raw.line,
            UiText(language_, "the header names more than %1 columns", "标题行的列超过 %1 个").arg(kMaxColumns));
    QStringList names;
    for (const QByteArray& bytes : raw.fields) {
        QString name;
        if (!Decode(bytes, name))
            return Fail(raw.line, UiText(language_, "header, column %1: %2", "标题行，第 %1 列：%2")
                                      .arg(names.size() + 1)
                                      .arg(BadBytesText()));
        names << name;
    }
    columns_ = std::make_shared<const QStringList>(std::move(names));
    keepFields_ = columns_->size() + 1;
    return true;
}

QString CsvReader::BadBytesText() const {
    return encoding_ == Encoding::Utf8
               ? UiText(language_, "bytes that are not UTF-8 (the file's text is taken as UTF-8 from its start)",
                        "有不是 UTF-8 的字节（文件开头的文字按 UTF-8 读取）")
               : UiText(language_, "bytes that are neither UTF-8 nor GB18030", "有既不是 UTF-8 也不是 GB18030 的字节");
}

bool CsvReader::Next(DataRow& row) {
    RawRow raw;
    if (!ReadRow(raw)) return false;
    ++rowNumber_;
    const qsizetype columns = columns_->size();
    if (raw.count > columns)
        return Fail(raw.line, UiText(language_, "row %1 has %2 fields, but the header names %3 columns",
                                     "第 %1 行有 %2 个字段，但标题行只有 %3 列")
                                  .arg(rowNumber_)
                                  .arg(raw.count)
                                  .arg(columns));
    row.columns = columns_;
    row.values.resize(columns);
    for (qsizetype i = 0; i < columns; ++i) {
        if (i >= qsizetype(raw.fields.size())) {
            row.values[i].clear();
        } else if (!Decode(raw.fields[i], row.values[i])) {
            return Fail(raw.line, UiText(language_, "row %1, column \"%2\": %3", "第 %1 行，列“%2”：%3")
                                      .arg(rowNumber_)
                                      .arg(columns_->at(i), BadBytesText()));
        }
    }
    row.number = rowNumber_;
    row.line = raw.line;
    return true;
}

bool CsvReader::Rewind() {
    if (!device_.seek(0))
        return Fail(line_,
                    UiText(language_, "cannot be read again: %1", "无法再次读取：%1").arg(device_.errorString()));
    csv_free(parser_.get());
    StartParser();
    chunk_.clear();
    pos_ = 0;
    atStart_ = true;
    ended_ = false;
    line_ = 1;
    rowPending_ = true;
    building_ = {};
    ready_.clear();
    rowNumber_ = 0;
    error_.clear();
    keepFields_ = columns_ ? columns_->size() + 1 : kMaxColumns + 1;
    RawRow header;
    if (ReadRow(header)) return true;
    if (error_.isEmpty()) error_ = UiText(language_, "%1: the file is empty now", "%1：文件现在是空的").arg(name_);
    return false;
}

}  // namespace kestrix
