#include "ui/project/project_window.h"

#include "core/input/number_text.h"
#include "core/pricing/priced_list_texts.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int ChoicesRole = Qt::UserRole + 1;

bool Editable(ProjectColumn column)
{
    return column == ProjectColumn::Id || column == ProjectColumn::Quantity
        || column == ProjectColumn::Note || column == ProjectColumn::Product;
}

// The product cell is edited with a list of the point's possible rows.
class ChoiceDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        auto *box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("ProjectChoiceBox"));
        box->addItems(index.data(ChoicesRole).toStringList());
        return box;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *box = static_cast<QComboBox *>(editor);
        box->setCurrentIndex(box->findText(index.data(Qt::EditRole).toString()));
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        const QString chosen = static_cast<QComboBox *>(editor)->currentText();
        if (!chosen.isEmpty())
            model->setData(index, chosen, Qt::EditRole);
    }
};

QPushButton *Button(QWidget *parent, const QString &name, const QString &text)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

ProjectWindow::ProjectWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("ProjectWindow"));
    showTitle(QStringLiteral("Новый проект"), false);
    resize(1100, 480);

    ProjectTable = new QTableWidget(0, static_cast<int>(ProjectColumn::Count), this);
    ProjectTable->setObjectName(QStringLiteral("ProjectTable"));
    ProjectTable->setHorizontalHeaderLabels(ProjectColumnCaptions());
    ProjectTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    ProjectTable->setSelectionMode(QAbstractItemView::SingleSelection);
    ProjectTable->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                  | QAbstractItemView::AnyKeyPressed);
    ProjectTable->verticalHeader()->hide();
    ProjectTable->horizontalHeader()->setStretchLastSection(true);
    ProjectTable->setItemDelegateForColumn(static_cast<int>(ProjectColumn::Product),
                                           new ChoiceDelegate(ProjectTable));

    ProjectRemoveButton = Button(this, QStringLiteral("ProjectRemoveButton"), QStringLiteral("Удалить"));
    ProjectUpButton = Button(this, QStringLiteral("ProjectUpButton"), QStringLiteral("Вверх"));
    ProjectDownButton = Button(this, QStringLiteral("ProjectDownButton"), QStringLiteral("Вниз"));
    ProjectShowButton = Button(this, QStringLiteral("ProjectShowButton"), QStringLiteral("Показать"));
    ProjectResizeButton = Button(this, QStringLiteral("ProjectResizeButton"), QStringLiteral("Пересчитать все"));
    ProjectImportButton = Button(this, QStringLiteral("ProjectImportButton"), QStringLiteral("Импорт таблицы точек..."));
    ProjectExportButton = Button(this, QStringLiteral("ProjectExportButton"), QStringLiteral("Экспорт таблицы точек..."));
    ProjectUndoButton = Button(this, QStringLiteral("ProjectUndoButton"), QStringLiteral("Отменить"));
    ProjectRedoButton = Button(this, QStringLiteral("ProjectRedoButton"), QStringLiteral("Повторить"));
    ProjectUndoAction = nullptr;
    ProjectRedoAction = nullptr;
    ProjectStatus = new QLabel(this);
    ProjectStatus->setObjectName(QStringLiteral("ProjectStatus"));
    ProjectStatus->setWordWrap(true);
    ProjectProgress = new QProgressBar(this);
    ProjectProgress->setObjectName(QStringLiteral("ProjectProgress"));
    ProjectProgress->setFormat(QStringLiteral("Пересчет точек: %v из %m"));
    ProjectProgress->hide();

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {ProjectRemoveButton, ProjectUpButton, ProjectDownButton, ProjectShowButton,
                           ProjectResizeButton})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(ProjectImportButton);
    buttons->addWidget(ProjectExportButton);
    buttons->addStretch();
    buttons->addWidget(ProjectUndoButton);
    buttons->addWidget(ProjectRedoButton);
    auto *pointsPage = new QWidget(this);
    pointsPage->setObjectName(QStringLiteral("ProjectPointsPage"));
    auto *pointsLayout = new QVBoxLayout(pointsPage);
    pointsLayout->addWidget(ProjectTable);
    pointsLayout->addWidget(ProjectProgress);
    pointsLayout->addWidget(ProjectStatus);
    pointsLayout->addLayout(buttons);

    auto *pricedPage = new QWidget(this);
    pricedPage->setObjectName(QStringLiteral("PricedListPage"));
    SpecificationTable = new QTableWidget(0, static_cast<int>(PricedListColumn::Count), pricedPage);
    SpecificationTable->setObjectName(QStringLiteral("SpecificationTable"));
    SpecificationTable->setHorizontalHeaderLabels(PricedListCaptions());
    SpecificationTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SpecificationTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    SpecificationTable->verticalHeader()->hide();
    SpecificationTable->horizontalHeader()->setStretchLastSection(true);
    PricedListTotals = new QLabel(pricedPage);
    PricedListTotals->setObjectName(QStringLiteral("PricedListTotals"));
    PricedListTotals->setWordWrap(true);
    PricedListTotals->setTextInteractionFlags(Qt::TextSelectableByMouse);
    PricingSettingsButton = Button(pricedPage, QStringLiteral("PricingSettingsButton"),
                                         QStringLiteral("Ставки НДС и курс евро..."));
    auto *pricedButtons = new QHBoxLayout;
    pricedButtons->addWidget(PricingSettingsButton);
    pricedButtons->addStretch();
    auto *pricedLayout = new QVBoxLayout(pricedPage);
    pricedLayout->addWidget(SpecificationTable);
    pricedLayout->addWidget(PricedListTotals);
    pricedLayout->addLayout(pricedButtons);

    ProjectTabs = new QTabWidget(this);
    ProjectTabs->setObjectName(QStringLiteral("ProjectTabs"));
    ProjectTabs->addTab(pointsPage, QStringLiteral("Точки"));
    ProjectTabs->addTab(pricedPage, QStringLiteral("Спецификация"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ProjectTabs);
    connect(PricingSettingsButton, &QPushButton::clicked, this,
            &ProjectWindow::pricingSettingsRequested);

    connect(ProjectTable, &QTableWidget::itemChanged, this, &ProjectWindow::cellEdited);
    connect(ProjectTable, &QTableWidget::itemSelectionChanged, this, &ProjectWindow::updateButtons);
    connect(ProjectRemoveButton, &QPushButton::clicked, this, [this] { emit removeRequested(currentPoint()); });
    connect(ProjectUpButton, &QPushButton::clicked, this, [this] { emit moveRequested(currentPoint(), -1); });
    connect(ProjectDownButton, &QPushButton::clicked, this, [this] { emit moveRequested(currentPoint(), 1); });
    connect(ProjectShowButton, &QPushButton::clicked, this, [this] { emit showRequested(currentPoint()); });
    connect(ProjectResizeButton, &QPushButton::clicked, this, &ProjectWindow::resizeAllRequested);
    connect(ProjectImportButton, &QPushButton::clicked, this, &ProjectWindow::importRequested);
    connect(ProjectExportButton, &QPushButton::clicked, this, &ProjectWindow::exportRequested);
    updateButtons();
}

