#pragma once
// A printer reached by a path: a FIFO or a plain file standing for the printer
// (appended to), or a device node (UsblpPrinter). Opened without waiting, so a
// printer held by another job (usblp allows one opener) is refused at once.
// A file cannot be asked for a printer's state.

#include "output/PrinterTransport.h"

namespace kestrix {

class FilePrinter : public PrinterTransport {
public:
    explicit FilePrinter(const QString& path) : path_(path) {}
    ~FilePrinter() override { Close(); }

    bool Open(QString* error) override;
    qint64 Write(QByteArrayView data, int waitMs, QString* error) override;
    std::unique_ptr<StatusQuery> AskStatus() override;
    void Close() override;

protected:
    // The user's words for an errno of opening or writing.
    static QString ErrnoText(int code);
    const QString& Path() const { return path_; }
    // The open job's descriptor, -1 when closed.
    int Fd() const { return fd_; }

private:
    QString path_;
    int fd_ = -1;
};

}  // namespace kestrix
