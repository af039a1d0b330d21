#include "ui/results/results_window.h"

#include "core/state/app_state.h"
#include "core/selection/candidate_load.h"
#include "core/sizing/conditions_text.h"
#include "ui/results/report_actions.h"
#include "core/selection/result_row.h"
#include "core/selection/result_table_text.h"
#include "core/selection/selection_result.h"
#include "ui/wizard/navigation.h"
#include "core/input/number_text.h"
#include "ui/wizard/wizard_window.h"
#include "ui/project/project_menu.h"

#include <QAction>
#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QShowEvent>
#include <QSet>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>
#include <array>
#include <set>

namespace {
constexpr int kMargin = 5;       // between the panels and around them
constexpr int kTopPanelHeight = 180;
constexpr int kValueLeft = 70;   // where the value labels of the pressure and flow lines start
constexpr int kRowHeight = 20;
constexpr int kPossibleRows = 8; // data rows of the possible-variants grid before it grows
constexpr int kOptimalRows = OptimalGridRowCount;
constexpr int kPossibleIndent = 16; // the possible grid sits a little further right
// Least column widths: those of the original design, the price column as wide
// as the flow columns.
constexpr std::array<int, ResultColumnCount> kDesignWidths = {27, 139, 41, 56, 55, 77, 77, 77};
// Room left on both sides of a cell text.
constexpr int kCellPadding = 8;

// The flow and pressure values are wide enough for any number the writing rule
// produces, up to the right edge of their panel.
int ValueWidth(const QWidget *panel, int left)
{
    return panel->width() - left - 8;
}

void SetCell(QTableWidget *grid, int row, int column, const QString &text,
             const QString &toolTip = QString())
{
    QTableWidgetItem *item = grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        grid->setItem(row, column, item);
    }
    item->setText(text);
    item->setToolTip(toolTip);
    item->setData(Qt::ForegroundRole, QVariant());
}

void ClearRows(QTableWidget *grid, int rows)
{
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < ResultColumnCount; ++column)
            SetCell(grid, row, column, QString());
}

// What a row's tooltip says: how close the product runs to its limits.
QString LoadToolTip(const Candidate &candidate)
{
    const QChar separator = LocaleDecimalSeparator();
    QString tip = QStringLiteral("Загрузка: %1 %; запас по Qmin: %2")
        .arg(LoadText(candidate.loadPercent, separator), MarginText(candidate.qminMargin, separator));
    for (const QString &flag : candidate.flags)
        tip += u'\n' + flag;
    return tip;
}

// The text colour of a row that fails a check: reads as a caution on the yellow window.
QColor CautionColour()
{
    return QColor(0x8b, 0x1a, 0x00);
}

// The design captions of the two fraction numerators.
const QString kQmaxNumerator = QStringLiteral("    Qmax     ");
const QString kQminNumerator = QStringLiteral("     Qmin     ");

void PaintRow(QTableWidget *grid, int row)
{
    for (int column = 0; column < ResultColumnCount; ++column)
        if (QTableWidgetItem *item = grid->item(row, column))
            item->setForeground(CautionColour());
}
} // namespace

TForm2::TForm2(AppState &state)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                               | Qt::WindowCloseButtonHint),
      state_(state)
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Варианты подбора"));
    setFont(Look::DialogFont());

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    Look::Paint(client, Look::Yellow());
    setCentralWidget(client);

    buildInputPanel(client);
    buildWorkingPanel(client);
    buildResultsPanel(client);
    buildMenu();
    ConditionsLine = new QLabel(client);
    ConditionsLine->setObjectName(QStringLiteral("ConditionsLine"));
    ConditionsLine->setWordWrap(true);
    ConditionsLine->hide();
    StatusLine = new QLabel(this);
    StatusLine->setObjectName(QStringLiteral("StatusLine"));
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addWidget(StatusLine, 1);
    PriceListLine = new QLabel(this);
    PriceListLine->setObjectName(QStringLiteral("PriceListLine"));
    statusBar()->addPermanentWidget(PriceListLine);
    PriceListLine->hide();

    FormCreate();
    setPressureLayout(true);
    layout_.later([this] {
        // The grids' width, known once the headers and the catalogue are, decides
        // the width of every panel.
        fitGrids();
        // The panels keep their places when the window is resized; it opens just
        // big enough to show them all.
        resize(Panel3->geometry().right() + 1 + kMargin,
               Panel3->geometry().bottom() + 1 + kMargin + menuBar()->sizeHint().height()
                   + statusBar()->sizeHint().height());
        // Where it first stands: a window that shows it without placing it (the
        // metering-point form) finds it centred on the screen.
        CentreOnScreen(this);
    });
    // The formula captions and the conditions line of a run shown before the first show.
    layout_.later([this] { relayFormula(); });
}

