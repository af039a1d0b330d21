#pragma once

#include "core/catalogue/price_list_texts.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

// What a loaded price list would do, before anything changes: a summary, the verdict,
// and four tabs: the prices it changes (old and new), the designations the catalogue
// lacks, the products it leaves out (they keep their price) and the rows it refuses,
// each with its line. "Применить" is offered only when no row was refused.
class PriceListCheckWindow : public QWidget {
    Q_OBJECT
public:
    explicit PriceListCheckWindow(QWidget *parent = nullptr);

    QLabel *PriceListCheckSummary;
    QLabel *PriceListCheckVerdict;
    QTabWidget *PriceListCheckTabs;
    QTableWidget *PriceListChangesTable, *PriceListUnknownTable, *PriceListLeftOutTable, *PriceListRefusedTable;
    QPushButton *PriceListApplyButton;
    QPushButton *PriceListCloseButton;

    void showCheck(const PriceListCheckView &view);

signals:
    void applyRequested();
};
