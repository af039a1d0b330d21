// The Enter-key rule on plain widgets: Enter moves the focus and is swallowed,
// other keys reach the edit, and Enter on the landing button presses it.

#include "ui/wizard/enter_key_rule.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

class TestEnterKeyRule : public QObject {
    Q_OBJECT

private slots:
    void enterMovesAndButtonPresses_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }

    void enterMovesAndButtonPresses()
    {
        QFETCH(int, key);
        QWidget window;
        auto *first = new QLineEdit(&window);
        auto *second = new QLineEdit(&window);
        auto *button = new QPushButton(QStringLiteral("Далее"), &window);
        InstallEnterRule(first, second);
        InstallEnterRule(second, button);
        window.show();
        QSignalSpy clicked(button, &QPushButton::clicked);

        first->setFocus();
        QTest::keyClicks(first, QStringLiteral("1,5"));
        QTest::keyClick(first, Qt::Key(key));
        QCOMPARE(first->text(), QStringLiteral("1,5"));
        QCOMPARE(window.focusWidget(), static_cast<QWidget *>(second));
        QTest::keyClick(second, Qt::Key(key));
        QCOMPARE(window.focusWidget(), static_cast<QWidget *>(button));
        QCOMPARE(clicked.count(), 0);
        QTest::keyClick(button, Qt::Key(key));
        QCOMPARE(clicked.count(), 1);
    }

    void disabledButtonIsNotPressed()
    {
        QWidget window;
        auto *edit = new QLineEdit(&window);
        auto *button = new QPushButton(QStringLiteral("Далее"), &window);
        InstallEnterRule(edit, button);
        InstallEnterRule(edit, button); // a second install must not press twice
        window.show();
        QSignalSpy clicked(button, &QPushButton::clicked);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(clicked.count(), 1);
        button->setEnabled(false);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(clicked.count(), 1);
    }
};

QTEST_MAIN(TestEnterKeyRule)
#include "tst_enter_key_rule.moc"
