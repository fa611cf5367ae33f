#pragma once
// The label files of one tspl or print run: each opened once (a label named
// again continues from the numbers it reached earlier in the run) and, for a
// run that saves its numbers back, locked (LabelLock) before it is read, so
// no other run prints the same numbers meanwhile. A label another run holds
// is waited for, with a message, or refused at once.

#include <QFileInfo>
#include <QString>
#include <atomic>
#include <deque>

#include "document/LabelDocument.h"
#include "document/LabelLock.h"

namespace kestrix::cli {

class RunLabels {
public:
    // `lock`: take each label's lock; `wait`: for a label another run holds.
    // A wait ends early once `stop` is set.
    RunLabels(const QString& command, bool lock, bool wait, const std::atomic<bool>* stop = nullptr)
        : command_(command), lock_(lock), wait_(wait), stop_(stop) {}

    // The label at `path`, opened or as it stands in the run; nothing, and
    // `problem` naming the file, when it cannot be read, another run holds it
    // (without waiting) or the run stopped while waiting.
    LabelDocument* Open(const QString& path, QString* problem);
    // Every label opened, in the order first named.
    std::deque<LabelDocument*> Opened();

private:
    bool Lock(const QString& path, LabelLock& lock, QString* problem) const;

    struct Label {
        QFileInfo file;
        LabelDocument doc;
        LabelLock lock;
    };
    QString command_;
    bool lock_;
    bool wait_;
    const std::atomic<bool>* stop_;
    std::deque<Label> labels_;
};

}  // namespace kestrix::cli
