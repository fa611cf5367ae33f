#include "cli/OutputFile.h"

namespace kestrix::cli {

bool OutputFile::Open(QString* error) { return file_.open(QIODevice::WriteOnly) || Failed(error); }

bool OutputFile::Write(QByteArrayView bytes, QString* error) {
    return file_.write(bytes.data(), bytes.size()) == bytes.size() || Failed(error);
}

bool OutputFile::Commit(QString* error) { return file_.commit() || Failed(error); }

bool OutputFile::Failed(QString* error) const {
    if (error) *error = QStringLiteral("cannot write %1: %2").arg(path_, file_.errorString());
    return false;
}

}  // namespace kestrix::cli
