#pragma once
// Data merge fields: a text, linear barcode or 2D code whose content holds
// ${NAME} takes the value of column NAME of a data row ($${ writes a literal
// ${). Values are filled into a copy of the record at draw time; the record
// itself keeps ${NAME}, so a label file never holds a row's values.

#include <QStringList>
#include <vector>

#include "document/DataRow.h"
#include "document/LabelElement.h"

namespace kestrix {

// The names of the fields in `content`, each once, in order of first use.
QStringList FieldNames(QStringView content);
// Whether the element draws fields: a text, linear barcode or 2D code whose content names one.
bool TakesFields(const LabelElement& e);
// The names of every field the elements use, each once, in order of first use.
QStringList LabelFieldNames(const std::vector<LabelElement>& elements);

// `content` with every ${NAME} replaced by the row's value of column NAME and
// every $${ by ${. A field no column has stays as written, so does a ${ with
// no closing brace.
QString MergeFields(QStringView content, const DataRow& row);

// What a merged content lost to the record's limits.
struct FieldCut {
    qsizetype length = 0;  // the merged content's length: UTF-16 units, or UTF-8 bytes for code data
    int limit = 0;         // what the record or the barcode library takes (0: nothing was cut)
    bool bytes = false;    // the length and the limit count UTF-8 bytes (barcode and 2D code data)
};

// The element as it is drawn for `row`: a copy whose content is merged and cut
// as the record's own writers cut it (255 UTF-16 units; barcode library data
// is further cut to 255 UTF-8 bytes when encoded). The copy has no cached code
// image of its own yet (hCache 0). `cut`, when given, says what was lost.
LabelElement MergedElement(const LabelElement& e, const DataRow& row, FieldCut* cut = nullptr);

}  // namespace kestrix
