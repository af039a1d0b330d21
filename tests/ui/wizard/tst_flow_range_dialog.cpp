// The flow-range dialog: reading, ordering, publishing and routing of the flow
// range, its Enter chain, "Назад" and "Выход".

#include "core/state/app_state.h"
#include "ui/launcher/main_window.h"
#include "app/window_set.h"
#include "ui/pressure/pressure_range_dialog.h"
#include "ui/results/results_window.h"
#include "ui/pressure/working_pressure_dialog.h"
#include "ui/wizard/complex_choice_dialog.h"
#include "ui/wizard/flow_range_dialog.h"
#include "ui/wizard/meter_choice_dialog.h"
#include "ui/wizard/utility_choice_dialog.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

class TestFlowRangeDialog : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppState> state;
    std::unique_ptr<WindowSet> windows;

    TOKBottomDlg1 *dialog() const { return windows->Dlg1.get(); }

    // Launches `mode` and goes on from its choice dialog to the flow-range dialog.
    void reachFlowDialog(int mode)
    {
        TForm1 *f = windows->Form1.get();
        switch (mode) {
        case 1: f->Image2Click(); QTest::mouseClick(windows->Dlg->BitBtn1, Qt::LeftButton); break;
        case 2: f->Image3Click(); QTest::mouseClick(windows->Dlg->BitBtn1, Qt::LeftButton); break;
        case 3: f->Image4Click(); QTest::mouseClick(windows->Dlg3->BitBtn1, Qt::LeftButton); break;
        default: f->Image5Click(); QTest::mouseClick(windows->Dlg5->BitBtn2, Qt::LeftButton); break;
        }
        QVERIFY(dialog()->isVisible());
    }

    void next(const QString &qmax, const QString &qmin)
    {
        TypeInto(dialog()->Edit11, qmax);
        TypeInto(dialog()->Edit12, qmin);
        QTest::mouseClick(dialog()->BitBtn2, Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        QuietOffscreenWarnings();
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

    void controls()
    {
        TOKBottomDlg1 *d = dialog();
        QCOMPARE(d->Label159->text(), QStringLiteral("Введите диапазон расхода газа"));
        QCOMPARE(d->Label168->text(), QStringLiteral("(приведенного к нормальным условиям)"));
        QCOMPARE(d->Label160->text(), QStringLiteral("Qmax"));
        QCOMPARE(d->Label161->text(), QStringLiteral("Qmin"));
        QCOMPARE(d->Label163->text() + d->Label165->text() + d->Label167->text(), QStringLiteral("н.м3/ч"));
        QCOMPARE(d->BitBtn1->text(), QStringLiteral("Назад"));
        QCOMPARE(d->BitBtn2->text(), QStringLiteral("Далее"));
        QCOMPARE(d->BitBtn3->text(), QStringLiteral("Выход"));
        QCOMPARE(TabOrderFrom(d->Edit11, 5),
                 (QStringList{"Edit11", "Edit12", "BitBtn1", "BitBtn2", "BitBtn3"}));
        QVERIFY(d->Edit11->text().isEmpty());
    }

    void acceptedRangesArePublishedAndRouted_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("qmaxText");
        QTest::addColumn<QString>("qminText");
        QTest::addColumn<QString>("edit11");
        QTest::addColumn<QString>("edit12");
        QTest::addColumn<double>("qmax");
        QTest::addColumn<double>("qmin");
        QTest::addColumn<QString>("label17");
        QTest::addColumn<QString>("label18");
        QTest::newRow("in order") << 1 << "100" << "10" << "100" << "10" << 100.0 << 10.0 << "100" << "10";
        QTest::newRow("exchanged") << 3 << "10" << "100" << "100" << "10" << 100.0 << 10.0 << "100" << "10";
        QTest::newRow("equal kept as typed") << 2 << "2,50" << "2,5" << "2,50" << "2,5" << 2.5 << 2.5 << "2,5" << "2,5";
        QTest::newRow("spaces around") << 4 << " 7 " << "0,5" << " 7 " << "0,5" << 7.0 << 0.5 << "7" << "0,5";
        QTest::newRow("exponent") << 1 << "1e3" << "7,5" << "1e3" << "7,5" << 1000.0 << 7.5 << "1000" << "7,5";
    }

    void acceptedRangesArePublishedAndRouted()
    {
        QFETCH(int, mode);
        QFETCH(QString, qmaxText);
        QFETCH(QString, qminText);
        reachFlowDialog(mode);
        MessageCatcher catcher;
        next(qmaxText, qminText);
        QVERIFY(catcher.messages().isEmpty());
        QTEST(dialog()->Edit11->text(), "edit11");
        QTEST(dialog()->Edit12->text(), "edit12");
        QTEST(state->QmaxStd, "qmax");
        QTEST(state->QminStd, "qmin");
        QTEST(windows->Form2->Label17->text(), "label17");
        QTEST(windows->Form2->Label18->text(), "label18");
        QVERIFY(!dialog()->isVisible());
        const bool range = mode == 1 || mode == 3;
        QCOMPARE(windows->Dlg2->isVisible(), range);
        QCOMPARE(windows->Dlg4->isVisible(), !range);
    }

    void refusedRangesShowTheErrorAndStay_data()
    {
        QTest::addColumn<QString>("qmaxText");
        QTest::addColumn<QString>("qminText");
        QTest::addColumn<QString>("edit11");
        QTest::addColumn<QString>("edit12");
        QTest::newRow("zero Qmax") << "0" << "5" << "5" << "0";
        QTest::newRow("empty Qmin") << "10" << "" << "10" << "";
        QTest::newRow("negative exchanged first") << "-5" << "3" << "3" << "-5";
        QTest::newRow("unit typed") << "7 м3" << "1" << "7 м3" << "1";
        QTest::newRow("point in a comma locale") << "7.5" << "1" << "7.5" << "1";
        QTest::newRow("both zero") << "0" << "0" << "0" << "0";
    }

    void refusedRangesShowTheErrorAndStay()
    {
        QFETCH(QString, qmaxText);
        QFETCH(QString, qminText);
        reachFlowDialog(1);
        windows->Form2->Label17->setText(QStringLiteral("untouched"));
        MessageCatcher catcher;
        next(qmaxText, qminText);
        QCOMPARE(catcher.messages().size(), 1);
        QCOMPARE(catcher.messages()[0].title, QStringLiteral("Error"));
        QCOMPARE(catcher.messages()[0].icon, QMessageBox::Critical);
        QCOMPARE(catcher.messages()[0].text, QStringLiteral("Правильно введите исходные данные!"));
        QTEST(dialog()->Edit11->text(), "edit11");
        QTEST(dialog()->Edit12->text(), "edit12");
        QVERIFY(dialog()->isVisible());
        QVERIFY(!windows->Dlg2->isVisible());
        QCOMPARE(windows->Form2->Label17->text(), QStringLiteral("untouched"));
        QVERIFY(state->QmaxStd >= state->QminStd);
    }

    void unreadableQminMeetsTheEarlierValue()
    {
        reachFlowDialog(1);
        next(QStringLiteral("100"), QStringLiteral("50"));
        reachFlowDialog(1);
        MessageCatcher catcher;
        next(QStringLiteral("20"), QStringLiteral("abc"));
        QCOMPARE(catcher.texts(), QStringList{QStringLiteral("Правильно введите исходные данные!")});
        QCOMPARE(dialog()->Edit11->text(), QStringLiteral("50"));
        QCOMPARE(dialog()->Edit12->text(), QStringLiteral("20"));
        QCOMPARE(state->QmaxStd, 50.0);
        QCOMPARE(state->QminStd, 20.0);
    }

    void pointLocaleReadsPoints()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        reachFlowDialog(1);
        MessageCatcher catcher;
        next(QStringLiteral("7.5"), QStringLiteral("12.25"));
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        QVERIFY(catcher.messages().isEmpty());
        QCOMPARE(windows->Form2->Label17->text(), QStringLiteral("12.25"));
        QCOMPARE(windows->Form2->Label18->text(), QStringLiteral("7.5"));
    }

    void enterChainLeadsToNext()
    {
        reachFlowDialog(2);
        TOKBottomDlg1 *d = dialog();
        d->Edit11->setFocus();
        QTest::keyClicks(d->Edit11, QStringLiteral("40"));
        QTest::keyClick(d->Edit11, Qt::Key_Return);
        QCOMPARE(d->focusWidget(), static_cast<QWidget *>(d->Edit12));
        QCOMPARE(d->Edit11->text(), QStringLiteral("40"));
        QTest::keyClicks(d->Edit12, QStringLiteral("4"));
        QTest::keyClick(d->Edit12, Qt::Key_Enter);
        QCOMPARE(d->focusWidget(), static_cast<QWidget *>(d->BitBtn2));
        QVERIFY(d->isVisible());
        QTest::keyClick(d->BitBtn2, Qt::Key_Return);
        QVERIFY(!d->isVisible());
        QVERIFY(windows->Dlg4->isVisible());
        QCOMPARE(state->QmaxStd, 40.0);
    }

    void backGoesToTheModesChoice_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("1") << 1;
        QTest::newRow("2") << 2;
        QTest::newRow("3") << 3;
        QTest::newRow("4") << 4;
    }

    void backGoesToTheModesChoice()
    {
        QFETCH(int, mode);
        reachFlowDialog(mode);
        dialog()->Edit11->setText(QStringLiteral("12"));
        QTest::mouseClick(dialog()->BitBtn1, Qt::LeftButton);
        QVERIFY(!dialog()->isVisible());
        QWidget *choice = mode <= 2 ? static_cast<QWidget *>(windows->Dlg.get())
                          : mode == 3 ? static_cast<QWidget *>(windows->Dlg3.get())
                                      : static_cast<QWidget *>(windows->Dlg5.get());
        QVERIFY(choice->isVisible());
        QCOMPARE(dialog()->Edit11->text(), QStringLiteral("12"));
    }

    void exitResetsTheChain()
    {
        // Mode 4, whose launch put the working-pressure unit on "кПа", so that its
        // return to index 0 shows.
        reachFlowDialog(4);
        next(QStringLiteral("30"), QStringLiteral("3"));
        auto *pressure = windows->Dlg4->findChild<QLineEdit *>(QStringLiteral("Edit5"));
        QVERIFY(pressure);
        pressure->setText(QStringLiteral("2"));
        QTest::mouseClick(windows->Dlg4->findChild<QPushButton *>(QStringLiteral("BitBtn1")), Qt::LeftButton);
        windows->Dlg->CheckBox1->setChecked(false);
        QVERIFY(dialog()->isVisible());
        QTest::mouseClick(dialog()->BitBtn3, Qt::LeftButton);
        QVERIFY(!dialog()->isVisible());
        QVERIFY(dialog()->Edit11->text().isEmpty());
        QVERIFY(dialog()->Edit12->text().isEmpty());
        QVERIFY(windows->Dlg->CheckBox1->isChecked());
        auto *unit = windows->Dlg4->findChild<QComboBox *>(QStringLiteral("ComboBox3"));
        QVERIFY(unit);
        QCOMPARE(unit->currentIndex(), 0);
        QVERIFY(pressure->text().isEmpty());
        QCOMPARE(state->SelectionMode, 4);
        QCOMPARE(state->QmaxStd, 30.0);
        QCOMPARE(state->QminStd, 3.0);
    }

    void relaunchEmptiesTheEdits()
    {
        reachFlowDialog(1);
        dialog()->Edit11->setText(QStringLiteral("100"));
        dialog()->Edit12->setText(QStringLiteral("10"));
        windows->Form1->N5->trigger();
        QVERIFY(dialog()->Edit11->text().isEmpty());
        QVERIFY(dialog()->Edit12->text().isEmpty());
    }
};

QTEST_MAIN(TestFlowRangeDialog)
#include "tst_flow_range_dialog.moc"
