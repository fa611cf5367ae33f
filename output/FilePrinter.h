#pragma once
// A printer reached by a path: a usblp device node, a FIFO or a plain file
// standing for the printer (appended to). Opened without waiting, so a printer
// held by another job (usblp allows one opener) is refused at once.

#include "output/PrinterTransport.h"

namespace kestrix {

class FilePrinter : public PrinterTransport {
public:
    explicit FilePrinter(const QString& path) : path_(path) {}
    ~FilePrinter() override { Close(); }

    bool Open(QString* error) override;
    qint64 Write(QByteArrayView data, int waitMs, QString* error) override;
    void Close() override;

private:
    QString path_;
    int fd_ = -1;
};

}  // namespace kestrix
