#include "document/LabelSession.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "document/LabelFile.h"

namespace kestrix {

LabelSession::LabelSession(QString undoFolder) : undo_(std::move(undoFolder)) {}

bool LabelSession::NewLabel(int widthMm, int heightMm, QString* error) {
    if (!IsValidLabelSize(widthMm, heightMm)) {
        if (error)
            *error = QCoreApplication::translate("LabelSession",
                                                 "Width and height must be between 1 and 2000 mm.");
        return false;
    }
    doc_.elements.clear();
    doc_.widthMm = widthMm;
    doc_.heightMm = heightMm;
    doc_.labelPath.clear();
    doc_.printerName.clear();
    return true;
}

LabelSession::OpenResult LabelSession::OpenLabel(const QString& path, QString* error) {
    OpenResult result = OpenResult::Opened;
    QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        // Nothing could be read: the label stays, but Save now writes to this path.
        doc_.labelPath = path;
        result = OpenResult::Unreadable;
        if (error) *error = QCoreApplication::translate("LabelSession", "%1 cannot be read.").arg(path);
    } else if (LabelDocument read; ReadLabelFile(path, read, error)) {
        read.labelPath = path;
        doc_ = std::move(read);
    } else {
        result = OpenResult::Refused;
    }
    undo_.WriteOpenedLabel(doc_.elements);
    return result;
}

void LabelSession::OpenCancelled() { undo_.WriteOpenedLabel(doc_.elements); }

bool LabelSession::SaveLabel(const QString& path, QString* error) const {
    return WriteLabelFile(path, doc_, error);
}

void LabelSession::Cut() {
    undo_.TakeSnapshot(doc_.elements);
    clipboard_.Cut(doc_.elements);
}

}  // namespace kestrix
