// Finding the printer in a fake sysfs tree and the whole direct print job
// written into a regular file standing for the device node.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "output/DirectPrintJob.h"
#include "render/CodeImageCache.h"

namespace kestrix {
namespace {

class FakeSystem : public ::testing::Test {
protected:
    QString Sys() const { return dir_.filePath(QStringLiteral("sys")); }
    QString Dev() const { return dir_.filePath(QStringLiteral("dev")); }
    PrinterLocation Location() const { return {Sys(), Dev()}; }

    static void WriteFile(const QString& path, const QByteArray& text) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(text) == text.size());
    }

    static void Link(const QString& target, const QString& link) {
        QDir().mkpath(target);
        QDir().mkpath(QFileInfo(link).path());
        ASSERT_TRUE(QFile::link(target, link));
    }

    // A USB device with its vendor and product and, when lp >= 0, the usblp
    // node lpN under its first interface and /dev/usb/lpN as a regular file.
    void AddDevice(const QString& name, const QByteArray& vid, const QByteArray& pid, int lp) {
        const QString device = Sys() + QStringLiteral("/devices/pci0000:00/usb1/") + name;
        WriteFile(device + QStringLiteral("/idVendor"), vid + '\n');
        WriteFile(device + QStringLiteral("/idProduct"), pid + '\n');
        WriteFile(device + QStringLiteral("/busnum"), "3\n");
        WriteFile(device + QStringLiteral("/devnum"), "7\n");
        Link(device, Sys() + QStringLiteral("/bus/usb/devices/") + name);
        if (lp < 0) return;
        const QString interface = device + u'/' + name + QStringLiteral(":1.0");
        const QString node = interface + QStringLiteral("/usbmisc/lp%1").arg(lp);
        Link(interface, node + QStringLiteral("/device"));
        Link(node, Sys() + QStringLiteral("/class/usbmisc/lp%1").arg(lp));
        WriteFile(Dev() + QStringLiteral("/usb/lp%1").arg(lp), {});
    }

    QString Found() const { return FindPrinterDevicePath(Location()); }

    QTemporaryDir dir_;
};

TEST_F(FakeSystem, LowestMatchingNodeWinsCaseIgnored) {
    AddDevice(QStringLiteral("1-1"), "04b8", "0202", 0);  // some other printer
    AddDevice(QStringLiteral("1-2"), "28E9", "0285", 10);
    EXPECT_EQ(Found(), Dev() + QStringLiteral("/usb/lp10"));
    AddDevice(QStringLiteral("1-3"), "0471", "0055", 2);
    EXPECT_EQ(Found(), Dev() + QStringLiteral("/usb/lp2"));
}

TEST_F(FakeSystem, NearMissesAreNotPrinters) {
    EXPECT_EQ(Found(), QString());
    AddDevice(QStringLiteral("1-1"), "0471", "0056", 0);
    AddDevice(QStringLiteral("1-2"), "0471", "00550", 1);
    EXPECT_EQ(Found(), QString());
}

TEST_F(FakeSystem, PrinterWithoutUsblpNodeIsReachedThroughLibusb) {
    AddDevice(QStringLiteral("1-4"), "0471", "0055", -1);
    EXPECT_EQ(Found(), QStringLiteral("usb:3:7"));
}

// The Printer dialog lists each printer once: its usblp node, else its USB address.
TEST_F(FakeSystem, EveryPrinterIsListedOnceNodesFirst) {
    AddDevice(QStringLiteral("1-2"), "28E9", "0285", 10);
    AddDevice(QStringLiteral("1-3"), "0471", "0055", 2);
    AddDevice(QStringLiteral("1-4"), "0471", "0055", -1);
    EXPECT_EQ(FindPrinterDevicePaths(Location()),
              QStringList({Dev() + QStringLiteral("/usb/lp2"), Dev() + QStringLiteral("/usb/lp10"), "usb:3:7"}));
}

class DirectPrint : public FakeSystem {
protected:
    void SetUp() override {
        doc_.widthMm = 40;
        doc_.heightMm = 30;
        LabelElement serial = CreateElement(kText, {10, 120}, u"0009");
        serial.nWidth = 96;
        serial.nHeight = 28;
        serial.nSerialMode = 1;
        doc_.elements = {serial};
    }

