// Each window made alone, with only the state: what it asks for leaves it as a
// signal, and it moves nothing by itself.

#include "core/state/app_state.h"
#include "ui/cabinet/metering_point_form.h"
#include "ui/cabinet/reducing_point_form.h"
#include "ui/pressure/pressure_range_dialog.h"
#include "ui/pressure/working_pressure_dialog.h"
#include "ui/wizard/cabinet_choice_dialog.h"
#include "ui/wizard/complex_choice_dialog.h"
#include "ui/wizard/flow_range_dialog.h"
#include "ui/wizard/meter_choice_dialog.h"
#include "ui/wizard/utility_choice_dialog.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

using WindowMaker = std::function<std::unique_ptr<WizardWindow>(AppState &)>;
Q_DECLARE_METATYPE(WindowMaker)

class TestWindowsAlone : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }

    void buttonsAsk_data()
    {
        QTest::addColumn<WindowMaker>("make");
        QTest::addColumn<QString>("back");
        QTest::addColumn<QString>("exit");
        auto add = [](const char *row, WindowMaker make, const QString &back, const QString &exit) {
            QTest::newRow(row) << make << back << exit;
        };
        add("TOKBottomDlg", [](AppState &s) { return std::make_unique<TOKBottomDlg>(s); }, QString(), u"BitBtn2"_s);
        add("TOKBottomDlg3", [](AppState &s) { return std::make_unique<TOKBottomDlg3>(s); }, QString(), u"BitBtn2"_s);
        add("TOKBottomDlg5", [](AppState &s) { return std::make_unique<TOKBottomDlg5>(s); }, QString(), u"BitBtn3"_s);
        add("TOKBottomDlg6", [](AppState &s) { return std::make_unique<TOKBottomDlg6>(s); }, QString(), u"BitBtn2"_s);
        add("TOKBottomDlg1", [](AppState &s) { return std::make_unique<TOKBottomDlg1>(s); }, u"BitBtn1"_s, u"BitBtn3"_s);
        add("TOKBottomDlg2", [](AppState &s) { return std::make_unique<TOKBottomDlg2>(s); }, u"BitBtn1"_s, u"BitBtn3"_s);
        add("TOKBottomDlg4", [](AppState &s) { return std::make_unique<TOKBottomDlg4>(s); }, u"BitBtn1"_s, u"BitBtn3"_s);
        add("TForm3", [](AppState &s) { return std::make_unique<TForm3>(s); }, u"BitBtn1"_s, u"BitBtn3"_s);
        add("TForm4", [](AppState &s) { return std::make_unique<TForm4>(s); }, u"BitBtn1"_s, u"BitBtn3"_s);
    }

    // "Назад" and "Выход" ask and leave the window where it is.
    void buttonsAsk()
    {
        QFETCH(WindowMaker, make);
        QFETCH(QString, back);
        QFETCH(QString, exit);
        AppState state;
        std::unique_ptr<WizardWindow> window = make(state);
        window->show();
        QSignalSpy backs(window.get(), &WizardWindow::backRequested);
        QSignalSpy exits(window.get(), &WizardWindow::exitRequested);
        if (!back.isEmpty())
            ClickButton(window->findChild<QPushButton *>(back));
        ClickButton(window->findChild<QPushButton *>(exit));
        QCOMPARE(backs.count(), back.isEmpty() ? 0 : 1);
        QCOMPARE(exits.count(), 1);
        QVERIFY(window->isVisible());
    }

    // A choice dialog goes on only with a choice made.
    void choiceGoesOnWithAChoice()
    {
        AppState state;
        TOKBottomDlg dialog(state);
        QSignalSpy next(&dialog, &WizardWindow::nextAccepted);
        dialog.Button2Click();
        MessageCatcher catcher;
        dialog.BitBtn1Click();
        QCOMPARE(catcher.texts().size(), 1);
        QCOMPARE(next.count(), 0);
        dialog.CheckBox2->setChecked(true);
        dialog.BitBtn1Click();
        QCOMPARE(next.count(), 1);
        QCOMPARE(dialog.gates(), (FamilyGates{false, true, false}));
    }

    // The flow range goes out with every press; only an accepted one goes on.
    void flowRangeReading()
    {
        AppState state;
        TOKBottomDlg1 dialog(state);
        QSignalSpy read(&dialog, &TOKBottomDlg1::flowRangeRead);
        QSignalSpy next(&dialog, &WizardWindow::nextAccepted);
        TypeInto(dialog.Edit11, u"10"_s);
        TypeInto(dialog.Edit12, u"100,5"_s);
        ClickButton(dialog.BitBtn2);
        QCOMPARE(read.count(), 1);
        const auto reading = read.takeFirst().at(0).value<FlowRangeReading>();
        QCOMPARE(reading.qmax, 100.5);
        QCOMPARE(dialog.Edit11->text(), u"100,5"_s);
        QCOMPARE(next.count(), 1);
        QCOMPARE(state.QmaxStd, 0.0); // the flow records it, not the window

        MessageCatcher catcher;
        TypeInto(dialog.Edit11, u"abc"_s);
        ClickButton(dialog.BitBtn2);
        QCOMPARE(catcher.texts(), QStringList{u"Правильно введите исходные данные!"_s});
        QCOMPARE(read.count(), 1);
        QCOMPARE(next.count(), 1);
    }

    // The pressure input hands on its outcome, refused or not, and shows the
    // ordered entries back.
    void pressureOutcome()
    {
        AppState state;
        state.SelectionMode = 1;
        state.QmaxStd = 100;
        state.QminStd = 10;
        TOKBottomDlg2 dialog(state);
        QSignalSpy sized(&dialog, &TOKBottomDlg2::sized);
        ClickButton(dialog.RadioButton1);
        TypeInto(dialog.Edit3, u"0"_s);
        TypeInto(dialog.Edit4, u"1"_s);
        ClickButton(dialog.BitBtn2);
        QCOMPARE(sized.count(), 1);
        const auto outcome = sized.takeFirst().at(0).value<SizingOutcome>();
        QVERIFY(outcome.accepted);
        QCOMPARE(outcome.pressures.PmaxAbs, 2.0);
        QCOMPARE(dialog.Edit3->text(), u"1"_s);

        MessageCatcher catcher;
        TypeInto(dialog.Edit4, u"x"_s);
        ClickButton(dialog.BitBtn2);
        QCOMPARE(sized.count(), 1);
        QVERIFY(!sized.takeFirst().at(0).value<SizingOutcome>().accepted);
        QCOMPARE(catcher.texts().size(), 1);
    }
};

QTEST_MAIN(TestWindowsAlone)
#include "tst_windows_alone.moc"
