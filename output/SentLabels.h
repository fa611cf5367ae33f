#pragma once
// The labels of one print run and where each ends in the bytes sent, per
// label document. Drawing a label advances its serial numbers before the
// printer has it; when the run ends, whatever ended it, each document is set
// to its numbers at the start advanced by exactly the labels the printer
// accepted whole, so no number is printed twice or skipped.

#include <QString>
#include <vector>

#include "document/LabelDocument.h"

namespace kestrix {

class CodeImageCache;

class SentLabels {
public:
    struct Label {
        LabelDocument* doc;
        qint64 jobs = 0;     // the labels the run meant to print of it
        qint64 printed = 0;  // of those, accepted whole when last settled
    };

    // `doc` starts sending `jobs` labels; its numbers as they stand are the
    // first label's. `doc` and `codes` must outlive the run. A document begun
    // again continues where it stood.
    void Begin(LabelDocument& doc, CodeImageCache* codes, qint64 jobs);
    // The next label of the document last begun has gone out whole; `end`
    // counts every byte of the run up to its end.
    void Sent(qint64 end);
    // The printer has accepted the run's first `bytes` bytes: every document
    // is set to the numbers that follow its labels within them.
    void Settle(qint64 bytes);

    const std::vector<Label>& Labels() const { return labels_; }
    qint64 Printed() const;

private:
    struct Start {
        CodeImageCache* codes;
        std::vector<LabelElement> elements;
        std::vector<qint64> ends;
    };
    std::vector<Label> labels_;
    std::vector<Start> starts_;
};

// The serial number the next label of `elements` will carry: the content of
// its first text or barcode that counts; empty when none does.
QString NextSerialNumber(const std::vector<LabelElement>& elements);

// "2 of 5 labels printed, next number 0003" for a document of a run.
QString PrintedNote(const SentLabels::Label& label);

}  // namespace kestrix
