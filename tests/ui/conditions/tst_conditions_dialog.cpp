#include "core/input/message_texts.h"
#include "core/input/number_text.h"
#include "ui/conditions/conditions_dialog.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(SizingConditions)

// The conditions dialog on its own: which fields each method uses, the live sum
// of the composition, and what "OK" and "Отмена" do with good and bad figures.
class TestConditionsDialog : public QObject {
    Q_OBJECT
    std::unique_ptr<ConditionsDialog> dialog;

    QLineEdit *edit(const QString &name) const { return dialog->findChild<QLineEdit *>(name); }

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        qRegisterMetaType<SizingConditions>();
    }
    void init()
    {
        dialog = std::make_unique<ConditionsDialog>();
        dialog->show();
    }
    void cleanup() { dialog.reset(); }

    void notModal()
    {
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->windowModality(), Qt::NonModal);
        QVERIFY(dialog->isWindow());
        QCOMPARE(dialog->MethodBox->count(), 4);
        QVERIFY(!dialog->MethodBox->isEditable());
        QVERIFY(dialog->MethodBox->itemText(2).contains(u"ГОСТ 30319.2"_s));
        QVERIFY(dialog->MethodBox->itemText(3).contains(u"ГОСТ 30319.2"_s));
    }

    void enabledFields_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<QStringList>("enabled");
        const QStringList always{u"MaxLoadEdit"_s};
        const QStringList real{u"TminEdit"_s, u"TmaxEdit"_s, u"PatmEdit"_s, u"MaxLoadEdit"_s};
        QTest::newRow("simple") << 0 << always;
        QTest::newRow("ideal") << 1 << real;
        QTest::newRow("gerg91") << 2 << real + QStringList{u"DensityEdit"_s, u"N2Edit"_s, u"CO2Edit"_s};
        QTest::newRow("aga8") << 3 << real + QStringList{u"CompositionTable"_s};
    }
    void enabledFields()
    {
        QFETCH(int, method);
        QFETCH(QStringList, enabled);
        dialog->MethodBox->setCurrentIndex(method);
        for (const QString &name : {u"TminEdit"_s, u"TmaxEdit"_s, u"PatmEdit"_s, u"DensityEdit"_s, u"N2Edit"_s,
                                    u"CO2Edit"_s, u"MaxLoadEdit"_s, u"CompositionTable"_s}) {
            auto *field = dialog->findChild<QWidget *>(name);
            QVERIFY2(field, qPrintable(name));
            QCOMPARE(field->isEnabled(), enabled.contains(name));
        }
    }

    // The sum under the table follows every typed cell.
    void liveSum()
    {
        dialog->MethodBox->setCurrentIndex(3);
        QVERIFY(dialog->CompositionSum->text().contains(u"100,0000"_s));
        dialog->CompositionTable->item(0, 1)->setText(u"90,5"_s);
        QVERIFY(dialog->CompositionSum->text().contains(u"90,5000"_s));
        dialog->CompositionTable->item(1, 1)->setText(u"9,5"_s);
        QVERIFY(dialog->CompositionSum->text().contains(u"100,0000"_s));
        dialog->CompositionTable->item(1, 1)->setText(u"x"_s);
        QVERIFY(dialog->CompositionSum->text().contains(gas::ComponentName(gas::Component::Nitrogen)));
    }

    // A text that is not a number, or a figure the core refuses: the box, nothing
    // sent, the dialog still open with what was typed.
    void refusals_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("not a number") << 1 << u"TminEdit"_s << u"минус 5"_s << Messages::BadInput();
        QTest::newRow("point in a comma locale") << 2 << u"DensityEdit"_s << u"0.68"_s << Messages::BadInput();
        QTest::newRow("load, simple") << 0 << u"MaxLoadEdit"_s << u"abc"_s << Messages::BadInput();
        SizingConditions cold;
        cold.method = ConversionMethod::Ideal;
        cold.tMin = -70;
        QTest::newRow("too cold") << 1 << u"TminEdit"_s << u"-70"_s << CheckConditions(cold)->message;
        SizingConditions dense;
        dense.method = ConversionMethod::Gerg91;
        dense.density = 2;
        QTest::newRow("too dense") << 2 << u"DensityEdit"_s << u"2"_s << CheckConditions(dense)->message;
        SizingConditions load;
        load.maxLoad = 150;
        QTest::newRow("load above 100") << 0 << u"MaxLoadEdit"_s << u"150"_s << CheckConditions(load)->message;
    }
    void refusals()
    {
        QFETCH(int, method);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QSignalSpy sent(dialog.get(), &ConditionsDialog::conditionsAccepted);
        dialog->MethodBox->setCurrentIndex(method);
        TypeInto(edit(field), text);
        MessageCatcher catcher;
        ClickButton(dialog->ConditionsOk);
        QCOMPARE(catcher.texts(), QStringList{message});
        QCOMPARE(catcher.messages().front().title, u"Error"_s);
        QCOMPARE(sent.count(), 0);
        QVERIFY(dialog->isVisible());
        QCOMPARE(edit(field)->text(), text);
    }

    // Good figures: sent as read by the locale's rule, and the dialog closes.
    void accepted()
    {
        QSignalSpy sent(dialog.get(), &ConditionsDialog::conditionsAccepted);
        dialog->MethodBox->setCurrentIndex(2);
        TypeInto(edit(u"TminEdit"_s), u"-10"_s);
        TypeInto(edit(u"TmaxEdit"_s), u"25"_s);
        TypeInto(edit(u"PatmEdit"_s), u"99,5"_s);
        TypeInto(edit(u"DensityEdit"_s), u"0,7"_s);
        TypeInto(edit(u"MaxLoadEdit"_s), u"80"_s);
        dialog->StrictCheck->setChecked(true);
        MessageCatcher catcher;
        ClickButton(dialog->ConditionsOk);
        QVERIFY(catcher.texts().isEmpty());
        QCOMPARE(sent.count(), 1);
        const auto c = sent.front().front().value<SizingConditions>();
        QCOMPARE(c.method, ConversionMethod::Gerg91);
        QCOMPARE(c.tMin, -10.0);
        QCOMPARE(c.tMax, 25.0);
        QCOMPARE(c.pAtm, 99.5);
        QCOMPARE(c.density, 0.7);
        QCOMPARE(c.maxLoad, 80.0);
        QVERIFY(c.strict);
        QVERIFY(!dialog->isVisible());
    }

    // "Отмена" sends nothing and closes; a field the method does not use is not
    // read, whatever it holds.
    void cancelAndUnusedFields()
    {
        QSignalSpy sent(dialog.get(), &ConditionsDialog::conditionsAccepted);
        dialog->MethodBox->setCurrentIndex(1);
        TypeInto(edit(u"TminEdit"_s), u"-5"_s);
        ClickButton(dialog->ConditionsCancel);
        QCOMPARE(sent.count(), 0);
        QVERIFY(!dialog->isVisible());

        dialog->show();
        dialog->MethodBox->setCurrentIndex(3);
        dialog->CompositionTable->item(2, 1)->setText(u"мусор"_s);
        dialog->MethodBox->setCurrentIndex(1);
        MessageCatcher catcher;
        ClickButton(dialog->ConditionsOk);
        QVERIFY2(catcher.texts().isEmpty(), qPrintable(catcher.texts().join(u"|"_s)));
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.front().front().value<SizingConditions>().composition, SizingConditions::DefaultComposition());
    }
};

QTEST_MAIN(TestConditionsDialog)
#include "tst_conditions_dialog.moc"