void TForm2::ensureLaidOut()
{
    layout_.run();
}

void TForm2::showEvent(QShowEvent *event)
{
    ensureLaidOut();
    QMainWindow::showEvent(event);
}

void TForm2::FormCreate()
{
    const ResultRow header = ResultHeaderRow();
    for (QTableWidget *grid : {StringGrid2, StringGrid1})
        for (int column = 0; column < ResultColumnCount; ++column)
            grid->horizontalHeaderItem(column)->setText(header[column]);
}

QLabel *TForm2::addLabel(QWidget *panel, const QString &name, const QString &caption, int left,
                         int top)
{
    auto *label = new QLabel(caption, panel);
    label->setObjectName(name);
    label->move(left, top);
    layout_.later([label] { label->adjustSize(); });
    return label;
}

// Value labels start with their name as their text and take its size, whatever
// they show by the time the window is laid out; fitGrids() then stretches them to
// the right edge of their panel.
QLabel *TForm2::addValueLabel(QWidget *panel, const QString &name, int left, int top)
{
    auto *label = new QLabel(name, panel);
    label->setObjectName(name);
    label->move(left, top);
    layout_.later([label, name] {
        const QString shown = label->text();
        label->setText(name);
        label->adjustSize();
        label->setText(shown);
    });
    return label;
}

// `label` at `top`, just right of `before` with `gap` pixels between them.
void TForm2::placeAfter(QLabel *label, const QLabel *before, int gap, int top)
{
    layout_.later([label, before, gap, top] { label->move(before->geometry().right() + gap, top); });
}

void TForm2::buildInputPanel(QWidget *client)
{
    Panel2 = Look::WhitePanel(client, QStringLiteral("Panel2"), QRect(kMargin, kMargin, 0, kTopPanelHeight));

    Label2 = addLabel(Panel2, QStringLiteral("Label2"), QStringLiteral("Исходные данные"), 8, 6);
    Label2->setFont(Look::CaptionFont(true));

    // "н.м" with a raised "3" and "/ч:": normal cubic metres per hour.
    QFont exponent = Look::DialogFont();
    exponent.setPixelSize(8);
    Label3 = addLabel(Panel2, QStringLiteral("Label3"), QStringLiteral("Диапазон расходов, н.м"), 16, 32);
    Label21 = addLabel(Panel2, QStringLiteral("Label21"), QStringLiteral("3"), 0, 29);
    Label21->setFont(exponent);
    placeAfter(Label21, Label3, 1, 29);
    Label167 = addLabel(Panel2, QStringLiteral("Label167"), QStringLiteral("/ч:"), 0, 32);
    placeAfter(Label167, Label21, 1, 32);

    Label160 = addLabel(Panel2, QStringLiteral("Label160"), QStringLiteral("Qmax="), 24, 52);
    Label17 = addValueLabel(Panel2, QStringLiteral("Label17"), kValueLeft, 52);
    Label161 = addLabel(Panel2, QStringLiteral("Label161"), QStringLiteral("Qmin="), 24, 70);
    Label18 = addValueLabel(Panel2, QStringLiteral("Label18"), kValueLeft, 70);

    Label6 = addLabel(Panel2, QStringLiteral("Label6"), QStringLiteral("Диапазон давления"), 16, 122);
    Label7 = addLabel(Panel2, QStringLiteral("Label7"), QStringLiteral("(избыточного), бар:"), 0, 122);
    placeAfter(Label7, Label6, 5, 122);

    // The range lines and the single working pressure line share one place.
    Label14 = addLabel(Panel2, QStringLiteral("Label14"), QStringLiteral("Pmax="), 24, 140);
    Label8 = addValueLabel(Panel2, QStringLiteral("Label8"), kValueLeft, 140);
    Label15 = addLabel(Panel2, QStringLiteral("Label15"), QStringLiteral("Pmin="), 24, 158);
    Label19 = addValueLabel(Panel2, QStringLiteral("Label19"), kValueLeft, 158);
    Label24 = addLabel(Panel2, QStringLiteral("Label24"), QStringLiteral("Рср="), 24, 140);
    Label25 = addValueLabel(Panel2, QStringLiteral("Label25"), kValueLeft, 140);
}

