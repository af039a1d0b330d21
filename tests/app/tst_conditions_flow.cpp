#include "sizing_requests.h"
#include "app/selection_flow.h"
#include "app/window_set.h"
#include "core/input/number_text.h"
#include "core/sizing/conditions_text.h"
#include "core/state/app_state.h"
#include "ui/conditions/conditions_dialog.h"
#include "ui/launcher/main_window.h"
#include "ui/pressure/unit_combo_box.h"
#include "ui/pressure/working_pressure_dialog.h"
#include "ui/results/results_window.h"
#include "ui/settings/program_settings.h"
#include "ui_test_support.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {
SizingRequest Working(const SizingConditions &conditions = {})
{
    return WorkingPressureRequest(conditions);
}

SizingConditions Gerg()
{
    SizingConditions c;
    c.method = ConversionMethod::Gerg91;
    c.tMin = -10;
    c.tMax = 25;
    c.density = 0.68;
    c.n2 = 1;
    c.co2 = 0.5;
    return c;
}

// Every text and place of the working panel, the grids and the conditions line.
QStringList WindowTexts(TForm2 *form)
{
    QStringList texts;
    // A hidden label's place is not seen.
    for (QLabel *label : form->findChildren<QLabel *>())
        texts << label->objectName() + u'=' + label->text()
                + (label->isHidden() ? u" hidden"_s
                                     : u'@' + QString::number(label->x()) + u',' + QString::number(label->width()));
    for (QTableWidget *grid : {form->StringGrid1, form->StringGrid2})
        for (int row = 0; row < grid->rowCount(); ++row)
            for (int column = 0; column < grid->columnCount(); ++column)
                if (const QTableWidgetItem *item = grid->item(row, column))
                    texts << item->text() + u'|' + item->foreground().color().name()
                            + (item->data(Qt::ForegroundRole).isValid() ? u"set"_s : QString());
    texts << QString::number(form->width()) + u'x' + QString::number(form->height());
    return texts;
}
} // namespace

// The conditions through the whole window set: the dialog from both menus, the run
// shown sized again on "OK", every request carrying them, kept in a settings file.
class TestConditionsFlow : public QObject {
    Q_OBJECT
    std::unique_ptr<AppState> state;
    std::unique_ptr<WindowSet> windows;
    QTemporaryDir folder;
    QString settings;

