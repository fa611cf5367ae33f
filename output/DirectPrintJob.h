#pragma once
// The direct print job: the label open in the editor rendered to a 1-bit
// raster, cut into a TSPL command stream and written straight to the label
// printer (on USB, on the network or behind CUPS), one copy per job.

#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

#include "document/LabelDocument.h"
#include "document/UiLanguage.h"
#include "output/PrintStream.h"
#include "output/PrinterDevice.h"
#include "output/PrinterLocation.h"
#include "output/PrinterSettings.h"
#include "output/PrinterStatus.h"
#include "output/SentLabels.h"
#include "output/StallWatch.h"

namespace kestrix {

class CodeImageCache;
class DataSource;
class PictureCache;

// What one job draws and with which options.
struct DirectPrintInput {
    LabelDocument& doc;  // serial numbers advance in it
    const PrinterSettings& settings;
    CodeImageCache& codes;
    PictureCache* pictures = nullptr;
    int dpiX = 203;
    int dpiY = 203;
    // Canvas pixels per dot while editing; line end points are held in pixels.
    double viewScaleX = 1.0;
    double viewScaleY = 1.0;
    // Jobs sent back to back, each with the next serial numbers.
    int copies = 1;
    // A merged label: one label per row of the checked range (DataSource::Check),
    // each `copies` times, its fields filled from the row; read from the start
    // of the range as the labels are made.
    DataSource* rows = nullptr;
    // Told after each label is sent: how many so far, of how many.
    std::function<void(qint64 sent, qint64 total)> progress = {};
    // Asked before each label after the first: false stops the run there, a
    // label being sent is never cut off (the result says `stopped`).
    std::function<bool()> goOn = {};
    // Set from any thread (a signal): no further label is begun, and one the
    // printer has stopped taking is given up (the result says `stopped`).
    const std::atomic<bool>* stop = nullptr;
};

// Where the stream goes: `device` is a printer address (PrinterAddress); empty
// or "usb" is the first supported printer found below `location`.
struct PrinterTarget {
    QString device;
    PrinterLocation location;
};

struct PrintMessage {
    QString text;
    QString caption;
};

// A message box's text under the product's caption in `language`.
inline PrintMessage ProductMessage(UiLanguage language, const QString& text) {
    return {text, UiText(language, kProductCaption)};
}

// Unreachable: a network printer or CUPS queue that cannot be used, or an
// address that is not one; unlike a USB printer that cannot be opened, the user is told.
enum class DirectPrintStatus {
    Printed,
    NoPrinter,
    OpenFailed,
    Unreachable,
    RenderFailed,
    WriteFailed,
    Cancelled,
    GaveUp,
    LabelBusy
};

struct DirectPrintResult {
    DirectPrintStatus status = DirectPrintStatus::Printed;
    QString detail;  // what went wrong, for logs and the command-line tool
    // Labels the printer accepted whole, and those the job meant to print.
    qint64 printed = 0;
    qint64 jobs = 0;
    // For a job that went through: what the user should still know of it
    // (a CUPS job waiting on a stopped queue, or held).
    QString warning = {};
    bool stopped = false;  // the run was stopped between labels (goOn, stop); those sent are printed
};

// The note after a CUPS job kept short: the last `labels` counted as printed
// may not have come whole.
QString UnsureLabelsNote(qint64 labels);

// The messages the user sees.
PrintMessage PrinterNotConnectedMessage(UiLanguage language);
PrintMessage WriteFailedMessage(UiLanguage language);
// While the printer takes no data; the job goes on waiting. With the state
// the printer reports (StallWatch::StalledState), the message names it and
// says what to do ("Out of paper — waiting, load paper or Cancel").
PrintMessage PrinterStalledMessage(UiLanguage language, quint8 reported = 0);
// Before a direct print, for a printer whose state stops the job
// (PrinterStatus::StopsJob): names the state and asks whether to print anyway.
PrintMessage PrinterNotReadyMessage(UiLanguage language, quint8 state);
// After the user's Cancel, which leaves the printer with part of a job unless
// the job could be withdrawn whole (CUPS).
PrintMessage PrintCancelledMessage(UiLanguage language, bool partSent = true);
// A network printer or CUPS queue that cannot be used; `why` names it.
PrintMessage PrinterUnreachableMessage(UiLanguage language, const QString& why);
// Another program holds the label while it prints the label's serial numbers.
PrintMessage LabelBusyMessage(UiLanguage language);
// Jobs the printer at `where` took but does not print now (DirectPrintResult's
// warning: a stopped CUPS queue, a held job), one note a line.
PrintMessage NotPrintingYetMessage(UiLanguage language, const QString& where, const QStringList& notes);
// After a job that failed or was cancelled, for a label with serial numbers:
// how many labels the printer accepted and the number the next one carries.
QString PrintedSoFarText(UiLanguage language, qint64 printed, qint64 jobs, const QString& next);

// Asks the printer the stream would go to for its state, once, before a job
// (3 seconds at most): the "usb" search first; no printer found, or an
// address that is none, is a failure that says so.
PrinterStatus AskPrinterStatus(const PrinterTarget& target);

// Renders the label (pictures in black and white), reduces it with ColorToBW
// and builds header and body: PrintJobMaker's first copy. Serial numbers
// advance. Empty stream (and `error` set) when the raster cannot be made.
PrintStream RenderPrintStream(const DirectPrintInput& in, QString* error = nullptr);

// One run on the printer: found and opened once, then any number of labels
// sent through it back to back, then finished. Messages go to `show` as
// DirectPrintLabel says; each call's result says what happened.
class DirectPrinter {
public:
    DirectPrinter(UiLanguage language, const std::function<void(const PrintMessage&)>& show,
                  StallWatch* watch = nullptr);

