#include "output/IniFile.h"

#include <QRegularExpression>
#include <algorithm>
#include <limits>

#include "document/RegularFile.h"

namespace kestrix {

namespace {
QString KeyOf(const QString& section, const QString& key) {
    return section.trimmed().toLower() + u'\n' + key.trimmed().toLower();
}

// The profile reader drops one pair of enclosing quotes, single or double.
QString Unquoted(const QString& value) {
    const bool quoted =
        value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front();
    return quoted ? value.mid(1, value.size() - 2) : value;
}
}  // namespace

int LeadingInt(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace()) ++i;  // as atoi: a quoted " 4" is 4
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > std::numeric_limits<int>::max()) value = std::numeric_limits<int>::max() + 1LL;
    }
    value = negative ? -value : value;
    return static_cast<int>(
        std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

IniFile IniFile::FromText(const QByteArray& text) {
    IniFile ini;
    QString section;
    bool inSection = false;
    QString all = QString::fromUtf8(text);
    if (all.startsWith(QChar(0xFEFF))) all.remove(0, 1);
    const auto lines = all.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(u'[')) {
            section = line.mid(1).section(u']', 0, 0).trimmed();
            inSection = true;
        } else if (inSection && line.contains(u'=') && !line.startsWith(u';')) {
            const qsizetype eq = line.indexOf(u'=');
            const QString key = KeyOf(section, line.left(eq));
            if (!ini.values_.contains(key)) ini.values_.insert(key, Unquoted(line.mid(eq + 1).trimmed()));
        }
    }
    return ini;
}

IniFile IniFile::FromFile(const QString& path) { return FromText(ReadRegularFile(path, kMaxBytes).bytes); }

bool IniFile::Contains(const QString& section, const QString& key) const {
    return values_.contains(KeyOf(section, key));
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& fallback) const {
    return values_.value(KeyOf(section, key), fallback);
}

int IniFile::ReadInt(const QString& section, const QString& key, int fallback) const {
    const QString value = values_.value(KeyOf(section, key));
    return value.isEmpty() ? fallback : LeadingInt(value);
}

}  // namespace kestrix
