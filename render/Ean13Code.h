#pragma once
// The built-in EAN-13 encoder: 12 digits get their check digit, 13 are taken
// as they are, and the digits become the 95 modules of the symbol.

#include <QString>
#include <string_view>

namespace kestrix {

// The check digit character of twelve digit characters.
QChar Ean13CheckDigit(std::u16string_view twelveDigits);
// The 95-character module string ('1' bar, '0' space) of thirteen digits.
QString Ean13Modules(std::u16string_view thirteenDigits);

class Ean13Code {
public:
    // Fails (IsValid() false) unless the text is 12 or 13 decimal digits.
    explicit Ean13Code(std::u16string_view text);

    bool IsValid() const { return !digits_.isEmpty(); }
    const QString& Digits() const { return digits_; }
    const QString& Modules() const { return modules_; }

private:
    QString digits_;
    QString modules_;
};

}  // namespace kestrix
