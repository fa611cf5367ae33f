// libFuzzer target for the label file reader: any bytes either are refused
// with a reason or open as a sane label, and a label once opened saves and
// opens again to exactly the same bytes.

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "document/LabelFile.h"
#include "document/SerialNumber.h"

namespace {

void Check(bool holds, const char* what) {
    if (holds) return;
    __builtin_printf("round trip broken: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kestrix;
    LabelDocument doc;
    LabelFileProblem problem;
    if (!ParseLabelFile(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), doc, &problem)) {
        Check(problem.code != LabelFileProblem::None, "refused without a reason");
        Check(doc.elements.empty() && doc.widthMm == 50 && doc.heightMm == 80, "refusal changed the label");
        return 0;
    }
    Check(IsValidLabelSize(doc.widthMm, doc.heightMm), "opened with an impossible size");
    Check(doc.printerName.size() <= kPrinterNameBytes && !doc.printerName.contains('\0'), "printer name");
    Check(doc.elements.size() <= size / kRecordSize, "more records than bytes");
    for (const LabelElement& e : doc.elements) Check(e.hCache == 0, "hCache read from the file");

    // Saved (without omitted records) and opened again, it saves to the same bytes:
    // its size, printer name and every record kept byte for byte.
    const QByteArray saved = LabelFileBytes(doc);
    LabelDocument again;
    Check(ParseLabelFile(saved, again, nullptr), "saved label refused");
    Check(LabelFileBytes(again) == saved, "second save differs");
    Check(std::ranges::none_of(again.elements, [](const LabelElement& e) { return e.bOmit != 0; }), "omitted kept");
    // Records straight from a damaged file must still be safe to advance.
    for (LabelElement& e : again.elements) {
        const std::size_t length = ElementText(e).size();
        AdvanceSerial(e);
        Check(ElementText(e).size() == length, "serial advance changed the length");
    }
    return 0;
}
