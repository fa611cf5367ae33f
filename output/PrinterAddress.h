#pragma once
// Where the direct print stream goes, as the user writes it: "usb" (the first
// supported USB printer found), "socket://HOST[:PORT]" (a network printer's raw
// port), "cups:QUEUE" (one raw job to a CUPS queue) or a plain path (a device
// node or a file).

#include <QString>
#include <optional>

namespace kestrix {

struct PrinterAddress {
    enum class Kind { Usb, Socket, Cups, Path };
    static constexpr quint16 kRawPort = 9100;

    Kind kind = Kind::Usb;
    QString host;  // Socket
    quint16 port = kRawPort;
    QString queue;  // Cups
    QString path;   // Path

    // The address written out again, in the form Parse takes.
    QString Text() const;
    bool operator==(const PrinterAddress&) const = default;
};

// An empty text is "usb". Anything that is not "usb", "socket://..." or
// "cups:..." and has no other "scheme://" is a path. Nothing (and `error`
// saying why) for a malformed address.
std::optional<PrinterAddress> ParsePrinterAddress(const QString& text, QString* error = nullptr);

}  // namespace kestrix
