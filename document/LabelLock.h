#pragma once
// An exclusive lock on a label file, across processes and users sharing its
// folder: flock on the file itself, held while a run prints the label's
// serial numbers and saves the next ones back. A save may replace the file,
// so once the lock is taken the name is checked to still lead to the locked
// file, and the new file is locked when it does not. Reading the file needs
// no permission beyond reading it; the lock ends with the process at the latest.

#include <QString>

namespace kestrix {

class LabelLock {
public:
    enum class Result { Locked, Busy, Failed };

    LabelLock() = default;
    LabelLock(LabelLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    LabelLock& operator=(LabelLock&& other) noexcept;
    LabelLock(const LabelLock&) = delete;
    LabelLock& operator=(const LabelLock&) = delete;
    ~LabelLock() { Unlock(); }

    // One try, without waiting: Busy while another holder has it; Failed
    // (`error` saying why) when the file cannot be opened as a regular file.
    Result TryLock(const QString& path, QString* error = nullptr);
    bool IsLocked() const { return fd_ >= 0; }
    void Unlock();

private:
    int fd_ = -1;
};

}  // namespace kestrix
