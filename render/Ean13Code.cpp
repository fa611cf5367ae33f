#include "render/Ean13Code.h"

#include <algorithm>

namespace kestrix {

namespace {

// Number sets of the first six data digits, chosen by the leading digit.
constexpr const char16_t* kParity[10] = {u"AAAAAACCCCCC", u"AABABBCCCCCC", u"AABBABCCCCCC", u"AABBBACCCCCC",
                                         u"ABAABBCCCCCC", u"ABBAABCCCCCC", u"ABBBAACCCCCC", u"ABABABCCCCCC",
                                         u"ABABBACCCCCC", u"ABBABACCCCCC"};

// The seven-module patterns of each digit in sets A, B and C.
constexpr const char16_t* kPatterns[10][3] = {
    {u"0001101", u"0100111", u"1110010"}, {u"0011001", u"0110011", u"1100110"}, {u"0010011", u"0011011", u"1101100"},
    {u"0111101", u"0100001", u"1000010"}, {u"0100011", u"0011101", u"1011100"}, {u"0110001", u"0111001", u"1001110"},
    {u"0101111", u"0000101", u"1010000"}, {u"0111011", u"0010001", u"1000100"}, {u"0110111", u"0001001", u"1001000"},
    {u"0001011", u"0010111", u"1110100"}};

bool AllDigits(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

QChar Ean13CheckDigit(std::u16string_view twelve) {
    int sum = 0;
    for (std::size_t i = 0; i < 12 && i < twelve.size(); ++i) sum += (twelve[i] - u'0') * (i % 2 == 0 ? 1 : 3);
    return QChar(u'0' + (sum % 10 == 0 ? 0 : 10 - sum % 10));
}

QString Ean13Modules(std::u16string_view digits) {
    const char16_t* parity = kParity[digits[0] - u'0'];
    QString body;
    for (int i = 1; i < 13; ++i) body += QString::fromUtf16(kPatterns[digits[i] - u'0'][parity[i - 1] - u'A']);
    return QStringLiteral("101") + body.left(42) + QStringLiteral("01010") + body.mid(42) + QStringLiteral("101");
}

Ean13Code::Ean13Code(std::u16string_view text) {
    // Only digits can be encoded; anything else would draw a broken symbol.
    if ((text.size() != 12 && text.size() != 13) || !AllDigits(text)) return;
    digits_ = QString::fromStdU16String(std::u16string(text));
    if (digits_.size() == 12) digits_ += Ean13CheckDigit(text);
    modules_ = Ean13Modules(digits_.toStdU16String());
}

}  // namespace kestrix
