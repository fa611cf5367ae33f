#pragma once
// What a label printer makes of the bytes that reach it on one channel: a
// status query (<ESC>!? where a command may begin) is answered at once and is
// no part of the job; the rest is the job, kept exactly as it came and read as
// a printer reads it: text commands, BITMAP blocks drawn into the label, and
// PRINT, which prints the label.

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QStringList>

namespace kestrix {

struct PrintedLabel {
    // The text commands from the end of the previous label up to PRINT; a
    // BITMAP block as its parameters ("BITMAP 8,80,3,20,1").
    QStringList commands;
    // The dots of the label at 203 dpi, black on white, as SIZE gave its size.
    QImage image;
};

class TsplReceiver {
public:
    static constexpr int kDotsPerInch = 203;

    // Takes the next bytes; returns how many status queries were among them.
    int Take(QByteArrayView bytes);

    // Everything received but the status queries.
    const QByteArray& Job() const { return job_; }
    const QList<PrintedLabel>& Labels() const { return labels_; }
    // What a printer could not make sense of, one line each.
    const QStringList& Problems() const { return problems_; }

private:
    // Reads one command (or query) from the front of pending_; false when it is incomplete.
    bool TakeOne(int& queries);
    bool TakeBitmap();
    void Interpret(const QString& line);
    void Consume(qsizetype n, bool partOfJob = true);
    QByteArrayView Front() const { return QByteArrayView(pending_).sliced(at_); }

    QByteArray pending_;
    qsizetype at_ = 0;  // where the commands not yet read begin in pending_
    QByteArray job_;
    QList<PrintedLabel> labels_;
    QStringList problems_;
    PrintedLabel label_;
    QSize size_{0, 0};
};

}  // namespace kestrix
