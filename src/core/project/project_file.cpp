#include "core/project/project_file.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSet>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

QString Quoted(const QString &text)
{
    return u'«' + text + u'»';
}

QJsonObject PricingObject(const Pricing &pricing)
{
    QJsonObject object{{u"vat_percent"_s, VatText(pricing.vatHundredths)}};
    object[u"eur_rate"_s] = pricing.eurRate ? QJsonValue(EurRateText(*pricing.eurRate)) : QJsonValue();
    object[u"eur_rate_date"_s] = pricing.eurRateDate.isValid()
        ? QJsonValue(pricing.eurRateDate.toString(Qt::ISODate))
        : QJsonValue();
    return object;
}

QJsonObject PointObject(const ProjectPoint &point)
{
    QJsonObject input;
    for (int i = 0; i < BatchColumnCount; ++i) {
        const auto column = static_cast<BatchColumn>(i);
        if (column != BatchColumn::Id && !point.text(column).isEmpty())
            input[BatchColumnName(column)] = point.text(column);
    }
    return {{u"id"_s, point.id},
            {u"quantity"_s, point.quantity},
            {u"choice"_s, point.choice},
            {u"note"_s, point.note},
            {u"input"_s, input}};
}

// Reads one object of the file; the first refusal is kept with its place.
class Reader {
public:
    std::optional<Project> read(const QJsonObject &root);
    QString error() const { return error_; }

private:
    bool refuse(const QString &place, const QString &why)
    {
        error_ = place.isEmpty() ? why : place + u": "_s + why;
        return false;
    }
    bool readHeader(const QJsonObject &root);
    bool readHeading(const QJsonValue &value, ProjectHeading &heading);
    bool readPricing(const QJsonValue &value, Pricing &pricing);
    bool readPriceList(const QJsonValue &value, std::optional<PriceListInfo> &list);
    bool readPoint(const QJsonValue &value, int number, ProjectPoint &point);
    bool text(const QJsonObject &object, const QString &key, const QString &place, QString &out);

    QString error_;
};

bool Reader::text(const QJsonObject &object, const QString &key, const QString &place, QString &out)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return true;
    if (!value.isString())
        return refuse(place, u"%1 должно быть строкой"_s.arg(Quoted(key)));
    out = value.toString();
    return true;
}

bool Reader::readHeader(const QJsonObject &root)
{
    if (root.value(u"format"_s).toString() != QLatin1StringView(ProjectFormatName))
        return refuse({}, u"это не файл проекта: «format» не %1"_s.arg(Quoted(QString::fromLatin1(ProjectFormatName))));
    const QJsonValue version = root.value(u"version"_s);
    const double number = version.toDouble(-1);
    if (!version.isDouble() || number != std::floor(number) || number < 1)
        return refuse({}, u"«version» должно быть целым числом не меньше 1"_s);
    if (number > ProjectFormatVersion)
        return refuse({}, u"файл создан более новой версией программы (версия формата %1, эта программа "
                          u"читает версию %2)"_s.arg(version.toInteger()).arg(ProjectFormatVersion));
    return true;
}

bool Reader::readHeading(const QJsonValue &value, ProjectHeading &heading)
{
    if (value.isUndefined() || value.isNull())
        return true;
    if (!value.isObject())
        return refuse({}, u"«heading» должно быть объектом"_s);
    const QJsonObject object = value.toObject();
    const QString place = u"«heading»"_s;
    return text(object, u"object"_s, place, heading.object)
        && text(object, u"customer"_s, place, heading.customer)
        && text(object, u"engineer"_s, place, heading.engineer);
}

bool Reader::readPricing(const QJsonValue &value, Pricing &pricing)
{
    if (value.isUndefined() || value.isNull())
        return true;
    if (!value.isObject())
        return refuse({}, u"«pricing» должно быть объектом"_s);
    const QJsonObject object = value.toObject();
    const QString place = u"«pricing»"_s;
    QString vat = VatText(pricing.vatHundredths), rate, date;
    if (!text(object, u"vat_percent"_s, place, vat) || !text(object, u"eur_rate"_s, place, rate)
        || !text(object, u"eur_rate_date"_s, place, date))
        return false;
    const PricingReading reading = ReadPricing(vat, rate, date);
    if (!reading.pricing)
        return refuse(place, reading.error);
    pricing = *reading.pricing;
    return true;
}

bool Reader::readPriceList(const QJsonValue &value, std::optional<PriceListInfo> &list)
{
    if (value.isUndefined() || value.isNull())
        return true;
    if (!value.isObject())
        return refuse({}, u"«price_list» должно быть объектом"_s);
    const QJsonObject object = value.toObject();
    const QString place = u"«price_list»"_s;
    PriceListInfo info;
    QString date;
    if (!text(object, u"name"_s, place, info.name) || !text(object, u"date"_s, place, date)
        || !text(object, u"source"_s, place, info.source))
        return false;
    if (!date.isEmpty()) {
        info.date = QDate::fromString(date, Qt::ISODate);
        if (!info.date.isValid())
            return refuse(place, u"«date» должно быть датой ГГГГ-ММ-ДД"_s);
    }
    list = info;
    return true;
}

