#include "core/catalogue/catalogue_table.h"

#include "core/catalogue/delimited_text.h"
#include "core/input/number_text.h"
#include "core/pricing/money.h"

#include <optional>
#include <set>

using namespace Qt::StringLiterals;

namespace {

constexpr int FirstSlot = 1;
constexpr int LastSlot = 2000;
constexpr int NameLimit = 31;

CatalogueTable Refused(int line, const QString &why)
{
    CatalogueTable table;
    table.error = u"строка %1: %2"_s.arg(line).arg(why);
    return table;
}

// The value of a "key;value" row above the header, or nothing when the row is another.
std::optional<QString> Labelled(const DelimitedRecord &record, const QString &key)
{
    if (record.fields.size() != 2 || record.fields[0] != key)
        return std::nullopt;
    return record.fields[1];
}

} // namespace

QStringList CatalogueTableHeader()
{
    return {u"Позиция"_s,   u"Обозначение"_s, u"Ду, мм"_s,     u"Pmin, бар"_s,
            u"Pmax, бар"_s, u"Qmax, м³/ч"_s,  u"Qmin, м³/ч"_s, u"Цена без НДС"_s};
}

CatalogueTable ReadCatalogueTable(QStringView text)
{
    const DelimitedText split = SplitDelimited(text, u';');
    if (!split.error.isEmpty())
        return Refused(split.errorLine, split.error);
    const std::vector<DelimitedRecord> &records = split.records;
    if (records.size() < 3)
        return Refused(int(records.size()) + 1, u"нет строки заголовка"_s);

    CatalogueTable table;
    const std::optional<QString> name = Labelled(records[0], u"Прайс-лист"_s);
    if (!name || name->isEmpty())
        return Refused(1, u"нужна строка «Прайс-лист;<название>»"_s);
    const std::optional<QString> date = Labelled(records[1], u"Дата"_s);
    if (!date)
        return Refused(2, u"нужна строка «Дата;<дд.ММ.гггг>»"_s);
    table.info.name = *name;
    if (!date->isEmpty()) {
        table.info.date = QDate::fromString(*date, u"dd.MM.yyyy"_s);
        if (!table.info.date.isValid())
            return Refused(2, u"дата «%1» не в виде дд.ММ.гггг"_s.arg(*date));
    }
    if (records[2].fields != CatalogueTableHeader())
        return Refused(records[2].line, u"заголовок не «%1»"_s.arg(CatalogueTableHeader().join(u';')));

    std::set<int> taken;
    for (std::size_t i = 3; i < records.size(); ++i) {
        const DelimitedRecord &r = records[i];
        if (r.fields.size() == 1 && r.fields[0].isEmpty())
            continue;
        if (r.fields.size() != CatalogueTableHeader().size())
            return Refused(r.line, u"полей %1 вместо %2"_s.arg(r.fields.size()).arg(CatalogueTableHeader().size()));
        CatalogueTableRow row;
        bool ok = false;
        row.slot = r.fields[0].toInt(&ok);
        if (!ok || row.slot < FirstSlot || row.slot > LastSlot)
            return Refused(r.line, u"позиция «%1» не от %2 до %3"_s.arg(r.fields[0]).arg(FirstSlot).arg(LastSlot));
        if (!taken.insert(row.slot).second)
            return Refused(r.line, u"позиция %1 уже занята"_s.arg(row.slot));
        ProductRecord &p = row.record;
        p.Name = r.fields[1];
        if (p.Name.isEmpty() || p.Name.size() > NameLimit || p.Name != p.Name.trimmed())
            return Refused(r.line, u"обозначение «%1» пусто, длиннее %2 знаков или с пробелами по краям"_s.arg(p.Name).arg(NameLimit));
        p.DN = r.fields[2].toInt(&ok);
        if (!ok || p.DN <= 0)
            return Refused(r.line, u"Ду «%1» не целое положительное"_s.arg(r.fields[2]));
        double *const figures[] = {&p.Pmin, &p.Pmax, &p.Qmax, &p.Qmin};
        for (int f = 0; f < 4; ++f) {
            const std::optional<double> value = ReadNumber(r.fields[3 + f], u'.');
            if (!value || *value < 0)
                return Refused(r.line, u"%1 «%2» не число не меньше 0"_s.arg(CatalogueTableHeader()[3 + f], r.fields[3 + f]));
            *figures[f] = *value;
        }
        const std::optional<std::int64_t> kopecks = ReadScaled(r.fields[7], 2);
        if (!kopecks || *kopecks < 0 || r.fields[7].contains(u','))
            return Refused(r.line, u"цена «%1» не сумма с точкой и двумя знаками"_s.arg(r.fields[7]));
        // A whole number of kopecks over 100 is the double nearest the decimal price.
        p.Price = double(*kopecks) / 100;
        table.rows.push_back(std::move(row));
    }
    if (table.rows.empty())
        return Refused(int(records.size()), u"нет ни одного изделия"_s);
    return table;
}
