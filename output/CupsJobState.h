#pragma once
// What the CUPS scheduler says of a queue before a raw job is sent to it, and
// of the job once it is sent: asked with IPP on a connection whose every
// answer has a time limit, so a silent scheduler is told as silent.

#include <QString>

typedef struct _http_s http_t;

namespace kestrix {

// The queue before the job: an error (no answer, no such queue) or its state.
struct QueueState {
    QString error;
    bool accepting = true;  // takes jobs (cupsaccept / cupsreject)
    bool stopped = false;   // holds its jobs (cupsenable / cupsdisable)
    QString message;        // printer-state-message, when the scheduler gives one
};

// The job after its document was closed.
struct JobState {
    QString error;          // no answer
    int state = 0;          // ipp_jstate_t: 3 pending ... 9 completed
    bool incoming = false;  // the scheduler still waits for the document
    qint64 kiloBytes = 0;   // job-k-octets: what the scheduler holds of the document
    QString reasons = {};   // job-state-reasons, joined with ", "
};

QueueState AskQueueState(http_t* http, const QByteArray& queue);
JobState AskJobState(http_t* http, int job);

// Where the scheduler is asked: "/run/cups/cups.sock" or "host:631", for messages.
QString SchedulerAddress();

}  // namespace kestrix