void ProjectWindow::setUndoStack(QUndoStack &stack)
{
    ProjectUndoAction = stack.createUndoAction(this, QStringLiteral("Отменить"));
    ProjectUndoAction->setObjectName(QStringLiteral("ProjectUndoAction"));
    ProjectUndoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    ProjectRedoAction = stack.createRedoAction(this, QStringLiteral("Повторить"));
    ProjectRedoAction->setObjectName(QStringLiteral("ProjectRedoAction"));
    ProjectRedoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    addAction(ProjectUndoAction);
    addAction(ProjectRedoAction);
    connect(ProjectUndoButton, &QPushButton::clicked, ProjectUndoAction, &QAction::trigger);
    connect(ProjectRedoButton, &QPushButton::clicked, ProjectRedoAction, &QAction::trigger);
    const auto follow = [this] {
        ProjectUndoButton->setEnabled(ProjectUndoAction->isEnabled());
        ProjectRedoButton->setEnabled(ProjectRedoAction->isEnabled());
    };
    connect(ProjectUndoAction, &QAction::changed, this, follow);
    connect(ProjectRedoAction, &QAction::changed, this, follow);
    follow();
}

void ProjectWindow::showProgress(qsizetype done, qsizetype total)
{
    if (done >= total) {
        ProjectProgress->hide();
        return;
    }
    ProjectProgress->setRange(0, int(total));
    ProjectProgress->setValue(int(done)); // a progress bar paints a new value at once
    if (!isVisible() || !ProjectProgress->isHidden())
        return;
    // Shown (which lays the page out at once) and painted now: no event is handled
    // before the sizing ends.
    ProjectProgress->show();
    repaint();
}

