// The working-pressure dialog of modes 2 and 4, driven end to end from the main
// window: its controls, launch and exit resets, "Назад", the Enter chain, the
// working-pressure step and the selection it shows in the results window.

#include "core/state/app_state.h"
#include "ui/launcher/main_window.h"
#include "app/window_set.h"
#include "ui/pressure/unit_combo_box.h"
#include "ui/results/results_window.h"
#include "ui/pressure/working_pressure_dialog.h"
#include "ui/wizard/complex_choice_dialog.h"
#include "ui/wizard/flow_range_dialog.h"
#include "ui/wizard/utility_choice_dialog.h"
#include "ui_test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int KeepUnit = -2; // leave the unit the launch selected
constexpr int Bar = 0;
constexpr int Kilopascal = 5;
constexpr int Megapascal = 6;

const QString BadInput = u"Правильно введите исходные данные!"_s;
const QString RoubleHeader = u"Стоимость без НДС, руб. РФ"_s;
const QString EuroHeader = u"Стоимость без НДС, EVR"_s;

QString Cell(const QTableWidget *grid, int row, int column)
{
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text() : QString();
}

// The filled rows of a grid as "number. name; Qmin".
QStringList FilledRows(const QTableWidget *grid)
{
    QStringList rows;
    for (int r = 0; r < grid->rowCount(); ++r) {
        if (Cell(grid, r, 1).isEmpty())
            continue;
        rows << Cell(grid, r, 0) + u". "_s + Cell(grid, r, 1) + u"; "_s + Cell(grid, r, 6);
    }
    return rows;
}

// "name; Qmin" entries numbered from 1, as FilledRows shows them.
QStringList Numbered(const QStringList &rows)
{
    QStringList out;
    for (int i = 0; i < rows.size(); ++i)
        out << QString::number(i + 1) + u". "_s + rows.at(i);
    return out;
}

// Restores the comma locale when a test has switched to another one.
struct LocaleGuard {
    ~LocaleGuard() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
};

} // namespace

