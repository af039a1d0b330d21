#pragma once

#include <QByteArray>
#include <QString>

// One member of a zip archive (a workbook), read with zlib alone so that the tests
// need no unzip program: stored and deflated members, CRC checked. Empty when the
// archive or the member is missing or damaged.
QByteArray ZipMember(const QString &zipPath, const QString &member);
