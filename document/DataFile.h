#pragma once
// A data file opened for merging: only a regular file is opened (a FIFO or a
// device could block or never end), and every read looks again at the file,
// so that rows are never taken from a file that is being written meanwhile.

#include <QFile>
#include <memory>

#include "document/UiLanguage.h"

#include <sys/stat.h>

namespace kestrix {

class DataFile : public QFile {
public:
    // The file at `path` open for reading, or nothing and `error` saying why
    // (without the name) in `language`, as later read errors are.
    static std::unique_ptr<DataFile> Open(const QString& path, QString* error,
                                          UiLanguage language = UiLanguage::English);

    // Whether the file's size or modification time differ from when it was opened.
    bool Changed() const;

protected:
    // Fails, with the error string saying so, once the file has changed.
    qint64 readData(char* data, qint64 maxSize) override;

private:
    DataFile() = default;

    struct stat opened_ {};
    UiLanguage language_ = UiLanguage::English;
};

}  // namespace kestrix
