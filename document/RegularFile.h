#pragma once
// Reading a file that a user or a label names, without ever blocking: only a
// regular file is read, and only as many bytes as it has, so a FIFO, a device
// or a /proc file that never ends cannot hold the program up.

#include <QByteArray>
#include <QFile>
#include <QString>

#include "document/UiLanguage.h"

namespace kestrix {

enum class FileProblem { None, Missing, Folder, NotRegular, TooLarge, Unreadable };

struct FileRead {
    FileProblem problem = FileProblem::None;
    QByteArray bytes;
    qint64 size = 0;      // the file's size, also when it is too large
    int systemError = 0;  // errno, for Unreadable
};

// The whole file, when it is a regular file of at most `maxBytes`.
FileRead ReadRegularFile(const QString& path, qint64 maxBytes);

// Opens the file into `file` for reading as it goes, when it is a regular
// file (the bytes are not read; `size` is set).
FileRead OpenRegularFile(const QString& path, QFile& file);

// Why a file was not read, in words (without its name).
QString FileProblemText(const FileRead& read, UiLanguage language);

}  // namespace kestrix
