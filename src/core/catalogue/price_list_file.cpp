#include "core/catalogue/price_list_file.h"

#include "core/catalogue/delimited_text.h"
#include "core/input/number_text.h"

#include <QRegularExpression>

#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The header is looked for among the first lines only.
constexpr int HeaderSearchLines = 50;
constexpr double MaxBore = 10000;

// A header caption as compared: lower case, blanks made one, "ё" as "е".
QString Caption(const QString &text)
{
    return text.simplified().toLower().replace(u'ё', u'е');
}

// The caption up to its unit: "ду, мм" -> "ду", "qmin (м3/ч)" -> "qmin".
QString Stem(const QString &caption)
{
    qsizetype end = caption.size();
    for (const QChar c : {u',', u'('}) {
        const qsizetype at = caption.indexOf(c);
        if (at >= 0 && at < end)
            end = at;
    }
    return caption.left(end).trimmed();
}

bool IsDesignation(const QString &caption)
{
    const QString stem = Stem(caption);
    for (const QString &word : {u"обозначение"_s, u"наименование"_s, u"номенклатура"_s, u"изделие"_s})
        if (stem == word || stem.startsWith(word + u' '))
            return !stem.contains(u"прайс"_s);
    return false;
}

// 0: no price; 1: a price with nothing said of VAT; 2: said to be without VAT
// ("без НДС", "без учета НДС"); -1: a price with VAT ("с НДС", "в т.ч. НДС").
int PriceKind(const QString &caption)
{
    if (!caption.startsWith(u"цена"_s) && !caption.startsWith(u"стоимость"_s))
        return 0;
    if (caption.contains(u"ндс"_s))
        return caption.contains(u"без"_s) ? 2 : -1;
    return 1;
}

struct Columns {
    int designation = -1;
    int price = -1;
    int currency = -1;
    int dn = -1;
    int qmin = -1;
    bool priceWithVatOnly = false;
};

Columns FindColumns(const QStringList &cells)
{
    Columns c;
    int priceKind = 0;
    bool preferred = false; // "Обозначение" before "Наименование"
    bool withVat = false;
    for (int i = 0; i < cells.size(); ++i) {
        const QString caption = Caption(cells[i]);
        const QString stem = Stem(caption);
        if (IsDesignation(caption)) {
            const bool designation = stem.startsWith(u"обозначение"_s);
            if (c.designation < 0 || (designation && !preferred)) {
                c.designation = i;
                preferred = designation;
            }
        } else if (const int kind = PriceKind(caption); kind > priceKind) {
            c.price = i;
            priceKind = kind;
        } else if (kind < 0) {
            withVat = true;
        } else if (stem == u"валюта"_s && c.currency < 0) {
            c.currency = i;
        } else if ((stem == u"ду"_s || stem == u"dn"_s || stem == u"ду мм"_s || stem == u"условный проход"_s)
                   && c.dn < 0) {
            c.dn = i;
        } else if (stem.startsWith(u"qmin"_s) && c.qmin < 0) {
            c.qmin = i;
        }
    }
    c.priceWithVatOnly = c.price < 0 && withVat;
    return c;
}