bool Reader::readPoint(const QJsonValue &value, int number, ProjectPoint &point)
{
    const QString place = u"точка %1"_s.arg(number);
    if (!value.isObject())
        return refuse(place, u"точка должна быть объектом"_s);
    const QJsonObject object = value.toObject();
    if (!text(object, u"id"_s, place, point.id) || !text(object, u"choice"_s, place, point.choice)
        || !text(object, u"note"_s, place, point.note))
        return false;
    if (point.id.trimmed().isEmpty())
        return refuse(place, u"у точки нет «id»"_s);

    const QJsonValue quantity = object.value(u"quantity"_s);
    if (!quantity.isUndefined()) {
        const double q = quantity.toDouble(0);
        if (!quantity.isDouble() || q != std::floor(q) || q < 1 || q > 1e9)
            return refuse(place, u"«quantity» должно быть целым числом не меньше 1"_s);
        point.quantity = static_cast<int>(q);
    }

    const QJsonValue input = object.value(u"input"_s);
    if (!input.isObject())
        return refuse(place, u"«input» должно быть объектом со столбцами таблицы точек"_s);
    const QJsonObject columns = input.toObject();
    for (auto it = columns.begin(); it != columns.end(); ++it) {
        const std::optional<BatchColumn> column = BatchColumnOfName(it.key());
        if (!column || *column == BatchColumn::Id)
            return refuse(place, u"неизвестный столбец %1 в «input»"_s.arg(Quoted(it.key())));
        if (!it.value().isString())
            return refuse(place, u"столбец %1 должен быть строкой"_s.arg(Quoted(it.key())));
        point.setText(*column, it.value().toString());
    }
    return true;
}

std::optional<Project> Reader::read(const QJsonObject &root)
{
    Project project;
    if (!readHeader(root) || !readHeading(root.value(u"heading"_s), project.heading)
        || !readPricing(root.value(u"pricing"_s), project.pricing)
        || !readPriceList(root.value(u"price_list"_s), project.priceList))
        return std::nullopt;
    const QJsonValue points = root.value(u"points"_s);
    if (!points.isArray()) {
        refuse({}, u"«points» должно быть массивом точек"_s);
        return std::nullopt;
    }
    QSet<QString> ids;
    int number = 0;
    for (const QJsonValue &value : points.toArray()) {
        ProjectPoint point;
        if (!readPoint(value, ++number, point))
            return std::nullopt;
        if (ids.contains(point.id)) {
            refuse(u"точка %1"_s.arg(number), u"«id» %1 уже есть у другой точки"_s.arg(Quoted(point.id)));
            return std::nullopt;
        }
        ids.insert(point.id);
        project.points.push_back(std::move(point));
    }
    return project;
}

} // namespace

QByteArray WriteProjectFile(const Project &project)
{
    return QJsonDocument(ProjectFileObject(project)).toJson(QJsonDocument::Indented);
}

QJsonObject ProjectFileObject(const Project &project)
{
    QJsonArray points;
    for (const ProjectPoint &point : project.points)
        points.append(PointObject(point));
    QJsonObject root{
        {u"format"_s, QString::fromLatin1(ProjectFormatName)},
        {u"version"_s, ProjectFormatVersion},
        {u"heading"_s, QJsonObject{{u"object"_s, project.heading.object},
                                   {u"customer"_s, project.heading.customer},
                                   {u"engineer"_s, project.heading.engineer}}},
        {u"pricing"_s, PricingObject(project.pricing)},
        {u"points"_s, points},
    };
    if (project.priceList) {
        root[u"price_list"_s] = QJsonObject{
            {u"name"_s, project.priceList->name},
            {u"date"_s, project.priceList->date.isValid() ? QJsonValue(project.priceList->date.toString(Qt::ISODate))
                                                          : QJsonValue()},
            {u"source"_s, project.priceList->source}};
    }
    return root;
}

ProjectReading ReadProjectFile(const QByteArray &bytes)
{
    QJsonParseError parse{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parse);
    if (parse.error != QJsonParseError::NoError)
        return {std::nullopt, u"файл не в формате JSON (знак %1: %2)"_s.arg(parse.offset + 1).arg(parse.errorString())};
    if (!document.isObject())
        return {std::nullopt, u"это не файл проекта: в нём не объект JSON"_s};
    Reader reader;
    std::optional<Project> project = reader.read(document.object());
    return {std::move(project), reader.error()};
}