class TestWorkingPressureDialog : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppState> state;
    std::unique_ptr<WindowSet> windows;

    TOKBottomDlg4 *dialog() const { return windows->Dlg4.get(); }
    TForm2 *results() const { return windows->Form2.get(); }

    void launch(int mode)
    {
        TForm1 *f = windows->Form1.get();
        switch (mode) {
        case 1: f->Image2Click(); break;
        case 2: f->Image3Click(); break;
        default: f->Image5Click(); break;
        }
    }

    // From the mode's choice dialog, with the boxes as in `gates` ("101": first
    // and third checked), through the flow range to this dialog.
    bool goToDialog(int mode, const QString &gates, const QString &qmax, const QString &qmin)
    {
        if (mode == 2) {
            QCheckBox *boxes[] = {windows->Dlg->CheckBox1, windows->Dlg->CheckBox2,
                                  windows->Dlg->CheckBox3};
            for (int i = 0; i < 3; ++i)
                boxes[i]->setChecked(gates.at(i) == u'1');
            ClickButton(windows->Dlg->BitBtn1);
        } else {
            windows->Dlg5->CheckBox1->setChecked(gates.at(0) == u'1');
            windows->Dlg5->CheckBox2->setChecked(gates.at(1) == u'1');
            ClickButton(windows->Dlg5->BitBtn2);
        }
        TypeInto(windows->Dlg1->Edit11, qmax);
        TypeInto(windows->Dlg1->Edit12, qmin);
        ClickButton(windows->Dlg1->BitBtn2);
        return dialog()->isVisible();
    }

    bool reachDialog(int mode, const QString &qmax, const QString &qmin)
    {
        launch(mode);
        return goToDialog(mode, mode == 2 ? u"111"_s : u"11"_s, qmax, qmin);
    }

    // Types the pressure (text the keyboard helper cannot type is pasted), picks
    // the unit (unless KeepUnit) and presses "Далее".
    void next(const QString &pressure, int unit = KeepUnit)
    {
        if (std::all_of(pressure.begin(), pressure.end(), [](QChar c) { return c.unicode() < 128; }))
            TypeInto(dialog()->Edit5, pressure);
        else
            dialog()->Edit5->setText(pressure);
        if (unit != KeepUnit)
            dialog()->ComboBox3->setCurrentIndex(unit);
        ClickButton(dialog()->BitBtn2);
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }

    void init()
    {
        state = std::make_unique<AppState>();
        windows = std::make_unique<WindowSet>(*state);
        windows->Form1->show();
    }

    void cleanup()
    {
        windows.reset();
        state.reset();
    }

    void controlsAndCreation()
    {
        TOKBottomDlg4 *d = dialog();
        QCOMPARE(d->objectName(), u"TOKBottomDlg4"_s);
        QCOMPARE(d->windowTitle(), u"Исходные данные"_s);
        QCOMPARE(d->size(), QSize(313, 207));
        QCOMPARE(d->Label12->text(), u"Введите рабочее"_s);
        QCOMPARE(d->Label13->text(), u"(избыточное) давление газа"_s);
        QCOMPARE(d->Label54->text(), u"Pср"_s);
        QCOMPARE(d->BitBtn1->text(), u"Назад"_s);
        QCOMPARE(d->BitBtn2->text(), u"Далее"_s);
        QCOMPARE(d->BitBtn3->text(), u"Выход"_s);
        for (QPushButton *b : {d->BitBtn1, d->BitBtn2, d->BitBtn3})
            QVERIFY(!b->autoDefault() && !b->isDefault());
        QCOMPARE(d->ComboBox3->count(), 10);

        // Creation empties the edit and, with no mode chosen yet, leaves the list
        // without an item.
        QVERIFY(d->Edit5->text().isEmpty());
        QCOMPARE(d->ComboBox3->currentIndex(), -1);
        QVERIFY(!d->isVisible());
    }

    void focusOrder()
    {
        QVERIFY(reachDialog(2, u"100"_s, u"10"_s));
        TOKBottomDlg4 *d = dialog();
        QWidget *const expected[] = {d->ComboBox3, d->BitBtn1, d->BitBtn2, d->BitBtn3, d->Edit5};
        d->Edit5->setFocus();
        for (QWidget *w : expected) {
            QTest::keyClick(d->focusWidget(), Qt::Key_Tab);
            QCOMPARE(d->focusWidget(), w);
        }
    }

    void unitAfterLaunch_data()
    {
        QTest::addColumn<int>("firstMode");
        QTest::addColumn<int>("secondMode");
        QTest::addColumn<bool>("viaMenu");
        QTest::addColumn<int>("unit");

        QTest::newRow("mode 2 after mode 4") << 4 << 2 << false << Bar;
        QTest::newRow("mode 2 from the menu") << 4 << 2 << true << Bar;
        QTest::newRow("mode 4 after mode 2") << 2 << 4 << false << Kilopascal;
        QTest::newRow("mode 4 twice") << 4 << 4 << false << Kilopascal;
        // Another mode empties the edit but leaves the unit the user picked.
        QTest::newRow("mode 1 leaves the unit") << 4 << 1 << false << 7;
    }

    void unitAfterLaunch()
    {
        QFETCH(int, firstMode);
        QFETCH(int, secondMode);
        QFETCH(bool, viaMenu);
        QFETCH(int, unit);

        QVERIFY(reachDialog(firstMode, u"100"_s, u"10"_s));
        TypeInto(dialog()->Edit5, u"3"_s);
        dialog()->ComboBox3->setCurrentIndex(7);

        if (viaMenu)
            windows->Form1->N6->trigger();
        else
            launch(secondMode);
        QVERIFY(!dialog()->isVisible());
        QVERIFY(dialog()->Edit5->text().isEmpty());
        QCOMPARE(dialog()->ComboBox3->currentIndex(), unit);

        if (secondMode != 1) {
            QVERIFY(goToDialog(secondMode, u"111"_s, u"100"_s, u"10"_s));
            QCOMPARE(dialog()->ComboBox3->currentText(), secondMode == 2 ? u"бар"_s : u"кПа"_s);
        }
    }

    void selection_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("gates");
        QTest::addColumn<QString>("qmax");
        QTest::addColumn<QString>("qmin");
        QTest::addColumn<QString>("pressure");
        QTest::addColumn<int>("unit");
        QTest::addColumn<QStringList>("working"); // Label180, Label185, Label25, Label26
        QTest::addColumn<QStringList>("possible");
        QTest::addColumn<QStringList>("optimal");
        QTest::addColumn<int>("gridRows");

        const QStringList oneBarPossible{
            u"ZAM G40+KQ730; 3"_s,  u"ZAM G40+KQ730; 1,3"_s,  u"ZAM G65+KQ730; 5"_s,
            u"ZAM G65+KQ730; 2"_s,  u"ZAM G65+KQ730; 1"_s,    u"ZAM G100+KQ730; 3"_s,
            u"ZAM G100+KQ730; 1,6"_s, u"ZAM G250+KQ730; 4"_s};
        QTest::newRow("mode 2, 1 bar")
            << 2 << u"111"_s << u"100"_s << u"10"_s << u"1"_s << KeepUnit
            << QStringList{u"50"_s, u"5"_s, u"1"_s, u"2"_s} << oneBarPossible
            << QStringList{u"ZAM G40+KQ730; 3"_s} << 8;
        QTest::newRow("mode 2, 100 kPa is 1 bar")
            << 2 << u"111"_s << u"100"_s << u"10"_s << u"100"_s << Kilopascal
            << QStringList{u"50"_s, u"5"_s, u"1"_s, u"2"_s} << oneBarPossible
            << QStringList{u"ZAM G40+KQ730; 3"_s} << 8;
        QTest::newRow("mode 2, no unit counts as bar")
            << 2 << u"111"_s << u"100"_s << u"10"_s << u"1"_s << -1
            << QStringList{u"50"_s, u"5"_s, u"1"_s, u"2"_s} << oneBarPossible
            << QStringList{u"ZAM G40+KQ730; 3"_s} << 8;
        QTest::newRow("mode 2, 2 bar grows the grid")
            << 2 << u"111"_s << u"300"_s << u"30"_s << u"2"_s << Bar
            << QStringList{u"100"_s, u"10"_s, u"2"_s, u"3"_s}
            << QStringList{u"ZAM G65+KQ730; 5"_s,   u"ZAM G65+KQ730; 2"_s,  u"ZAM G65+KQ730; 1"_s,
                           u"ZAM G100+KQ730; 8"_s,  u"ZAM G100+KQ730; 3"_s, u"ZAM G100+KQ730; 1,6"_s,
                           u"ZAM G250+KQ730; 8"_s,  u"ZAM G250+KQ730; 4"_s, u"ZAM G400+KQ730; 6,5"_s,
                           u"ZAM G400+KQ730; 6,5"_s, u"МАРИН/100; 10"_s}
            << QStringList{u"ZAM G65+KQ730; 5"_s, u"МАРИН/100; 10"_s} << 11;
        // Between -1 and 0 bar the working flows rise; every family has a fit.
        const QStringList halfBelowPossible{
            u"ZAM G250+KQ730; 20"_s, u"ZAM G250+KQ730; 8"_s,  u"ZAM G250+KQ730; 4"_s,
            u"ZAM G400+KQ730; 13"_s, u"ZAM G400+KQ730; 6,5"_s, u"ZAM G400+KQ730; 13"_s,
            u"ZAM G400+KQ730; 6,5"_s, u"МАРИН/250; 12,5"_s,    u"МАРИН/400; 20"_s,
            u"KEL G160+KQ730; 13"_s, u"KEL G250+KQ730; 20"_s, u"KEL G250+KQ730; 13"_s,
            u"KEL G400+KQ730; 20"_s};
        QTest::newRow("mode 2, -0.5 bar, every family")
            << 2 << u"111"_s << u"100"_s << u"10"_s << u"-0,5"_s << Bar
            << QStringList{u"200"_s, u"20"_s, u"-0,5"_s, u"0,5"_s} << halfBelowPossible
            << QStringList{u"ZAM G250+KQ730; 20"_s, u"МАРИН/250; 12,5"_s, u"KEL G160+KQ730; 13"_s}
            << 13;
        QTest::newRow("mode 2, rotary family unchecked")
            << 2 << u"011"_s << u"100"_s << u"10"_s << u"-0,5"_s << Bar
            << QStringList{u"200"_s, u"20"_s, u"-0,5"_s, u"0,5"_s} << halfBelowPossible.mid(7)
            << QStringList{u"МАРИН/250; 12,5"_s, u"KEL G160+KQ730; 13"_s} << 8;
        QTest::newRow("mode 2, 5 bar still fits")
            << 2 << u"111"_s << u"100"_s << u"10"_s << u"5"_s << Bar
            << QStringList{u"16,667"_s, u"1,667"_s, u"5"_s, u"6"_s}
            << QStringList{u"ZAM G16+KQ730; 1,3"_s, u"ZAM G25+KQ730; 0,8"_s, u"ZAM G40+KQ730; 1,3"_s,
                           u"ZAM G65+KQ730; 1"_s, u"ZAM G100+KQ730; 1,6"_s}
            << QStringList{u"ZAM G16+KQ730; 1,3"_s} << 8;
        QTest::newRow("mode 2, above 5 bar nothing")
            << 2 << u"111"_s << u"100"_s << u"10"_s << u"5,001"_s << Bar
            << QStringList{u"16,664"_s, u"1,666"_s, u"5,001"_s, u"6,001"_s} << QStringList{}
            << QStringList{} << 8;

        const QStringList utilityPossible{
            u"NM G6; 0,06"_s,  u"PIX G6; 0,06"_s,       u"NM G10; 0,1"_s,
            u"NM G10; 0,1"_s,  u"NM G16; 0,16"_s,       u"NM G6T; 0,06"_s,
            u"NM G10T(мех); 0,1"_s, u"NM G10T(элек); 0,1"_s, u"NM G16T; 0,16"_s};
        QTest::newRow("mode 4, 2 kPa")
            << 4 << u"11"_s << u"8"_s << u"0,2"_s << u"2"_s << KeepUnit
            << QStringList{u"7,843"_s, u"0,196"_s, u"0,02"_s, u"1,02"_s} << utilityPossible
            << QStringList{u"NM G6; 0,06"_s, u"NM G6T; 0,06"_s} << 9;
        QTest::newRow("mode 4, first series alone")
            << 4 << u"10"_s << u"8"_s << u"0,2"_s << u"2"_s << KeepUnit
            << QStringList{u"7,843"_s, u"0,196"_s, u"0,02"_s, u"1,02"_s} << utilityPossible.mid(0, 5)
            << QStringList{u"NM G6; 0,06"_s} << 8;
        QTest::newRow("mode 4, 50 kPa still fits")
            << 4 << u"11"_s << u"8"_s << u"0,2"_s << u"50"_s << Kilopascal
            << QStringList{u"5,333"_s, u"0,133"_s, u"0,5"_s, u"1,5"_s}
            << QStringList{u"NM G6; 0,06"_s, u"PIX G6; 0,06"_s, u"NM G10; 0,1"_s, u"NM G10; 0,1"_s,
                           u"NM G6T; 0,06"_s, u"NM G10T(мех); 0,1"_s, u"NM G10T(элек); 0,1"_s}
            << QStringList{u"NM G6; 0,06"_s, u"NM G6T; 0,06"_s} << 8;
        QTest::newRow("mode 4, 51 kPa nothing")
            << 4 << u"11"_s << u"8"_s << u"0,2"_s << u"51"_s << Kilopascal
            << QStringList{u"5,298"_s, u"0,132"_s, u"0,51"_s, u"1,51"_s} << QStringList{}
            << QStringList{} << 8;
    }

    void selection()
    {
        QFETCH(int, mode);
        QFETCH(QString, gates);
        QFETCH(QString, qmax);
        QFETCH(QString, qmin);
        QFETCH(QString, pressure);
        QFETCH(int, unit);
        QFETCH(QStringList, working);
        QFETCH(QStringList, possible);
        QFETCH(QStringList, optimal);
        QFETCH(int, gridRows);

        launch(mode);
        QVERIFY(goToDialog(mode, gates, qmax, qmin));
        MessageCatcher catcher;
        next(pressure, unit);
        QVERIFY2(catcher.messages().isEmpty(), qPrintable(catcher.texts().join(u'|')));

        TForm2 *r = results();
        QVERIFY(!dialog()->isVisible());
        QVERIFY(r->isVisible());
        QCOMPARE(dialog()->Edit5->text(), pressure);

        QCOMPARE(r->Label178->text(), u"Pср+Patm"_s);
        QCOMPARE(r->Label183->text(), u"Pср+Patm"_s);
        QCOMPARE((QStringList{r->Label180->text(), r->Label185->text(), r->Label25->text(),
                              r->Label26->text()}),
                 working);
        for (QLabel *shown : {r->Label24, r->Label25, r->Label27, r->Label26})
            QVERIFY2(!shown->isHidden(), qPrintable(shown->objectName()));
        for (QLabel *hidden : {r->Label14, r->Label8, r->Label15, r->Label19, r->Label11, r->Label16,
                               r->Label13, r->Label23})
            QVERIFY2(hidden->isHidden(), qPrintable(hidden->objectName()));

        QCOMPARE(FilledRows(r->StringGrid1), Numbered(possible));
        QCOMPARE(FilledRows(r->StringGrid2), Numbered(optimal));
        QCOMPARE(r->StringGrid1->rowCount(), gridRows);
        const QString header = mode == 4 ? EuroHeader : RoubleHeader;
        QCOMPARE(r->StringGrid1->horizontalHeaderItem(7)->text(), header);
        QCOMPARE(r->StringGrid2->horizontalHeaderItem(7)->text(), header);
    }

    void pointLocale()
    {
        LocaleGuard guard;
        QLocale::setDefault(QLocale::c());
        QVERIFY(reachDialog(2, u"100"_s, u"10"_s));
        MessageCatcher catcher;
        next(u"0.5"_s);
        QVERIFY(catcher.messages().isEmpty());
        QVERIFY(results()->isVisible());
        QCOMPARE(results()->Label25->text(), u"0.5"_s);
        QCOMPARE(results()->Label26->text(), u"1.5"_s);
        QCOMPARE(results()->Label180->text(), u"66.667"_s);
        QCOMPARE(results()->Label185->text(), u"6.667"_s);
    }

    void inputErrors_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("pressure");
        QTest::addColumn<int>("unit");
        QTest::addColumn<double>("gaugeAfter"); // what the failed step left stored

        QTest::newRow("empty") << 2 << QString() << Bar << 0.0;
        QTest::newRow("point in a comma locale") << 2 << u"2.5"_s << Bar << 0.0;
        QTest::newRow("letters") << 2 << u"abc"_s << Bar << 0.0;
        QTest::newRow("unit typed in") << 2 << u"2 бар"_s << Bar << 0.0;
        QTest::newRow("-1 bar") << 2 << u"-1"_s << Bar << -1.0;
        QTest::newRow("-100 kPa is -1 bar") << 4 << u"-100"_s << Kilopascal << -1.0;
        // Below -1 bar the absolute pressure is negative: an input error too.
        QTest::newRow("-1.5 bar") << 4 << u"-1,5"_s << Bar << -1.5;
        QTest::newRow("-2 bar") << 2 << u"-2"_s << Bar << -2.0;
        // The read number stays; the overflowing conversion is not stored.
        QTest::newRow("overflow in conversion") << 2 << u"1E308"_s << Megapascal << 1e308;
    }

    void inputErrors()
    {
        QFETCH(int, mode);
        QFETCH(QString, pressure);
        QFETCH(int, unit);
        QFETCH(double, gaugeAfter);

        QVERIFY(reachDialog(mode, u"100"_s, u"10"_s));
        MessageCatcher catcher;
        next(pressure, unit);

        QCOMPARE(catcher.messages().size(), 1);
        const SeenMessage &m = catcher.messages().first();
        QCOMPARE(m.text, BadInput);
        QCOMPARE(m.title, u"Error"_s);
        QCOMPARE(m.icon, QMessageBox::Critical);
        QCOMPARE(m.buttonCount, 1);

        QVERIFY(dialog()->isVisible());
        QVERIFY(!results()->isVisible());
        QCOMPARE(dialog()->Edit5->text(), pressure);
        QCOMPARE(dialog()->ComboBox3->currentIndex(), unit);
        QCOMPARE(state->Pressures.PmaxGauge, gaugeAfter);
    }

    // A mode-4 run, then two mode-2 runs: the header goes back to roubles and the
    // grown grid shrinks with its old rows gone.
    void consecutiveRuns()
    {
        QVERIFY(reachDialog(4, u"8"_s, u"0,2"_s));
        next(u"2"_s);
        QCOMPARE(results()->StringGrid2->horizontalHeaderItem(7)->text(), EuroHeader);

        QVERIFY(reachDialog(2, u"300"_s, u"30"_s));
        next(u"2"_s);
        QCOMPARE(results()->StringGrid1->horizontalHeaderItem(7)->text(), RoubleHeader);
        QCOMPARE(results()->StringGrid2->horizontalHeaderItem(7)->text(), RoubleHeader);
        QCOMPARE(results()->StringGrid1->rowCount(), 11);

        windows->Form1->N6->trigger();
        QVERIFY(goToDialog(2, u"111"_s, u"100"_s, u"10"_s));
        next(u"5"_s);
        QVERIFY(results()->isVisible());
        QCOMPARE(results()->StringGrid1->rowCount(), 8);
        QCOMPARE(FilledRows(results()->StringGrid1).size(), 5);
        QCOMPARE(FilledRows(results()->StringGrid2), QStringList{u"1. ZAM G16+KQ730; 1,3"_s});
        for (int column = 0; column < 8; ++column)
            QVERIFY(Cell(results()->StringGrid1, 7, column).isEmpty());
    }

    void backKeepsPressure()
    {
        QVERIFY(reachDialog(4, u"8"_s, u"0,2"_s));
        TypeInto(dialog()->Edit5, u"0,02"_s);
        dialog()->ComboBox3->setCurrentIndex(Bar);

        ClickButton(dialog()->BitBtn1);
        QVERIFY(!dialog()->isVisible());
        QVERIFY(windows->Dlg1->isVisible());
        QVERIFY(!results()->isVisible());

        ClickButton(windows->Dlg1->BitBtn2);
        QVERIFY(dialog()->isVisible());
        QCOMPARE(dialog()->Edit5->text(), u"0,02"_s);
        QCOMPARE(dialog()->ComboBox3->currentIndex(), Bar);

        ClickButton(dialog()->BitBtn2);
        QVERIFY(results()->isVisible());
        QCOMPARE(results()->Label180->text(), u"7,843"_s);
    }

    void exitResets()
    {
        QVERIFY(reachDialog(4, u"8"_s, u"0,2"_s));
        TypeInto(dialog()->Edit5, u"3"_s);
        MessageCatcher catcher;
        ClickButton(dialog()->BitBtn3);

        QVERIFY(catcher.messages().isEmpty());
        QVERIFY(!dialog()->isVisible());
        QVERIFY(!results()->isVisible());
        QVERIFY(dialog()->Edit5->text().isEmpty());
        QCOMPARE(dialog()->ComboBox3->currentIndex(), Bar);
        QVERIFY(windows->Dlg1->Edit11->text().isEmpty());
    }

    void titleBarCloseResetsNothing()
    {
        QVERIFY(reachDialog(4, u"8"_s, u"0,2"_s));
        TypeInto(dialog()->Edit5, u"3"_s);
        dialog()->close();
        QVERIFY(!dialog()->isVisible());
        QCOMPARE(dialog()->Edit5->text(), u"3"_s);
        QCOMPARE(dialog()->ComboBox3->currentIndex(), Kilopascal);
    }

    void enterThenEnterRuns()
    {
        QVERIFY(reachDialog(2, u"100"_s, u"10"_s));
        TypeInto(dialog()->Edit5, u"1"_s);
        QTest::keyClick(dialog()->Edit5, Qt::Key_Return);
        QCOMPARE(dialog()->focusWidget(), dialog()->BitBtn2);
        QCOMPARE(dialog()->Edit5->text(), u"1"_s);
        QVERIFY(!results()->isVisible());

        MessageCatcher catcher;
        QTest::keyClick(dialog()->focusWidget(), Qt::Key_Return);
        QVERIFY(catcher.messages().isEmpty());
        QVERIFY(results()->isVisible());
        QCOMPARE(results()->Label26->text(), u"2"_s);
    }
};

QTEST_MAIN(TestWorkingPressureDialog)
#include "tst_working_pressure_dialog.moc"