    DirectPrintStatus Run(const PrinterTarget& target, int chinese = 0, StallWatch* watch = nullptr) {
        DirectPrintInput in{doc_, settings_, codes_};
        const auto show = [&](const PrintMessage& m) { shown_ << m.text + u'|' + m.caption; };
        return DirectPrintLabel(in, queue_, chinese, show, target, watch).status;
    }

    QString Serial() const { return QString::fromStdU16String(ElementText(doc_.elements[0])); }

    LabelDocument doc_;
    PrinterSettings settings_;
    CodeImageCache codes_;
    QStringList queue_{QStringLiteral("a.lab"), QStringLiteral("b.lab")};
    QStringList shown_;
};

TEST_F(DirectPrint, WritesHeaderThenBodyOfTheRenderedLabel) {
    AddDevice(QStringLiteral("1-1"), "28e9", "0285", 0);
    LabelDocument copy = doc_;
    CodeImageCache otherCodes;
    const PrintStream expected = RenderPrintStream(DirectPrintInput{copy, settings_, otherCodes});
    ASSERT_TRUE(expected.body.contains("BITMAP ")) << "the label has ink";

    EXPECT_EQ(Run({QString(), Location()}), DirectPrintStatus::Printed);
    QFile node(Dev() + QStringLiteral("/usb/lp0"));
    ASSERT_TRUE(node.open(QIODevice::ReadOnly));
    const QByteArray sent = node.readAll();
    EXPECT_EQ(sent, expected.header + expected.body);
    EXPECT_EQ(Serial(), QStringLiteral("0010"));
    EXPECT_TRUE(shown_.isEmpty());
    EXPECT_EQ(queue_.size(), 2);
    // The next job prints the advanced number after the first one.
    EXPECT_EQ(Run({QString(), Location()}), DirectPrintStatus::Printed);
    node.seek(0);
    EXPECT_EQ(node.readAll().left(sent.size()), sent);
    EXPECT_EQ(Serial(), QStringLiteral("0011"));
}

TEST_F(DirectPrint, NoPrinterEmptiesQueueAndShowsOneMessage) {
    EXPECT_EQ(Run({QString(), Location()}), DirectPrintStatus::NoPrinter);
    EXPECT_TRUE(queue_.isEmpty());
    EXPECT_EQ(Serial(), QStringLiteral("0009")) << "nothing rendered";
    Run({QString(), Location()}, 1);
    EXPECT_EQ(shown_, QStringList({QStringLiteral("Printer not connected!|Vantic"),
                                   QStringLiteral("没有发现打印机，请检查打印机是否开机、USB是否接好！|打印标签")}));
}

TEST_F(DirectPrint, UnopenableNodeEndsQuietlyUnwritableOneShowsTheWriteError) {
    AddDevice(QStringLiteral("1-1"), "28e9", "0285", 0);
    QFile::remove(Dev() + QStringLiteral("/usb/lp0"));
    EXPECT_EQ(Run({QString(), Location()}), DirectPrintStatus::OpenFailed);
    EXPECT_TRUE(shown_.isEmpty());
    EXPECT_EQ(Serial(), QStringLiteral("0009"));

    // A job the user cancels says the printer got only part of it.
    StallWatch cancelled;
    cancelled.Cancel();
    EXPECT_EQ(Run({QStringLiteral("/dev/null"), {}}, 0, &cancelled), DirectPrintStatus::Cancelled);
    EXPECT_TRUE(shown_.size() == 1 && shown_[0].startsWith(QStringLiteral("Printing cancelled. The printer has "
                                                                          "received only part of the label")));
    shown_.clear();

    if (!QFileInfo::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full";
    EXPECT_EQ(Run({QStringLiteral("/dev/full"), {}}), DirectPrintStatus::WriteFailed);
    Run({QStringLiteral("/dev/full"), {}}, 1);
    EXPECT_EQ(shown_, QStringList({QStringLiteral("Failed to send data to the printer.|Vantic"),
                                   QStringLiteral("向打印机发送数据失败。|打印标签")}));
}

}  // namespace
}  // namespace kestrix
