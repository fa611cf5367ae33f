#pragma once
// SIGINT, SIGTERM and SIGHUP. They are blocked in every thread from the start
// of main and waited for by a thread of their own, so no handler runs inside
// the program's code. Until a command arms the stop, a signal ends the
// program as it would have without this. Once armed (a print run), it only
// asks the run to stop between labels, so the run can save the numbers it
// used and say how far it came.

#include <atomic>
#include <csignal>
#include <thread>

namespace kestrix {
class StallWatch;
}

namespace kestrix::cli {

class StopSignals {
public:
    // Must be made before any other thread, which then inherits the blocking.
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // From now on a signal sets Requested() and tells `watch` to stop waiting
    // on a printer that takes nothing.
    void Arm(StallWatch& watch);
    const std::atomic<bool>& Requested() const { return requested_; }
    // The signal that asked for the stop, 0 while none did.
    int Signal() const { return signal_; }
    // The exit status of a run a signal stopped: 128 plus its number.
    int ExitCode() const { return 128 + signal_; }

private:
    void Wait();

    sigset_t set_{};
    std::atomic<bool> done_{false};
    std::atomic<bool> requested_{false};
    std::atomic<int> signal_{0};
    std::atomic<StallWatch*> watch_{nullptr};
    std::thread waiter_;
};

}  // namespace kestrix::cli
