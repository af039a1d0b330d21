#include "ui/catalogue/catalogue_window.h"

#include "core/selection/result_table_text.h"
#include "ui/catalogue/catalogue_model.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <set>

CatalogueWindow::CatalogueWindow(QWidget *parent)
    : QWidget(parent, Qt::Window), model_(new CatalogueModel(this)), filter_(new CatalogueFilter(this)),
      lines_(CatalogueLineChoices())
{
    setObjectName(QStringLiteral("CatalogueWindow"));
    setWindowTitle(QStringLiteral("Каталог изделий"));
    resize(1280, 620);

    CataloguePriceListLabel = new QLabel(this);
    CataloguePriceListLabel->setObjectName(QStringLiteral("CataloguePriceListLabel"));
    CatalogueFilterEdit = new QLineEdit(this);
    CatalogueFilterEdit->setObjectName(QStringLiteral("CatalogueFilterEdit"));
    CatalogueFilterEdit->setPlaceholderText(QStringLiteral("Обозначение или линейка"));
    CatalogueFilterEdit->setClearButtonEnabled(true);
    CatalogueLineBox = new QComboBox(this);
    CatalogueLineBox->setObjectName(QStringLiteral("CatalogueLineBox"));
    for (const CatalogueLineChoice &line : lines_)
        CatalogueLineBox->addItem(line.caption);
    CatalogueLineBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    filter_->setSourceModel(model_);
    filter_->setSortRole(CatalogueModel::SortRole);
    filter_->setSortLocaleAware(true);
    filter_->setSortCaseSensitivity(Qt::CaseInsensitive);
    CatalogueTable = new QTableView(this);
    CatalogueTable->setObjectName(QStringLiteral("CatalogueTable"));
    CatalogueTable->setModel(filter_);
    // Slot order until a header is clicked; a third click on it goes back to that order.
    CatalogueTable->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    CatalogueTable->horizontalHeader()->setSortIndicatorClearable(true);
    CatalogueTable->setSortingEnabled(true);
    CatalogueTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    CatalogueTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    CatalogueTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    CatalogueTable->verticalHeader()->hide();
    CatalogueTable->horizontalHeader()->setStretchLastSection(true);
    CatalogueTable->setWordWrap(false);
    CatalogueTable->verticalHeader()->setDefaultSectionSize(CatalogueTable->fontMetrics().height() + 8);

    CatalogueCopyAction = new QAction(QStringLiteral("Копировать"), this);
    CatalogueCopyAction->setObjectName(QStringLiteral("CatalogueCopyAction"));
    CatalogueCopyAction->setShortcut(QKeySequence::Copy);
    CatalogueCopyAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    CatalogueTable->addAction(CatalogueCopyAction);
    CatalogueTable->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(CatalogueCopyAction, &QAction::triggered, this, &CatalogueWindow::copySelected);

    CatalogueCountLabel = new QLabel(this);
    CatalogueCountLabel->setObjectName(QStringLiteral("CatalogueCountLabel"));
    CatalogueSaveButton = new QPushButton(QStringLiteral("Сохранить..."), this);
    CatalogueSaveButton->setObjectName(QStringLiteral("CatalogueSaveButton"));
    connect(CatalogueSaveButton, &QPushButton::clicked, this, &CatalogueWindow::saveRequested);

    auto *filters = new QHBoxLayout;
    auto *find = new QLabel(QStringLiteral("Найти:"), this);
    find->setBuddy(CatalogueFilterEdit);
    auto *line = new QLabel(QStringLiteral("Линейка:"), this);
    line->setBuddy(CatalogueLineBox);
    filters->addWidget(find);
    filters->addWidget(CatalogueFilterEdit, 1);
    filters->addWidget(line);
    filters->addWidget(CatalogueLineBox);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(CatalogueCountLabel, 1);
    bottom->addWidget(CatalogueSaveButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(CataloguePriceListLabel);
    layout->addLayout(filters);
    layout->addWidget(CatalogueTable, 1);
    layout->addLayout(bottom);

    connect(CatalogueFilterEdit, &QLineEdit::textChanged, this, &CatalogueWindow::refilter);
    connect(CatalogueLineBox, &QComboBox::currentIndexChanged, this, &CatalogueWindow::refilter);
}

void CatalogueWindow::showCatalogue(std::vector<CatalogueRowView> rows, const QString &priceList)
{
    CataloguePriceListLabel->setText(QStringLiteral("Прайс-лист: ") + priceList);
    const bool first = model_->rowCount() == 0;
    model_->setRows(std::move(rows));
    if (first) {
        CatalogueTable->resizeColumnsToContents();
        // The long captions of the line give way to the figures.
        CatalogueTable->setColumnWidth(int(CatalogueColumn::Category),
                                       qMin(CatalogueTable->columnWidth(int(CatalogueColumn::Category)), 180));
        CatalogueTable->setColumnWidth(int(CatalogueColumn::Family),
                                       qMin(CatalogueTable->columnWidth(int(CatalogueColumn::Family)), 220));
    }
    refilter();
}

void CatalogueWindow::refilter()
{
    const int chosen = qMax(0, CatalogueLineBox->currentIndex());
    filter_->setFilter(CatalogueFilterEdit->text(), lines_[static_cast<std::size_t>(chosen)]);
    CatalogueCountLabel->setText(QStringLiteral("Показано изделий: %1 из %2").arg(filter_->rowCount()).arg(model_->rowCount()));
}

QList<QStringList> CatalogueWindow::shownRows() const
{
    QList<QStringList> rows;
    for (int row = 0; row < filter_->rowCount(); ++row)
        rows << model_->row(filter_->mapToSource(filter_->index(row, 0)).row()).plain;
    return rows;
}

QString CatalogueWindow::selectedText() const
{
    std::set<int> picked;
    for (const QModelIndex &index : CatalogueTable->selectionModel()->selectedIndexes())
        picked.insert(index.row());
    if (picked.empty())
        for (int row = 0; row < filter_->rowCount(); ++row)
            picked.insert(row);
    QList<QStringList> table{CatalogueCaptions()};
    for (int row : picked)
        table << model_->row(filter_->mapToSource(filter_->index(row, 0)).row()).plain;
    return ResultTableText(table);
}

void CatalogueWindow::copySelected()
{
    QGuiApplication::clipboard()->setText(selectedText());
}
