#include "core/state/app_state.h"
#include "ui/launcher/main_window.h"
#include "app/window_set.h"
#include "ui/pressure/pressure_range_dialog.h"
#include "ui/pressure/unit_combo_box.h"
#include "core/selection/range_selection.h"
#include "core/selection/result_row.h"
#include "ui/results/results_window.h"
#include "ui/pressure/working_pressure_dialog.h"
#include "core/selection/working_selection.h"
#include "ui_test_support.h"
#include "ui/wizard/complex_choice_dialog.h"
#include "ui/wizard/flow_range_dialog.h"
#include "ui/wizard/utility_choice_dialog.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {
const QString kRoubles = u"Стоимость без НДС, руб. РФ"_s;
const QString kEuros = u"Стоимость без НДС, EVR"_s;
const QString kUntouched = u"untouched"_s;

QString Clipboard() { return QGuiApplication::clipboard()->text(); }

QStringList Cells(const ResultRow &row) { return QStringList(row.begin(), row.end()); }

// The table a spreadsheet would get: the header, then the rows of the given
// catalogue slots numbered by their place in the grid.
QString ExpectedTable(const QString &priceHeader, const std::vector<int> &catalogueSlots,
                      const std::vector<int> &gridRows, const ProductCatalogue &catalogue)
{
    QStringList header = Cells(ResultHeaderRow());
    header.last() = priceHeader;
    QStringList lines{header.join(u'\t')};
    for (int row : gridRows)
        lines << Cells(FormatResultRow(row + 1, catalogue.at(catalogueSlots.at(row)))).join(u'\t');
    return lines.join(u'\n');
}

std::vector<int> FirstRows(std::size_t count)
{
    std::vector<int> rows(count);
    for (std::size_t i = 0; i < count; ++i)
        rows[i] = int(i);
    return rows;
}
} // namespace

