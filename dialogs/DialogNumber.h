#pragma once
// Numbers in dialog edits: shown with "%d", read back as a decimal integer
// from the leading sign and digits; text that is not a number reads as 0.

#include <QString>

namespace kestrix {

int ReadDialogInt(const QString& text);

}  // namespace kestrix
