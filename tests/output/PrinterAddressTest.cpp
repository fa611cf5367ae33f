// Printer addresses as users write them: the four kinds, what is refused, and
// the written-out form that reads back the same.

#include <gtest/gtest.h>

#include "output/PrinterAddress.h"

namespace kestrix {
namespace {

using Kind = PrinterAddress::Kind;

TEST(PrinterAddress, FourKindsReadAndWrittenBackMalformedOnesRefusedSayingWhy) {
    const std::tuple<QString, Kind, QString, int, QString> cases[] = {
        // text, kind, host / queue / path, port, written out
        {"", Kind::Usb, "", 9100, "usb"},
        {" USB ", Kind::Usb, "", 9100, "usb"},
        {"socket://Label-Printer", Kind::Socket, "label-printer", 9100, "socket://label-printer:9100"},
        {"SOCKET://10.0.0.7:9101/", Kind::Socket, "10.0.0.7", 9101, "socket://10.0.0.7:9101"},
        {"socket://[::1]:6101", Kind::Socket, "::1", 6101, "socket://[::1]:6101"},
        {"cups:Zebra_ZD420/raw", Kind::Cups, "Zebra_ZD420/raw", 9100, "cups:Zebra_ZD420/raw"},
        {"/dev/usb/lp0", Kind::Path, "/dev/usb/lp0", 9100, "/dev/usb/lp0"},
        {"usb:3:7", Kind::Path, "usb:3:7", 9100, "usb:3:7"},  // a printer without a usblp node
        {"labels.out", Kind::Path, "labels.out", 9100, "labels.out"},
    };
    for (const auto& [text, kind, name, port, written] : cases) {
        SCOPED_TRACE(text.toStdString());
        const std::optional<PrinterAddress> a = ParsePrinterAddress(text);
        ASSERT_TRUE(a);
        EXPECT_EQ(std::tuple(a->kind, a->host + a->queue + a->path, int(a->port), a->Text()),
                  std::tuple(kind, name, port, written));
        EXPECT_EQ(ParsePrinterAddress(written), a);
    }
    for (const char* text :
         {"socket://", "socket://:9100", "socket://host:0", "socket://host:65536", "socket://host:port",
          "socket://user@host", "socket://host/queue", "socket://host?x=1", "socket://two words",
          "cups:", "cups:/queue", "cups:two words", "ipp://host/printers/x", "http://host"}) {
        QString why;
        EXPECT_FALSE(ParsePrinterAddress(QString::fromLatin1(text), &why)) << text;
        EXPECT_TRUE(why.contains(QString::fromLatin1(text))) << why.toStdString();
    }
}

}  // namespace
}  // namespace kestrix
