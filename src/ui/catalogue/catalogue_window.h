#pragma once

#include "core/catalogue/catalogue_rows.h"

#include <QList>
#include <QStringList>
#include <QWidget>

#include <vector>

class CatalogueFilter;
class CatalogueModel;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// The catalogue window: every product with its line, figures, price and currency,
// under the name of the price list in force; filtered by a text and by a line,
// sorted by any column, the selected rows copied as tab-separated text (Ctrl+C), the
// shown rows saved by "Сохранить...".
class CatalogueWindow : public QWidget {
    Q_OBJECT
public:
    explicit CatalogueWindow(QWidget *parent = nullptr);

    QLabel *CataloguePriceListLabel; // "Прайс-лист: «...» от ..."
    QLineEdit *CatalogueFilterEdit;
    QComboBox *CatalogueLineBox;
    QTableView *CatalogueTable;
    QLabel *CatalogueCountLabel;     // "Показано изделий: 115 из 558"
    QAction *CatalogueCopyAction;    // "Копировать", Ctrl+C
    QPushButton *CatalogueSaveButton;

    // The products and the title of the price list they are priced by; the filter,
    // the sorting and the selection stay.
    void showCatalogue(std::vector<CatalogueRowView> rows, const QString &priceList);
    // The shown rows, in the order shown, as they are copied and saved.
    QList<QStringList> shownRows() const;
    // The selected rows (all shown rows when none is) under the captions, as the
    // clipboard gets them.
    QString selectedText() const;
    void copySelected();

signals:
    void saveRequested();

private:
    void refilter();

    CatalogueModel *model_;
    CatalogueFilter *filter_;
    std::vector<CatalogueLineChoice> lines_;
};
