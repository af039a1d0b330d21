#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class ProductCatalogue;

// The catalogue window's table: one row a product with its line (the category as the
// main window names it and the family as its choice dialog does), its figures, its
// price and currency; the lines to filter by; the rows as they are copied and saved.

enum class CatalogueColumn { Category, Family, Designation, Dn, Pmin, Pmax, Qmax, Qmin, Price, Currency, Count };
inline constexpr int CatalogueColumnCount = static_cast<int>(CatalogueColumn::Count);

QStringList CatalogueCaptions();
// The columns of figures, sorted as numbers.
bool CatalogueColumnIsNumber(CatalogueColumn column);

struct CatalogueRowView {
    int slot = 0;
    int mode = 0;
    int family = 0;
    QStringList cells;                            // as shown: the price grouped, 0 as "договорная"
    QStringList plain;                            // as copied and saved: figures ungrouped
    std::array<double, CatalogueColumnCount> numbers{}; // what the number columns sort by
};

// Every product, in slot order, with the figures in `separator`.
std::vector<CatalogueRowView> CatalogueRows(const ProductCatalogue &catalogue, QChar separator);

// The choices of the line filter: every product, then each category and its families.
struct CatalogueLineChoice {
    QString caption;
    int mode = 0;    // 0: every product
    int family = -1; // -1: the whole category
};
std::vector<CatalogueLineChoice> CatalogueLineChoices();

// Whether the row is shown for the typed text (found in its designation or its
// family, in any case, blanks around it ignored) and the chosen line.
bool CatalogueRowShown(const CatalogueRowView &row, const QString &text, const CatalogueLineChoice &line);

// The rows as a CSV file (UTF-8, `;`) under the captions.
QByteArray CatalogueRowsCsv(const QList<QStringList> &rows);
