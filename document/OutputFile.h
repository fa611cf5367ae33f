#pragma once
// A file the user names for output. A regular file, or a new name, is written
// to a temporary file first, so a failure leaves the old file whole (a
// symbolic link keeps pointing where it did). The complete new content then
// takes the old file's place keeping what the file was: its mode, owner and
// group and its hard links. It is renamed over the file when that keeps them
// all (a new file, or one of a single name that this user may give its owner
// and group); otherwise it is copied into the file, and should that copy fail,
// the old content is put back. A device node or a FIFO is written directly, as
// a stream: that is how a user sends a job to /dev/usb/lp0 by hand, and it is
// never replaced by a plain file; a FIFO that finds no reader within the
// reader wait is given up. A folder is refused.

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>
#include <QTemporaryFile>
#include <memory>

#include <sys/stat.h>

namespace kestrix {

class OutputFile {
public:
    // How long a FIFO may go without a reader before the output is given up.
    static constexpr int kReaderWaitMs = 10000;

    explicit OutputFile(const QString& path, int readerWaitMs = kReaderWaitMs)
        : path_(path), readerWaitMs_(readerWaitMs), save_(path) {}
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    // Without Commit a temporary file is dropped and the old file kept.
    ~OutputFile();

    bool Open(QString* error);
    // All of `data`, or an error that says how far the write came ("disk full:
    // only N of M bytes written", counting everything written so far).
    bool Write(QByteArrayView data, QString* error);
    // Puts the new content in the file's place (a stream is just closed).
    bool Commit(QString* error);

private:
    bool Fail(const QString& why, QString* error) const;
    bool OpenStream(QString* error);
    bool CopyIntoPlace(QString* error);

    QString path_;
    int readerWaitMs_;
    QSaveFile save_;
    // The content on its way into a file that keeps its place.
    std::unique_ptr<QTemporaryFile> copy_;
    struct stat old_ {};
    int direct_ = -1;  // the descriptor of a device node or FIFO
    qint64 written_ = 0;
};

// Open, one Write, Commit.
bool WriteOutputFile(const QString& path, QByteArrayView data, QString* error);

}  // namespace kestrix
