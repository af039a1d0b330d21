// The three cabinet input forms driven through the real chain of mode 5: their
// controls, the input stage with its orderings and messages, the selection in the
// results window, navigation and the launch reset.

#include "core/state/app_state.h"
#include "ui/launcher/main_window.h"
#include "app/window_set.h"
#include "ui/cabinet/metering_point_form.h"
#include "ui/cabinet/metering_reducing_point_form.h"
#include "ui/cabinet/reducing_point_form.h"
#include "ui/pressure/unit_combo_box.h"
#include "ui/results/results_window.h"
#include "ui/wizard/cabinet_choice_dialog.h"
#include "ui_test_support.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int Bar = 0;
constexpr int Kilopascal = 5;
constexpr int Megapascal = 6;

const QString BadInput = u"Правильно введите исходные данные!"_s;
const QString WideRange = u"Внимание! Большой диапазон давлений, проверьте исходные данные!"_s;
const QString Error = u"Error"_s;
const QString Warning = u"Warning"_s;

// Each box seen, as "Error" or "Warning" when its title, icon and text are the
// program's; anything else in full.
QStringList Kinds(const QList<SeenMessage> &seen)
{
    QStringList kinds;
    for (const SeenMessage &m : seen) {
        if (m.title == Error && m.icon == QMessageBox::Critical && m.text == BadInput)
            kinds << Error;
        else if (m.title == Warning && m.icon == QMessageBox::Warning && m.text == WideRange)
            kinds << Warning;
        else
            kinds << m.title + u": "_s + m.text;
    }
    return kinds;
}

// The non-empty cells of one grid column, top to bottom.
QStringList Column(const QTableWidget *grid, int column)
{
    QStringList cells;
    for (int row = 0; row < grid->rowCount(); ++row) {
        const QTableWidgetItem *item = grid->item(row, column);
        if (item && !item->text().isEmpty())
            cells << item->text();
    }
    return cells;
}

QStringList AllCells(const QTableWidget *grid)
{
    QStringList cells;
    for (int column = 0; column < grid->columnCount(); ++column)
        cells << Column(grid, column);
    return cells;
}

// Clicks a radio button on its indicator, as a user does.
void Pick(QRadioButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

} // namespace

class TestCabinetForms : public QObject {
    Q_OBJECT

    std::unique_ptr<AppState> state;
    std::unique_ptr<WindowSet> windows;

    TForm2 *results() const { return windows->Form2.get(); }

    CabinetForm *form(int number) const
    {
        if (number == 3)
            return windows->Form3.get();
        if (number == 4)
            return windows->Form4.get();
        return windows->Form5.get();
    }

    // Picks the kind of cabinet point in the choice dialog and goes on to its form.
    void chooseKind(int number)
    {
        TOKBottomDlg6 *dlg = windows->Dlg6.get();
        Pick(number == 3 ? dlg->RadioButton1 : number == 4 ? dlg->RadioButton2 : dlg->RadioButton3);
        ClickButton(dlg->BitBtn1);
    }

    // Launches mode 5 from the main window and opens form `number` (3, 4, 5).
    CabinetForm *openForm(int number)
    {
        windows->Form1->Image6Click();
        chooseKind(number);
        return form(number);
    }

    // Picks button 1, 2, ... of each group; 0 leaves the group without a choice.
    // Only the metering point has the bypass group.
    void choose(CabinetForm *f, int variant, int side = 1, int gauge = 1, int bypass = 1)
    {
        const QList<QRadioButton *> variants{f->RadioButton1, f->RadioButton2, f->RadioButton3,
                                             f->RadioButton4};
        if (variant)
            Pick(variants[variant - 1]);
        if (side)
            Pick(side == 1 ? f->RadioButton5 : f->RadioButton6);
        if (gauge)
            Pick(gauge == 1 ? f->RadioButton7 : f->RadioButton8);
        auto *metering = qobject_cast<TForm3 *>(f);
        if (metering && bypass)
            Pick(bypass == 1 ? metering->RadioButton9 : metering->RadioButton10);
    }

