// A printer that stops taking data is waited for, not cut off half way: the
// whole stream arrives once it reads again, and the stall is reported once.
// Only a give-up time or a vanished printer end the wait.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include "output/PrinterDevice.h"

namespace kestrix {
namespace {

// What a reader gets from `fd` once it starts reading after `delayMs`, until the writer closes.
QByteArray ReadAfter(int fd, int delayMs) {
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    QByteArray got;
    char chunk[4096];
    pollfd p{fd, POLLIN, 0};
    while (::poll(&p, 1, 5000) > 0) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n <= 0) break;
        got.append(chunk, n);
    }
    return got;
}

TEST(PrinterDevice, StalledDeviceIsWaitedForUntilItTakesDataAgain) {
    // A pipe whose reader does not read stands for a printer that takes no data.
    QTemporaryDir dir;
    const QByteArray fifo = dir.filePath(QStringLiteral("lp0")).toLocal8Bit();
    ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
    const QByteArray data(64 * 1024, 'x');
    for (const bool reads : {true, false}) {
        const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(reader, 0);
        ::fcntl(reader, F_SETPIPE_SZ, 4096);
        PrinterDevice device;
        QString error;
        ASSERT_TRUE(device.Open(QString::fromLocal8Bit(fifo), &error)) << error.toStdString();
        StallWatch watch(reads ? 0 : 600, 300);
        int stalls = 0, resumes = 0;
        watch.onStalled = [&stalls] { ++stalls; };
        watch.onResumed = [&resumes] { ++resumes; };
        QByteArray got;
        std::thread drain([&] { got = reads ? ReadAfter(reader, 900) : QByteArray(); });
        const StallWatch::Outcome outcome = device.Write(data, watch, &error);
        device.Close();
        drain.join();
        EXPECT_EQ(outcome, reads ? StallWatch::Outcome::Sent : StallWatch::Outcome::GaveUp);
        EXPECT_EQ(got.size(), reads ? data.size() : 0);
        EXPECT_EQ(stalls, 1);
        EXPECT_EQ(resumes, reads ? 1 : 0);
        ::close(reader);
    }
    // The reader gone is a printer unplugged: the job ends with that.
    const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    PrinterDevice device;
    QString error;
    ASSERT_TRUE(device.Open(QString::fromLocal8Bit(fifo), &error));
    ::close(reader);
    StallWatch watch;
    EXPECT_EQ(device.Write("CLS\r\n", watch, &error), StallWatch::Outcome::Failed);
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