void TForm2::buildWorkingPanel(QWidget *client)
{
    Panel1 = Look::WhitePanel(client, QStringLiteral("Panel1"), QRect(kMargin, kMargin, 0, kTopPanelHeight));

    Label1 = addLabel(Panel1, QStringLiteral("Label1"), QStringLiteral("Рабочие данные"), 8, 6);
    Label1->setFont(Look::CaptionFont(true));

    QFont exponent = Look::DialogFont();
    exponent.setPixelSize(8);
    Label9 = addLabel(Panel1, QStringLiteral("Label9"), QStringLiteral("Диапазон расходов, р.м"), 16, 32);
    Label20 = addLabel(Panel1, QStringLiteral("Label20"), QStringLiteral("3"), 0, 29);
    Label20->setFont(exponent);
    placeAfter(Label20, Label9, 1, 29);
    Label22 = addLabel(Panel1, QStringLiteral("Label22"), QStringLiteral("/ч:"), 0, 32);
    placeAfter(Label22, Label20, 1, 32);

    // The two formula lines: "Qраб max=" Qmax over its denominator "=" value. The
    // numerator is underlined so that the underline is the fraction bar; the
    // fraction is as wide as its widest denominator.
    QFont underlined = Look::DialogFont();
    underlined.setUnderline(true);
    auto formulaLine = [&](int top, QLabel *&start, const QString &startName, const QString &startText,
                           QLabel *&numerator, const QString &numeratorName, const QString &numeratorText,
                           QLabel *&denominator, const QString &denominatorName, QLabel *&equals,
                           const QString &equalsName, QLabel *&value, const QString &valueName) {
        start = addLabel(Panel1, startName, startText, 24, top + 7);
        numerator = addLabel(Panel1, numeratorName, numeratorText, 0, top);
        numerator->setFont(underlined);
        numerator->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        denominator = addValueLabel(Panel1, denominatorName, 0, top + 14);
        denominator->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        equals = addLabel(Panel1, equalsName, QStringLiteral("="), 0, top + 7);
        value = addValueLabel(Panel1, valueName, 0, top + 7);
        const int line = top < 84 ? 0 : 1;
        layout_.later([=, this] {
            const QFontMetrics metrics(Look::DialogFont());
            int denominatorWidth = 0;
            for (const QString &text : {QStringLiteral("Pmin+Patm"), QStringLiteral("Pmax+Patm"),
                                        QStringLiteral("Pср+Patm"), QStringLiteral("Label178")})
                denominatorWidth = std::max(denominatorWidth, metrics.horizontalAdvance(text) + 4);
            const int fractionLeft = 24 + 8
                + std::max(metrics.horizontalAdvance(QStringLiteral("Qраб max=")),
                           metrics.horizontalAdvance(QStringLiteral("Qраб min=")));
            // Measured with the design caption, whatever a run wrote before.
            const QString shown = numerator->text();
            numerator->setText(numeratorText);
            numerator->adjustSize();
            numerator->setText(shown);
            const int fractionWidth = std::max(numerator->width(), denominatorWidth);
            fractionLeft_ = fractionLeft;
            fractionWidth_[line] = fractionWidth;
            formulaTop_[line] = top;
            numerator->setGeometry(fractionLeft, top, fractionWidth, numerator->height());
            denominator->setGeometry(fractionLeft, top + 14, fractionWidth, denominator->height());
            equals->move(fractionLeft + fractionWidth + 4, top + 7);
            value->move(equals->geometry().right() + 6, top + 7);
        });
    };
    formulaLine(50, Label176, QStringLiteral("Label176"), QStringLiteral("Qраб max="), Label177,
                QStringLiteral("Label177"), kQmaxNumerator, Label178,
                QStringLiteral("Label178"), Label179, QStringLiteral("Label179"), Label180,
                QStringLiteral("Label180"));
    formulaLine(84, Label181, QStringLiteral("Label181"), QStringLiteral("Qраб min="), Label182,
                QStringLiteral("Label182"), kQminNumerator, Label183,
                QStringLiteral("Label183"), Label184, QStringLiteral("Label184"), Label185,
                QStringLiteral("Label185"));

    Label10 = addLabel(Panel1, QStringLiteral("Label10"), QStringLiteral("Диапазон давления"), 16, 122);
    Label12 = addLabel(Panel1, QStringLiteral("Label12"), QStringLiteral("(абсолютного), бар:"), 0, 122);
    placeAfter(Label12, Label10, 5, 122);

    Label11 = addLabel(Panel1, QStringLiteral("Label11"), QStringLiteral("Pmax="), 24, 140);
    Label16 = addValueLabel(Panel1, QStringLiteral("Label16"), kValueLeft, 140);
    Label13 = addLabel(Panel1, QStringLiteral("Label13"), QStringLiteral("Pmin="), 24, 158);
    Label23 = addValueLabel(Panel1, QStringLiteral("Label23"), kValueLeft, 158);
    Label27 = addLabel(Panel1, QStringLiteral("Label27"), QStringLiteral("Рср="), 24, 140);
    Label26 = addValueLabel(Panel1, QStringLiteral("Label26"), kValueLeft, 140);
}