std::optional<QDate> DateIn(const QString &text)
{
    static const QRegularExpression dotted(u"(?<!\\d)(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})(?!\\d)"_s);
    static const QRegularExpression iso(u"(?<!\\d)(\\d{4})-(\\d{2})-(\\d{2})(?!\\d)"_s);
    if (const QRegularExpressionMatch m = dotted.match(text); m.hasMatch()) {
        const QDate date(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
        if (date.isValid())
            return date;
    }
    if (const QRegularExpressionMatch m = iso.match(text); m.hasMatch()) {
        const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        if (date.isValid())
            return date;
    }
    return std::nullopt;
}

// What the rows above the header say about the list.
struct Preamble {
    QString name, title, source;
    std::optional<QDate> date, dateInTitle;
};

void ReadPreambleRow(const QStringList &cells, Preamble &p)
{
    QStringList filled;
    for (const QString &cell : cells)
        if (!cell.trimmed().isEmpty())
            filled << cell.trimmed();
    if (filled.isEmpty())
        return;
    const QString key = Stem(Caption(filled[0]).remove(u':'));
    const QString value = filled.value(1);
    if (key == u"прайс-лист"_s || key == u"наименование прайс-листа"_s) {
        p.name = value;
    } else if (key == u"дата"_s || key == u"дата прайс-листа"_s || key == u"действует с"_s) {
        p.date = DateIn(value);
    } else if (key == u"источник"_s) {
        p.source = value;
    } else if (key == u"контроль"_s) {
        // the kept copy's checksum, read by its own reader
    } else {
        const QString line = filled.join(u' ');
        if (p.title.isEmpty())
            p.title = line;
        if (!p.dateInTitle)
            p.dateInTitle = DateIn(line);
    }
}

// The separator that splits `line` into a header: `;`, then the tab, then `,`.
std::optional<QChar> HeaderSeparator(const QString &line, bool *withVatOnly)
{
    for (const QChar separator : {u';', u'\t', u','}) {
        const Columns c = FindColumns(SplitDelimitedLine(line, separator));
        if (c.designation >= 0 && c.price >= 0)
            return separator;
        if (c.designation >= 0 && c.priceWithVatOnly)
            *withVatOnly = true;
    }
    return std::nullopt;
}

PriceListFile Refused(PriceListFile file, int line, const QString &why)
{
    file.rows.clear();
    file.error = line > 0 ? u"строка %1: %2"_s.arg(line).arg(why) : why;
    return file;
}

QString Cell(const QStringList &fields, int column)
{
    return column >= 0 && column < fields.size() ? fields[column].trimmed() : QString();
}

std::optional<double> ReadFigure(const QString &text)
{
    if (const std::optional<double> comma = ReadNumber(text, u','))
        return comma;
    return ReadNumber(text, u'.');
}

PriceListRow ReadRow(const DelimitedRecord &record, const Columns &c)
{
    PriceListRow row;
    row.line = record.line;
    row.designation = Cell(record.fields, c.designation);
    row.priceText = Cell(record.fields, c.price);
    const auto refuse = [&row](const QString &why) {
        if (row.refusal.isEmpty())
            row.refusal = why;
    };
    if (row.priceText.isEmpty()) {
        row.blankPrice = true;
        refuse(u"нет цены"_s);
    } else {
        QString why;
        row.price = ReadPriceText(row.priceText, &why);
        if (!row.price)
            refuse(why);
    }
    if (row.designation.isEmpty())
        refuse(u"нет обозначения"_s);
    if (const QString currency = Cell(record.fields, c.currency); !currency.isEmpty()) {
        row.currency = ReadCurrencyText(currency);
        if (!row.currency)
            refuse(u"валюта «%1» не RUB (руб.) и не EUR (евро)"_s.arg(currency));
    }
    if (const QString dn = Cell(record.fields, c.dn); !dn.isEmpty()) {
        const std::optional<double> value = ReadFigure(dn);
        // A bore is a whole number of millimetres, far below what an int holds.
        if (value && *value > 0 && *value <= MaxBore && *value == std::floor(*value))
            row.dn = int(*value);
        else
            refuse(u"Ду «%1» не целое число миллиметров"_s.arg(dn));
    }
    if (const QString qmin = Cell(record.fields, c.qmin); !qmin.isEmpty()) {
        row.qmin = ReadFigure(qmin);
        if (!row.qmin)
            refuse(u"Qmin «%1» не число"_s.arg(qmin));
    }
    return row;
}

bool Blank(const QStringList &fields)
{
    for (const QString &field : fields)
        if (!field.trimmed().isEmpty())
            return false;
    return true;
}

} // namespace