    // Finds and opens the printer; with no printer the batch queue is emptied.
    DirectPrintResult Open(const PrinterTarget& target, QStringList& batchQueue);
    // Renders and writes `in.copies` jobs of one label (of each row, when
    // merging); stops between labels once `in.stop` is set. The document's
    // serial numbers then stand past the labels the printer has accepted so far.
    DirectPrintResult Send(const DirectPrintInput& in);
    // After the last label, also after a failure: a network printer has
    // received every byte (a stall is waited for as in Send), a CUPS job is
    // closed; after a label cut short, the job is only dropped (its result is
    // Send's). Every document sent stands past the labels the printer accepted.
    DirectPrintResult Finish();
    // The run's labels per document, as they stand.
    const SentLabels& Sent() const { return sent_; }

private:
    DirectPrintResult Unreachable(const QString& error) const;
    DirectPrintResult Ended(StallWatch::Outcome outcome, const QString& error) const;
    // What the printer has accepted so far, settled into the documents.
    void Settle();

    UiLanguage language_;
    std::function<void(const PrintMessage&)> show_;
    StallWatch waitAsLongAsItStays_;
    StallWatch& wait_;
    PrinterDevice device_;
    bool cups_ = false;
    SentLabels sent_;
    qint64 written_ = 0;
    qint64 accepted_ = 0;
    bool cutShort_ = false;
};

// The job: find the printer, open it, then for each of `in.copies` render and
// write header then body. With no printer the batch queue is emptied and the
// printer-not-connected message goes to `show`; a failed write, a cancelled job
// and an unreachable network printer or CUPS queue are told there too. A USB
// printer or path that cannot be opened ends the job without a message (the
// result says why). Opening and sending run under `watch` (StallWatch::Run); a
// printer that stops taking data is waited for as it rules (without one: as
// long as the printer stays).
DirectPrintResult DirectPrintLabel(const DirectPrintInput& in, QStringList& batchQueue, UiLanguage language,
                                   const std::function<void(const PrintMessage&)>& show,
                                   const PrinterTarget& target = {}, StallWatch* watch = nullptr);

}  // namespace kestrix
