#pragma once

#include <QDir>
#include <QString>

// The message of a report file that could not be written: the file and the reason.
inline QString FileWriteError(const QString &path, const QString &reason)
{
    return QStringLiteral("Не удалось записать файл «%1»: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}