std::optional<Money> ReadPriceText(const QString &text, QString *why)
{
    QString t = text.trimmed();
    if (t.compare(u"договорная"_s, Qt::CaseInsensitive) == 0)
        return Money{0};
    // The thousands a spreadsheet groups by a blank, a no-break or a narrow no-break space.
    static const QRegularExpression grouped(u"(?<=\\d)[ \\x{00A0}\\x{202F}\\x{2009}](?=\\d{3}(\\D|$))"_s);
    t.replace(grouped, QString());
    const std::optional<std::int64_t> kopecks = ReadScaled(t, 2);
    if (!kopecks) {
        static const QRegularExpression longer(u"^[+-]?\\d*[.,]\\d{3,}$"_s);
        *why = longer.match(t).hasMatch() ? u"в цене «%1» больше двух знаков после запятой"_s.arg(text)
                                          : u"цена «%1» не число"_s.arg(text);
        return std::nullopt;
    }
    if (*kopecks < 0) {
        *why = u"цена «%1» отрицательная"_s.arg(text);
        return std::nullopt;
    }
    return Money{*kopecks};
}

std::optional<Currency> ReadCurrencyText(const QString &text)
{
    QString t = Caption(text);
    while (t.endsWith(u'.'))
        t.chop(1);
    for (const QString &r : {u"rub"_s, u"rur"_s, u"руб"_s, u"рубль"_s, u"рубли"_s, u"рублей"_s, u"р"_s, u"₽"_s})
        if (t == r)
            return Currency::Roubles;
    for (const QString &e : {u"eur"_s, u"evr"_s, u"евро"_s, u"€"_s})
        if (t == e)
            return Currency::Euros;
    return std::nullopt;
}

PriceListFile ReadPriceList(QByteArrayView bytes, const QString &name, const QDate &date)
{
    PriceListFile file;
    const DecodedText decoded = DecodeDesktopText(bytes);
    file.encoding = decoded.encoding;

    // The header line and its separator, looked for line by line.
    int headerLine = 0;
    bool withVatOnly = false;
    {
        int line = 0;
        qsizetype from = 0;
        const QString &text = decoded.text;
        while (from <= text.size() && line < HeaderSearchLines) {
            qsizetype end = from;
            while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
                ++end;
            ++line;
            if (const std::optional<QChar> separator = HeaderSeparator(text.mid(from, end - from), &withVatOnly)) {
                file.separator = *separator;
                headerLine = line;
                break;
            }
            if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')
                ++end;
            from = end + 1;
        }
    }
    if (headerLine == 0) {
        if (withVatOnly)
            return Refused(file, 0, u"в файле есть только цена с НДС, а нужна цена без НДС (столбец «Цена без НДС»)"_s);
        return Refused(file, 0, u"не найдена строка заголовка со столбцами «Обозначение» (или «Наименование») "
                                u"и «Цена без НДС» (или «Цена»)"_s);
    }

    const DelimitedText split = SplitDelimited(decoded.text, file.separator);
    if (!split.error.isEmpty())
        return Refused(file, split.errorLine, split.error);
    Preamble preamble;
    Columns columns;
    bool headerSeen = false;
    for (const DelimitedRecord &record : split.records) {
        if (!headerSeen) {
            if (record.line < headerLine) {
                ReadPreambleRow(record.fields, preamble);
                continue;
            }
            if (record.line != headerLine)
                return Refused(file, headerLine, u"строка заголовка внутри поля в кавычках"_s);
            columns = FindColumns(record.fields);
            headerSeen = true;
            continue;
        }
        if (!Blank(record.fields))
            file.rows.push_back(ReadRow(record, columns));
    }
    file.info.name = !preamble.name.isEmpty() ? preamble.name : !preamble.title.isEmpty() ? preamble.title : name;
    file.info.date = preamble.date ? *preamble.date : preamble.dateInTitle ? *preamble.dateInTitle : date;
    file.info.source = preamble.source;
    return file;
}