    void showRun(const SizingRequest &request)
    {
        windows->Form2->ShowOutcome(Size(request, state->Catalogue));
        windows->Form2->show();
    }
    void accept(const SizingConditions &c)
    {
        windows->Form2->ConditionsAction->trigger();
        ConditionsDialog *dialog = windows->Conditions.get();
        QVERIFY(dialog->isVisible());
        dialog->setConditions(c);
        MessageCatcher catcher;
        ClickButton(dialog->ConditionsOk);
        QVERIFY2(catcher.texts().isEmpty(), qPrintable(catcher.texts().join(u'|')));
    }

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(folder.isValid());
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }
    void init()
    {
        settings = folder.filePath(u"settings-%1.ini"_s.arg(QTest::currentTestFunction()));
        QFile::remove(settings);
        state = std::make_unique<AppState>();
        windows = std::make_unique<WindowSet>(*state);
        windows->flow().setSettingsPath(settings);
    }
    void cleanup()
    {
        windows.reset();
        state.reset();
    }

    // Both menus open the one dialog, filled with the conditions in force.
    void bothMenus()
    {
        state->Conditions = Gerg();
        windows->Form1->ConditionsAction->trigger();
        ConditionsDialog *dialog = windows->Conditions.get();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->MethodBox->currentIndex(), 2);
        QCOMPARE(dialog->TminEdit->text(), u"-10"_s);
        dialog->close();
        windows->Form2->ConditionsAction->trigger();
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
    }

    // "OK" on a shown run sizes it again: the window's values are the core's for
    // the same request under the new conditions.
    void methodSwitch_data()
    {
        QTest::addColumn<int>("method");
        QTest::newRow("ideal") << int(ConversionMethod::Ideal);
        QTest::newRow("gerg91") << int(ConversionMethod::Gerg91);
        QTest::newRow("aga8") << int(ConversionMethod::Aga8);
    }
    void methodSwitch()
    {
        QFETCH(int, method);
        showRun(Working());
        SizingConditions c = Gerg();
        c.method = static_cast<ConversionMethod>(method);
        accept(c);
        const SizingOutcome expected = Size(Working(c), state->Catalogue);
        TForm2 *form = windows->Form2.get();
        QVERIFY(form->isVisible());
        QCOMPARE(form->shownOutcome()->request.conditions, c);
        QCOMPARE(state->Conditions, c);
        QCOMPARE(form->Label26->text(), *expected.texts.workingAbs);
        QCOMPARE(form->Label180->text(), *expected.texts.qmaxWork);
        QCOMPARE(form->Label185->text(), *expected.texts.qminWork);
        QCOMPARE(form->Label180->text(), WriteNumber(*Round3(expected.pressures.QmaxWork)));
        const WorkingFormula formula = FormulaOf(c.method, false);
        QCOMPARE(form->Label177->text(), formula.qmaxNumerator);
        QCOMPARE(form->Label183->text(), formula.qminDenominator);
        QVERIFY(!form->ConditionsLine->isHidden());
        QCOMPARE(form->ConditionsLine->text(), ConditionsSummary(expected.conditions));
        QCOMPARE(form->StringGrid1->item(0, 1)->text(), expected.possible.front().cells[1]);
        // The panel's value is still wholly inside it.
        QVERIFY(form->Label180->geometry().right() <= form->Panel1->width());
    }

    // Back to the catalogue's own conversion: the window is exactly as a window
    // that never saw another method.
    void simpleAsBefore()
    {
        showRun(Working());
        QTest::qWait(0);
        const QStringList before = WindowTexts(windows->Form2.get());
        SizingConditions c = Gerg();
        c.maxLoad = 20;
        accept(c);
        QVERIFY(WindowTexts(windows->Form2.get()) != before);
        accept(SizingConditions{});
        QCOMPARE(WindowTexts(windows->Form2.get()), before);
    }

    // Rows failing a check are marked only when the conditions are not the
    // defaults; their tooltip names the flags.
    void flaggedRows()
    {
        SizingConditions c;
        c.maxLoad = 20;
        showRun(Working(c));
        const SizingOutcome o = *windows->Form2->shownOutcome();
        int marked = 0;
        for (std::size_t i = 0; i < o.possible.size() && i < 8; ++i) {
            const QTableWidgetItem *item = windows->Form2->StringGrid1->item(int(i), 1);
            const bool flagged = !o.possible[i].flags.isEmpty();
            QCOMPARE(item->data(Qt::ForegroundRole).isValid(), flagged);
            for (const QString &flag : o.possible[i].flags)
                QVERIFY(item->toolTip().contains(flag));
            marked += flagged;
        }
        QVERIFY(marked > 0);
        showRun(Working());
        for (int row = 0; row < windows->Form2->possibleCount() && row < 8; ++row)
            QVERIFY(!windows->Form2->StringGrid1->item(row, 1)->data(Qt::ForegroundRole).isValid());
    }

    // The working-pressure dialog's request carries the state's conditions.
    void requestsCarryConditions()
    {
        state->Conditions = Gerg();
        windows->Form1->Image3Click(); // mode 2
        state->QmaxStd = 100;
        state->QminStd = 10;
        auto *dialog = windows->Dlg4.get();
        dialog->ComboBox3->setCurrentIndex(0);
        TypeInto(dialog->Edit5, u"3"_s);
        MessageCatcher catcher;
        dialog->BitBtn2Click();
        const auto &shown = windows->Form2->shownOutcome();
        QVERIFY(shown);
        QCOMPARE(shown->request.conditions, Gerg());
        QCOMPARE(shown->conditions.method, ConversionMethod::Gerg91);
    }

    // Accepted conditions are kept in the settings file and read back; a damaged
    // or missing file gives the defaults.
    void keptBetweenRuns()
    {
        showRun(Working());
        SizingConditions c = Gerg();
        c.composition[0] = 95;
        c.composition[1] = 5;
        c.maxLoad = 80;
        c.strict = true;
        c.maxInletVelocity = 12.5;
        accept(c);
        QCOMPARE(LoadConditions(settings), c);
        QCOMPARE(windows->Conditions->MaxVelocityEdit->text(), u"12,5"_s);
        // An emptied limit is no check, and stays so.
        c.maxInletVelocity.reset();
        accept(c);
        QVERIFY(!LoadConditions(settings).maxInletVelocity);
    }
    // The load target as a file written by hand gives it, at the lowest admitted
    // figure too; one below it gives the defaults.
    void loadTargetReadBack_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<double>("maxLoad");
        QTest::newRow("80 %") << QByteArray("[conditions]\nmethod=simple\nmax_load=80\n") << 80.0;
        QTest::newRow("10 %, the lowest") << QByteArray("[conditions]\nmethod=ideal\nmax_load=10\n") << 10.0;
        QTest::newRow("9,99 %") << QByteArray("[conditions]\nmethod=ideal\nmax_load=9.99\n")
                                << SizingConditions{}.maxLoad;
    }
    void loadTargetReadBack()
    {
        QFETCH(QByteArray, bytes);
        QFile file(settings);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QTEST(LoadConditions(settings).maxLoad, "maxLoad");
    }
    void damagedFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("garbage") << QByteArray("\x00\xff[[[conditions\nmethod=\x01\x02\n=====\n", 26);
        QTest::newRow("unknown method") << QByteArray("[conditions]\nmethod=magic\nt_min=-10\n");
        QTest::newRow("refused figure") << QByteArray("[conditions]\nmethod=gerg91\ndensity=9\n");
        QTest::newRow("text for a number") << QByteArray("[conditions]\nmethod=ideal\nt_min=cold\n");
    }
    void damagedFile()
    {
        QFETCH(QByteArray, bytes);
        if (!bytes.isEmpty()) {
            QFile file(settings);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        const SizingConditions read = LoadConditions(settings);
        if (QByteArray(QTest::currentDataTag()) == "text for a number") {
            // The unreadable figure takes its default; the rest is kept.
            QCOMPARE(read.method, ConversionMethod::Ideal);
            QCOMPARE(read.tMin, SizingConditions{}.tMin);
        } else {
            QCOMPARE(read, SizingConditions{});
        }
    }
};

QTEST_MAIN(TestConditionsFlow)
#include "tst_conditions_flow.moc"
