#include "document/LabelSession.h"

#include <QCoreApplication>

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

LabelSession::OpenResult LabelSession::OpenLabel(const QString& path, LabelFileProblem* problem) {
    OpenResult result = OpenResult::Opened;
    LabelFileProblem why;
    if (LabelDocument read; ReadLabelFile(path, read, &why)) {
        read.labelPath = path;
        doc_ = std::move(read);
    } else if (why.NothingRead()) {
        // The label stays, but Save now writes to this path.
        doc_.labelPath = path;
        result = OpenResult::Unreadable;
    } else {
        result = OpenResult::Refused;
    }
    if (problem) *problem = why;
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
