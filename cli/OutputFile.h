#pragma once
// Where kestrix-cli puts what a command makes (-o): the one writer of every
// output file, written piece by piece as it is made and put in place whole at
// the end, so a failed run leaves an existing file as it was. Each step says
// what went wrong in `error` (the command then fails with it).

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

namespace kestrix::cli {

class OutputFile {
public:
    explicit OutputFile(const QString& path) : path_(path), file_(path) {}

    bool Open(QString* error);
    bool Write(QByteArrayView bytes, QString* error);
    // Puts the file in place; until then nothing at the path has changed.
    bool Commit(QString* error);

private:
    bool Failed(QString* error) const;

    QString path_;
    QSaveFile file_;
};

}  // namespace kestrix::cli
