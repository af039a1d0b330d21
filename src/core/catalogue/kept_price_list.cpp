#include "core/catalogue/kept_price_list.h"

#include "core/catalogue/catalogue.h"
#include "core/catalogue/catalogue_csv.h"
#include "core/io/output_file.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// The first line holds the SHA-256 of everything after it, so that a copy cut short or
// changed by hand is told from one the program wrote.
const QByteArray ControlKey = "Контроль;"_ba;

QByteArray Control(QByteArrayView body)
{
    return QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex();
}

} // namespace

QString KeptPriceListPath(const QString &settingsPath)
{
    return QFileInfo(settingsPath).dir().filePath(u"price-list.csv"_s);
}

QByteArray KeptPriceListBytes(const ProductCatalogue &catalogue)
{
    const QByteArray body = KeptCatalogueCsv(catalogue);
    return ControlKey + Control(body) + '\n' + body;
}

bool WriteKeptPriceList(const QString &path, const ProductCatalogue &catalogue, QString *why)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return WriteWholeFile(path, KeptPriceListBytes(catalogue), why);
}

KeptPriceListReading ReadKeptPriceList(const QString &path, const ProductCatalogue &builtIn)
{
    KeptPriceListReading reading;
    QFile file(path);
    if (!file.exists())
        return reading;
    reading.found = true;
    if (!file.open(QIODevice::ReadOnly)) {
        reading.error = file.errorString();
        return reading;
    }
    const QByteArray bytes = file.readAll();
    const qsizetype end = bytes.indexOf('\n');
    const QByteArray body = end < 0 ? QByteArray() : bytes.mid(end + 1);
    if (!bytes.startsWith(ControlKey) || bytes.mid(ControlKey.size(), end - ControlKey.size()) != Control(body)) {
        reading.error = u"файл повреждён или изменён: не сходится контрольная сумма"_s;
        return reading;
    }
    const QFileInfo info(path);
    const PriceListFile list = ReadPriceList(bytes, info.completeBaseName(), info.lastModified().date());
    if (!list.ok()) {
        reading.error = list.error;
        return reading;
    }
    if (list.info.source.isEmpty()) {
        reading.error = u"не указан файл, из которого взят прайс-лист"_s;
        return reading;
    }
    PriceListCheck check = CheckPriceList(list, builtIn);
    if (!check.applicable()) {
        const PriceListRefusal &first = check.refused.front();
        reading.error = u"строка %1: %2"_s.arg(first.line).arg(first.reason);
        return reading;
    }
    reading.check = std::move(check);
    return reading;
}