QTableWidget *TForm2::makeGrid(QWidget *panel, const QString &name, int dataRows)
{
    auto *grid = new QTableWidget(dataRows, ResultColumnCount, panel);
    grid->setObjectName(name);
    for (int column = 0; column < ResultColumnCount; ++column)
        grid->setHorizontalHeaderItem(column, new QTableWidgetItem);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(kRowHeight);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Several rows can be selected for copying.
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->setWordWrap(false);
    ClearRows(grid, dataRows);
    return grid;
}

void TForm2::buildResultsPanel(QWidget *client)
{
    // The grids are placed and sized by fitGrids().
    Panel3 = Look::WhitePanel(client, QStringLiteral("Panel3"), QRect(kMargin, kMargin + kTopPanelHeight + kMargin, 0, 0));
    QFont title = Look::CaptionFont(true);
    Label5 = addLabel(Panel3, QStringLiteral("Label5"), QStringLiteral("Оптимальные варианты:"), 8, 6);
    Label5->setFont(title);
    StringGrid2 = makeGrid(Panel3, QStringLiteral("StringGrid2"), kOptimalRows);
    Label4 = addLabel(Panel3, QStringLiteral("Label4"), QStringLiteral("Возможные варианты:"), 8, 0);
    Label4->setFont(title);
    StringGrid1 = makeGrid(Panel3, QStringLiteral("StringGrid1"), kPossibleRows);
    // Always shown, so the grid keeps one width whether or not it has grown.
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

// Every column is as wide as its design width, its header and the widest text the
// catalogue can put into it; the grids are just wide enough to show all eight
// columns (and the possible grid its scroll bar) and tall enough for their design
// rows. The panels and value labels then take their final widths from the grids.
void TForm2::fitGrids()
{
    std::array<int, ResultColumnCount> widths = kDesignWidths;
    const QFontMetrics cellMetrics(StringGrid1->font());
    // Most cells repeat (bores, pressures, prices) and measuring text is most of
    // the time this window takes to build, so each distinct text of a column is
    // measured once.
    std::array<QSet<QString>, ResultColumnCount> measured;
    auto widen = [&](int column, const QString &text) {
        if (measured[column].contains(text))
            return;
        measured[column].insert(text);
        widths[column] = std::max(widths[column], cellMetrics.horizontalAdvance(text) + 2 * kCellPadding);
    };
    const int highestNumber = state_.Catalogue.usedCount();
    for (int index = ProductCatalogue::FirstSlot; index <= ProductCatalogue::LastSlot; ++index) {
        const ProductRecord &record = state_.Catalogue.at(index);
        if (record.isEmpty())
            continue;
        const ResultRow row = FormatResultRow(highestNumber, record);
        for (int column = 0; column < ResultColumnCount; ++column)
            widen(column, row[column]);
    }
    // The headers are measured with the rouble price header, the longer of the
    // two, whichever one a run before the first show left there.
    const QString priceHeader = StringGrid1->horizontalHeaderItem(ResultColumnCount - 1)->text();
    setPriceHeader(PriceHeaderRoubles());
    for (QTableWidget *grid : {StringGrid2, StringGrid1})
        for (int column = 0; column < ResultColumnCount; ++column)
            widths[column] = std::max(widths[column], grid->horizontalHeader()->sectionSizeHint(column));
    setPriceHeader(priceHeader);

    int columnsWidth = 0;
    for (int column = 0; column < ResultColumnCount; ++column) {
        StringGrid1->setColumnWidth(column, widths[column]);
        StringGrid2->setColumnWidth(column, widths[column]);
        columnsWidth += widths[column];
    }

    auto gridHeight = [](QTableWidget *grid, int rows) {
        QHeaderView *header = grid->horizontalHeader();
        const int headerHeight = std::max(header->minimumHeight(), header->sizeHint().height());
        return 2 * grid->frameWidth() + headerHeight + rows * kRowHeight;
    };
    QStyle *style = StringGrid1->style();
    int scrollBarWidth = StringGrid1->verticalScrollBar()->sizeHint().width();
    if (style->styleHint(QStyle::SH_ScrollView_FrameOnlyAroundContents, nullptr, StringGrid1))
        scrollBarWidth += style->pixelMetric(QStyle::PM_ScrollView_ScrollBarSpacing, nullptr, StringGrid1);

    const int optimalWidth = 2 * StringGrid2->frameWidth() + columnsWidth;
    const int possibleWidth = 2 * StringGrid1->frameWidth() + columnsWidth + scrollBarWidth;
    StringGrid2->setGeometry(8, Label5->geometry().bottom() + 4, optimalWidth,
                             gridHeight(StringGrid2, kOptimalRows));
    const int possibleLeft = 8 + kPossibleIndent;
    Label4->move(possibleLeft, StringGrid2->geometry().bottom() + 10);
    StringGrid1->setGeometry(possibleLeft, Label4->geometry().bottom() + 4, possibleWidth,
                             gridHeight(StringGrid1, kPossibleRows));

    // The two data panels share the width of the results panel.
    const int panelWidth = std::max(StringGrid1->geometry().right(), StringGrid2->geometry().right()) + 1 + 8;
    Panel3->resize(panelWidth, StringGrid1->geometry().bottom() + 1 + 8);
    const int halfWidth = (panelWidth - kMargin) / 2;
    Panel2->resize(halfWidth, kTopPanelHeight);
    Panel1->setGeometry(kMargin + halfWidth + kMargin, kMargin, panelWidth - halfWidth - kMargin,
                        kTopPanelHeight);
    for (QLabel *value : {Label17, Label18, Label8, Label19, Label25})
        value->resize(ValueWidth(Panel2, value->x()), value->height());
    for (QLabel *value : {Label180, Label185, Label16, Label23, Label26})
        value->resize(ValueWidth(Panel1, value->x()), value->height());
}

void TForm2::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    N1 = bar->addMenu(QStringLiteral("Действия"));
    N1->setObjectName(QStringLiteral("N1"));
    N2 = N1->addAction(QStringLiteral("Вернуться к главному меню"));
    N2->setObjectName(QStringLiteral("N2"));
    N3 = N1->addAction(QStringLiteral("Выход"));
    N3->setObjectName(QStringLiteral("N3"));
    connect(N2, &QAction::triggered, this, &TForm2::N2Click);
    connect(N3, &QAction::triggered, this, &TForm2::N3Click);

    Report = new ReportActions(this, state_.Catalogue, [this]() -> const SizingOutcome * {
        return shown_ ? &*shown_ : nullptr;
    });
    ReportMenu = Report->menu();
    PreviewAction = Report->PreviewAction;
    PrintAction = Report->PrintAction;
    SavePdfAction = Report->SavePdfAction;
    SaveXlsxAction = Report->SaveXlsxAction;

    ConditionsAction = bar->addAction(QStringLiteral("Условия расчёта..."));
    ConditionsAction->setObjectName(QStringLiteral("ConditionsAction"));
    connect(ConditionsAction, &QAction::triggered, this, &TForm2::conditionsRequested);

    const ProjectMenuActions project = AddProjectMenu(bar, true, ConditionsAction);
    ProjectMenu = project.menu;
    ProjectAddAction = project.add;
    ProjectShowAction = project.show;
    ProjectNewAction = project.newProject;
    ProjectOpenAction = project.open;
    ProjectSaveAction = project.save;
    ProjectSaveAsAction = project.saveAs;
    ProjectReportMenu = project.reportMenu;
    ProjectPricingAction = project.pricing;
    ProjectReportPreviewAction = project.reportPreview;
    ProjectReportPrintAction = project.reportPrint;
    ProjectReportPdfAction = project.reportPdf;
    ProjectReportXlsxAction = project.reportXlsx;
    connect(ProjectAddAction, &QAction::triggered, this, [this] { emit projectAddRequested(SelectedProductName()); });

    CopyAction1 = addCopyAction(StringGrid1, QStringLiteral("CopyAction1"));
    CopyAction2 = addCopyAction(StringGrid2, QStringLiteral("CopyAction2"));
}

