#pragma once
// A label printer for the tests, on 127.0.0.1 only. It takes any number of
// connections on its raw port and, when asked, a pseudo-terminal standing for
// a USB printer's class device (one node, written and read back). It answers
// the status query <ESC>!? with the state the test sets (or with silence,
// other bytes, or a reset connection), can stop reading its jobs (a stall)
// and resume, and reads what it receives as a printer does (TsplReceiver),
// writing each printed label as a PNG when it is given a folder.

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "TsplReceiver.h"

namespace kestrix {

class SimulatedPrinter {
public:
    // How a status query is answered: the state byte, not at all, the bytes
    // given, or by resetting the connection.
    enum class Answer { State, Nothing, Bytes, Reset };

    struct Options {
        // The receive buffer of each connection; 0 leaves the system's. A small
        // one makes a printer that stops reading felt at once, as a real one is;
        // its segments are then as small as on Ethernet, so the window it
        // announces opens again as soon as it reads.
        int receiveBuffer = 0;
        // Where the printed labels go as label-0001.png, label-0002.png, ...
        QString pngFolder;
        // Holds its port without listening, so connections are refused.
        bool switchedOff = false;
    };

    static Options SmallBuffer() {
        Options options;
        options.receiveBuffer = 8192;
        return options;
    }
    static Options SwitchedOff() {
        Options options;
        options.switchedOff = true;
        return options;
    }

    explicit SimulatedPrinter(const Options& options);
    SimulatedPrinter() : SimulatedPrinter(Options{}) {}
    SimulatedPrinter(const SimulatedPrinter&) = delete;
    SimulatedPrinter& operator=(const SimulatedPrinter&) = delete;
    ~SimulatedPrinter();

    // "socket://127.0.0.1:PORT".
    QString Address() const { return address_; }
    // The pseudo-terminal's path, opened at the first call; empty when the system has none.
    QString PtyPath();

    void SetState(quint8 state);
    void SetAnswer(Answer answer, const QByteArray& bytes = {});
    // A stalled printer reads no job bytes; a connection that has only asked is still answered.
    void SetStalled(bool stalled);
    // The printer stalls by itself once it has read `jobBytes` job bytes in all.
    void StallAfter(qsizetype jobBytes);
    // Bytes the printer sends unasked on the pseudo-terminal and every connection that carries a job.
    void SendUnasked(const QByteArray& bytes);

    // Waits at most `timeoutMs` until a job has come and every job so far has
    // been read whole (each connection that carried one closed by the sender,
    // the pseudo-terminal drained), then gives the job bytes of every channel
    // in the order the channels opened.
    QByteArray Received(int timeoutMs = 10000);
    // Waits until at least `bytes` job bytes have been read; false when they did not come in time.
    bool WaitForJobBytes(qsizetype bytes, int timeoutMs = 10000);
    // The job bytes read so far, without waiting.
    qsizetype JobSize();
    QList<PrintedLabel> Labels();
    QStringList Problems();
    int Queries();
    // Connections the sender reset instead of closing (a job cut short).
    int Resets();

private:
    struct Channel {
        int fd = -1;
        bool pty = false;
        bool job = false;  // has carried bytes other than status queries
        bool closed = false;
        TsplReceiver receiver;
        qsizetype labelsWritten = 0;
        QElapsedTimer sinceRead;  // started at the first bytes
    };

    void Serve();
    void ReadFrom(Channel& channel);
    void Reply(Channel& channel);
    static bool Send(const Channel& channel, const QByteArray& bytes);
    void Close(Channel& channel);
    void Wake() const;
    bool WaitUntil(const std::function<bool()>& done, int timeoutMs);
    QByteArray JobBytes() const;
    qsizetype JobBytesRead() const;

    Options options_;
    QString address_;
    int listener_ = -1;
    int wake_ = -1;
    int ptySlave_ = -1;  // held open, so the node stays set up between the jobs of its users

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::unique_ptr<Channel>> channels_;
    quint8 state_ = 0;
    Answer answer_ = Answer::State;
    QByteArray answerBytes_;
    bool stalled_ = false;
    qsizetype stallAfter_ = -1;
    bool stop_ = false;
    int queries_ = 0;
    int resets_ = 0;
    int pngs_ = 0;
    QStringList problems_;
    std::thread thread_;
};

}  // namespace kestrix
