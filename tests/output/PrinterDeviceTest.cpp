// A printer that cannot be used is refused at once; one that goes away during
// a job ends it. (Stalls are waited for: see the command-line tests.)

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QTemporaryDir>

#include "output/PrinterDevice.h"

namespace kestrix {
namespace {

TEST(PrinterDevice, MissingDeviceAndBadUsbAddressAreRefusedAReaderGoneIsAPrinterUnplugged) {
    PrinterDevice device;
    QString error;
    StallWatch waitForever;
    for (const auto& [path, why] : {std::pair{"/none/usb/lp0", "no such device"}, {"usb:x:1", "not a USB address"}}) {
        EXPECT_FALSE(device.Open(QString::fromLatin1(path), &error));
        EXPECT_TRUE(error.contains(QString::fromLatin1(why))) << error.toStdString();
    }

    QTemporaryDir dir;
    const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("lp0")));
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_TRUE(device.Open(QFile::decodeName(fifo), &error)) << error.toStdString();
    ::close(reader);
    EXPECT_EQ(device.Write("CLS\r\n", waitForever, &error), StallWatch::Outcome::Failed);
    EXPECT_TRUE(error.endsWith(QStringLiteral("printer disconnected"))) << error.toStdString();
}

}  // namespace
}  // namespace kestrix
