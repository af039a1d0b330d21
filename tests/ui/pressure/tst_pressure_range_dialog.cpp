// The pressure-range dialog driven through the real chains of modes 1 and 3: its
// two looks, the ordering of the bounds, the wide-range warning, input errors,
// "Назад", "Выход", the close handler and the filled results window.

#include "core/state/app_state.h"
#include "ui/launcher/main_window.h"
#include "app/window_set.h"
#include "ui/pressure/pressure_range_dialog.h"
#include "ui/pressure/unit_combo_box.h"
#include "ui/results/results_window.h"
#include "ui/wizard/complex_choice_dialog.h"
#include "ui/wizard/flow_range_dialog.h"
#include "ui/wizard/meter_choice_dialog.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int Bar = 0;
constexpr int Millibar = 1;
constexpr int Atmosphere = 3;
constexpr int Kilopascal = 5;
constexpr int Megapascal = 6;

// What the user picks: nothing, the range or the single working pressure.
enum Choice { NoChoice = 0, Range = 1, Single = 2 };

QColor TextColour(const QLabel *label) { return label->palette().color(QPalette::WindowText); }
QColor Background(const QWidget *field) { return field->palette().color(QPalette::Base); }
QColor SystemColour(QPalette::ColorRole role) { return QGuiApplication::palette().color(role); }
const QColor Silver(192, 192, 192);

} // namespace