QAction *TForm2::addCopyAction(QTableWidget *grid, const QString &name)
{
    auto *action = new QAction(QStringLiteral("Копировать"), grid);
    action->setObjectName(name);
    action->setShortcut(QKeySequence::Copy);
    action->setShortcutContext(Qt::WidgetShortcut);
    grid->addAction(action);
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(action, &QAction::triggered, this, [this, grid] { CopyRows(grid); });
    return action;
}

int TForm2::filledRows(const QTableWidget *grid) const
{
    return grid == StringGrid1 ? possibleCount_ : std::min(optimalCount_, kOptimalRows);
}

void TForm2::CopyRows(QTableWidget *grid)
{
    const int filled = filledRows(grid);
    const QModelIndexList selected = grid->selectionModel()->selectedIndexes();
    std::set<int> rows;
    for (const QModelIndex &index : selected)
        if (index.row() < filled)
            rows.insert(index.row());
    if (selected.isEmpty())
        for (int row = 0; row < filled; ++row)
            rows.insert(row);

    QList<QStringList> table;
    QStringList header;
    for (int column = 0; column < ResultColumnCount; ++column)
        header << grid->horizontalHeaderItem(column)->text();
    table << header;
    for (int row : rows) {
        QStringList cells;
        for (int column = 0; column < ResultColumnCount; ++column) {
            const QTableWidgetItem *item = grid->item(row, column);
            cells << (item ? item->text() : QString());
        }
        table << cells;
    }
    QGuiApplication::clipboard()->setText(ResultTableText(table));
}

