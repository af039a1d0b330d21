#pragma once

#include "core/catalogue/currency.h"
#include "core/catalogue/price_list_info.h"
#include "core/input/text_encoding.h"
#include "core/pricing/money.h"

#include <QByteArrayView>
#include <QDate>
#include <QString>

#include <optional>
#include <vector>

// A price list as the maker sends it and a spreadsheet on a Russian desktop saves it:
// UTF-8 (with or without its mark) or Windows-1251; fields by `;`, `,` or the tab,
// whichever the header row uses; quotes by RFC 4180. The header is the first row with
// a designation column ("Обозначение", "Наименование", "Номенклатура", "Изделие") and
// a price without VAT ("Цена без НДС", "Цена", "Стоимость"; a price with VAT is never
// taken); optional columns "Валюта", "Ду" and "Qmin" tell the currency and which of
// the products of one designation a row prices. Rows above the header may name the
// list ("Прайс-лист;<name>", or a title) and its date ("Дата;01.03.2025", or a date in
// the title).

struct PriceListRow {
    int line = 0;            // where the row starts in the file, from 1
    QString designation;     // trimmed
    QString priceText;       // as written
    std::optional<Money> price; // without VAT, to the kopeck; none when refused or blank
    bool blankPrice = false; // the price cell is empty (a heading where nothing matches)
    std::optional<Currency> currency;
    std::optional<int> dn;
    std::optional<double> qmin;
    QString refusal;         // why the row cannot be taken as written; empty when it can
};

struct PriceListFile {
    PriceListInfo info;      // name and date from the file, else the fallbacks given
    TextEncoding encoding = TextEncoding::Utf8;
    QChar separator = u';';
    std::vector<PriceListRow> rows;  // the rows under the header with anything in them
    QString error;           // the file as a whole refused, with its line; rows empty
    bool ok() const { return error.isEmpty(); }
};

// Reads the list; `name` and `date` stand where the file names none (the file's base
// name and modification date).
PriceListFile ReadPriceList(QByteArrayView bytes, const QString &name, const QDate &date);

// A price as a spreadsheet writes it: blanks or no-break spaces between the thousands,
// either decimal separator, at most two decimals; "договорная" is 0. Nothing for
// anything else, with the reason.
std::optional<Money> ReadPriceText(const QString &text, QString *why);

// A currency as written: RUB, руб., ₽ or EUR, евро, € in any case; nothing otherwise.
std::optional<Currency> ReadCurrencyText(const QString &text);
