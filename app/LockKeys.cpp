#include "app/LockKeys.h"

#include <QDir>
#include <QFile>

namespace kestrix {

bool LockKeyOn(const QString& led, const QString& root) {
    const QDir dir(root);
    for (const QString& name : dir.entryList({QStringLiteral("*::") + led}, QDir::Dirs | QDir::System)) {
        QFile brightness(dir.filePath(name + QStringLiteral("/brightness")));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed().toInt() > 0)
            return true;
    }
    return false;
}

}  // namespace kestrix
