// Speed of the windows: one "Далее" of each mode's last window (reading the input,
// converting, selecting and filling the results grids, with the results window
// shown), and building and tearing down the whole window set. Run on the
// offscreen platform.

#include "core/state/app_state.h"
#include "ui/launcher/main_window.h"
#include "app/window_set.h"
#include "ui/cabinet/metering_point_form.h"
#include "ui/pressure/pressure_range_dialog.h"
#include "ui/pressure/unit_combo_box.h"
#include "ui/results/results_window.h"
#include "ui/pressure/working_pressure_dialog.h"
#include "ui/wizard/cabinet_choice_dialog.h"
#include "ui/wizard/complex_choice_dialog.h"
#include "ui/wizard/flow_range_dialog.h"
#include "ui/wizard/meter_choice_dialog.h"
#include "ui/wizard/utility_choice_dialog.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <memory>

namespace {

constexpr int Bar = 0;

} // namespace

class BenchWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<AppState> state;
    std::unique_ptr<WindowSet> windows;

    void enterFlows(const QString &qmax, const QString &qmin)
    {
        windows->Dlg1->Edit11->setText(qmax);
        windows->Dlg1->Edit12->setText(qmin);
        windows->Dlg1->BitBtn2Click();
    }

    // Pressure range 1 bar .. 0 bar: absolute 2 and 1, no wide-range warning.
    void enterPressureRange()
    {
        TOKBottomDlg2 *d = windows->Dlg2.get();
        d->RadioButton1->setChecked(true);
        d->Edit3->setText(QStringLiteral("1"));
        d->ComboBox1->setCurrentIndex(Bar);
        d->Edit4->setText(QStringLiteral("0"));
        d->ComboBox2->setCurrentIndex(Bar);
    }

    void enterWorkingPressure()
    {
        windows->Dlg4->Edit5->setText(QStringLiteral("0"));
        windows->Dlg4->ComboBox3->setCurrentIndex(Bar);
    }

    // Walks mode `mode` from the main window to its last window with every input
    // filled and returns that window's "Далее".
    std::function<void()> reachLastWindow(int mode)
    {
        TForm1 *main = windows->Form1.get();
        switch (mode) {
        case 1:
            main->Image2Click();
            windows->Dlg->BitBtn1Click();
            enterFlows(QStringLiteral("100"), QStringLiteral("10"));
            enterPressureRange();
            return [this] { windows->Dlg2->BitBtn2Click(); };
        case 2:
            main->Image3Click();
            windows->Dlg->BitBtn1Click();
            enterFlows(QStringLiteral("10"), QStringLiteral("5"));
            enterWorkingPressure();
            return [this] { windows->Dlg4->BitBtn2Click(); };
        case 3:
            main->Image4Click();
            windows->Dlg3->BitBtn1Click();
            enterFlows(QStringLiteral("100"), QStringLiteral("100"));
            enterPressureRange();
            return [this] { windows->Dlg2->BitBtn2Click(); };
        case 4:
            main->Image5Click();
            windows->Dlg5->CheckBox1->setChecked(true);
            windows->Dlg5->CheckBox2->setChecked(true);
            windows->Dlg5->BitBtn2Click();
            enterFlows(QStringLiteral("10"), QStringLiteral("5"));
            enterWorkingPressure();
            return [this] { windows->Dlg4->BitBtn2Click(); };
        default: {
            main->Image6Click();
            windows->Dlg6->RadioButton1->setChecked(true);
            windows->Dlg6->BitBtn1Click();
            TForm3 *f = windows->Form3.get();
            for (QRadioButton *option : {f->RadioButton1, f->RadioButton5, f->RadioButton7, f->RadioButton9})
                option->setChecked(true);
            f->Edit3->setText(QStringLiteral("0"));
            f->ComboBox1->setCurrentIndex(Bar);
            f->Edit4->setText(QStringLiteral("0"));
            f->ComboBox2->setCurrentIndex(Bar);
            f->Edit11->setText(QStringLiteral("10"));
            f->Edit12->setText(QStringLiteral("10"));
            return [f] { f->BitBtn2Click(); };
        }
        }
    }

    void modes()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("leastRows");
        QTest::newRow("mode 1") << 1 << 40;
        QTest::newRow("mode 2") << 2 << 10;
        QTest::newRow("mode 3") << 3 << 30;
        QTest::newRow("mode 4") << 4 << 10;
        QTest::newRow("mode 5") << 5 << 5;
    }

    // One "Далее" outside the measurement, to see that it goes all the way: no
    // message, the results window up with a long list.
    void checkOnePress(const std::function<void()> &next, int leastRows, const MessageCatcher &catcher)
    {
        next();
        QCOMPARE(catcher.texts(), QStringList());
        QVERIFY(windows->Form2->isVisible());
        QVERIFY2(windows->Form2->possibleCount() >= leastRows,
                 qPrintable(QString::number(windows->Form2->possibleCount())));
    }

private slots:
    void initTestCase() { QuietOffscreenWarnings(); }

    void init()
    {
        state = std::make_unique<AppState>();
        windows = std::make_unique<WindowSet>(*state);
    }

    void cleanup()
    {
        windows.reset();
        state.reset();
    }

    void next_data() { modes(); }

    // The handler alone; the repaint it asks for is left pending.
    void next()
    {
        QFETCH(int, mode);
        QFETCH(int, leastRows);
        MessageCatcher catcher;
        const std::function<void()> press = reachLastWindow(mode);
        checkOnePress(press, leastRows, catcher);
        QBENCHMARK {
            press();
        }
        QCOMPARE(catcher.texts(), QStringList());
    }

    void nextAndPaint_data() { modes(); }

    // The handler and the painting of what it changed, as the user waits for it.
    void nextAndPaint()
    {
        QFETCH(int, mode);
        QFETCH(int, leastRows);
        MessageCatcher catcher;
        const std::function<void()> press = reachLastWindow(mode);
        checkOnePress(press, leastRows, catcher);
        QApplication::processEvents();
        QBENCHMARK {
            press();
            QApplication::processEvents();
        }
        QCOMPARE(catcher.texts(), QStringList());
    }

    // AppState and every window made (the catalogue filled on the way) and destroyed.
    void windowSet()
    {
        QBENCHMARK {
            auto fresh = std::make_unique<AppState>();
            WindowSet set(*fresh);
        }
    }
};

QTEST_MAIN(BenchWindows)
#include "bench_windows.moc"
