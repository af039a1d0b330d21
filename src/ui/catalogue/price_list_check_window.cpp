#include "ui/catalogue/price_list_check_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidget *Table(QWidget *parent, const QString &name)
{
    auto *table = new QTableWidget(parent);
    table->setObjectName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setWordWrap(false);
    return table;
}

void Fill(QTableWidget *table, const QStringList &captions, const QList<QStringList> &rows)
{
    table->clear();
    table->setColumnCount(int(captions.size()));
    table->setHorizontalHeaderLabels(captions);
    table->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c) {
            auto *item = new QTableWidgetItem(rows[r][c]);
            item->setToolTip(rows[r][c]);
            table->setItem(r, c, item);
        }
    // The last column takes what is left; the others fit their texts.
    for (int c = 0; c + 1 < table->columnCount(); ++c)
        table->resizeColumnToContents(c);
}

} // namespace

PriceListCheckWindow::PriceListCheckWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("PriceListCheckWindow"));
    setWindowTitle(QStringLiteral("Проверка прайс-листа"));
    resize(900, 560);

    PriceListCheckSummary = new QLabel(this);
    PriceListCheckSummary->setObjectName(QStringLiteral("PriceListCheckSummary"));
    PriceListCheckSummary->setWordWrap(true);
    PriceListCheckSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    PriceListCheckVerdict = new QLabel(this);
    PriceListCheckVerdict->setObjectName(QStringLiteral("PriceListCheckVerdict"));
    PriceListCheckVerdict->setWordWrap(true);
    QFont bold = PriceListCheckVerdict->font();
    bold.setBold(true);
    PriceListCheckVerdict->setFont(bold);

    PriceListCheckTabs = new QTabWidget(this);
    PriceListCheckTabs->setObjectName(QStringLiteral("PriceListCheckTabs"));
    PriceListChangesTable = Table(this, QStringLiteral("PriceListChangesTable"));
    PriceListUnknownTable = Table(this, QStringLiteral("PriceListUnknownTable"));
    PriceListLeftOutTable = Table(this, QStringLiteral("PriceListLeftOutTable"));
    PriceListRefusedTable = Table(this, QStringLiteral("PriceListRefusedTable"));
    // The reasons and notes are read whole: their rows grow to hold them.
    for (QTableWidget *table : {PriceListUnknownTable, PriceListRefusedTable}) {
        table->setWordWrap(true);
        table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    }
    for (QTableWidget *table : {PriceListChangesTable, PriceListUnknownTable, PriceListLeftOutTable,
                                PriceListRefusedTable})
        PriceListCheckTabs->addTab(table, QString());

    PriceListApplyButton = new QPushButton(QStringLiteral("Применить"), this);
    PriceListApplyButton->setObjectName(QStringLiteral("PriceListApplyButton"));
    PriceListCloseButton = new QPushButton(QStringLiteral("Закрыть"), this);
    PriceListCloseButton->setObjectName(QStringLiteral("PriceListCloseButton"));
    connect(PriceListApplyButton, &QPushButton::clicked, this, &PriceListCheckWindow::applyRequested);
    connect(PriceListCloseButton, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(PriceListApplyButton);
    buttons->addWidget(PriceListCloseButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PriceListCheckSummary);
    layout->addWidget(PriceListCheckTabs, 1);
    layout->addWidget(PriceListCheckVerdict);
    layout->addLayout(buttons);
}

void PriceListCheckWindow::showCheck(const PriceListCheckView &view)
{
    setWindowTitle(view.title);
    PriceListCheckSummary->setText(view.summary);
    PriceListCheckVerdict->setText(view.verdict);
    Fill(PriceListChangesTable, view.changeCaptions, view.changes);
    Fill(PriceListUnknownTable, view.unknownCaptions, view.unknown);
    Fill(PriceListLeftOutTable, view.leftOutCaptions, view.leftOut);
    Fill(PriceListRefusedTable, view.refusedCaptions, view.refused);
    PriceListCheckTabs->setTabText(0, QStringLiteral("Изменения цен (%1)").arg(view.changes.size()));
    PriceListCheckTabs->setTabText(1, QStringLiteral("Нет в каталоге (%1)").arg(view.unknown.size()));
    PriceListCheckTabs->setTabText(2, QStringLiteral("Не указаны в файле (%1)").arg(view.leftOut.size()));
    PriceListCheckTabs->setTabText(3, QStringLiteral("Отклонённые строки (%1)").arg(view.refused.size()));
    // The refused rows are what must be mended first.
    PriceListCheckTabs->setCurrentIndex(view.applicable ? 0 : 3);
    PriceListApplyButton->setEnabled(view.applicable);
    PriceListApplyButton->setDefault(view.applicable);
}
