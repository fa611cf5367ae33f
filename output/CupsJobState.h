#pragma once
// What the CUPS scheduler says of a queue before a job is sent to it, and
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

// A connection to the scheduler whose every answer is waited for at most
// `answerWaitMs` (libcups first waits a second of its own); none when it cannot be reached.
http_t* ConnectToScheduler(int answerWaitMs);
// Asks the scheduler one question before work that would wait on it without
// a limit (Qt's printer list): why it does not answer within `answerWaitMs`,
// empty when it answers or cannot be reached at all (that is told as before).
QString SchedulerSilence(int answerWaitMs);

QueueState AskQueueState(http_t* http, const QByteArray& queue);
// The job's state; without a connection, an error saying there is no scheduler.
JobState AskJobState(http_t* http, int job);
// Why job `job`, whose document of `kiloBytes` was sent, will not print as the
// scheduler tells of it in `state`: no answer, cancelled or aborted, or still
// waiting for its document. Empty otherwise; a job that holds less than was
// sent is for the caller to judge.
QString JobNotWhole(const JobState& state, int job, qint64 kiloBytes);

// Where the scheduler is asked: "/run/cups/cups.sock" or "host:631", for messages.
QString SchedulerAddress();
// "CUPS is not running (no scheduler at …)": what a failed ConnectToScheduler means.
QString NoSchedulerMessage();

}  // namespace kestrix
