// A printer that cannot be used is refused at once; one that goes away during
// a job ends it. (Stalls are waited for: see the command-line tests.)

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "output/PrinterDevice.h"

namespace kestrix {
namespace {

TEST(PrinterDevice, ReaderGoneIsAPrinterUnplugged) {
    QTemporaryDir dir;
    const QByteArray fifo = dir.filePath(QStringLiteral("lp0")).toLocal8Bit();
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    PrinterDevice device;
    QString error;
    ASSERT_TRUE(device.Open(QString::fromLocal8Bit(fifo), &error)) << error.toStdString();
    ::close(reader);
    StallWatch waitForever;
    EXPECT_EQ(device.Write("CLS\r\n", waitForever, &error), StallWatch::Outcome::Failed);
    EXPECT_TRUE(error.endsWith(QStringLiteral("printer disconnected"))) << error.toStdString();
}

TEST(PrinterDevice, MissingDeviceAndBadUsbAddressAreRefused) {
    PrinterDevice device;
    QString error;
    EXPECT_FALSE(device.Open(QStringLiteral("/nonexistent/usb/lp0"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("no such device"))) << error.toStdString();
    EXPECT_FALSE(device.Open(QStringLiteral("usb:x:1"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("not a USB address")));
    EXPECT_FALSE(device.IsOpen());
    StallWatch watch;
    EXPECT_EQ(device.Write("CLS\r\n", watch, &error), StallWatch::Outcome::Failed);
}

}  // namespace
}  // namespace kestrix
