#pragma once

#include "core/catalogue/price_list_check.h"

#include <QList>
#include <QString>
#include <QStringList>

class ProductCatalogue;

// What the price-list check window shows of a list read from `path`, before anything
// changes: a summary of the file and of what it would do, a verdict (what "Применить"
// does, or which lines to mend first), and four tables.
struct PriceListCheckView {
    QString title;
    QString summary;
    QString verdict;
    bool applicable = false;
    QStringList changeCaptions;  // Строка, Обозначение, Ду, Qmin, Было, Станет, Валюта
    QList<QStringList> changes;
    QStringList unknownCaptions; // Строка, Обозначение, Цена, Примечание
    QList<QStringList> unknown;
    QStringList leftOutCaptions; // Обозначение, Ду, Qmin, Цена, Валюта
    QList<QStringList> leftOut;
    QStringList refusedCaptions; // Строка, Обозначение, Причина
    QList<QStringList> refused;
};

PriceListCheckView PriceListCheckTexts(const QString &path, const PriceListFile &file, const PriceListCheck &check,
                                       const ProductCatalogue &catalogue, QChar separator);

// "5, 9 и 14".
QString LineList(const std::vector<int> &lines);

// One refusal as the batch program reports it: "строка 7 («ZAM G40»): цена «-5» отрицательная".
QString RefusalText(const PriceListRefusal &refusal);
