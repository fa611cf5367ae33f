#include "cli/StopSignals.h"

#include <pthread.h>

#include <ctime>

#include "output/StallWatch.h"

namespace kestrix::cli {

namespace {
// How soon the waiting thread sees that the program is ending.
constexpr long kLookAgainNs = 100'000'000;
}  // namespace

StopSignals::StopSignals() {
    sigemptyset(&set_);
    for (const int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set_, s);
    pthread_sigmask(SIG_BLOCK, &set_, nullptr);
    waiter_ = std::thread([this] { Wait(); });
}

StopSignals::~StopSignals() {
    done_ = true;
    waiter_.join();
}

void StopSignals::Arm(StallWatch& watch) { watch_ = &watch; }

void StopSignals::Wait() {
    const timespec lookAgain{0, kLookAgainNs};
    while (!done_) {
        const int s = sigtimedwait(&set_, nullptr, &lookAgain);
        if (s <= 0) continue;
        StallWatch* watch = watch_;
        if (!watch) {
            // Not armed: the signal's own action, which ends the program.
            std::signal(s, SIG_DFL);
            pthread_sigmask(SIG_UNBLOCK, &set_, nullptr);
            raise(s);
            continue;
        }
        if (signal_ == 0) signal_ = s;
        requested_ = true;
        watch->StopWhenStalled();
    }
}

}  // namespace kestrix::cli
