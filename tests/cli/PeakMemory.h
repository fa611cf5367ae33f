#pragma once
// A run of kestrix-cli with its peak resident memory (wait4), for the tests
// that hold it under a bound.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QFile>
#include <QStringList>
#include <vector>

#include "document/RegularFile.h"

namespace kestrix {

#ifdef __SANITIZE_ADDRESS__
// AddressSanitizer keeps freed memory in quarantine and adds its shadow: twice
// the bound still tells a bounded run from one that holds the whole label (1-2 GB).
constexpr long kMemoryBoundKb = 2 * 300 * 1000;
#else
constexpr long kMemoryBoundKb = 300 * 1000;
#endif

struct MeasuredRun {
    int exitCode = -1;
    long peakKb = 0;
    QByteArray err;
};

// kestrix-cli with `args` in the folder `dir`, its standard error kept in
// dir/err.txt; the peak is that of this run alone.
inline MeasuredRun RunMeasured(const QStringList& args, const QString& dir) {
    std::vector<QByteArray> owned{QByteArray(KESTRIX_CLI)};
    for (const QString& a : args) owned.push_back(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& a : owned) argv.push_back(a.data());
    argv.push_back(nullptr);
    const QString errPath = dir + QStringLiteral("/err.txt");
    const QByteArray errName = QFile::encodeName(errPath);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 2, errName.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&files, QFile::encodeName(dir).constData());
    pid_t pid = 0;
    MeasuredRun run;
    if (posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
        run.peakKb = usage.ru_maxrss;
    }
    posix_spawn_file_actions_destroy(&files);
    run.err = ReadRegularFile(errPath, 1 << 20).bytes;
    return run;
}

}  // namespace kestrix