void ProjectWindow::showRows(const std::vector<ProjectRowView> &rows, const std::vector<QStringList> &choices)
{
    const int current = currentPoint();
    filling_ = true;
    choices_ = choices;
    ProjectTable->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const ProjectRowView &view = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < view.cells.size(); ++c) {
            auto *item = new QTableWidgetItem(view.cells[c]);
            const auto column = static_cast<ProjectColumn>(c);
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (Editable(column))
                flags |= Qt::ItemIsEditable;
            item->setFlags(flags);
            if (column == ProjectColumn::Product)
                item->setData(ChoicesRole, choices.at(static_cast<std::size_t>(r)));
            if (column == ProjectColumn::Note)
                item->setToolTip(view.cells[c]);
            if ((view.choiceLost || view.refused)
                && (column == ProjectColumn::Product || column == ProjectColumn::Note))
                item->setForeground(QColor(0x80, 0, 0));
            ProjectTable->setItem(r, c, item);
        }
    }
    filling_ = false;
    fitColumns();
    if (current >= 0 && current < ProjectTable->rowCount())
        selectPoint(current);
    updateButtons();
}

void ProjectWindow::showPricedList(const PricedList &pricedList)
{
    const QChar separator = LocaleDecimalSeparator();
    SpecificationTable->setRowCount(static_cast<int>(pricedList.rows.size()));
    for (int r = 0; r < static_cast<int>(pricedList.rows.size()); ++r) {
        const QStringList cells = PricedListCells(pricedList.rows[static_cast<std::size_t>(r)], separator);
        for (int c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            const auto column = static_cast<PricedListColumn>(c);
            if (column != PricedListColumn::Name && column != PricedListColumn::Points
                && column != PricedListColumn::Currency)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (column == PricedListColumn::Points)
                item->setToolTip(cells[c]);
            SpecificationTable->setItem(r, c, item);
        }
    }
    const bool roubles = ShowsRoubles(pricedList);
    SpecificationTable->setColumnHidden(static_cast<int>(PricedListColumn::AmountRub), !roubles);
    SpecificationTable->setColumnHidden(static_cast<int>(PricedListColumn::VatRub), !roubles);
    SpecificationTable->resizeColumnsToContents();
    PricedListTotals->setText(PricedListTotalLines(pricedList, separator).join(u'\n'));
}

void ProjectWindow::fitColumns()
{
    // Each column as wide as its texts (a large project: as its first rows), the
    // long captions cut at a width; the note takes the rest of the window.
    QHeaderView *header = ProjectTable->horizontalHeader();
    header->setResizeContentsPrecision(200);
    ProjectTable->resizeColumnsToContents();
    for (ProjectColumn column : {ProjectColumn::Id, ProjectColumn::Category, ProjectColumn::Product})
        header->resizeSection(int(column), std::min(header->sectionSize(int(column)), 220));
}

void ProjectWindow::showTitle(const QString &name, bool modified)
{
    setWindowTitle(QStringLiteral("Проект — %1%2").arg(name, modified ? QStringLiteral("*") : QString()));
}

void ProjectWindow::showRefusal(const QString &why)
{
    ProjectStatus->setText(why);
}

int ProjectWindow::currentPoint() const
{
    const QList<QTableWidgetItem *> selected = ProjectTable->selectedItems();
    return selected.isEmpty() ? -1 : selected.front()->row();
}

void ProjectWindow::selectPoint(int index)
{
    if (index >= 0 && index < ProjectTable->rowCount())
        ProjectTable->selectRow(index);
    else
        ProjectTable->clearSelection();
}

void ProjectWindow::cellEdited(QTableWidgetItem *item)
{
    if (filling_)
        return;
    ProjectStatus->clear();
    // The table is filled again from the project after the edit: not inside the item's
    // own signal.
    const int row = item->row();
    const auto column = static_cast<ProjectColumn>(item->column());
    const QString text = item->text();
    QMetaObject::invokeMethod(this, [this, row, column, text] { emit editRequested(row, column, text); },
                              Qt::QueuedConnection);
}

void ProjectWindow::updateButtons()
{
    const int current = currentPoint();
    const int count = ProjectTable->rowCount();
    for (QPushButton *b : {ProjectRemoveButton, ProjectShowButton})
        b->setEnabled(current >= 0);
    ProjectUpButton->setEnabled(current > 0);
    ProjectDownButton->setEnabled(current >= 0 && current + 1 < count);
    ProjectResizeButton->setEnabled(count > 0);
    ProjectExportButton->setEnabled(count > 0);
}
