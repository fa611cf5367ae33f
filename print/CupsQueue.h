#pragma once
// What the CUPS scheduler says about one print queue before a job is sent to
// it: a queue that is gone or refuses jobs is found out here and reported
// before any page is drawn.

#include <QString>

namespace kestrix {

struct CupsQueue {
    bool reachable = false;     // the scheduler knows the queue and it takes jobs
    QString problem;            // why not, for the message
    int defaultResolution = 0;  // dots per inch of the queue's default settings, 0 when unknown

    static CupsQueue Query(const QString& name);
};

}  // namespace kestrix
