// Opening and writing the printer never hangs: a stalled device times out, a
// missing one is refused at once.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "output/PrinterDevice.h"

namespace kestrix {
namespace {

TEST(PrinterDevice, StalledDeviceTimesOutInsteadOfHanging) {
    // A pipe whose reader never reads stands for a printer that takes no data.
    QTemporaryDir dir;
    const QByteArray fifo = dir.filePath(QStringLiteral("lp0")).toLocal8Bit();
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);

    PrinterDevice device(200);
    QString error;
    ASSERT_TRUE(device.Open(QString::fromLocal8Bit(fifo), &error)) << error.toStdString();
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(device.Write(QByteArray(4 << 20, 'x'), &error));
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_TRUE(error.contains(QStringLiteral("takes no data"))) << error.toStdString();
    ::close(reader);
}

TEST(PrinterDevice, MissingDeviceAndBadUsbAddressAreRefused) {
    PrinterDevice device;
    QString error;
    EXPECT_FALSE(device.Open(QStringLiteral("/nonexistent/usb/lp0"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("no such device"))) << error.toStdString();
    EXPECT_FALSE(device.Open(QStringLiteral("usb:x:1"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("not a USB address")));
    EXPECT_FALSE(device.IsOpen());
    EXPECT_FALSE(device.Write("CLS\r\n", &error));
}

}  // namespace
}  // namespace kestrix
