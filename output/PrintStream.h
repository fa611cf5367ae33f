#pragma once
// The direct-print command stream: a header of setup commands (SIZE, GAP or
// BLINE, REFERENCE, SPEED, DENSITY, the SET lines, DIRECTION, SHIFT, OFFSET,
// CLS) and a body of BITMAP blocks cut from the raster, then PRINT 1,1.

#include <QByteArray>

#include "output/MonoImage.h"
#include "output/PrinterSettings.h"

namespace kestrix {

struct PrintStream {
    QByteArray header;
    QByteArray body;
};

struct PrintStreamBody {
    QByteArray bytes;
    // The last inked row, moved up by the rows cut from the top when SavePaper
    // is 0; -1 when nothing is inked.
    int endRow = -1;
};

// The band scan: one BITMAP block per run of inked rows, covering only the
// byte columns between the run's leftmost and rightmost inked bytes. With
// SavePaper 0 the content is moved up so that at most 80 blank rows precede it.
PrintStreamBody BuildPrintStreamBody(const MonoImage& mono, int savePaper);
// The same into `out`, whose buffer is reused.
void BuildPrintStreamBody(const MonoImage& mono, int savePaper, PrintStreamBody& out);

// The label length in whole mm that SIZE carries.
int PrintLength(const PrinterSettings& s, int endRow, int labelHeightMm);

QByteArray BuildPrintStreamHeader(const PrinterSettings& s, int labelWidthMm, int lengthMm);

// Header and body for one label.
PrintStream BuildPrintStream(const MonoImage& mono, const PrinterSettings& s, int labelWidthMm, int labelHeightMm);

}  // namespace kestrix
