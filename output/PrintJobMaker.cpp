#include "output/PrintJobMaker.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "document/DataSource.h"
#include "output/ColorToBW.h"
#include "output/DrawLabel.h"

namespace kestrix {

namespace {

RenderContext PrintContext(const DirectPrintInput& in) {
    RenderContext ctx;
    ctx.monoPictures = true;
    ctx.viewScaleX = in.viewScaleX;
    ctx.viewScaleY = in.viewScaleY;
    ctx.codes = &in.codes;
    ctx.pictures = in.pictures;
    return ctx;
}

}  // namespace

PrintJobMaker::PrintJobMaker(const DirectPrintInput& in, int bandRows)
    : in_(in), copies_(in.doc, in.dpiX, in.dpiY, PrintContext(in), bandRows) {}

qint64 PrintJobMaker::Jobs() const { return qint64(std::max(in_.copies, 1)) * (in_.rows ? in_.rows->Count() : 1); }

const PrintStream& PrintJobMaker::Next(QString* error) {
    PrintStream& stream = streams_[turn_];
    turn_ ^= 1;
    if (in_.rows && copyOfRow_ == 0) {
        row_ = in_.rows->Next();
        if (!row_) {
            if (error)
                *error = in_.rows->Error().isEmpty() ? QStringLiteral("no rows left to print") : in_.rows->Error();
            stream = {};
            return stream;
        }
    }
    copyOfRow_ = (copyOfRow_ + 1) % std::max(in_.copies, 1);
    if (mono_.IsNull()) mono_ = MonoImage(copies_.Size().width(), copies_.Size().height());
    const auto reduce = [this](const QImage& band, const QRect& part) { ColorToBW(band, part, mono_); };
    if (mono_.IsNull() || !copies_.Next(row_, reduce)) {
        if (error) *error = TooLargeText(copies_.Size());
        stream = {};
        return stream;
    }
    // The body is built in the buffer this stream held two copies ago.
    body_.bytes.swap(stream.body);
    BuildPrintStreamBody(mono_, in_.settings.SavePaper, body_);
    stream.body.swap(body_.bytes);
    stream.header = BuildPrintStreamHeader(in_.settings, in_.doc.widthMm,
                                           PrintLength(in_.settings, body_.endRow, in_.doc.heightMm));
    return stream;
}

SentJobs SendPrintJobs(PrintJobMaker& maker, qint64 jobs, const JobWriter& write,
                       const std::function<void(qint64 sent)>& sentOne) {
    SentJobs sent;
    std::mutex mutex;
    std::condition_variable changed;
    // Guarded by `mutex`: the job handed over, whether one is being written,
    // whether no more will come.
    const PrintStream* handed = nullptr;
    bool writing = false;
    bool finished = false;
    qint64 written = 0;  // the writer's own
    std::thread writer([&] {
        std::unique_lock lock(mutex);
        while (true) {
            changed.wait(lock, [&] { return handed || finished; });
            if (!handed) return;
            const PrintStream* job = std::exchange(handed, nullptr);
            writing = true;
            lock.unlock();
            QString error;
            const bool ok = write(job->header, &error) && write(job->body, &error);
            if (ok && sentOne) sentOne(++written);
            lock.lock();
            writing = false;
            if (!ok) {
                sent.writeFailed = true;
                sent.error = error;
            }
            changed.notify_all();
        }
    });
    // The maker's two buffers take turns: a job is handed over only once the
    // one before it is written, so the buffer being filled is never the one
    // being written.
    const auto idle = [&] { return (!handed && !writing) || sent.writeFailed; };
    for (qint64 made = 0; made < jobs; ++made) {
        QString error;
        const PrintStream& job = maker.Next(&error);
        std::unique_lock lock(mutex);
        changed.wait(lock, idle);
        if (sent.writeFailed) break;
        if (job.body.isEmpty()) {
            sent.error = error;
            break;
        }
        ++sent.rendered;
        handed = &job;
        changed.notify_all();
    }
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, idle);
        finished = true;
        changed.notify_all();
    }
    writer.join();
    return sent;
}

}  // namespace kestrix
