// Finding the printer in a fake sysfs tree and the whole direct print job
// written into a regular file standing for the device node.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "document/RegularFile.h"
#include "output/DirectPrintJob.h"
#include "render/CodeImageCache.h"

namespace kestrix {
namespace {

class FakeSystem : public ::testing::Test {
protected:
    QString Sys() const { return dir_.filePath(QStringLiteral("sys")); }
    QString Dev() const { return dir_.filePath(QStringLiteral("dev")); }
    PrinterLocation Location() const { return {Sys(), Dev()}; }

    // A file with its folders; with `link`, a folder and a link to it.
    static void Put(const QString& path, const QByteArray& text, const QString& link = {}) {
        QDir().mkpath(link.isEmpty() ? QFileInfo(path).path() : path);
        QDir().mkpath(QFileInfo(link).path());
        QFile f(path);
        ASSERT_TRUE(link.isEmpty() ? f.open(QIODevice::WriteOnly) && f.write(text) == text.size()
                                   : QFile::link(path, link));
    }

    // A USB device with its vendor and product and, when lp >= 0, the usblp
    // node lpN under its first interface and /dev/usb/lpN as a regular file.
    void AddDevice(const QString& name, const QByteArray& vid, const QByteArray& pid, int lp) {
        const QString device = Sys() + "/devices/pci0000:00/usb1/" + name;
        const std::pair<const char*, QByteArray> attributes[] = {
            {"/idVendor", vid}, {"/idProduct", pid}, {"/busnum", "3"}, {"/devnum", "7"}};
        for (const auto& [file, text] : attributes) Put(device + file, text + '\n');
        Put(device, {}, Sys() + "/bus/usb/devices/" + name);
        if (lp < 0) return;
        const QString interface = device + u'/' + name + ":1.0", node = interface + QString("/usbmisc/lp%1").arg(lp);
        Put(interface, {}, node + "/device");
        Put(node, {}, Sys() + QString("/class/usbmisc/lp%1").arg(lp));
        Put(Dev() + QString("/usb/lp%1").arg(lp), {});
    }

    QString Found() const { return FindPrinterDevicePath(Location()); }

    QTemporaryDir dir_;
};

// The first printer found, and the list the Printer dialog shows: each
// supported printer once, by its usblp node (lowest number first, the case of
// the ids ignored), else by its USB address.
TEST_F(FakeSystem, SupportedPrintersAreFoundAndListedOnceNodesFirst) {
    EXPECT_EQ(Found(), QString());
    AddDevice(QStringLiteral("1-1"), "04b8", "0202", 0);  // some other printer
    AddDevice(QStringLiteral("1-5"), "0471", "0056", 1);  // near misses
    AddDevice(QStringLiteral("1-6"), "0471", "00550", 3);
    EXPECT_EQ(Found(), QString());
    AddDevice(QStringLiteral("1-4"), "0471", "0055", -1);  // no usblp node: reached through libusb
    EXPECT_EQ(Found(), QStringLiteral("usb:3:7"));
    AddDevice(QStringLiteral("1-2"), "28E9", "0285", 10);
    EXPECT_EQ(Found(), Dev() + QStringLiteral("/usb/lp10"));
    AddDevice(QStringLiteral("1-3"), "0471", "0055", 2);
    EXPECT_EQ(FindPrinterDevicePaths(Location()),
              QStringList({Dev() + QStringLiteral("/usb/lp2"), Dev() + QStringLiteral("/usb/lp10"), "usb:3:7"}));
}

// A 40 x 30 mm label with a text counting up from 0009, queued with two more labels.
class DirectPrint : public FakeSystem {
protected:
    DirectPrintStatus Run(const PrinterTarget& target, UiLanguage language = UiLanguage::English,
                          StallWatch* watch = nullptr) {
        DirectPrintInput in{doc_, settings_, codes_};
        const auto show = [&](const PrintMessage& m) { shown_ << m.text + u'|' + m.caption; };
        return DirectPrintLabel(in, queue_, language, show, target, watch).status;
    }
    DirectPrintStatus Run(UiLanguage language = UiLanguage::English) { return Run({QString(), Location()}, language); }
    QString Serial() const { return QString::fromStdU16String(ElementText(doc_.elements[0])); }

    LabelDocument doc_{40, 30, {}, {}, {[] {
                           LabelElement serial = CreateElement(kText, {10, 120}, u"0009");
                           std::tie(serial.nWidth, serial.nHeight, serial.nSerialMode) = std::tuple(96, 28, 1);
                           return serial;
                       }()}};
    PrinterSettings settings_;
    CodeImageCache codes_;
    QStringList queue_{QStringLiteral("a.lab"), QStringLiteral("b.lab")};
    QStringList shown_;
};

// No printer empties the queue and says so; a node that
// cannot be opened ends quietly; a printer found gets the stream of the
// rendered label, and the next job the advanced number after it; a cancelled
// job or a failed write is told, and its number stays for the next job.
TEST_F(DirectPrint, SendsTheRenderedLabelOrEndsWithTheFailuresMessage) {
    EXPECT_EQ(Run(), DirectPrintStatus::NoPrinter);
    EXPECT_TRUE(queue_.isEmpty());
    EXPECT_EQ(shown_, QStringList{"Printer not connected!|Kestrix"});
    shown_.clear();
    AddDevice("1-1", "28e9", "0285", 0);
    const QString node = Dev() + "/usb/lp0";
    QFile::remove(node);
    EXPECT_EQ(Run(), DirectPrintStatus::OpenFailed);
    EXPECT_EQ(Serial(), "0009") << "nothing rendered";

    queue_ = {"a.lab", "b.lab"};
    ASSERT_TRUE(QFile(node).open(QIODevice::WriteOnly));
    LabelDocument copy = doc_;
    CodeImageCache otherCodes;
    QByteArray expected;
    for (int job = 0; job < 2; ++job) {
        const PrintStream stream = RenderPrintStream(DirectPrintInput{copy, settings_, otherCodes});
        ASSERT_TRUE(stream.body.contains("BITMAP ")) << "the label has ink";
        expected += stream.header + stream.body;
        EXPECT_EQ(Run(), DirectPrintStatus::Printed);
    }
    EXPECT_EQ(ReadRegularFile(node, 1 << 20).bytes, expected);
    EXPECT_EQ(Serial(), "0011");
    EXPECT_EQ(queue_.size(), 2);
    EXPECT_TRUE(shown_.isEmpty());

    StallWatch cancelled;
    cancelled.Cancel();
    EXPECT_EQ(Run({"/dev/null", {}}, UiLanguage::English, &cancelled), DirectPrintStatus::Cancelled);
    EXPECT_TRUE(shown_.size() == 1 && shown_[0].startsWith("Printing cancelled. The printer has received only part"));
    shown_.clear();
    if (!QFileInfo::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    EXPECT_EQ(Run({"/dev/full", {}}), DirectPrintStatus::WriteFailed);
    EXPECT_EQ(shown_, QStringList{"Failed to send data to the printer.|Kestrix"});
    EXPECT_EQ(Serial(), "0011") << "a label the printer did not take keeps its number";
}

}  // namespace
}  // namespace kestrix
