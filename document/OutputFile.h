#pragma once
// A file the user names for output. A regular file, or a new name, is written
// to a temporary file that is renamed over it at the end, so a failure leaves
// the old file whole (a symbolic link keeps pointing where it did). A device
// node or a FIFO is written directly, as a stream: that is how a user sends a
// job to /dev/usb/lp0 by hand, and it is never replaced by a plain file. A
// folder is refused.

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

namespace kestrix {

class OutputFile {
public:
    explicit OutputFile(const QString& path) : path_(path), save_(path) {}
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    // Without Commit a temporary file is dropped and the old file kept.
    ~OutputFile();

    bool Open(QString* error);
    // All of `data`, or an error that says how far the write came ("disk full:
    // only N of M bytes written", counting everything written so far).
    bool Write(QByteArrayView data, QString* error);
    // Renames the temporary file over the target (a stream is just closed).
    bool Commit(QString* error);

private:
    bool Fail(const QString& why, QString* error) const;

    QString path_;
    QSaveFile save_;
    int direct_ = -1;  // the descriptor of a device node or FIFO
    qint64 written_ = 0;
};

// Open, one Write, Commit.
bool WriteOutputFile(const QString& path, QByteArrayView data, QString* error);

}  // namespace kestrix
