#pragma once
// Where kestrix-cli puts what a command makes (-o): the one writer of every
// output file, written piece by piece as it is made and put in place whole at
// the end, so a failed run leaves an existing file as it was. Failures end
// the command (Failure).

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

namespace kestrix::cli {

class OutputFile {
public:
    explicit OutputFile(const QString& path);
    void Write(QByteArrayView bytes);
    // Puts the file in place; until then nothing at `path` has changed.
    void Commit();

private:
    [[noreturn]] void FailWriting();

    QString path_;
    QSaveFile file_;
};

}  // namespace kestrix::cli
