#include "output/PrintStream.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace kestrix {

namespace {

// Blank rows allowed above the content (and fed after it) with SavePaper 0.
constexpr int kLeadRows = 80;

QByteArray Number(int value) { return QByteArray::number(value); }

// SPEED and DENSITY count from 1 where the settings count from 0. Worked out
// wide, so the largest setting a file can hold is sent as the largest number.
QByteArray StepNumber(int setting) {
    return QByteArray::number(std::min<qint64>(qint64(setting) + 1, std::numeric_limits<int>::max()));
}

}  // namespace

PrintStreamBody BuildPrintStreamBody(const MonoImage& mono, int savePaper) {
    PrintStreamBody out;
    BuildPrintStreamBody(mono, savePaper, out);
    return out;
}

void BuildPrintStreamBody(const MonoImage& mono, int savePaper, PrintStreamBody& out) {
    QByteArray& body = out.bytes;
    body.resize(0);  // keeps the buffer
    out.endRow = -1;
    const int stride = mono.Stride();
    const int height = mono.Height();
    body.reserve(static_cast<qsizetype>(stride) * height + 1024);

    int left = -1, right = 0, startRow = -1, skip = 0;
    bool bandInked = false, seenInk = false;
    for (int y = 0; y < height; ++y) {
        const uchar* row = mono.Row(y);
        int first = 0;
        while (first < stride && row[first] == 0xFF) ++first;
        const bool rowInked = first < stride;
        if (rowInked) {
            int last = stride - 1;
            while (row[last] == 0xFF) --last;
            if (startRow == -1) startRow = y;
            if (!seenInk) {
                seenInk = true;
                if (savePaper == 0 && y > kLeadRows) skip = y - kLeadRows;
            }
            out.endRow = savePaper == 0 ? y - skip : y;
            bandInked = true;
            if (last > right) right = last;
            if (left == -1 || first < left) left = first;
        }
        const bool lastRow = y == height - 1;
        if (bandInked && (!rowInked || lastRow)) {
            const int rows = y - startRow + (lastRow && rowInked ? 1 : 0);
            const int width = right - left + 1;
            body += "BITMAP " + Number(left * 8) + ',' + Number(startRow - skip) + ',' + Number(width) + ',' +
                    Number(rows) + ",1,";
            // The band's bytes in one step: the buffer keeps its size between copies.
            const qsizetype at = body.size();
            body.resize(at + qsizetype(rows) * width);
            char* out = body.data() + at;
            for (int r = startRow; r < startRow + rows; ++r, out += width) std::memcpy(out, mono.Row(r) + left, width);
            body += "\r\n";
            left = -1;
            right = 0;
            startRow = -1;
            bandInked = false;
        }
    }
    body += "PRINT 1,1\r\n";
}

int PrintLength(const PrinterSettings& s, int endRow, int labelHeightMm) {
    if (s.SavePaper == 1) return labelHeightMm;
    // A fixed 203 dpi here, whatever the output resolution.
    return static_cast<int>((endRow + kLeadRows) * 25.4 / 203);
}

QByteArray BuildPrintStreamHeader(const PrinterSettings& s, int labelWidthMm, int lengthMm) {
    QByteArray h;
    h += "SIZE " + Number(labelWidthMm) + " mm, " + Number(lengthMm) + " mm\r\n";
    if (s.LabelType == 2)
        h += "GAP 0 mm,0 mm\r\n";
    else if (s.LabelType == 1)
        h += "BLINE " + s.Gap.left(kSettingTextChars).toLatin1() + " mm,0 mm\r\n";
    else
        h += "GAP " + s.Gap.left(kSettingTextChars).toLatin1() + " mm,0 mm\r\n";
    h += "REFERENCE 0, 0\r\n";
    h += "SPEED " + StepNumber(s.Speed) + "\r\n";
    h += "DENSITY " + StepNumber(s.Density) + "\r\n";
    switch (s.Cutting) {
    case 0: h += "SET TEAR OFF\r\nSET CUTTER OFF\r\nSET PARTIAL_CUTTER OFF\r\nSET PEEL ON\r\n"; break;
    case 1: h += "SET PEEL OFF\r\nSET CUTTER OFF\r\nSET PARTIAL_CUTTER OFF\r\nSET TEAR ON\r\n"; break;
    case 2: h += "SET TEAR OFF\r\nSET PEEL OFF\r\nSET PARTIAL_CUTTER OFF\r\nSET CUTTER BATCH\r\n"; break;
    case 3:
        h += "SET TEAR OFF\r\nSET PEEL OFF\r\nSET PARTIAL_CUTTER OFF\r\nSET CUTTER " + Number(s.CuttingEveryLabel) +
             "\r\n";
        break;
    default: break;
    }
    h += "DIRECTION 0\r\nSHIFT 0\r\n";
    h += "OFFSET " + s.Offset.left(kSettingTextChars).toLatin1() + " mm\r\n";
    h += "CLS\r\n";
    return h;
}

PrintStream BuildPrintStream(const MonoImage& mono, const PrinterSettings& s, int labelWidthMm, int labelHeightMm) {
    PrintStreamBody body = BuildPrintStreamBody(mono, s.SavePaper);
    return {BuildPrintStreamHeader(s, labelWidthMm, PrintLength(s, body.endRow, labelHeightMm)), std::move(body.bytes)};
}

}  // namespace kestrix
