#include "core/table/xlsx_reader.h"

// A build without libzip: workbooks are refused with the reason.

namespace {
QString Unavailable()
{
    return QStringLiteral("чтение книг xlsx в этой сборке недоступно");
}
} // namespace

std::unique_ptr<XlsxParts> OpenXlsxFile(const QString &, QString *error)
{
    *error = Unavailable();
    return nullptr;
}

std::unique_ptr<XlsxParts> OpenXlsxBytes(const QByteArray &, QString *error)
{
    *error = Unavailable();
    return nullptr;
}

std::unique_ptr<TableReader> OpenXlsxTable(std::unique_ptr<XlsxParts>, const QString &, QString *error)
{
    *error = Unavailable();
    return nullptr;
}
