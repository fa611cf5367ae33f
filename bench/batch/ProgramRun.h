#pragma once
// Running a program to its end as a user would, for the benchmarks that time
// whole kestrix-cli runs: wall time and the child's peak resident memory.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <vector>

extern char** environ;

namespace kestrix {

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) std::abort();
}

struct Run {
    double seconds = 0;
    double peakMiB = 0;
    bool ok = false;
};

// Runs a program to its end: wall time and the child's peak resident memory.
inline Run RunProgram(const std::vector<QByteArray>& args, const QString& folder) {
    std::vector<char*> argv;
    for (const QByteArray& a : args) argv.push_back(const_cast<char*>(a.constData()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const QByteArray log = QDir(folder).filePath(QStringLiteral("program.log")).toLocal8Bit();
    posix_spawn_file_actions_addopen(&actions, 1, log.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    const QByteArray dir = folder.toLocal8Bit();
    posix_spawn_file_actions_addchdir_np(&actions, dir.constData());
    Run run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMiB = usage.ru_maxrss / 1024.0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

inline QString ProgramBeside(const char* name) {
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).dir().filePath(QString::fromLatin1(name));
}

// Times the program making `copies` labels in `folder`, once per iteration.
inline void Measure(benchmark::State& state, const std::vector<QByteArray>& args, const QString& folder, int copies) {
    for (auto _ : state) {
        const Run run = RunProgram(args, folder);
        if (!run.ok) {
            state.SkipWithError((args[0] + " failed").constData());
            return;
        }
        state.SetIterationTime(run.seconds);
        state.counters["labels_per_second"] = copies / run.seconds;
        state.counters["peak_MiB"] = run.peakMiB;
    }
}

}  // namespace kestrix
