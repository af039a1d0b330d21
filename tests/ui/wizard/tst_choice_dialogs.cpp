// The four choice dialogs: their texts, the choice check, select/clear all, exit,
// and the navigation they start.

#include "core/state/app_state.h"
#include "ui/launcher/main_window.h"
#include "app/window_set.h"
#include "ui/cabinet/metering_point_form.h"
#include "ui/cabinet/metering_reducing_point_form.h"
#include "ui/cabinet/reducing_point_form.h"
#include "ui/wizard/cabinet_choice_dialog.h"
#include "ui/wizard/complex_choice_dialog.h"
#include "ui/wizard/flow_range_dialog.h"
#include "ui/wizard/meter_choice_dialog.h"
#include "ui/wizard/utility_choice_dialog.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

class TestChoiceDialogs : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppState> state;
    std::unique_ptr<WindowSet> windows;

    static void expectNoChoiceWarning(const MessageCatcher &catcher)
    {
        QCOMPARE(catcher.messages().size(), 1);
        const SeenMessage &m = catcher.messages().first();
        QCOMPARE(m.title, QStringLiteral("Warning"));
        QCOMPARE(m.icon, QMessageBox::Warning);
        QCOMPARE(m.text, QStringLiteral("Внимание! Не было выбрано ни одной позиции из списка!"));
        QCOMPARE(m.buttonCount, 1);
    }