class TestPressureRangeDialog : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppState> state;
    std::unique_ptr<WindowSet> windows;

    TOKBottomDlg2 *dialog() const { return windows->Dlg2.get(); }
    TForm2 *results() const { return windows->Form2.get(); }

    // Launches mode 1 or 3 from the main window and goes through the choice and
    // flow-range dialogs to this dialog.
    bool reachDialog(int mode, const QString &qmax = u"100"_s, const QString &qmin = u"10"_s)
    {
        if (mode == 1) {
            windows->Form1->Image2Click();
            ClickButton(windows->Dlg->BitBtn1);
        } else {
            windows->Form1->Image4Click();
            ClickButton(windows->Dlg3->BitBtn1);
        }
        TypeInto(windows->Dlg1->Edit11, qmax);
        TypeInto(windows->Dlg1->Edit12, qmin);
        ClickButton(windows->Dlg1->BitBtn2);
        return dialog()->isVisible();
    }

    void enterRange(const QString &pmax, int pmaxUnit, const QString &pmin, int pminUnit)
    {
        ClickButton(dialog()->RadioButton1);
        TypeInto(dialog()->Edit3, pmax);
        dialog()->ComboBox1->setCurrentIndex(pmaxUnit);
        TypeInto(dialog()->Edit4, pmin);
        dialog()->ComboBox2->setCurrentIndex(pminUnit);
    }

    void enterSingle(const QString &p, int unit)
    {
        ClickButton(dialog()->RadioButton2);
        TypeInto(dialog()->Edit5, p);
        dialog()->ComboBox3->setCurrentIndex(unit);
    }

    // The look of one of the two choices: its edits and lists on, the others off.
    void checkLook(bool range)
    {
        TOKBottomDlg2 *d = dialog();
        const QColor on = SystemColour(QPalette::Base);
        const QColor off = SystemColour(QPalette::Light);
        const QColor text = SystemColour(QPalette::WindowText);
        QCOMPARE(state->PressureRangeMode, range ? 1 : 0);
        QCOMPARE(d->RadioButton1->isChecked(), range);
        QCOMPARE(d->RadioButton2->isChecked(), !range);
        for (QWidget *field : std::initializer_list<QWidget *>{d->Edit3, d->Edit4, d->ComboBox1, d->ComboBox2}) {
            QCOMPARE(field->isEnabled(), range);
            QCOMPARE(Background(field), range ? on : off);
        }
        for (QWidget *field : std::initializer_list<QWidget *>{d->Edit5, d->ComboBox3}) {
            QCOMPARE(field->isEnabled(), !range);
            QCOMPARE(Background(field), range ? off : on);
        }
        QCOMPARE(d->ComboBox1->currentIndex(), range ? Bar : -1);
        QCOMPARE(d->ComboBox2->currentIndex(), range ? Bar : -1);
        QCOMPARE(d->ComboBox3->currentIndex(), range ? -1 : Bar);
        QCOMPARE(d->ComboBox1->currentText(), range ? u"бар"_s : QString());
        QCOMPARE(TextColour(d->Label14), range ? text : Silver);
        QCOMPARE(TextColour(d->Label15), range ? text : Silver);
        QCOMPARE(TextColour(d->Label54), range ? Silver : text);
    }

    // Rows 1 to 8 of the exit reset, seen on the three dialogs.
    void checkChainReset()
    {
        TOKBottomDlg2 *d = dialog();
        QVERIFY(windows->Dlg->CheckBox2->isChecked());
        QVERIFY(windows->Dlg1->Edit11->text().isEmpty());
        QVERIFY(windows->Dlg1->Edit12->text().isEmpty());
        QVERIFY(!d->RadioButton1->isChecked());
        QVERIFY(!d->RadioButton2->isChecked());
        for (QLineEdit *edit : {d->Edit3, d->Edit4, d->Edit5}) {
            QVERIFY(edit->text().isEmpty());
            QVERIFY(!edit->isEnabled());
        }
        for (UnitComboBox *unit : {d->ComboBox1, d->ComboBox2, d->ComboBox3}) {
            QCOMPARE(unit->currentIndex(), -1);
            QVERIFY(!unit->isEnabled());
        }
        for (QLabel *label : {d->Label14, d->Label15, d->Label54})
            QCOMPARE(TextColour(label), SystemColour(QPalette::WindowText));
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        state = std::make_unique<AppState>();
        windows = std::make_unique<WindowSet>(*state);
        windows->Form1->show();
    }

    void cleanup()
    {
        windows.reset();
        state.reset();
    }

    void controlsAfterCreation()
    {
        TOKBottomDlg2 *d = dialog();
        QCOMPARE(d->size(), QSize(313, 207));
        QCOMPARE(d->Label54->text(), u"P\u0441\u0440"_s); // Latin P
        QCOMPARE(d->Edit5->geometry(), QRect(80, 136, 81, 21));
        QCOMPARE(d->ComboBox3->geometry().topLeft(), QPoint(168, 136));
        QCOMPARE(d->BitBtn2->geometry(), QRect(152, 176, 75, 25));
        // The Tab stops from "Назад" on; widgets without focus are passed over.
        QList<QWidget *> chain{d->BitBtn1};
        for (QWidget *w = d->BitBtn1->nextInFocusChain(); w != d->BitBtn1; w = w->nextInFocusChain()) {
            if (w->focusPolicy() & Qt::TabFocus)
                chain.append(w);
        }
        const QList<QWidget *> tabOrder{d->BitBtn1, d->BitBtn2, d->BitBtn3, d->RadioButton1,
                                        d->Edit3, d->ComboBox1, d->Edit4, d->ComboBox2,
                                        d->RadioButton2, d->Edit5, d->ComboBox3};
        QCOMPARE(chain, tabOrder);
        checkChainReset();
    }

    void switchingBackAndForth()
    {
        QVERIFY(reachDialog(1));
        TOKBottomDlg2 *d = dialog();
        ClickButton(d->RadioButton1);
        checkLook(true);
        TypeInto(d->Edit3, u"7"_s);
        d->ComboBox1->setCurrentIndex(Kilopascal);
        // A click on the button already checked changes nothing.
        ClickButton(d->RadioButton1);
        QCOMPARE(d->ComboBox1->currentIndex(), Kilopascal);
        QCOMPARE(d->Edit3->text(), u"7"_s);

        ClickButton(d->RadioButton2);
        checkLook(false);
        QVERIFY(d->Edit3->text().isEmpty());
        TypeInto(d->Edit5, u"3"_s);
        ClickButton(d->RadioButton1);
        checkLook(true);
        QVERIFY(d->Edit5->text().isEmpty());
        ClickButton(d->RadioButton2);
        checkLook(false);
    }

    void enterKeyChain()
    {
        QVERIFY(reachDialog(1));
        TOKBottomDlg2 *d = dialog();
        ClickButton(d->RadioButton1);
        TypeInto(d->Edit3, u"1"_s);
        QTest::keyClick(d->Edit3, Qt::Key_Return);
        QCOMPARE(d->focusWidget(), d->Edit4);
        QTest::keyClick(d->Edit4, '0');
        QCOMPARE(d->Edit4->text(), u"0"_s);
        QTest::keyClick(d->Edit4, Qt::Key_Enter);
        QCOMPARE(d->focusWidget(), d->BitBtn2);
        QVERIFY(!results()->isVisible());
        QTest::keyClick(d->BitBtn2, Qt::Key_Return);
        QVERIFY(results()->isVisible());

        QVERIFY(reachDialog(3));
        ClickButton(d->RadioButton2);
        TypeInto(d->Edit5, u"2"_s);
        QTest::keyClick(d->Edit5, Qt::Key_Return);
        QCOMPARE(d->focusWidget(), d->BitBtn2);
    }

    void boundsOrderedByValue_data()
    {
        QTest::addColumn<QString>("pmax");
        QTest::addColumn<int>("pmaxUnit");
        QTest::addColumn<QString>("pmin");
        QTest::addColumn<int>("pminUnit");
        QTest::addColumn<QString>("edit3");
        QTest::addColumn<int>("unit1");
        QTest::addColumn<QString>("edit4");
        QTest::addColumn<int>("unit2");
        QTest::addColumn<double>("pmaxGauge");
        QTest::addColumn<double>("pminGauge");

        QTest::newRow("exchanged with their units")
            << "5" << Kilopascal << "100" << Millibar << "100" << Millibar << "5" << Kilopascal << 0.1 << 0.05;
        QTest::newRow("exchanged, rewritten") << "2,50" << Bar << "3" << Bar << "3" << Bar << "2,5" << Bar << 3.0 << 2.5;
        QTest::newRow("smaller number, larger value: kept as typed")
            << "0,20" << Megapascal << "100" << Kilopascal << "0,20" << Megapascal << "100" << Kilopascal << 2.0 << 1.0;
        QTest::newRow("equal values kept") << "1" << Bar << "100" << Kilopascal << "1" << Bar << "100" << Kilopascal << 1.0 << 1.0;
    }

    void boundsOrderedByValue()
    {
        QFETCH(QString, pmax);
        QFETCH(int, pmaxUnit);
        QFETCH(QString, pmin);
        QFETCH(int, pminUnit);
        QVERIFY(reachDialog(1));
        enterRange(pmax, pmaxUnit, pmin, pminUnit);
        MessageCatcher catcher;
        ClickButton(dialog()->BitBtn2);
        QCOMPARE(catcher.texts(), QStringList());
        QTEST(dialog()->Edit3->text(), "edit3");
        QTEST(dialog()->ComboBox1->currentIndex(), "unit1");
        QTEST(dialog()->Edit4->text(), "edit4");
        QTEST(dialog()->ComboBox2->currentIndex(), "unit2");
        QTEST(state->Pressures.PmaxGauge, "pmaxGauge");
        QTEST(state->Pressures.PminGauge, "pminGauge");
        QVERIFY(state->Pressures.PmaxAbs >= state->Pressures.PminAbs);
        QVERIFY(results()->isVisible());
    }

    void wideRangeWarning_data()
    {
        QTest::addColumn<QString>("pmax");
        QTest::addColumn<QString>("pmin");
        QTest::addColumn<bool>("pointLocale");
        QTest::addColumn<bool>("warned");
        QTest::newRow("ratio exactly 5") << "4" << "0" << false << false;
        QTest::newRow("ratio 5,5") << "4,5" << "0" << false << true;
        QTest::newRow("ratio 5.5, point locale") << "4.5" << "0" << true << true;
        QTest::newRow("ratio 5,5 typed the wrong way round") << "0" << "4,5" << false << true;
    }

    void wideRangeWarning()
    {
        QFETCH(QString, pmax);
        QFETCH(QString, pmin);
        QFETCH(bool, pointLocale);
        QFETCH(bool, warned);
        if (pointLocale)
            QLocale::setDefault(QLocale::c());
        QVERIFY(reachDialog(1));
        enterRange(pmax, Bar, pmin, Bar);
        MessageCatcher catcher;
        ClickButton(dialog()->BitBtn2);
        QCOMPARE(catcher.messages().size(), warned ? 1 : 0);
        if (warned) {
            const SeenMessage &m = catcher.messages().first();
            QCOMPARE(m.text, u"Внимание! Большой диапазон давлений, проверьте исходные данные!"_s);
            QCOMPARE(m.title, u"Warning"_s);
            QCOMPARE(m.icon, QMessageBox::Warning);
        }
        QVERIFY(results()->isVisible());
        QVERIFY(!dialog()->isVisible());
    }

    void inputErrors_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("firstUnit");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("secondUnit");
        QTest::newRow("no radio button") << int(NoChoice) << "" << Bar << "" << Bar;
        QTest::newRow("empty Pmin") << int(Range) << "1" << Bar << "" << Bar;
        QTest::newRow("point separator in a comma locale") << int(Range) << "1.5" << Bar << "0" << Bar;
        QTest::newRow("Pmin -1 bar") << int(Range) << "1" << Bar << "-1" << Bar;
        QTest::newRow("Pmin -100 kPa") << int(Range) << "1" << Bar << "-100" << Kilopascal;
        QTest::newRow("both below -1 bar") << int(Range) << "-2" << Bar << "-3" << Bar;
        QTest::newRow("single -1 bar") << int(Single) << "-1" << Bar << "" << Bar;
        QTest::newRow("single -2 atm") << int(Single) << "-2" << Atmosphere << "" << Bar;
        QTest::newRow("overflow in MPa") << int(Range) << "1E308" << Megapascal << "0" << Bar;
        QTest::newRow("empty single") << int(Single) << "" << Bar << "" << Bar;
    }

    void inputErrors()
    {
        QFETCH(int, choice);
        QFETCH(QString, first);
        QFETCH(int, firstUnit);
        QFETCH(QString, second);
        QFETCH(int, secondUnit);
        QVERIFY(reachDialog(1));
        if (choice == Range)
            enterRange(first, firstUnit, second, secondUnit);
        else if (choice == Single)
            enterSingle(first, firstUnit);
        MessageCatcher catcher;
        ClickButton(dialog()->BitBtn2);
        QCOMPARE(catcher.texts(), QStringList{u"Правильно введите исходные данные!"_s});
        QCOMPARE(catcher.messages().first().title, u"Error"_s);
        QCOMPARE(catcher.messages().first().icon, QMessageBox::Critical);
        QVERIFY(dialog()->isVisible());
        QVERIFY(!results()->isVisible());
        QCOMPARE(choice == Single ? dialog()->Edit5->text() : dialog()->Edit3->text(), first);
    }

    void backKeepsInputs()
    {
        QVERIFY(reachDialog(1));
        TOKBottomDlg2 *d = dialog();
        enterRange(u"7"_s, Kilopascal, u"2"_s, Bar);
        ClickButton(d->BitBtn1);
        QVERIFY(!d->isVisible());
        QVERIFY(windows->Dlg1->isVisible());
        QCOMPARE(windows->Dlg1->Edit11->text(), u"100"_s);
        ClickButton(windows->Dlg1->BitBtn2);
        QVERIFY(d->isVisible());
        QVERIFY(d->RadioButton1->isChecked());
        QCOMPARE(d->Edit3->text(), u"7"_s);
        QCOMPARE(d->ComboBox1->currentIndex(), Kilopascal);
        QCOMPARE(d->Edit4->text(), u"2"_s);
        QVERIFY(d->Edit4->isEnabled());
    }

    void exitResetsTheChain()
    {
        QVERIFY(reachDialog(1));
        windows->Dlg->CheckBox2->setChecked(false);
        enterRange(u"3"_s, Kilopascal, u"1"_s, Bar);
        ClickButton(dialog()->BitBtn3);
        QVERIFY(!dialog()->isVisible());
        checkChainReset();
        // The resets leave the mode and the backgrounds alone.
        QCOMPARE(state->PressureRangeMode, 1);
        QCOMPARE(Background(dialog()->Edit5), SystemColour(QPalette::Light));
    }

    void closeHandlerResets_data()
    {
        QTest::addColumn<bool>("fromResults");
        QTest::newRow("results menu, back to the main menu") << true;
        QTest::newRow("title-bar close") << false;
    }

    void closeHandlerResets()
    {
        QFETCH(bool, fromResults);
        QVERIFY(reachDialog(1));
        windows->Dlg->CheckBox2->setChecked(false);
        enterRange(u"1"_s, Bar, u"0"_s, Bar);
        if (fromResults) {
            ClickButton(dialog()->BitBtn2);
            QVERIFY(results()->isVisible());
            results()->N2Click();
            QVERIFY(!results()->isVisible());
        } else {
            dialog()->close();
        }
        QVERIFY(!dialog()->isVisible());
        checkChainReset();
        QCOMPARE(state->PressureRangeMode, 1);
    }

    void runsToResults_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("qmax");
        QTest::addColumn<QString>("qmin");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("p1");
        QTest::addColumn<QString>("p2");
        QTest::addColumn<int>("possibleRows");
        QTest::addColumn<QList<int>>("optimal");

        QTest::newRow("mode 1, range 1/0 bar") << 1 << "100" << "10" << int(Range) << "1" << "0" << 40 << QList<int>{26};
        QTest::newRow("mode 3, range 1/0 bar") << 3 << "100" << "10" << int(Range) << "1" << "0" << 6 << QList<int>{806};
        QTest::newRow("mode 1, single 15 bar") << 1 << "500" << "50" << int(Single) << "15" << "" << 9 << QList<int>{10};
    }

    void runsToResults()
    {
        QFETCH(int, mode);
        QFETCH(QString, qmax);
        QFETCH(QString, qmin);
        QFETCH(int, choice);
        QFETCH(QString, p1);
        QFETCH(QString, p2);
        QFETCH(int, possibleRows);
        QFETCH(QList<int>, optimal);
        QVERIFY(reachDialog(mode, qmax, qmin));
        if (choice == Range)
            enterRange(p1, Bar, p2, Bar);
        else
            enterSingle(p1, Bar);
        MessageCatcher catcher;
        ClickButton(dialog()->BitBtn2);
        QCOMPARE(catcher.texts(), QStringList());
        QVERIFY(results()->isVisible());

        QTableWidget *possible = results()->StringGrid1;
        QCOMPARE(possible->rowCount(), qMax(possibleRows, 8));
        int filled = 0;
        for (int row = 0; row < possible->rowCount(); ++row)
            filled += possible->item(row, 1) && !possible->item(row, 1)->text().isEmpty();
        QCOMPARE(filled, possibleRows);
        QTableWidget *best = results()->StringGrid2;
        for (int row = 0; row < optimal.size(); ++row)
            QCOMPARE(best->item(row, 1)->text(), state->Catalogue[optimal[row]].Name);
        const QTableWidgetItem *afterLast = best->item(int(optimal.size()), 1);
        QVERIFY(!afterLast || afterLast->text().isEmpty());
    }

    void firstComplexIsTheSmallestFitting()
    {
        QVERIFY(reachDialog(1));
        enterRange(u"1"_s, Bar, u"0"_s, Bar);
        ClickButton(dialog()->BitBtn2);
        QCOMPARE(results()->StringGrid2->item(0, 1)->text(), u"ВЕЛОНВз-Р-0,2-100/1,6"_s);
        QCOMPARE(results()->StringGrid1->rowCount(), 40);
    }

    // A failed "Далее" still refills the grids (with the new gates) behind the
    // hidden results window.
    void selectionRunsAfterFailedInput()
    {
        QVERIFY(reachDialog(1));
        enterRange(u"1"_s, Bar, u"0"_s, Bar);
        ClickButton(dialog()->BitBtn2);
        QCOMPARE(results()->StringGrid1->rowCount(), 40);

        windows->Form1->Image2Click();
        windows->Dlg->CheckBox1->setChecked(false);
        ClickButton(windows->Dlg->BitBtn1);
        TypeInto(windows->Dlg1->Edit11, u"100"_s);
        TypeInto(windows->Dlg1->Edit12, u"10"_s);
        ClickButton(windows->Dlg1->BitBtn2);
        enterRange(u"1"_s, Bar, QString(), Bar);
        MessageCatcher catcher;
        ClickButton(dialog()->BitBtn2);
        QCOMPARE(catcher.texts().size(), 1);
        QVERIFY(!results()->isVisible());
        QCOMPARE(results()->StringGrid1->rowCount(), 8);
    }

    void resultPanels_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("p1");
        QTest::addColumn<int>("unit");
        QTest::addColumn<QStringList>("denominators"); // Label178, Label183
        QTest::addColumn<QStringList>("flows");        // Label180, Label185
        QTest::addColumn<QStringList>("pressures");    // Label8, 19, 16, 23 or Label25, 26

        QTest::newRow("range 1/0 bar") << int(Range) << "1" << Bar << QStringList{u"Pmin+Patm"_s, u"Pmax+Patm"_s}
                                       << QStringList{u"100"_s, u"5"_s}
                                       << QStringList{u"1"_s, u"0"_s, u"2"_s, u"1"_s};
        QTest::newRow("range 1 atm/0 bar, gauge unrounded")
            << int(Range) << "1" << Atmosphere << QStringList{u"Pmin+Patm"_s, u"Pmax+Patm"_s}
            << QStringList{u"100"_s, u"4,967"_s} << QStringList{u"1,01325"_s, u"0"_s, u"2,013"_s, u"1"_s};
        QTest::newRow("single 3 bar") << int(Single) << "3" << Bar << QStringList{u"P\u0441\u0440+Patm"_s, u"P\u0441\u0440+Patm"_s}
                                      << QStringList{u"25"_s, u"2,5"_s} << QStringList{u"3"_s, u"4"_s};
    }

    void resultPanels()
    {
        QFETCH(int, choice);
        QFETCH(QString, p1);
        QFETCH(int, unit);
        QFETCH(QStringList, denominators);
        QFETCH(QStringList, flows);
        QFETCH(QStringList, pressures);
        QVERIFY(reachDialog(1));
        if (choice == Range)
            enterRange(p1, unit, u"0"_s, Bar);
        else
            enterSingle(p1, unit);
        MessageCatcher catcher;
        ClickButton(dialog()->BitBtn2);
        QCOMPARE(catcher.texts(), QStringList());

        TForm2 *r = results();
        QCOMPARE((QStringList{r->Label178->text(), r->Label183->text()}), denominators);
        QCOMPARE((QStringList{r->Label180->text(), r->Label185->text()}), flows);
        const bool range = choice == Range;
        const QList<QLabel *> rangeLabels{r->Label14, r->Label15, r->Label11, r->Label13,
                                          r->Label8,  r->Label19, r->Label16, r->Label23};
        const QList<QLabel *> singleLabels{r->Label24, r->Label27, r->Label25, r->Label26};
        for (QLabel *label : rangeLabels)
            QCOMPARE(label->isVisibleTo(r), range);
        for (QLabel *label : singleLabels)
            QCOMPARE(label->isVisibleTo(r), !range);
        if (range) {
            QCOMPARE((QStringList{r->Label8->text(), r->Label19->text(), r->Label16->text(), r->Label23->text()}),
                     pressures);
        } else {
            QCOMPARE((QStringList{r->Label25->text(), r->Label26->text()}), pressures);
            QCOMPARE(state->Pressures.PminGauge, state->Pressures.PmaxGauge);
        }
    }
};

QTEST_MAIN(TestPressureRangeDialog)
#include "tst_pressure_range_dialog.moc"
