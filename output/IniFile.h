#pragma once
// A read-only private-profile (INI) file with the Windows meanings that matter:
// section and key names ignore case, values are trimmed and lose one pair of
// enclosing quotes, `;` lines are comments, the first key of a name counts,
// integers are read from their leading decimal digits.

#include <QHash>
#include <QString>

namespace kestrix {

class IniFile {
public:
    // Parses INI text (UTF-8, an optional byte-order mark).
    static IniFile FromText(const QByteArray& text);
    // A settings file is a few lines; a larger file is not read.
    static constexpr qint64 kMaxBytes = 1 << 20;

    // Reads a file; a missing or unreadable file, or one that is not a regular
    // file, gives an empty profile.
    static IniFile FromFile(const QString& path);

    // The value, or `fallback` when the key is missing.
    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    // The leading integer of the value; `fallback` when the key is missing or empty.
    int ReadInt(const QString& section, const QString& key, int fallback) const;
    bool Contains(const QString& section, const QString& key) const;

private:
    QHash<QString, QString> values_;  // "section\nkey" in lower case -> value
};

// Leading spaces, optional sign and leading decimal digits; 0 when there are none.
int LeadingInt(const QString& text);

}  // namespace kestrix
