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
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    // A USB device with its vendor and product and, when lp >= 0, the usblp
    // node lpN under its first interface and /dev/usb/lpN as a regular file.
    void AddDevice(const QString& name, const QByteArray& vid, const QByteArray& pid, int lp) {
        const QString device = Sys() + QStringLiteral("/devices/pci0000:00/usb1/") + name;
        WriteFile(device + QStringLiteral("/idVendor"), vid + '\n');
        WriteFile(device + QStringLiteral("/idProduct"), pid + '\n');
        WriteFile(device + QStringLiteral("/busnum"), "3\n");
        WriteFile(device + QStringLiteral("/devnum"), "7\n");
        const QString interface = device + u'/' + name + QStringLiteral(":1.0");
        QDir().mkpath(interface);
        QDir().mkpath(Sys() + QStringLiteral("/bus/usb/devices"));
        QFile::link(device, Sys() + QStringLiteral("/bus/usb/devices/") + name);
        if (lp < 0) return;
        const QString node = interface + QStringLiteral("/usbmisc/lp%1").arg(lp);
        QDir().mkpath(node);
        QFile::link(interface, node + QStringLiteral("/device"));
        QDir().mkpath(Sys() + QStringLiteral("/class/usbmisc"));
        QFile::link(node, Sys() + QStringLiteral("/class/usbmisc/lp%1").arg(lp));
        WriteFile(Dev() + QStringLiteral("/usb/lp%1").arg(lp), {});
    }

    QTemporaryDir dir_;
};

TEST(PrinterMatch, VidPidTextIgnoresCase) {
    EXPECT_TRUE(IsSupportedPrinter(VidPidText(QStringLiteral("28e9"), QStringLiteral("0285"))));
    EXPECT_TRUE(IsSupportedPrinter(QStringLiteral("VID_0471&PID_0055")));
    EXPECT_FALSE(IsSupportedPrinter(QStringLiteral("vid_0471&pid_0056")));
    EXPECT_FALSE(IsSupportedPrinter(QStringLiteral("vid_0471&pid_00550")));
}

TEST_F(FakeSystem, FindsMatchingNodeIgnoringCase) {
    AddDevice(QStringLiteral("1-1"), "04b8", "0202", 0);  // some other printer
    AddDevice(QStringLiteral("1-2"), "28E9", "0285", 1);
    EXPECT_EQ(FindPrinterDevicePath(Location()), Dev() + QStringLiteral("/usb/lp1"));
}

TEST_F(FakeSystem, LowestLpNumberWinsWhicheverModel) {
    AddDevice(QStringLiteral("1-1"), "28e9", "0285", 10);
    AddDevice(QStringLiteral("1-2"), "0471", "0055", 2);
    EXPECT_EQ(FindPrinterDevicePath(Location()), Dev() + QStringLiteral("/usb/lp2"));
}

TEST_F(FakeSystem, NothingSupportedGivesEmptyPath) {
    EXPECT_EQ(FindPrinterDevicePath(Location()), QString());
    AddDevice(QStringLiteral("1-1"), "0471", "0056", 0);
    EXPECT_EQ(FindPrinterDevicePath(Location()), QString());
}

TEST_F(FakeSystem, PrinterWithoutUsblpNodeIsReachedThroughLibusb) {
    AddDevice(QStringLiteral("1-4"), "0471", "0055", -1);
    EXPECT_EQ(FindPrinterDevicePath(Location()), QStringLiteral("usb:3:7"));
}

class DirectPrint : public FakeSystem {
protected:
    void SetUp() override {
        doc_.widthMm = 40;
        doc_.heightMm = 30;
        LabelElement box = CreateElement(kShape, {20, 30});
        box.nWidth = 120;
        box.nHeight = 50;
        LabelElement serial = CreateElement(kText, {10, 120}, u"0009");
        serial.nWidth = 96;
        serial.nHeight = 28;
        serial.nSerialMode = 1;
        doc_.elements = {box, serial};
    }

    DirectPrintResult Run(const PrinterTarget& target, int chinese = 0) {
        DirectPrintInput in{doc_, settings_, codes_};
        return DirectPrintLabel(in, queue_, chinese, [&](const PrintMessage& m) { shown_ << m.text + u'|' + m.caption; },
                                target);
    }

    QString Serial() const { return QString::fromStdU16String(ElementText(doc_.elements[1])); }

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

    const DirectPrintResult result = Run({QString(), Location()});
    EXPECT_EQ(result.status, DirectPrintStatus::Printed) << result.detail.toStdString();
    QFile node(Dev() + QStringLiteral("/usb/lp0"));
    ASSERT_TRUE(node.open(QIODevice::ReadOnly));
    const QByteArray sent = node.readAll();
    EXPECT_EQ(sent, expected.header + expected.body);
    EXPECT_TRUE(sent.contains("BITMAP ")) << "the label has ink";
    EXPECT_EQ(Serial(), QStringLiteral("0010"));
    EXPECT_TRUE(shown_.isEmpty());
    EXPECT_EQ(queue_.size(), 2);

    // The next job prints the advanced number after the first one.
    EXPECT_EQ(Run({QString(), Location()}).status, DirectPrintStatus::Printed);
    node.seek(0);
    EXPECT_EQ(node.readAll().left(sent.size()), sent);
    EXPECT_EQ(Serial(), QStringLiteral("0011"));
}

TEST_F(DirectPrint, NoPrinterEmptiesQueueAndShowsOneMessage) {
    EXPECT_EQ(Run({QString(), Location()}).status, DirectPrintStatus::NoPrinter);
    EXPECT_TRUE(queue_.isEmpty());
    EXPECT_EQ(shown_, QStringList{QStringLiteral("Printer not connected!|Vantic")});
    EXPECT_EQ(Serial(), QStringLiteral("0009")) << "nothing rendered";

    shown_.clear();
    Run({QString(), Location()}, 1);
    EXPECT_EQ(shown_, QStringList{QStringLiteral("没有发现打印机，请检查打印机是否开机、USB是否接好！|打印标签")});
}

TEST_F(DirectPrint, VanishedNodeEndsQuietlyWithAReason) {
    AddDevice(QStringLiteral("1-1"), "28e9", "0285", 0);
    QFile::remove(Dev() + QStringLiteral("/usb/lp0"));
    const DirectPrintResult result = Run({QString(), Location()});
    EXPECT_EQ(result.status, DirectPrintStatus::OpenFailed);
    EXPECT_FALSE(result.detail.isEmpty());
    EXPECT_TRUE(shown_.isEmpty());
    EXPECT_EQ(Serial(), QStringLiteral("0009"));
}

TEST_F(DirectPrint, FailedWriteIsReported) {
    if (!QFileInfo::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full";
    const DirectPrintResult result = Run({QStringLiteral("/dev/full"), {}});
    EXPECT_EQ(result.status, DirectPrintStatus::WriteFailed);
    EXPECT_EQ(shown_, QStringList{QStringLiteral("Failed to send data to the printer.|Vantic")});
    shown_.clear();
    Run({QStringLiteral("/dev/full"), {}}, 1);
    EXPECT_EQ(shown_, QStringList{QStringLiteral("向打印机发送数据失败。|打印标签")});
}

}  // namespace
}  // namespace kestrix
