// One-off: writes the catalogue that ProductCatalogue::Fill() places today as
//   data/catalogue/catalogue.csv                  the product table the program reads, and
//   tests/core/catalogue/data/catalogue-before.tsv every used slot's fields, each double in
//                                                 its shortest exact form, for the test that
//                                                 pins the table to what the program used.
//   dump-catalogue <table.csv> <reference.tsv>
// Build: c++ -std=c++20 -fPIC -Isrc tools/dump-catalogue.cpp build/default/src/core/libgascore.a $(pkg-config --cflags --libs Qt6Core)

#include "core/catalogue/catalogue.h"
#include "core/input/number_text.h"
#include "core/pricing/money.h"

#include <QFile>

#include <charconv>
#include <cstdio>

namespace {

QString Exact(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

bool Write(const char *path, const QString &text)
{
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = text.toUtf8();
    return file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: dump-catalogue <table.csv> <reference.tsv>\n");
        return 2;
    }
    ProductCatalogue catalogue;
    catalogue.Fill();

    QString table = QStringLiteral("Прайс-лист;Встроенный прайс-лист\nДата;\n"
                                   "Позиция;Обозначение;Ду, мм;Pmin, бар;Pmax, бар;Qmax, м³/ч;Qmin, м³/ч;Цена без НДС\n");
    QString reference;
    for (int slot = ProductCatalogue::FirstSlot; slot <= ProductCatalogue::LastSlot; ++slot) {
        const ProductRecord &r = catalogue.at(slot);
        if (r.isEmpty())
            continue;
        const auto number = [](double v) { return WriteNumber(v, u'.'); };
        table += QStringList{QString::number(slot), r.Name, QString::number(r.DN), number(r.Pmin), number(r.Pmax),
                             number(r.Qmax), number(r.Qmin), MoneyText(MoneyOfPrice(r.Price))}
                     .join(u';')
            + u'\n';
        reference += QStringList{QString::number(slot), r.Name, QString::number(r.DN), Exact(r.Pmin), Exact(r.Pmax),
                                 Exact(r.Qmax), Exact(r.Qmin), Exact(r.Price)}
                         .join(u'\t')
            + u'\n';
    }
    if (!Write(argv[1], table) || !Write(argv[2], reference)) {
        std::fprintf(stderr, "dump-catalogue: cannot write\n");
        return 1;
    }
    return 0;
}