private slots:
    void initTestCase() { QuietOffscreenWarnings(); }

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

    void captionsAndNames()
    {
        TOKBottomDlg *d = windows->Dlg.get();
        for (QCheckBox *box : {d->CheckBox1, d->CheckBox2, d->CheckBox3})
            QCOMPARE(box->text(), QStringLiteral("Измерительный комплекс на базе"));
        QCOMPARE(d->Label1->text(), QStringLiteral("ротационного счетчика ZAM"));
        QCOMPARE(d->Label2->text(), QStringLiteral("турбинного счетчика ЗЕТ-16(75)М(МТ)"));
        QCOMPARE(d->Label3->text(), QStringLiteral("турбинного счетчика KEL"));
        QCOMPARE(d->Button1->text(), QStringLiteral("Выбрать все"));
        QCOMPARE(d->Button2->text(), QStringLiteral("Отменить все"));
        QCOMPARE(d->BitBtn1->text(), QStringLiteral("Далее"));
        QCOMPARE(d->BitBtn2->text(), QStringLiteral("Выход"));

        TOKBottomDlg3 *d3 = windows->Dlg3.get();
        QCOMPARE(d3->CheckBox1->text(), QStringLiteral("Ротационный счетчик газа ZAM"));
        QCOMPARE(d3->CheckBox2->text(), QStringLiteral("Турбинный счетчик ЗЕТ-16(75)М(МТ)"));
        QCOMPARE(d3->CheckBox3->text(), QStringLiteral("Турбинный счетчик KEL"));

        TOKBottomDlg5 *d5 = windows->Dlg5.get();
        QCOMPARE(d5->CheckBox1->text(), QStringLiteral("Коммунальный счетчик газа серии НМ"));
        QCOMPARE(d5->CheckBox2->text(), QStringLiteral("Коммунальный счетчик газа серии НМ Т"));
        QCOMPARE(d5->Label1->text(), QStringLiteral("без термокомпенсации"));
        QCOMPARE(d5->Label2->text(), QStringLiteral("с термокомпенсацией"));
        QCOMPARE(d5->BitBtn2->text(), QStringLiteral("Далее"));
        QCOMPARE(d5->BitBtn3->text(), QStringLiteral("Выход"));

        TOKBottomDlg6 *d6 = windows->Dlg6.get();
        QCOMPARE(d6->RadioButton1->text(), QStringLiteral("Пункт учета газа ТИВ"));
        QCOMPARE(d6->RadioButton2->text(), QStringLiteral("Пункт редуцирования газа ЛЕМА"));
        QCOMPARE(d6->RadioButton3->text(), QStringLiteral("Пункт учета и редуцирования газа ОРНИК"));

        for (QWidget *w : {static_cast<QWidget *>(d), static_cast<QWidget *>(d3),
                           static_cast<QWidget *>(d5), static_cast<QWidget *>(d6)}) {
            for (QPushButton *b : w->findChildren<QPushButton *>()) {
                QVERIFY(!b->autoDefault());
                QVERIFY(!b->isDefault());
                QVERIFY(!b->objectName().isEmpty());
            }
        }
    }

    void tabOrders_data()
    {
        QTest::addColumn<QStringList>("order");
        QTest::newRow("TOKBottomDlg") << QStringList{"BitBtn1", "CheckBox1", "CheckBox2", "CheckBox3",
                                                     "BitBtn2", "Button1", "Button2"};
        QTest::newRow("TOKBottomDlg3")  << QStringList{"CheckBox1", "CheckBox2", "CheckBox3", "Button1",
                                                      "Button2", "BitBtn1", "BitBtn2"};
        QTest::newRow("TOKBottomDlg5")  << QStringList{"BitBtn2", "BitBtn3", "CheckBox1", "CheckBox2"};
        QTest::newRow("TOKBottomDlg6")  << QStringList{"BitBtn1", "BitBtn2", "RadioButton1"};
    }

    void tabOrders()
    {
        QFETCH(QStringList, order);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        QWidget *dialog = nullptr;
        for (QWidget *w : {static_cast<QWidget *>(windows->Dlg.get()), static_cast<QWidget *>(windows->Dlg3.get()),
                           static_cast<QWidget *>(windows->Dlg5.get()), static_cast<QWidget *>(windows->Dlg6.get())})
            if (w->objectName() == name)
                dialog = w;
        QVERIFY(dialog);
        QCOMPARE(TabOrderFrom(dialog->findChild<QWidget *>(order.first()), int(order.size())), order);
    }

    void emptyChoiceWarnsAndStays_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("complexes") << 1;
        QTest::newRow("industrial") << 3;
        QTest::newRow("utility") << 4;
        QTest::newRow("cabinet") << 5;
    }

    void emptyChoiceWarnsAndStays()
    {
        QFETCH(int, mode);
        TForm1 *f = windows->Form1.get();
        QWidget *dialog = nullptr;
        QPushButton *next = nullptr;
        switch (mode) {
        case 1:
            f->Image2Click();
            QTest::mouseClick(windows->Dlg->Button2, Qt::LeftButton);
            dialog = windows->Dlg.get();
            next = windows->Dlg->BitBtn1;
            break;
        case 3:
            f->Image4Click();
            QTest::mouseClick(windows->Dlg3->Button2, Qt::LeftButton);
            dialog = windows->Dlg3.get();
            next = windows->Dlg3->BitBtn1;
            break;
        case 4:
            f->Image5Click();
            windows->Dlg5->CheckBox1->setChecked(false);
            windows->Dlg5->CheckBox2->setChecked(false);
            dialog = windows->Dlg5.get();
            next = windows->Dlg5->BitBtn2;
            break;
        default:
            f->Image6Click();
            dialog = windows->Dlg6.get();
            next = windows->Dlg6->BitBtn1;
            break;
        }
        MessageCatcher catcher;
        QTest::mouseClick(next, Qt::LeftButton);
        expectNoChoiceWarning(catcher);
        QVERIFY(dialog->isVisible());
        QVERIFY(!windows->Dlg1->isVisible());
        QVERIFY(!windows->Form3->isVisible());
    }

    void selectAllThenNextGoesOn()
    {
        windows->Form1->Image4Click();
        TOKBottomDlg3 *d3 = windows->Dlg3.get();
        QTest::mouseClick(d3->Button2, Qt::LeftButton);
        QCOMPARE(d3->gates(), (FamilyGates{false, false, false}));
        QTest::mouseClick(d3->Button1, Qt::LeftButton);
        QCOMPARE(d3->gates(), (FamilyGates{true, true, true}));
        MessageCatcher catcher;
        QTest::mouseClick(d3->BitBtn1, Qt::LeftButton);
        QVERIFY(catcher.messages().isEmpty());
        QVERIFY(!d3->isVisible());
        QVERIFY(windows->Dlg1->isVisible());
    }

    void choicesSurviveBackAndForth()
    {
        windows->Form1->Image2Click();
        windows->Dlg->CheckBox2->setChecked(false);
        QTest::mouseClick(windows->Dlg->BitBtn1, Qt::LeftButton);
        QTest::mouseClick(windows->Dlg1->BitBtn1, Qt::LeftButton); // "Назад"
        QVERIFY(windows->Dlg->isVisible());
        QCOMPARE(windows->Dlg->gates(), (FamilyGates{true, false, true}));
    }

    void exitResetsOnlyWhereItShould()
    {
        // "Выход" of the complex choice runs the exit reset: boxes and flow edits back.
        windows->Form1->Image2Click();
        windows->Dlg1->Edit11->setText(QStringLiteral("5"));
        windows->Dlg->CheckBox1->setChecked(false);
        windows->Dlg3->CheckBox3->setChecked(false);
        QTest::mouseClick(windows->Dlg->BitBtn2, Qt::LeftButton);
        QVERIFY(!windows->Dlg->isVisible());
        QCOMPARE(windows->Dlg->gates(), (FamilyGates{true, true, true}));
        QCOMPARE(windows->Dlg3->gates(), (FamilyGates{true, true, true}));
        QVERIFY(windows->Dlg1->Edit11->text().isEmpty());

        // "Выход" of the utility choice only closes.
        windows->Form1->Image5Click();
        windows->Dlg5->CheckBox2->setChecked(false);
        windows->Dlg1->Edit11->setText(QStringLiteral("7"));
        QTest::mouseClick(windows->Dlg5->BitBtn3, Qt::LeftButton);
        QVERIFY(!windows->Dlg5->isVisible());
        QVERIFY(!windows->Dlg5->CheckBox2->isChecked());
        QCOMPARE(windows->Dlg1->Edit11->text(), QStringLiteral("7"));

        // "Выход" of the industrial meter choice runs the exit reset as well.
        windows->Form1->Image4Click();
        windows->Dlg3->CheckBox2->setChecked(false);
        windows->Dlg->CheckBox3->setChecked(false);
        windows->Dlg1->Edit12->setText(QStringLiteral("3"));
        QTest::mouseClick(windows->Dlg3->BitBtn2, Qt::LeftButton);
        QVERIFY(!windows->Dlg3->isVisible());
        QCOMPARE(windows->Dlg3->gates(), (FamilyGates{true, true, true}));
        QCOMPARE(windows->Dlg->gates(), (FamilyGates{true, true, true}));
        QVERIFY(windows->Dlg1->Edit12->text().isEmpty());

        // "Выход" of the cabinet choice only closes; the kind chosen stays.
        windows->Form1->Image6Click();
        windows->Dlg6->RadioButton2->setChecked(true);
        windows->Dlg1->Edit11->setText(QStringLiteral("9"));
        QTest::mouseClick(windows->Dlg6->BitBtn2, Qt::LeftButton);
        QVERIFY(!windows->Dlg6->isVisible());
        QVERIFY(windows->Dlg6->RadioButton2->isChecked());
        QCOMPARE(windows->Dlg1->Edit11->text(), QStringLiteral("9"));

        // The title-bar close hides without any reset.
        windows->Form1->Image4Click();
        windows->Dlg3->CheckBox1->setChecked(false);
        windows->Dlg3->close();
        QVERIFY(!windows->Dlg3->isVisible());
        QVERIFY(!windows->Dlg3->CheckBox1->isChecked());
    }

    void cabinetChoiceLeadsToItsForm_data()
    {
        QTest::addColumn<int>("choice");
        QTest::newRow("ТИВ") << 1;
        QTest::newRow("ЛЕМА") << 2;
        QTest::newRow("ОРНИК") << 3;
    }

    void cabinetChoiceLeadsToItsForm()
    {
        QFETCH(int, choice);
        windows->Form1->Image6Click();
        TOKBottomDlg6 *d6 = windows->Dlg6.get();
        QRadioButton *buttons[] = {d6->RadioButton1, d6->RadioButton2, d6->RadioButton3};
        QWidget *forms[] = {windows->Form3.get(), windows->Form4.get(), windows->Form5.get()};
        QTest::mouseClick(buttons[choice - 1], Qt::LeftButton);
        QTest::mouseClick(d6->BitBtn1, Qt::LeftButton);
        QVERIFY(!d6->isVisible());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(forms[i]->isVisible(), i == choice - 1);

        // A new launch of mode 5 clears the choice again.
        windows->Form1->N8->trigger();
        QVERIFY(!forms[choice - 1]->isVisible());
        for (QRadioButton *b : buttons)
            QVERIFY(!b->isChecked());
    }

    void enterPressesTheFocusedButton()
    {
        windows->Form1->Image4Click();
        windows->Dlg3->BitBtn1->setFocus();
        QTest::keyClick(windows->Dlg3->BitBtn1, Qt::Key_Return);
        QVERIFY(!windows->Dlg3->isVisible());
        QVERIFY(windows->Dlg1->isVisible());

        windows->Form1->Image5Click();
        windows->Dlg5->BitBtn3->setFocus();
        QTest::keyClick(windows->Dlg5->BitBtn3, Qt::Key_Enter);
        QVERIFY(!windows->Dlg5->isVisible());
    }

    void mainWindowStaysUsableWithADialogOpen()
    {
        windows->Form1->Image2Click();
        QVERIFY(windows->Dlg->isVisible());
        windows->Form1->N7->trigger();
        QVERIFY(!windows->Dlg->isVisible());
        QVERIFY(windows->Dlg5->isVisible());
    }
};

QTEST_MAIN(TestChoiceDialogs)
#include "tst_choice_dialogs.moc"
