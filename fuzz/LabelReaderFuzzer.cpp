// libFuzzer target for the label file reader: any bytes either are refused
// with a reason or open as a sane label, and a label once opened saves and
// opens again to exactly the same bytes.

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "document/LabelFile.h"
#include "document/SerialNumber.h"

namespace {

[[noreturn]] void Broken(const char* what) {
    __builtin_printf("round trip broken: %s\n", what);
    std::abort();
}

bool SameRecord(const kestrix::LabelElement& a, const kestrix::LabelElement& b) {
    return std::memcmp(&a, &b, kestrix::kRecordSize) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kestrix;
    const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    LabelDocument doc;
    LabelFileProblem problem;
    if (!ParseLabelFile(input, doc, &problem)) {
        if (problem.code == LabelFileProblem::None) Broken("refused without a reason");
        if (!doc.elements.empty() || doc.widthMm != 50 || doc.heightMm != 80) Broken("refusal changed the label");
        return 0;
    }
    if (!IsValidLabelSize(doc.widthMm, doc.heightMm)) Broken("opened with an impossible size");
    if (doc.printerName.size() > kPrinterNameBytes || doc.printerName.contains('\0')) Broken("printer name");
    if (doc.elements.size() > size / kRecordSize) Broken("more records than bytes");
    for (const LabelElement& e : doc.elements)
        if (e.hCache != 0) Broken("hCache read from the file");

    const QByteArray saved = LabelFileBytes(doc);
    LabelDocument again;
    if (!ParseLabelFile(saved, again, nullptr)) Broken("saved label refused");
    if (again.widthMm != doc.widthMm || again.heightMm != doc.heightMm) Broken("size changed");
    if (again.printerName != doc.printerName) Broken("printer name changed");
    std::size_t kept = 0;
    for (const LabelElement& e : doc.elements) {
        if (e.bOmit != 0) continue;
        if (kept >= again.elements.size() || !SameRecord(e, again.elements[kept])) Broken("records changed");
        ++kept;
    }
    if (kept != again.elements.size()) Broken("record count changed");
    if (LabelFileBytes(again) != saved) Broken("second save differs");

    // Records straight from a damaged file must still be safe to advance.
    for (LabelElement& e : again.elements) {
        const std::u16string before = ElementText(e);
        AdvanceSerial(e);
        if (ElementText(e).size() != before.size()) Broken("serial advance changed the length");
    }
    return 0;
}