    void enter(CabinetForm *f, const QString &pmax, int pmaxUnit, const QString &pmin,
               int pminUnit, const QString &qmax, const QString &qmin)
    {
        TypeInto(f->Edit3, pmax);
        f->ComboBox1->setCurrentIndex(pmaxUnit);
        TypeInto(f->Edit4, pmin);
        f->ComboBox2->setCurrentIndex(pminUnit);
        TypeInto(f->Edit11, qmax);
        TypeInto(f->Edit12, qmin);
    }

    // "Далее"; the message boxes it gave.
    QStringList press(CabinetForm *f)
    {
        MessageCatcher catcher;
        ClickButton(f->BitBtn2);
        return Kinds(catcher.messages());
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

    void controls_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("limits");
        QTest::addColumn<QString>("label4");
        QTest::addColumn<int>("radios");
        QTest::addColumn<int>("sideWidth");
        QTest::addColumn<QStringList>("tabOrder");

        const QStringList variants{u"RadioButton1"_s, u"RadioButton2"_s, u"RadioButton3"_s,
                                   u"RadioButton4"_s, u"Edit3"_s, u"ComboBox1"_s, u"Edit4"_s,
                                   u"ComboBox2"_s};
        const QStringList options{u"Edit11"_s, u"Edit12"_s, u"RadioButton5"_s, u"RadioButton6"_s,
                                  u"RadioButton7"_s, u"RadioButton8"_s, u"BitBtn1"_s,
                                  u"BitBtn2"_s, u"BitBtn3"_s};
        QTest::newRow("metering") << 3 << u"ТИВ"_s << u"(не более 1,6 Мпа):"_s << u"Наличие байпаса:"_s << 10
                                  << 305 << variants + options + QStringList{u"RadioButton9"_s, u"RadioButton10"_s};
        const QStringList outlet{u"Edit5"_s, u"ComboBox3"_s};
        QTest::newRow("reducing") << 4 << u"ЛЕМА"_s << u"(не менее 0,01 МПа и не более 0,6 Мпа):"_s << u"Значение давления на выходе (от 1,8 кПа до 50 кПа):"_s << 8
                                  << 244 << variants + outlet + options;
        QTest::newRow("metering-reducing") << 5 << u"ОРНИК"_s << u"(не менее 0,01 МПа и не более 0,6 Мпа):"_s
                                           << u"Значение давления на выходе (от 1,8 кПа до 50 кПа):"_s << 8 << 241 << variants + outlet + options;
    }

    void controls()
    {
        QFETCH(int, number);
        QFETCH(QString, product);
        QFETCH(QString, limits);
        QFETCH(QString, label4);
        QFETCH(int, radios);
        QFETCH(int, sideWidth);
        QFETCH(QStringList, tabOrder);

        CabinetForm *f = openForm(number);
        QVERIFY(f->isVisible());
        QCOMPARE(f->objectName(), u"TForm%1"_s.arg(number));
        QCOMPARE(f->windowTitle(), u"Исходные данные"_s);
        const QStringList captions{f->RadioButton1->text(), f->RadioButton2->text(),
                                   f->RadioButton3->text(), f->RadioButton4->text()};
        const QStringList metering{u"ТИВ-Р (монтаж оборудования производится на металлической раме)"_s,
                                   u"ТИВ-Ш (монтаж оборудования производится в металлическом не утепленном, не отапливаемом шкафу)"_s,
                                   u"ТИВ-ШУЭО (монтаж оборудования производится в металлическом утепленном шкафу с электрообогревом)"_s,
                                   u"ТИВ-ШУГО (монтаж оборудования производится в металлическом утепленном шкафу с газовым обогревом)"_s};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(captions[i], QString(metering[i]).replace(u"ТИВ"_s, product));
        QCOMPARE(f->Label3->text(), limits);
        QCOMPARE(f->Label4->text(), label4);
        QCOMPARE(f->Label5->text(), u"Диапазон расхода газа при стандартных условиях:"_s);
        QCOMPARE(f->findChildren<QRadioButton *>().size(), radios);
        QCOMPARE(f->findChild<QFrame *>(u"SidePanel"_s)->width(), sideWidth);
        QCOMPARE(f->Label14->font().pixelSize(), 13);
        QCOMPARE(f->Label14->text(), u"Pmax"_s);
        QCOMPARE(f->Label161->text(), u"Qmin"_s);
        QVERIFY(f->Label1->font().bold());
        QCOMPARE(f->BitBtn1->text() + f->BitBtn2->text() + f->BitBtn3->text(),
                 u"НазадДалееВыход"_s);
        QCOMPARE(TabOrderFrom(f->RadioButton1, 40), tabOrder);

        // Each panel is a radio group of its own.
        choose(f, 1, 1, 1);
        choose(f, 2, 2, 0);
        QVERIFY(f->RadioButton2->isChecked() && !f->RadioButton1->isChecked());
        QVERIFY(f->RadioButton6->isChecked() && !f->RadioButton5->isChecked());
        QVERIFY(f->RadioButton7->isChecked());

        // Enter walks the edits to "Далее", and Enter there presses it.
        QList<QWidget *> chain{f->Edit3, f->Edit4, f->Edit11, f->Edit12, f->BitBtn2};
        if (auto *reducing = qobject_cast<ReducingFormBase *>(f))
            chain.insert(2, reducing->Edit5);
        chain.first()->setFocus();
        for (int i = 0; i + 1 < chain.size(); ++i) {
            QTest::keyClick(chain[i], Qt::Key_Return);
            QCOMPARE(f->focusWidget(), chain[i + 1]);
        }
        MessageCatcher catcher;
        QTest::keyClick(f->BitBtn2, Qt::Key_Return);
        QCOMPARE(Kinds(catcher.messages()), QStringList{Error});
    }