void TForm2::N2Click()
{
    emit mainMenuRequested();
}

void TForm2::N3Click()
{
    emit quitRequested();
}

void TForm2::setPriceHeader(const QString &text)
{
    StringGrid1->horizontalHeaderItem(ResultColumnCount - 1)->setText(text);
    StringGrid2->horizontalHeaderItem(ResultColumnCount - 1)->setText(text);
}

void TForm2::ResetGrids()
{
    StringGrid1->setRowCount(kPossibleRows);
    setPriceHeader(PriceHeaderRoubles());
    ClearRows(StringGrid1, kPossibleRows);
    ClearRows(StringGrid2, kOptimalRows);
    // A selection made in the last run's rows does not carry over.
    StringGrid1->clearSelection();
    StringGrid2->clearSelection();
    possibleCount_ = 0;
    optimalCount_ = 0;
}

void TForm2::SetEuroPriceHeader()
{
    setPriceHeader(PriceHeaderEuros());
}

void TForm2::AppendPossibleVariant(int slot)
{
    appendPossibleRow(FormatResultRow(possibleCount_ + 1, state_.Catalogue.at(slot)));
}

void TForm2::AppendOptimalVariant(int slot)
{
    appendOptimalRow(FormatResultRow(optimalCount_ + 1, state_.Catalogue.at(slot)));
}

