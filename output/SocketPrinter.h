#pragma once
// A network label printer's raw port: one TCP connection per job. The labels
// flow as fast as the system takes them; the job ends only when the printer
// has acknowledged every byte, so a printer that stops reading is seen as
// stalled, before the end as well as at it. Whatever the printer sends on the
// job's connection is read and dropped. The printer's state is asked on a
// connection of its own, during a job as well as before it.

#include "output/PrinterTransport.h"

namespace kestrix {

class SocketPrinter : public PrinterTransport {
public:
    // Looking up the name and connecting together take at most this long.
    static constexpr int kConnectTimeoutMs = 4000;

    // `host` is a name or an address.
    SocketPrinter(const QString& host, quint16 port) : host_(host), port_(port) {}
    ~SocketPrinter() override { Close(); }

    // Connects; on failure `error` says why ("host unknown", "connection refused", ...).
    bool Open(QString* error) override;
    // What the system takes of `data` within `waitMs`.
    qint64 Write(QByteArrayView data, int waitMs, QString* error) override;
    qint64 Unconfirmed() override;
    qint64 Confirm(int waitMs, QString* error) override;
    std::unique_ptr<StatusQuery> AskStatus() override;
    // A job cut short is reset: what the printer has not received is dropped.
    void Close() override;

private:
    bool Fail(QString* error, const QString& why);
    // Reads what the printer sent and drops it; false when the connection failed.
    bool DropIncoming(QString* error);

    QString host_;
    quint16 port_;
    int fd_ = -1;
    // Bytes the system holds that the printer has not acknowledged, when last looked.
    qint64 unconfirmed_ = 0;
    // The printer has said all it will say (it shut its side down, and may still read).
    bool silent_ = false;
};

}  // namespace kestrix
