#include "cli/OutputFile.h"

#include "cli/CliCommand.h"

namespace kestrix::cli {

OutputFile::OutputFile(const QString& path) : path_(path), file_(path) {
    if (!file_.open(QIODevice::WriteOnly)) FailWriting();
}

void OutputFile::Write(QByteArrayView bytes) {
    if (file_.write(bytes.data(), bytes.size()) != bytes.size()) FailWriting();
}

void OutputFile::Commit() {
    if (!file_.commit()) FailWriting();
}

void OutputFile::FailWriting() { Fail(QStringLiteral("cannot write %1: %2").arg(path_, file_.errorString())); }

}  // namespace kestrix::cli