void TForm2::appendPossibleRow(const ResultRow &row, const QString &toolTip)
{
    const int number = ++possibleCount_;
    // The grid grows one row at a time past its design rows; its width stays, the
    // scroll bar being always there.
    if (number > kPossibleRows)
        StringGrid1->setRowCount(number);
    for (int column = 0; column < ResultColumnCount; ++column)
        SetCell(StringGrid1, number - 1, column, row[column], toolTip);
}

void TForm2::appendOptimalRow(const ResultRow &row, const QString &toolTip)
{
    const int number = ++optimalCount_;
    if (number > kOptimalRows)
        return;
    for (int column = 0; column < ResultColumnCount; ++column)
        SetCell(StringGrid2, number - 1, column, row[column], toolTip);
}

void TForm2::ShowSelection(const SelectionResult &result)
{
    for (int slot : result.possible)
        AppendPossibleVariant(slot);
    for (int slot : result.optimal)
        AppendOptimalVariant(slot);
}

void TForm2::ShowFlowRange(double qmaxStd, double qminStd)
{
    Label17->setText(WriteNumber(qmaxStd));
    Label18->setText(WriteNumber(qminStd));
}

void TForm2::showTexts(const ResultTexts &t)
{
    const auto write = [](QLabel *label, const std::optional<QString> &text) {
        if (text)
            label->setText(*text);
    };
    if (t.denominators) {
        Label178->setText(t.denominators->first);
        Label183->setText(t.denominators->second);
    }
    write(Label17, t.qmaxStd);
    write(Label18, t.qminStd);
    write(Label180, t.qmaxWork);
    write(Label185, t.qminWork);
    if (t.rangeLayout)
        setPressureLayout(*t.rangeLayout);
    write(Label8, t.pmaxGauge);
    write(Label19, t.pminGauge);
    write(Label16, t.pmaxAbs);
    write(Label23, t.pminAbs);
    write(Label25, t.workingGauge);
    write(Label26, t.workingAbs);
}

void TForm2::ShowOutcome(const SizingOutcome &outcome)
{
    showTexts(outcome.texts);
    ResetGrids();
    if (outcome.currency == Currency::Euros)
        SetEuroPriceHeader();
    for (const Candidate &candidate : outcome.possible)
        appendPossibleRow(candidate.cells, LoadToolTip(candidate));
    for (const Candidate &candidate : outcome.optimal)
        appendOptimalRow(candidate.cells, LoadToolTip(candidate));
    StatusLine->setText(outcome.noFitReason);
    shown_ = outcome;
    ProjectAddAction->setEnabled(true);
    showConditions(outcome);
}

std::optional<QString> TForm2::SelectedProductName() const
{
    std::array<const QTableWidget *, 2> grids{StringGrid1, StringGrid2};
    if (StringGrid2->hasFocus())
        std::swap(grids[0], grids[1]);
    for (const QTableWidget *grid : grids) {
        for (const QTableWidgetItem *item : grid->selectedItems()) {
            // Row 0 is the header; a row no variant filled has no name.
            const QTableWidgetItem *name = grid->item(item->row(), 1);
            if (item->row() > 0 && name && !name->text().isEmpty())
                return name->text();
        }
    }
    return std::nullopt;
}