// Copying the result grids to the clipboard: Ctrl+C on a focused grid and the
// grids' one context-menu entry.
class TestResultsCopy : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppState> state;
    std::unique_ptr<WindowSet> windows;

    TForm2 *results() const { return windows->Form2.get(); }

    // Mode 1 with every base, through the dialogs, with a gauge pressure range in bar.
    void runRange(const QString &qmax, const QString &qmin, const QString &pmax, const QString &pmin)
    {
        windows->Form1->Image2Click();
        ClickButton(windows->Dlg->BitBtn1);
        TypeInto(windows->Dlg1->Edit11, qmax);
        TypeInto(windows->Dlg1->Edit12, qmin);
        ClickButton(windows->Dlg1->BitBtn2);
        TOKBottomDlg2 *d = windows->Dlg2.get();
        ClickButton(d->RadioButton1);
        TypeInto(d->Edit3, pmax);
        d->ComboBox1->setCurrentIndex(int(PressureUnit::Bar));
        TypeInto(d->Edit4, pmin);
        d->ComboBox2->setCurrentIndex(int(PressureUnit::Bar));
        ClickButton(d->BitBtn2);
        QVERIFY(results()->isVisible());
    }

    // The selection the mode-1 run above must have shown.
    SelectionResult rangeExpected() const
    {
        const PressureSet &p = state->Pressures;
        return RangeSelection(state->Catalogue, 1, p.PmaxAbs, p.QmaxWork, p.QminWork, {true, true, true});
    }

    // Mode 4 with both series, one working pressure in bar.
    void runUtility(const QString &qmax, const QString &qmin, const QString &pressure)
    {
        windows->Form1->Image5Click();
        ClickButton(windows->Dlg5->BitBtn2);
        TypeInto(windows->Dlg1->Edit11, qmax);
        TypeInto(windows->Dlg1->Edit12, qmin);
        ClickButton(windows->Dlg1->BitBtn2);
        TypeInto(windows->Dlg4->Edit5, pressure);
        ClickButton(windows->Dlg4->BitBtn2);
        QVERIFY(results()->isVisible());
    }

    // Ctrl+C as the user presses it, on the grid holding the focus.
    void pressCopy(QTableWidget *grid)
    {
        QGuiApplication::clipboard()->setText(kUntouched);
        results()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(results()));
        grid->setFocus();
        QVERIFY(grid->hasFocus());
        QTest::keySequence(grid, QKeySequence::Copy);
    }

    void clickRow(QTableWidget *grid, int row, Qt::KeyboardModifiers modifiers = {})
    {
        const QRect cell = grid->visualRect(grid->model()->index(row, 1));
        QVERIFY(cell.isValid());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, cell.center());
    }

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }

    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        state = std::make_unique<AppState>();
        windows = std::make_unique<WindowSet>(*state);
    }

    void cleanup()
    {
        windows.reset();
        state.reset();
    }

    // The clipboard of the offscreen platform holds text, which the other tests rely on.
    void clipboardWorks()
    {
        QGuiApplication::clipboard()->setText(u"Счётчик\t1"_s);
        QCOMPARE(Clipboard(), u"Счётчик\t1"_s);
    }

    // With nothing selected, the whole of the focused grid is copied: the header and
    // every filled row, the numbers in the locale's way.
    void wholeGrid_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("comma locale") << QLocale(QLocale::Russian, QLocale::Russia);
        QTest::newRow("point locale") << QLocale::c();
    }

    void wholeGrid()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        runRange(u"100"_s, u"10"_s, u"1"_s, u"0"_s);
        const SelectionResult expected = rangeExpected();
        QCOMPARE(results()->possibleCount(), 40);
        QCOMPARE(int(expected.possible.size()), 40);
        QCOMPARE(results()->optimalCount(), int(expected.optimal.size()));

        pressCopy(results()->StringGrid1);
        const QString possible = ExpectedTable(kRoubles, expected.possible, FirstRows(40), state->Catalogue);
        QCOMPARE(Clipboard(), possible);
        QCOMPARE(Clipboard().split(u'\n').size(), 41);
        const QStringList firstRow = Clipboard().split(u'\n').at(1).split(u'\t');
        QCOMPARE(firstRow.size(), 8);
        QCOMPARE(firstRow.at(0), u"1"_s);

        pressCopy(results()->StringGrid2);
        QCOMPARE(Clipboard(), ExpectedTable(kRoubles, expected.optimal, FirstRows(expected.optimal.size()),
                                            state->Catalogue));
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }

    // Rows no variant filled are not copied, whether selected or not.
    void emptyRowsLeftOut()
    {
        runRange(u"16"_s, u"1,6"_s, u"1"_s, u"0"_s);
        const SelectionResult expected = rangeExpected();
        const int possible = results()->possibleCount();
        const int optimal = results()->optimalCount();
        QVERIFY2(possible > 0 && possible < 8, qPrintable(QString::number(possible)));
        QVERIFY2(optimal > 0 && optimal < 3, qPrintable(QString::number(optimal)));

        pressCopy(results()->StringGrid1);
        QCOMPARE(Clipboard(), ExpectedTable(kRoubles, expected.possible, FirstRows(possible), state->Catalogue));
        pressCopy(results()->StringGrid2);
        QCOMPARE(Clipboard(), ExpectedTable(kRoubles, expected.optimal, FirstRows(optimal), state->Catalogue));

        // The last filled row and an empty one below it: only the filled one.
        QTableWidget *grid = results()->StringGrid1;
        clickRow(grid, possible - 1);
        clickRow(grid, 7, Qt::ControlModifier);
        pressCopy(grid);
        QCOMPARE(Clipboard(), ExpectedTable(kRoubles, expected.possible, {possible - 1}, state->Catalogue));
        // Empty rows alone: the header alone.
        clickRow(grid, 7);
        pressCopy(grid);
        QCOMPARE(Clipboard().split(u'\n').size(), 1);
        QVERIFY(Clipboard().startsWith(u"№№\t"_s));
    }

    // Selected rows are copied in grid order, whatever order they were picked in.
    void selectedRows()
    {
        runRange(u"100"_s, u"10"_s, u"1"_s, u"0"_s);
        const SelectionResult expected = rangeExpected();
        QTableWidget *grid = results()->StringGrid1;
        clickRow(grid, 5);
        clickRow(grid, 2, Qt::ControlModifier);
        pressCopy(grid);
        QCOMPARE(Clipboard(), ExpectedTable(kRoubles, expected.possible, {2, 5}, state->Catalogue));

        // A new run starts without a selection: the whole grid again.
        runRange(u"250"_s, u"25"_s, u"0,02"_s, u"0"_s);
        const SelectionResult wide = rangeExpected();
        QCOMPARE(wide.optimal.size(), std::size_t(3));
        pressCopy(grid);
        QCOMPARE(Clipboard().split(u'\n').size(), 1 + int(wide.possible.size()));

        // The optimal grid copies its own rows, selected ones alone when there are some.
        QTableWidget *optimal = results()->StringGrid2;
        pressCopy(optimal);
        QCOMPARE(Clipboard(), ExpectedTable(kRoubles, wide.optimal, {0, 1, 2}, state->Catalogue));
        clickRow(optimal, 2);
        clickRow(optimal, 0, Qt::ControlModifier);
        pressCopy(optimal);
        QCOMPARE(Clipboard(), ExpectedTable(kRoubles, wide.optimal, {0, 2}, state->Catalogue));
    }

    // Each grid's context menu is the single entry "Копировать", which copies that grid.
    void contextMenu()
    {
        runRange(u"100"_s, u"10"_s, u"1"_s, u"0"_s);
        const SelectionResult expected = rangeExpected();
        struct Case {
            QTableWidget *grid;
            QAction *action;
            QString text;
        };
        const Case cases[] = {
            {results()->StringGrid1, results()->CopyAction1,
             ExpectedTable(kRoubles, expected.possible, FirstRows(40), state->Catalogue)},
            {results()->StringGrid2, results()->CopyAction2,
             ExpectedTable(kRoubles, expected.optimal, FirstRows(expected.optimal.size()), state->Catalogue)},
        };
        for (const Case &c : cases) {
            QCOMPARE(c.grid->contextMenuPolicy(), Qt::ActionsContextMenu);
            QCOMPARE(c.grid->actions(), QList<QAction *>{c.action});
            QCOMPARE(c.action->text(), u"Копировать"_s);
            QCOMPARE(c.action->shortcut(), QKeySequence(QKeySequence::Copy));
            QGuiApplication::clipboard()->setText(kUntouched);
            c.action->trigger();
            QCOMPARE(Clipboard(), c.text);
        }
    }

    // Mode 4 prices are in euros, and so is the copied header; the next run of
    // another mode copies roubles again.
    void euroHeader()
    {
        runUtility(u"10"_s, u"0,1"_s, u"0,02"_s);
        const SelectionResult expected =
            WorkingPressureSelection(state->Catalogue, 4, state->Pressures, {true, true, false});
        QVERIFY(!expected.possible.empty());
        pressCopy(results()->StringGrid1);
        const QString copied = Clipboard();
        QCOMPARE(copied.section(u'\n', 0, 0).split(u'\t').last(), kEuros);
        QCOMPARE(copied, ExpectedTable(kEuros, expected.possible, FirstRows(expected.possible.size()),
                                       state->Catalogue));
        pressCopy(results()->StringGrid2);
        QCOMPARE(Clipboard().section(u'\n', 0, 0).split(u'\t').last(), kEuros);

        runRange(u"100"_s, u"10"_s, u"1"_s, u"0"_s);
        pressCopy(results()->StringGrid2);
        QCOMPARE(Clipboard().section(u'\n', 0, 0).split(u'\t').last(), kRoubles);
    }
};

QTEST_MAIN(TestResultsCopy)
#include "tst_results_copy.moc"
