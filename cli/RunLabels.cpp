#include "cli/RunLabels.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "cli/CliCommand.h"

namespace kestrix::cli {

namespace {
constexpr auto kLookAgain = std::chrono::milliseconds(100);
}  // namespace

bool RunLabels::Lock(const QString& path, LabelLock& lock, QString* problem) const {
    bool told = false;
    for (;;) {
        QString why;
        switch (lock.TryLock(path, &why)) {
        case LabelLock::Result::Locked: return true;
        case LabelLock::Result::Failed: return true;  // reading it says what is wrong
        case LabelLock::Result::Busy: break;
        }
        if (!wait_) {
            *problem = path + QStringLiteral(": another run is printing this label (not waiting: --no-wait)");
            return false;
        }
        if (stop_ && *stop_) {
            *problem = path + QStringLiteral(": stopped while waiting for another run printing this label");
            return false;
        }
        if (!told) Report(command_, path + QStringLiteral(": another run is printing this label; waiting for it"));
        told = true;
        std::this_thread::sleep_for(kLookAgain);
    }
}

LabelDocument* RunLabels::Open(const QString& path, QString* problem) {
    const QFileInfo file(path);
    const auto earlier = std::find_if(labels_.begin(), labels_.end(), [&](const Label& l) { return l.file == file; });
    if (earlier != labels_.end()) return &earlier->doc;
    LabelLock lock;
    if (lock_ && !Lock(path, lock, problem)) return nullptr;
    std::optional<LabelDocument> doc = OpenLabel(path, problem);
    if (!doc) return nullptr;
    labels_.push_back({file, std::move(*doc), std::move(lock)});
    return &labels_.back().doc;
}

std::deque<LabelDocument*> RunLabels::Opened() {
    std::deque<LabelDocument*> opened;
    for (Label& label : labels_) opened.push_back(&label.doc);
    return opened;
}

}  // namespace kestrix::cli