void TForm2::SelectProduct(const QString &name)
{
    for (int row = 1; row < StringGrid1->rowCount(); ++row) {
        const QTableWidgetItem *item = StringGrid1->item(row, 1);
        if (item && item->text() == name) {
            StringGrid1->selectRow(row);
            StringGrid1->scrollToItem(item);
            return;
        }
    }
}

void TForm2::showConditions(const SizingOutcome &outcome)
{
    const ConversionMethod method = outcome.request.conditions.method;
    if (method == ConversionMethod::Simple) {
        Label177->setText(kQmaxNumerator);
        Label182->setText(kQminNumerator);
    } else if (!outcome.hasError()) {
        const WorkingFormula formula = FormulaOf(method, outcome.rangeLayout);
        Label177->setText(formula.qmaxNumerator);
        Label178->setText(formula.qmaxDenominator);
        Label182->setText(formula.qminNumerator);
        Label183->setText(formula.qminDenominator);
    }
    const QString summary = outcome.hasError() ? QString() : ConditionsSummary(outcome.conditions);
    ConditionsLine->setText(summary);
    ConditionsLine->setVisible(!summary.isEmpty());

    if (MarksFlags(outcome.request.conditions)) {
        for (std::size_t i = 0; i < outcome.possible.size(); ++i)
            if (!outcome.possible[i].flags.isEmpty())
                PaintRow(StringGrid1, static_cast<int>(i));
        for (std::size_t i = 0; i < outcome.optimal.size() && i < std::size_t(kOptimalRows); ++i)
            if (!outcome.optimal[i].flags.isEmpty())
                PaintRow(StringGrid2, static_cast<int>(i));
    }
    if (layout_.done())
        relayFormula();
}

void TForm2::relayFormula()
{
    const QFontMetrics metrics(Look::DialogFont());
    const bool simple = Label177->text() == kQmaxNumerator;
    const std::array<std::array<QLabel *, 4>, 2> lines = {{{Label177, Label178, Label179, Label180},
                                                            {Label182, Label183, Label184, Label185}}};
    for (int line = 0; line < 2; ++line) {
        auto [numerator, denominator, equals, value] = lines[line];
        int width = fractionWidth_[line];
        if (!simple)
            width = std::max({width, metrics.horizontalAdvance(numerator->text()) + 4,
                              metrics.horizontalAdvance(denominator->text()) + 4});
        const int top = formulaTop_[line];
        numerator->setGeometry(fractionLeft_, top, width, numerator->height());
        denominator->setGeometry(fractionLeft_, top + 14, width, denominator->height());
        equals->move(fractionLeft_ + width + 4, top + 7);
        value->move(equals->geometry().right() + 6, top + 7);
        value->resize(ValueWidth(Panel1, value->x()), value->height());
    }
    if (!ConditionsLine->isHidden()) {
        const int lineWidth = Panel3->width() - 6;
        ConditionsLine->setGeometry(kMargin + 3, Panel3->geometry().bottom() + 1 + 3, lineWidth,
                                    ConditionsLine->heightForWidth(lineWidth));
        const int need = ConditionsLine->geometry().bottom() + 1 + kMargin + menuBar()->sizeHint().height()
            + statusBar()->sizeHint().height();
        if (height() < need) {
            grownBy_ += need - height();
            resize(width(), need);
        }
    } else if (grownBy_ > 0) {
        // Back to the height the panels alone need.
        resize(width(), height() - grownBy_);
        grownBy_ = 0;
    }
}

void TForm2::setPressureLayout(bool range)
{
    for (QLabel *label : {Label14, Label8, Label15, Label19, Label11, Label16, Label13, Label23})
        label->setVisible(range);
    for (QLabel *label : {Label24, Label25, Label27, Label26})
        label->setVisible(!range);
}

void TForm2::ShowPriceList(const QString &text)
{
    PriceListLine->setText(text);
    PriceListLine->setVisible(!text.isEmpty());
}
