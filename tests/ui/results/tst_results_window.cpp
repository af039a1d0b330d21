#include "core/state/app_state.h"
#include "ui/launcher/main_window.h"
#include "app/window_set.h"
#include "ui/results/results_window.h"
#include "core/selection/selection_result.h"
#include "ui/wizard/flow_range_dialog.h"
#include "ui/wizard/navigation.h"

#include <QAction>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTableWidget>
#include <QTest>

#include <array>
#include <cmath>
#include <tuple>
#include <limits>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {
const QString kRoubles = u"Стоимость без НДС, руб. РФ"_s;
const QString kEuros = u"Стоимость без НДС, EVR"_s;

QStringList HeaderTexts(const QTableWidget *grid)
{
    QStringList texts;
    for (int column = 0; column < grid->columnCount(); ++column)
        texts << grid->horizontalHeaderItem(column)->text();
    return texts;
}

QString Cell(const QTableWidget *grid, int row, int column)
{
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text() : QString();
}

bool RowEmpty(const QTableWidget *grid, int row)
{
    for (int column = 0; column < 8; ++column)
        if (!Cell(grid, row, column).isEmpty())
            return false;
    return true;
}
} // namespace

// The results window: its controls, the two pressure layouts, the grid operations
// the selections use, the panel writers and the menu.
class TestResultsWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppState> state;
    std::unique_ptr<TForm2> form;

    // A window set of its own, for the menu commands that reach other windows.
    std::unique_ptr<WindowSet> windows;

    // The first `count` catalogue slots that hold a product.
    std::vector<int> productSlots(int count) const
    {
        std::vector<int> picked;
        for (int i = ProductCatalogue::FirstSlot; i <= ProductCatalogue::LastSlot && int(picked.size()) < count; ++i)
            if (!state->Catalogue.at(i).isEmpty())
                picked.push_back(i);
        return picked;
    }

    void showForm()
    {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        state = std::make_unique<AppState>();
        form = std::make_unique<TForm2>(*state);
    }

    void cleanup()
    {
        windows.reset();
        form.reset();
        state.reset();
    }

    // An outcome that reaches only the given layout and texts.
    static SizingOutcome Shown(const ResultTexts &texts)
    {
        SizingOutcome outcome;
        outcome.texts = texts;
        return outcome;
    }

    void window()
    {
        QCOMPARE(form->objectName(), u"TForm2"_s);
        QCOMPARE(form->windowTitle(), u"Варианты подбора"_s);
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(form->minimumSize() != form->maximumSize()); // sizeable
        QCOMPARE(form->centralWidget()->palette().color(QPalette::Window), QColor(255, 255, 0));
        for (QFrame *panel : {form->Panel1, form->Panel2, form->Panel3})
            QCOMPARE(panel->palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(form->Label177->font().underline()); // the fraction bars
        QVERIFY(form->Label182->font().underline());
        QVERIFY(!form->isVisible());
        // Making the state filled the catalogue.
        QCOMPARE(state->Catalogue.usedCount(), 558);

        QCOMPARE(form->N1->objectName(), u"N1"_s);
        QCOMPARE(form->N1->title(), u"Действия"_s);
        QCOMPARE(form->N1->actions(), (QList<QAction *>{form->N2, form->N3}));
        QCOMPARE(form->N2->objectName(), u"N2"_s);
        QCOMPARE(form->N2->text(), u"Вернуться к главному меню"_s);
        QCOMPARE(form->N3->objectName(), u"N3"_s);
        QCOMPARE(form->N3->text(), u"Выход"_s);
    }

    void panelsKeepTheirPlaces()
    {
        showForm();
        const QRect input = form->Panel2->geometry();
        const QRect working = form->Panel1->geometry();
        const QRect results = form->Panel3->geometry();
        QCOMPARE(working.top(), input.top());
        QVERIFY(working.left() > input.right());
        QVERIFY(results.top() > input.bottom());
        // The window opens big enough for all three panels.
        QVERIFY(form->centralWidget()->rect().contains(results));
        QVERIFY(form->centralWidget()->rect().contains(working));

        form->resize(form->width() + 200, form->height() + 100);
        QTRY_COMPARE(form->centralWidget()->width(), results.right() + 1 + 5 + 200);
        QCOMPARE(form->Panel2->geometry(), input);
        QCOMPARE(form->Panel1->geometry(), working);
        QCOMPARE(form->Panel3->geometry(), results);
    }

    void captions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const QStringList fixed = {
            u"Label2"_s, u"Исходные данные"_s, u"Label3"_s, u"Диапазон расходов, н.м"_s,
            u"Label21"_s, u"3"_s, u"Label167"_s, u"/ч:"_s,
            u"Label160"_s, u"Qmax="_s, u"Label161"_s, u"Qmin="_s,
            u"Label6"_s, u"Диапазон давления"_s, u"Label7"_s, u"(избыточного), бар:"_s,
            u"Label14"_s, u"Pmax="_s, u"Label15"_s, u"Pmin="_s, u"Label24"_s, u"Рср="_s,
            u"Label1"_s, u"Рабочие данные"_s, u"Label9"_s, u"Диапазон расходов, р.м"_s,
            u"Label20"_s, u"3"_s, u"Label22"_s, u"/ч:"_s,
            u"Label176"_s, u"Qраб max="_s, u"Label177"_s, u"    Qmax     "_s, u"Label179"_s, u"="_s,
            u"Label181"_s, u"Qраб min="_s, u"Label182"_s, u"     Qmin     "_s, u"Label184"_s, u"="_s,
            u"Label10"_s, u"Диапазон давления"_s, u"Label12"_s, u"(абсолютного), бар:"_s,
            u"Label11"_s, u"Pmax="_s, u"Label13"_s, u"Pmin="_s, u"Label27"_s, u"Рср="_s,
            u"Label5"_s, u"Оптимальные варианты:"_s, u"Label4"_s, u"Возможные варианты:"_s,
        };
        for (int i = 0; i < fixed.size(); i += 2)
            QTest::newRow(qPrintable(fixed[i])) << fixed[i] << fixed[i + 1];
        // Value labels start with their own names.
        for (const char *value : {"Label17", "Label18", "Label8", "Label19", "Label25", "Label178",
                                  "Label180", "Label183", "Label185", "Label16", "Label23", "Label26"})
            QTest::newRow(value) << QString::fromLatin1(value) << QString::fromLatin1(value);
    }

    void captions()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        const auto found = form->findChildren<QLabel *>(name);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.front()->text(), caption);
    }

    void layouts_data()
    {
        QTest::addColumn<bool>("range");
        QTest::newRow("range") << true;
        QTest::newRow("single pressure") << false;
    }

    void layouts()
    {
        QFETCH(bool, range);
        showForm();
        const QList<QLabel *> rangeLabels = {form->Label14, form->Label8, form->Label15, form->Label19,
                                             form->Label11, form->Label16, form->Label13, form->Label23};
        const QList<QLabel *> singleLabels = {form->Label24, form->Label25, form->Label27, form->Label26};
        // The window starts in the range layout.
        for (QLabel *label : rangeLabels)
            QVERIFY(label->isVisible());
        for (QLabel *label : singleLabels)
            QVERIFY(!label->isVisible());

        // Switch away and back, so each layout is reached from the other one.
        ResultTexts away, back;
        away.rangeLayout = !range;
        back.rangeLayout = range;
        form->ShowOutcome(Shown(away));
        form->ShowOutcome(Shown(back));
        for (QLabel *label : rangeLabels)
            QCOMPARE(label->isVisible(), range);
        for (QLabel *label : singleLabels)
            QCOMPARE(label->isVisible(), !range);
        // The single pressure lines take the place of the upper range lines.
        QCOMPARE(form->Label24->pos(), form->Label14->pos());
        QCOMPARE(form->Label25->pos(), form->Label8->pos());
        QCOMPARE(form->Label27->pos(), form->Label11->pos());
        QCOMPARE(form->Label26->pos(), form->Label16->pos());
    }

    void grids()
    {
        showForm(); // the columns are fitted when the window is first shown
        const QStringList header = {u"№№"_s, u"Наименование изделия"_s, u"Ду, мм"_s, u"Pmin, бар"_s,
                                    u"Pmax, бар"_s, u"Qmax, куб.м/ч"_s, u"Qmin, куб.м/ч"_s, kRoubles};
        QCOMPARE(form->StringGrid2->rowCount(), 3);
        QCOMPARE(form->StringGrid1->rowCount(), 8);
        for (QTableWidget *grid : {form->StringGrid2, form->StringGrid1}) {
            QCOMPARE(grid->columnCount(), 8);
            QCOMPARE(HeaderTexts(grid), header);
            QVERIFY(grid->verticalHeader()->isHidden());
            QVERIFY(!grid->horizontalHeader()->isHidden());
            QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
            for (int row = 0; row < grid->rowCount(); ++row)
                QCOMPARE(grid->rowHeight(row), 20);
            // The price column is shown and its header fits.
            QVERIFY(!grid->isColumnHidden(7));
            const int margin = grid->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, grid->horizontalHeader());
            QVERIFY(grid->columnWidth(7)
                    >= grid->horizontalHeader()->fontMetrics().horizontalAdvance(kRoubles) + 2 * margin);
        }
        QCOMPARE(form->StringGrid1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    void cellsAreReadOnly()
    {
        showForm();
        QTableWidget *grid = form->StringGrid1;
        form->AppendPossibleVariant(productSlots(1).front());
        const QString name = Cell(grid, 0, 1);
        QVERIFY(!name.isEmpty());
        QVERIFY(!(grid->item(0, 1)->flags() & Qt::ItemIsEditable));
        grid->setCurrentCell(0, 1);
        grid->setFocus();
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 1)).center());
        QTest::keyClick(grid, Qt::Key_F2);
        QTest::keyClicks(grid, u"xyz"_s);
        QTest::keyClick(grid, Qt::Key_Return);
        for (const QLineEdit *editor : grid->findChildren<QLineEdit *>())
            QVERIFY(!editor->isVisible());
        QCOMPARE(Cell(grid, 0, 1), name);
    }

    // Growth past the design rows keeps the grid's width and shows every column
    // and the scroll bar inside the window.
    void possibleGrowth_data()
    {
        QTest::addColumn<int>("variants");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("scrollRange");
        QTest::newRow("none") << 0 << 8 << 0;
        QTest::newRow("three") << 3 << 8 << 0;
        QTest::newRow("eight") << 8 << 8 << 0;
        QTest::newRow("nine") << 9 << 9 << 1;
        QTest::newRow("eleven") << 11 << 11 << 3;
    }

    void possibleGrowth()
    {
        QFETCH(int, variants);
        QFETCH(int, rows);
        QFETCH(int, scrollRange);
        showForm();
        QTableWidget *grid = form->StringGrid1;
        const QRect before = grid->geometry();

        form->ResetGrids();
        const std::vector<int> picked = productSlots(variants);
        for (int slot : picked)
            form->AppendPossibleVariant(slot);

        QCOMPARE(form->possibleCount(), variants);
        QCOMPARE(grid->rowCount(), rows);
        for (int i = 0; i < variants; ++i) {
            QCOMPARE(Cell(grid, i, 0), QString::number(i + 1));
            QCOMPARE(Cell(grid, i, 1), state->Catalogue.at(picked[i]).Name);
        }
        for (int i = variants; i < rows; ++i)
            QVERIFY(RowEmpty(grid, i));

        QTRY_COMPARE(grid->verticalScrollBar()->maximum(), scrollRange);
        QCOMPARE(grid->geometry(), before);
        QVERIFY(grid->verticalScrollBar()->isVisible());
        QVERIFY(grid->viewport()->width() >= grid->horizontalHeader()->length());
        QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
        QVERIFY(form->Panel3->rect().contains(grid->geometry()));
        QVERIFY(form->centralWidget()->rect().contains(form->Panel3->geometry()));
        // The optimal grid shows its three rows and all columns without scrolling.
        QTableWidget *optimal = form->StringGrid2;
        QCOMPARE(optimal->verticalScrollBar()->maximum(), 0);
        QVERIFY(optimal->viewport()->width() >= optimal->horizontalHeader()->length());
        QVERIFY(form->Panel3->rect().contains(optimal->geometry()));
    }

    // A run after a grown mode-4 run: rows, texts and the price header are back.
    void resetAfterGrownRun()
    {
        const std::vector<int> picked = productSlots(12);
        form->ResetGrids();
        form->SetEuroPriceHeader();
        QCOMPARE(form->StringGrid1->horizontalHeaderItem(7)->text(), kEuros);
        QCOMPARE(form->StringGrid2->horizontalHeaderItem(7)->text(), kEuros);
        QCOMPARE(form->StringGrid1->horizontalHeaderItem(6)->text(), u"Qmin, куб.м/ч"_s);
        for (int slot : picked)
            form->AppendPossibleVariant(slot);
        for (int i = 0; i < 3; ++i)
            form->AppendOptimalVariant(picked[i]);
        QCOMPARE(form->StringGrid1->rowCount(), 12);

        form->ResetGrids();
        QCOMPARE(form->StringGrid1->rowCount(), 8);
        QCOMPARE(form->StringGrid2->rowCount(), 3);
        QCOMPARE(form->possibleCount(), 0);
        QCOMPARE(form->optimalCount(), 0);
        for (int row = 0; row < 8; ++row)
            QVERIFY(RowEmpty(form->StringGrid1, row));
        for (int row = 0; row < 3; ++row)
            QVERIFY(RowEmpty(form->StringGrid2, row));
        QCOMPARE(form->StringGrid1->horizontalHeaderItem(7)->text(), kRoubles);
        QCOMPARE(form->StringGrid2->horizontalHeaderItem(7)->text(), kRoubles);

        // The next run starts numbering again at row 1.
        SelectionResult next;
        next.possible = {picked[5], picked[6], picked[7]};
        next.optimal = {picked[5]};
        form->ShowSelection(next);
        QCOMPARE(Cell(form->StringGrid1, 0, 0), u"1"_s);
        QCOMPARE(Cell(form->StringGrid1, 2, 1), state->Catalogue.at(picked[7]).Name);
        for (int row = 3; row < 8; ++row)
            QVERIFY(RowEmpty(form->StringGrid1, row));
        QCOMPARE(Cell(form->StringGrid2, 0, 1), state->Catalogue.at(picked[5]).Name);
        QVERIFY(RowEmpty(form->StringGrid2, 1));
    }

    void optimalOnlyThreeRows()
    {
        const std::vector<int> picked = productSlots(4);
        form->ResetGrids();
        for (int slot : picked)
            form->AppendOptimalVariant(slot);
        QCOMPARE(form->optimalCount(), 4);
        QCOMPARE(form->StringGrid2->rowCount(), 3);
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(Cell(form->StringGrid2, row, 0), QString::number(row + 1));
            QCOMPARE(Cell(form->StringGrid2, row, 1), state->Catalogue.at(picked[row]).Name);
        }
        // Nothing reaches the possible grid.
        QVERIFY(RowEmpty(form->StringGrid1, 0));
    }

    void negotiablePrice()
    {
        int unpriced = 0, priced = 0;
        for (int i = ProductCatalogue::FirstSlot; i <= ProductCatalogue::LastSlot; ++i) {
            const ProductRecord &r = state->Catalogue.at(i);
            if (r.isEmpty())
                continue;
            if (r.Price == 0 && !unpriced)
                unpriced = i;
            if (r.Price != 0 && !priced)
                priced = i;
        }
        QVERIFY(unpriced && priced);
        form->ResetGrids();
        form->AppendPossibleVariant(priced);
        form->AppendPossibleVariant(unpriced);
        QCOMPARE(Cell(form->StringGrid1, 1, 7), u"договорная"_s);
        QVERIFY(Cell(form->StringGrid1, 0, 7) != u"договорная"_s);
        QVERIFY(!Cell(form->StringGrid1, 0, 7).isEmpty());
    }

    // Result rows follow the desktop's decimal separator.
    void rowSeparator_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("qmin");
        QTest::newRow("comma") << QLocale(QLocale::Russian, QLocale::Russia) << u"1,3"_s;
        QTest::newRow("point") << QLocale(QLocale::English, QLocale::UnitedStates) << u"1.3"_s;
    }

    void rowSeparator()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, qmin);
        int slot = 0;
        for (int i = ProductCatalogue::FirstSlot; i <= ProductCatalogue::LastSlot && !slot; ++i)
            if (state->Catalogue.at(i).Name == u"ZAM G40+KQ730"_s && state->Catalogue.at(i).Qmin == 1.3)
                slot = i;
        QVERIFY(slot);
        QLocale::setDefault(locale);
        form->ResetGrids();
        form->AppendOptimalVariant(slot);
        QCOMPARE(Cell(form->StringGrid2, 0, 6), qmin);
    }

    // Every text of an outcome lands in its own label.
    void outcomeTexts()
    {
        form->ShowFlowRange(100, 10.5);
        QCOMPARE(form->Label17->text(), u"100"_s);
        QCOMPARE(form->Label18->text(), u"10,5"_s);

        ResultTexts t;
        t.denominators = std::pair(u"Pmin+Patm"_s, u"Pmax+Patm"_s);
        t.qmaxWork = u"33,333"_s;
        t.qminWork = u"3,333"_s;
        t.pmaxGauge = u"0,12345"_s;
        t.pminGauge = u"-0,5"_s;
        t.pmaxAbs = u"1,123"_s;
        t.pminAbs = u"0,5"_s;
        t.workingGauge = u"0,2"_s;
        t.workingAbs = u"1,2"_s;
        t.qmaxStd = u"7"_s;
        form->ShowOutcome(Shown(t));
        const QList<QPair<QLabel *, QString>> expected = {
            {form->Label178, u"Pmin+Patm"_s}, {form->Label183, u"Pmax+Patm"_s},
            {form->Label180, u"33,333"_s},    {form->Label185, u"3,333"_s},
            {form->Label8, u"0,12345"_s},     {form->Label19, u"-0,5"_s},
            {form->Label16, u"1,123"_s},      {form->Label23, u"0,5"_s},
            {form->Label25, u"0,2"_s},        {form->Label26, u"1,2"_s},
            {form->Label17, u"7"_s},          {form->Label18, u"10,5"_s},
        };
        for (const auto &[label, text] : expected)
            QCOMPARE(label->text(), text);

        // The longest number the writing rule makes fits its label once shown.
        form->ShowFlowRange(-1.23456789012345e-100, 0);
        showForm();
        QVERIFY(form->Label17->width() >= form->Label17->fontMetrics().horizontalAdvance(form->Label17->text()));
    }

    // The layout made at the first show does not depend on what a run wrote before
    // it: a mode-4 run (euro header, other texts, a grown grid) gives the same places.
    void layoutIndependentOfEarlierRuns()
    {
        SizingOutcome euro;
        euro.currency = Currency::Euros;
        euro.texts.qmaxWork = u"123456,789"_s;
        euro.texts.denominators = std::pair(u"Pср+Patm"_s, u"Pср+Patm"_s);
        euro.texts.rangeLayout = false;
        for (int i = 0; i < 12; ++i)
            euro.possible.push_back(Candidate{});
        form->ShowOutcome(euro);
        form->ShowFlowRange(1e-100, 5);
        showForm();
        TForm2 fresh(*state);
        fresh.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fresh));
        QCOMPARE(form->size(), fresh.size());
        const QList<QWidget *> children = form->findChildren<QWidget *>();
        for (QWidget *child : children) {
            // The program's own widgets; the scroll areas' parts follow the rows.
            if (child->objectName().isEmpty() || child->objectName().startsWith(u"qt_"_s))
                continue;
            const auto *twin = fresh.findChild<QWidget *>(child->objectName());
            QVERIFY(twin);
            QCOMPARE(child->geometry(), twin->geometry());
        }
        QCOMPARE(form->StringGrid1->columnWidth(7), fresh.StringGrid1->columnWidth(7));
    }

    // A run under other conditions shown after the first show lays the formula out
    // again: the fractions take the wider texts and "=" and the values follow them;
    // a run under the catalogue's conversion puts everything back.
    void formulaLaidOutAgain()
    {
        showForm();
        const std::array<QLabel *, 6> labels{form->Label177, form->Label178, form->Label179,
                                             form->Label182, form->Label183, form->Label184};
        std::array<QRect, 6> first;
        for (std::size_t i = 0; i < labels.size(); ++i)
            first[i] = labels[i]->geometry();

        SizingOutcome real;
        real.rangeLayout = true;
        real.request.conditions.method = ConversionMethod::Aga8;
        form->ShowOutcome(real);
        for (const auto &[numerator, denominator, equals] :
             {std::tuple(form->Label177, form->Label178, form->Label179),
              std::tuple(form->Label182, form->Label183, form->Label184)}) {
            QVERIFY2(denominator->text().contains(u"Zc"_s), qPrintable(denominator->text()));
            for (const QLabel *part : {numerator, denominator})
                QVERIFY2(part->width() >= part->fontMetrics().horizontalAdvance(part->text()),
                         qPrintable(part->text()));
            QVERIFY(equals->x() > denominator->geometry().right());
        }
        QVERIFY(form->Label179->x() > first[2].x());

        form->ShowOutcome(SizingOutcome{});
        for (std::size_t i = 0; i < labels.size(); ++i)
            QCOMPARE(labels[i]->geometry(), first[i]);
    }

    // Texts the step did not reach leave their labels as they were.
    void unreachedTextsKept()
    {
        ResultTexts first;
        first.qmaxWork = u"2"_s;
        first.pmaxGauge = u"7"_s;
        form->ShowOutcome(Shown(first));
        form->ShowOutcome(Shown(ResultTexts{}));
        QCOMPARE(form->Label180->text(), u"2"_s);
        QCOMPARE(form->Label8->text(), u"7"_s);
        QCOMPARE(form->Label185->text(), u"Label185"_s);
        QCOMPARE(form->Label16->text(), u"Label16"_s);
    }

    // Both menu commands reach other windows through the flow.
    void backToMainMenu()
    {
        windows = std::make_unique<WindowSet>(*state);
        TForm2 *form = windows->Form2.get();
        windows->Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(windows->Form1.get()));
        ShowCentred(windows->Dlg1.get(), windows->mainWindow());
        ShowCentred(form, windows->mainWindow());
        QVERIFY(windows->Dlg1->isVisible());
        QVERIFY(form->isVisible());

        form->N2->trigger();
        QVERIFY(!form->isVisible());
        QVERIFY(!windows->Dlg1->isVisible());
        QVERIFY(windows->Form1->isVisible());
    }

    void exitClosesMainWindow()
    {
        windows = std::make_unique<WindowSet>(*state);
        TForm2 *form = windows->Form2.get();
        windows->Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(windows->Form1.get()));
        QSignalSpy closed(windows->Form1.get(), &TForm1::closed);
        form->N3->trigger();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!windows->Form1->isVisible());
    }
};

QTEST_MAIN(TestResultsWindow)
#include "tst_results_window.moc"
