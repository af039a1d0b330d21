#include "core/catalogue/price_list_texts.h"

#include "core/catalogue/catalogue.h"
#include "core/input/number_text.h"
#include "core/pricing/priced_list_texts.h"
#include "core/selection/product_lines.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

QString SeparatorName(QChar separator)
{
    return separator == u'\t' ? u"табуляция"_s : u"«"_s + separator + u"»"_s;
}

QString Price(Money amount, QChar separator)
{
    return amount.minor == 0 ? u"договорная"_s : GroupedMoney(amount, separator);
}

} // namespace

QString LineList(const std::vector<int> &lines)
{
    QStringList numbers;
    for (int line : lines)
        numbers << QString::number(line);
    if (numbers.size() < 2)
        return numbers.join(QString());
    const QString last = numbers.takeLast();
    return numbers.join(u", "_s) + u" и "_s + last;
}

QString RefusalText(const PriceListRefusal &refusal)
{
    const QString what = refusal.designation.isEmpty() ? QString() : u" («%1»)"_s.arg(refusal.designation);
    return u"строка %1%2: %3"_s.arg(refusal.line).arg(what, refusal.reason);
}

PriceListCheckView PriceListCheckTexts(const QString &path, const PriceListFile &file, const PriceListCheck &check,
                                       const ProductCatalogue &catalogue, QChar separator)
{
    PriceListCheckView view;
    view.applicable = check.applicable();
    view.title = u"Проверка прайс-листа "_s + PriceListTitle(check.info);
    view.summary = u"Файл: %1 (%2, разделитель %3), строк под заголовком: %4.\n"_s.arg(
                       QDir::toNativeSeparators(path), EncodingName(file.encoding), SeparatorName(file.separator))
                       .arg(file.rows.size())
        + u"Изменится цена: %1; цена та же: %2; нет в каталоге: %3; не указаны в файле: %4 (сохранят свою цену); "
          u"отклонено строк: %5."_s.arg(check.changes.size())
              .arg(check.unchanged)
              .arg(check.unknown.size())
              .arg(check.leftOut.size())
              .arg(check.refusedLines().size());
    if (!view.applicable) {
        const std::vector<int> lines = check.refusedLines();
        view.verdict = u"Прайс-лист не может быть применён: %1 %2 отклонен%3. Исправьте %4 в файле и загрузите его снова; "
                       u"до тех пор действуют прежние цены."_s.arg(
                           lines.size() == 1 ? u"строка"_s : u"строки"_s, LineList(lines),
                           lines.size() == 1 ? u"а"_s : u"ы"_s, lines.size() == 1 ? u"её"_s : u"их"_s);
    } else if (check.changes.empty()) {
        view.verdict = u"Цены в файле те же, что действуют сейчас. «Применить» сделает этот прайс-лист действующим."_s;
    } else {
        view.verdict = u"«Применить» введёт новые цены в действие: подбор пойдёт по ним, в том числе после "
                       u"перезапуска программы."_s;
    }

    const auto figure = [separator](double v) { return WriteNumber(v, separator); };
    view.changeCaptions = {u"Строка"_s, u"Обозначение"_s, u"Ду, мм"_s, u"Qmin, м³/ч"_s, u"Было"_s, u"Станет"_s,
                           u"Валюта"_s};
    for (const PriceChange &c : check.changes) {
        const ProductRecord &r = catalogue.at(c.slot);
        view.changes << QStringList{QString::number(c.line), r.Name, QString::number(r.DN), figure(r.Qmin),
                                    Price(c.before, separator), Price(c.after, separator),
                                    CurrencyCode(CurrencyOfSlot(c.slot))};
    }
    view.unknownCaptions = {u"Строка"_s, u"Обозначение"_s, u"Цена"_s, u"Примечание"_s};
    for (const PriceListUnknown &u : check.unknown)
        view.unknown << QStringList{QString::number(u.line), u.designation, u.priceText, u.note};
    view.leftOutCaptions = {u"Обозначение"_s, u"Ду, мм"_s, u"Qmin, м³/ч"_s, u"Цена"_s, u"Валюта"_s};
    for (int slot : check.leftOut) {
        const ProductRecord &r = catalogue.at(slot);
        view.leftOut << QStringList{r.Name, QString::number(r.DN), figure(r.Qmin),
                                    Price(MoneyOfPrice(r.Price), separator), CurrencyCode(CurrencyOfSlot(slot))};
    }
    view.refusedCaptions = {u"Строка"_s, u"Обозначение"_s, u"Причина"_s};
    for (const PriceListRefusal &r : check.refused)
        view.refused << QStringList{QString::number(r.line), r.designation, r.reason};
    return view;
}