    void meteringSelection_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("pmax");
        QTest::addColumn<QString>("pmin");
        QTest::addColumn<QString>("qmax");
        QTest::addColumn<QString>("qmin");
        QTest::addColumn<QStringList>("possible");
        QTest::addColumn<QStringList>("prices");

        const QStringList smallest{u"ТИВ-Р-100-исп.1"_s, u"ТИВ-Р-100-исп.2"_s,
                                   u"ТИВ-Р-160"_s, u"ТИВ-Р-250"_s};
        const QStringList prices{u"160000"_s, u"170000"_s, u"215000"_s, u"230000"_s};
        QTest::newRow("frame") << 1 << u"3"_s << u"1"_s << u"200"_s << u"10"_s << smallest << prices;
        QStringList heated = smallest;
        heated.replaceInStrings(u"ТИВ-Р"_s, u"ТИВ-ШУЭО"_s);
        QTest::newRow("electrically heated") << 3 << u"3"_s << u"1"_s << u"200"_s << u"10"_s << heated
                                             << QStringList{u"180000"_s, u"190000"_s, u"245000"_s, u"255000"_s};
        QTest::newRow("at the 16 bar cap") << 1 << u"15"_s << u"14"_s << u"1500"_s << u"40"_s << smallest << prices;
        QTest::newRow("above the cap") << 1 << u"15,5"_s << u"14"_s << u"1500"_s << u"40"_s
                                       << QStringList{} << QStringList{};
    }

    void meteringSelection()
    {
        QFETCH(int, variant);
        QFETCH(QString, pmax);
        QFETCH(QString, pmin);
        QFETCH(QString, qmax);
        QFETCH(QString, qmin);
        QFETCH(QStringList, possible);
        QFETCH(QStringList, prices);

        CabinetForm *f = openForm(3);
        choose(f, variant);
        enter(f, pmax, Bar, pmin, Bar, qmax, qmin);
        QCOMPARE(press(f), QStringList{});
        QVERIFY(results()->isVisible());
        QVERIFY(!f->isVisible());
        QCOMPARE(Column(results()->StringGrid1, 1), possible);
        QCOMPARE(Column(results()->StringGrid1, 7), prices);
        QCOMPARE(Column(results()->StringGrid2, 1), possible.mid(0, 1));
        QCOMPARE(Column(results()->StringGrid2, 7), prices.mid(0, 1));
        QCOMPARE(results()->StringGrid1->rowCount(), 8);
    }

    void reducingSelection_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("pmax");
        QTest::addColumn<QString>("pmin");
        QTest::addColumn<QString>("qmin");
        QTest::addColumn<QString>("found");
        QTest::addColumn<QString>("qminWork");

        QTest::newRow("ЛЕМА-Ш at 5 bar") << 4 << 2 << u"5"_s << u"1"_s << u"1"_s << u"ЛЕМА-Ш-500"_s << u"0,167"_s;
        QTest::newRow("ЛЕМА-Ш at 5,5 bar") << 4 << 2 << u"5,5"_s << u"1"_s << u"1"_s << QString() << u"0,154"_s;
        QTest::newRow("ЛЕМА-Р at 5,5 bar") << 4 << 1 << u"5,5"_s << u"1"_s << u"1"_s << u"ЛЕМА-Р-500"_s << u"0,154"_s;
        QTest::newRow("ОРНИК at its Qmin") << 5 << 1 << u"0"_s << u"0"_s << u"1"_s << u"ОРНИК-Р-100"_s << u"1"_s;
        QTest::newRow("ОРНИК below its Qmin") << 5 << 2 << u"1"_s << u"0"_s << u"1,9"_s << QString() << u"0,95"_s;
    }

    void reducingSelection()
    {
        QFETCH(int, number);
        QFETCH(int, variant);
        QFETCH(QString, pmax);
        QFETCH(QString, pmin);
        QFETCH(QString, qmin);
        QFETCH(QString, found);
        QFETCH(QString, qminWork);

        CabinetForm *f = openForm(number);
        choose(f, variant);
        enter(f, pmax, Bar, pmin, Bar, u"50"_s, qmin);
        QCOMPARE(press(f), QStringList{});
        QVERIFY(results()->isVisible());
        QCOMPARE(results()->Label185->text(), qminWork);
        const QStringList expected = found.isEmpty() ? QStringList{} : QStringList{found};
        QCOMPARE(Column(results()->StringGrid1, 1), expected);
        QCOMPARE(Column(results()->StringGrid2, 1), expected);
    }

    void optionsLeaveResultAlone_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("metering") << 3;
        QTest::newRow("metering-reducing") << 5;
    }

    void optionsLeaveResultAlone()
    {
        QFETCH(int, number);
        CabinetForm *f = openForm(number);
        enter(f, u"3"_s, Bar, u"1"_s, Bar, u"50"_s, u"10"_s);
        QStringList reference;
        for (int side = 1; side <= 2; ++side) {
            for (int gauge = 1; gauge <= 2; ++gauge) {
                for (int bypass = 1; bypass <= 2; ++bypass) {
                    f->show(); // as the choice dialog shows it again
                    choose(f, 1, side, gauge, bypass);
                    QCOMPARE(press(f), QStringList{});
                    const QStringList cells = AllCells(results()->StringGrid1)
                        + AllCells(results()->StringGrid2);
                    if (reference.isEmpty())
                        reference = cells;
                    QCOMPARE(cells, reference);
                }
            }
        }
        QVERIFY(!Column(results()->StringGrid1, 1).isEmpty());
    }

    void navigationKeepsEntries()
    {
        CabinetForm *metering = openForm(3);
        choose(metering, 4);
        TypeInto(metering->Edit3, u"9"_s);
        ClickButton(metering->BitBtn1); // "Назад"
        QVERIFY(!metering->isVisible());
        QVERIFY(windows->Dlg6->isVisible());
        QVERIFY(windows->Dlg6->RadioButton1->isChecked());

        // A choice left on one form does not reach another.
        chooseKind(4);
        CabinetForm *reducing = form(4);
        choose(reducing, 1);
        enter(reducing, u"3"_s, Bar, u"1"_s, Bar, u"200"_s, u"10"_s);
        QCOMPARE(press(reducing), QStringList{});
        QCOMPARE(Column(results()->StringGrid1, 1), QStringList{u"ЛЕМА-Р-500"_s});
        QCOMPARE(Column(results()->StringGrid2, 1), QStringList{u"ЛЕМА-Р-500"_s});

        // "Выход" and the close button hide the form and keep what it holds.
        metering->show();
        ClickButton(metering->BitBtn3);
        QVERIFY(!metering->isVisible());
        reducing->show();
        reducing->close();
        QVERIFY(!reducing->isVisible());
        QVERIFY(metering->RadioButton4->isChecked());
        QCOMPARE(metering->Edit3->text(), u"9"_s);
        QVERIFY(reducing->RadioButton1->isChecked());
        QCOMPARE(reducing->Edit11->text(), u"200"_s);
    }

    void messages_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QList<int>>("choices"); // variant, side, gauge, bypass
        QTest::addColumn<QString>("pmax");
        QTest::addColumn<QString>("pmin");
        QTest::addColumn<QString>("qmin");
        QTest::addColumn<QString>("outlet");
        QTest::addColumn<QStringList>("kinds");

        const QList<int> all{1, 1, 1, 1};
        QTest::newRow("no bypass") << 3 << QList<int>{1, 1, 1, 0} << u"3"_s << u"1"_s << u"1"_s
                                   << QString() << QStringList{Error};
        QTest::newRow("no variant") << 5 << QList<int>{0, 1, 1, 0} << u"3"_s << u"1"_s << u"1"_s
                                    << QString() << QStringList{Error};
        QTest::newRow("no side, wide range") << 4 << QList<int>{1, 0, 1, 0} << u"6"_s << u"0"_s
                                             << u"1"_s << QString() << QStringList{Error, Warning};
        QTest::newRow("wide range alone") << 3 << all << u"6"_s << u"0"_s << u"1"_s << QString()
                                          << QStringList{Warning};
        QTest::newRow("ratio of exactly 5") << 4 << all << u"4"_s << u"0"_s << u"1"_s << QString()
                                            << QStringList{};
        QTest::newRow("no warning after an unreadable flow") << 3 << all << u"6"_s << u"0"_s << QString()
                                                             << QString() << QStringList{Error};
        QTest::newRow("no warning after -1 bar") << 4 << all << u"6"_s << u"-1"_s << u"1"_s
                                                 << QString() << QStringList{Error};
        QTest::newRow("outlet pressure unread") << 5 << all << u"3"_s << u"1"_s << u"1"_s
                                                << u"abc"_s << QStringList{};
    }

    void messages()
    {
        QFETCH(int, number);
        QFETCH(QList<int>, choices);
        QFETCH(QString, pmax);
        QFETCH(QString, pmin);
        QFETCH(QString, qmin);
        QFETCH(QString, outlet);
        QFETCH(QStringList, kinds);

        CabinetForm *f = openForm(number);
        choose(f, choices[0], choices[1], choices[2], choices[3]);
        enter(f, pmax, Bar, pmin, Bar, u"50"_s, qmin);
        if (auto *reducing = qobject_cast<ReducingFormBase *>(f))
            TypeInto(reducing->Edit5, outlet);
        QCOMPARE(press(f), kinds);
        const bool accepted = !kinds.contains(Error);
        QCOMPARE(results()->isVisible(), accepted);
        QCOMPARE(f->isVisible(), !accepted);
    }

    void inputStage_data()
    {
        // Texts as "Pmax|Pmin|Qmax|Qmin"; the labels as "Label8|Label19|Label17|Label18",
        // empty when the input is refused.
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QList<int>>("units"); // of Pmax, Pmin
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QList<int>>("unitsShown");
        QTest::addColumn<QString>("labels");

        const QList<int> bars{Bar, Bar};
        const QList<int> mpaBar{Megapascal, Bar};
        QTest::newRow("flows exchanged") << u"3|1|10|200"_s << bars << u"3|1|200|10"_s << bars << u"3|1|200|10"_s;
        QTest::newRow("flows rewritten by the writing rule")
            << u"3|1|2,50|10,25"_s << bars << u"3|1|10,25|2,5"_s << bars << u"3|1|10,25|2,5"_s;
        QTest::newRow("flows in order keep their text")
            << u"3|1|1e2|50,0"_s << bars << u"3|1|1e2|50,0"_s << bars << u"3|1|100|50"_s;
        QTest::newRow("zero flows") << u"3|1|0|0"_s << bars << u"3|1|0|0"_s << bars << u"3|1|0|0"_s;
        QTest::newRow("pressures exchanged") << u"2|5|50|1"_s << bars << u"5|2|50|1"_s << bars << u"5|2|50|1"_s;
        QTest::newRow("pressures exchanged with their units")
            << u"2|0,5|50|1"_s << QList<int>{Bar, Megapascal} << u"0,5|2|50|1"_s << mpaBar << u"5|2|50|1"_s;
        QTest::newRow("pressures in order by their bar values")
            << u"0,5|2|50|1"_s << mpaBar << u"0,5|2|50|1"_s << mpaBar << u"5|2|50|1"_s;
        QTest::newRow("exchanged pressures rewritten by the writing rule")
            << u"2,50|300|50|1"_s << QList<int>{Bar, Kilopascal} << u"300|2,5|50|1"_s
            << QList<int>{Kilopascal, Bar} << u"3|2,5|50|1"_s;
        QTest::newRow("negative flow") << u"3|1|-5|3"_s << bars << u"3|1|3|-5"_s << bars << QString();
        QTest::newRow("-1 bar") << u"3|-1|50|1"_s << bars << u"3|-1|50|1"_s << bars << QString();
        QTest::newRow("below vacuum") << u"3|-2|50|1"_s << bars << u"3|-2|50|1"_s << bars << QString();
        QTest::newRow("point in a comma locale") << u"2.5|1|50|1"_s << bars << u"2.5|1|50|1"_s << bars << QString();
        QTest::newRow("empty Qmin") << u"3|1|50|"_s << bars << u"3|1|50|"_s << bars << QString();
    }

    void inputStage()
    {
        QFETCH(QString, typed);
        QFETCH(QList<int>, units);
        QFETCH(QString, shown);
        QFETCH(QList<int>, unitsShown);
        QFETCH(QString, labels);

        CabinetForm *f = openForm(3);
        choose(f, 1);
        const QStringList texts = typed.split(u'|');
        enter(f, texts[0], units[0], texts[1], units[1], texts[2], texts[3]);
        const bool accepted = !labels.isEmpty();
        QCOMPARE(press(f), accepted ? QStringList{} : QStringList{Error});
        QCOMPARE(results()->isVisible(), accepted);
        QCOMPARE((QStringList{f->Edit3->text(), f->Edit4->text(), f->Edit11->text(), f->Edit12->text()}),
                 shown.split(u'|'));
        QCOMPARE((QList<int>{f->ComboBox1->currentIndex(), f->ComboBox2->currentIndex()}), unitsShown);
        if (accepted) {
            QCOMPARE((QStringList{results()->Label8->text(), results()->Label19->text(),
                                  results()->Label17->text(), results()->Label18->text()}),
                     labels.split(u'|'));
        }
    }

    void resultsPanels_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("qmin");
        QTest::addColumn<QString>("qminShown");
        QTest::addColumn<QString>("qmaxWork");
        QTest::addColumn<QString>("qminWork");

        QTest::newRow("comma") << QLocale(QLocale::Russian, QLocale::Russia) << u"10,5"_s << u"10,5"_s
                               << u"33,333"_s << u"2,625"_s;
        QTest::newRow("point") << QLocale(QLocale::English, QLocale::UnitedStates) << u"10.5"_s
                               << u"10.5"_s << u"33.333"_s << u"2.625"_s;
    }

    void resultsPanels()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, qmin);
        QFETCH(QString, qminShown);
        QFETCH(QString, qmaxWork);
        QFETCH(QString, qminWork);
        QLocale::setDefault(locale);

        CabinetForm *f = openForm(4);
        choose(f, 1);
        enter(f, u"3"_s, Bar, u"200"_s, Kilopascal, u"100"_s, qmin);
        QCOMPARE(press(f), QStringList{});
        TForm2 *r = results();
        QCOMPARE(r->Label178->text(), u"Pmin+Patm"_s);
        QCOMPARE(r->Label183->text(), u"Pmax+Patm"_s);
        QCOMPARE(r->Label17->text(), u"100"_s);
        QCOMPARE(r->Label18->text(), qminShown);
        QCOMPARE(r->Label180->text(), qmaxWork);
        QCOMPARE(r->Label185->text(), qminWork);
        QCOMPARE((QStringList{r->Label8->text(), r->Label19->text(), r->Label16->text(), r->Label23->text()}),
                 (QStringList{u"3"_s, u"2"_s, u"4"_s, u"3"_s}));
        QVERIFY(r->Label8->isVisible() && r->Label23->isVisible());
        QVERIFY(!r->Label24->isVisible() && !r->Label26->isVisible());

        // The standard range is the program's; the pressures are the form's own.
        QCOMPARE(state->QmaxStd, 100.0);
        QCOMPARE(state->QminStd, 10.5);
        QCOMPARE(f->pressures().PminAbs, 3.0);
        QCOMPARE(f->pressures().QminWork, 2.625);
        QCOMPARE(state->Pressures.PmaxAbs, 0.0);
    }

    void resultsPlacement_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("metering") << 3;
        QTest::newRow("reducing") << 4;
        QTest::newRow("metering-reducing") << 5;
    }

    void resultsPlacement()
    {
        QFETCH(int, number);
        CabinetForm *f = openForm(number);
        choose(f, 1);
        enter(f, u"3"_s, Bar, u"1"_s, Bar, u"50"_s, u"1"_s);
        results()->show();
        results()->move(7, 9);
        results()->hide();
        QCOMPARE(press(f), QStringList{});
        QVERIFY(results()->isVisible());
        if (number == 3)
            QCOMPARE(results()->pos(), QPoint(7, 9));
        else
            QCOMPARE(results()->frameGeometry().center(), windows->mainWindow()->frameGeometry().center());
    }

    void meteringFormFirstShowsResultsCentredOnScreen()
    {
        CabinetForm *f = openForm(3);
        choose(f, 1);
        enter(f, u"3"_s, Bar, u"1"_s, Bar, u"50"_s, u"1"_s);
        QCOMPARE(press(f), QStringList{});
        QVERIFY(results()->isVisible());
        const QPoint offCentre = results()->frameGeometry().center()
                                 - results()->screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 40, qPrintable(QString::number(offCentre.manhattanLength())));
    }

    void gridsFollowRefusedPress()
    {
        CabinetForm *f = openForm(4);
        choose(f, 2, 1, 0); // no gauge choice
        enter(f, u"5"_s, Bar, u"1"_s, Bar, u"100"_s, u"1"_s);
        results()->AppendPossibleVariant(1201); // rows of an earlier selection
        results()->AppendOptimalVariant(1201);
        QCOMPARE(press(f), QStringList{Error});
        QVERIFY(!results()->isVisible());
        QCOMPARE(Column(results()->StringGrid1, 1), QStringList{u"ЛЕМА-Ш-500"_s});
        QCOMPARE(Column(results()->StringGrid2, 1), QStringList{u"ЛЕМА-Ш-500"_s});
    }

    void launchReset_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("mode 5") << 5;
        QTest::newRow("mode 1") << 1;
    }

    void launchReset()
    {
        QFETCH(int, mode);
        for (int number = 3; number <= 5; ++number) {
            CabinetForm *f = form(number);
            for (QRadioButton *button : f->findChildren<QRadioButton *>())
                button->setChecked(true);
            for (QLineEdit *edit : f->findChildren<QLineEdit *>())
                edit->setText(u"7"_s);
            for (UnitComboBox *list : f->findChildren<UnitComboBox *>())
                list->setCurrentIndex(Megapascal);
        }
        if (mode == 5)
            windows->Form1->Image6Click();
        else
            windows->Form1->Image2Click();

        for (int number = 3; number <= 5; ++number) {
            CabinetForm *f = form(number);
            for (QRadioButton *button : f->findChildren<QRadioButton *>())
                QVERIFY2(!button->isChecked(), qPrintable(button->objectName()));
            for (QLineEdit *edit : f->findChildren<QLineEdit *>())
                QCOMPARE(edit->text(), QString());
            QCOMPARE(f->ComboBox1->currentIndex(), Bar);
            QCOMPARE(f->ComboBox2->currentIndex(), Bar);
            if (auto *reducing = qobject_cast<ReducingFormBase *>(f))
                QCOMPARE(reducing->ComboBox3->currentIndex(), Kilopascal);
        }

        // The groups exclude again after the reset.
        CabinetForm *f = openForm(3);
        choose(f, 1, 1);
        choose(f, 2, 2);
        QVERIFY(!f->RadioButton1->isChecked() && !f->RadioButton5->isChecked());
    }
};

QTEST_MAIN(TestCabinetForms)
#include "tst_cabinet_forms.moc"
