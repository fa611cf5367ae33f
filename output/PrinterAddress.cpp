#include "output/PrinterAddress.h"

#include <QRegularExpression>
#include <QUrl>

namespace kestrix {

namespace {

constexpr QStringView kSocketScheme = u"socket://";
constexpr QStringView kCupsPrefix = u"cups:";

std::optional<PrinterAddress> Refuse(QString* error, const QString& why) {
    if (error) *error = why;
    return std::nullopt;
}

}  // namespace

QString PrinterAddress::Text() const {
    switch (kind) {
    case Kind::Usb: return QStringLiteral("usb");
    case Kind::Socket: {
        QUrl url;
        url.setScheme(QStringLiteral("socket"));
        url.setHost(host);  // brackets an IPv6 address
        url.setPort(port);
        return url.toString();
    }
    case Kind::Cups: return kCupsPrefix.toString() + queue;
    case Kind::Path: break;
    }
    return path;
}

std::optional<PrinterAddress> ParsePrinterAddress(const QString& text, QString* error) {
    const QString t = text.trimmed();
    PrinterAddress address;
    if (t.isEmpty() || t.compare(u"usb", Qt::CaseInsensitive) == 0) return address;

    if (t.startsWith(kSocketScheme, Qt::CaseInsensitive)) {
        const QString usage = QStringLiteral("\"%1\" is not socket://HOST[:PORT]").arg(t);
        const QUrl url(QStringLiteral("socket://") + t.mid(kSocketScheme.size()), QUrl::StrictMode);
        const bool onlyHostAndPort = url.userInfo().isEmpty() && (url.path().isEmpty() || url.path() == u"/") &&
                                     !url.hasQuery() && !url.hasFragment();
        if (!url.isValid() || url.host().isEmpty() || !onlyHostAndPort || url.port() == 0) return Refuse(error, usage);
        address.kind = PrinterAddress::Kind::Socket;
        address.host = url.host();
        address.port = static_cast<quint16>(url.port(PrinterAddress::kRawPort));
        return address;
    }

    if (t.startsWith(kCupsPrefix, Qt::CaseInsensitive)) {
        const QString queue = t.mid(kCupsPrefix.size());
        static const QRegularExpression blank(QStringLiteral("[\\s\\x00-\\x1f]"));
        if (queue.isEmpty() || queue.startsWith(u'/') || queue.contains(blank))
            return Refuse(error, QStringLiteral("\"%1\" is not cups:QUEUE").arg(t));
        address.kind = PrinterAddress::Kind::Cups;
        address.queue = queue;
        return address;
    }

    // Another scheme is a mistyped address rather than a file of that name.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    if (scheme.match(t).hasMatch())
        return Refuse(error, QStringLiteral("\"%1\": a printer address is usb, socket://HOST[:PORT], cups:QUEUE "
                                            "or a path")
                                 .arg(t));
    address.kind = PrinterAddress::Kind::Path;
    address.path = t;
    return address;
}

}  // namespace kestrix
