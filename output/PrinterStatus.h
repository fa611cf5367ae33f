#pragma once
// What a label printer says of itself. Asked with the printer language's
// status query <ESC>!?, it answers one byte whose bits 0 to 7 mean head open,
// paper jam, out of paper, out of ribbon, paused, printing, cover open and
// temperature out of range (0: ready). Asking may also end with no answer
// within 3 seconds, a failure, or a printer that cannot be asked at all (a
// file, a CUPS queue).

#include <QString>

#include "document/UiLanguage.h"

namespace kestrix {

inline constexpr char kStatusQuery[] = "\x1b!?";

enum PrinterStateBit : quint8 {
    kHeadOpen = 0x01,
    kPaperJam = 0x02,
    kOutOfPaper = 0x04,
    kOutOfRibbon = 0x08,
    kPaused = 0x10,
    kPrinting = 0x20,
    kCoverOpen = 0x40,
    kTemperatureOutOfRange = 0x80,
};

struct PrinterStatus {
    enum class Kind { Answered, NotAnswering, Failed, CannotAsk };

    static PrinterStatus Answer(quint8 state) { return {Kind::Answered, state, {}}; }
    static PrinterStatus Problem(Kind kind, const QString& why) { return {kind, 0, why}; }

    // Out of paper, head or cover open, out of ribbon: a job sent now would not print.
    bool StopsJob() const {
        return kind == Kind::Answered && (state & (kOutOfPaper | kHeadOpen | kCoverOpen | kOutOfRibbon));
    }
    bool operator==(const PrinterStatus&) const = default;

    Kind kind = Kind::NotAnswering;
    quint8 state = 0;  // when answered
    QString error;     // otherwise: what became of asking
};

// "ready", or the names of the set bits in bit order, joined with ", " ("、" in Chinese).
QString PrinterStateText(quint8 state, UiLanguage language);
// What to do about each set bit that keeps the printer from printing
// ("load paper", ...), joined with " and " ("并" in Chinese); empty when none.
QString PrinterStateRemedy(quint8 state, UiLanguage language);
// For a list of printers: the state, "not answering" or "state unknown".
QString PrinterStatusText(const PrinterStatus& status, UiLanguage language);
// The state in a USB printer-class port status (paper empty 0x20, selected
// 0x10, no error 0x08), which a printer gives while a job holds it. An error
// it does not explain is no state.
PrinterStatus StatusFromPortStatus(quint8 portStatus);

}  // namespace kestrix
