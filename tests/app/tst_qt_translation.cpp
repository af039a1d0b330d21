#include "app/qt_translation.h"
#include "ui_test_support.h"
#include "ui/wizard/messages.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTranslator>

#include <memory>

// Qt's own texts follow the desktop's language; the program's own stay as they are.
class TestQtTranslation : public QObject {
    Q_OBJECT

    std::unique_ptr<QTranslator> russian_;

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        russian_ = InstallQtTranslation(QLocale(QLocale::Russian, QLocale::Russia));
        QVERIFY2(russian_, "qtbase_ru.qm not found: scripts/install-deps.sh installs qt6-translations-l10n");
    }

    void qtTexts_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("russian");
        // Entries of an edit box's context menu and of the file and print dialogs.
        QTest::newRow("edit box: copy") << "QLineEdit" << "&Copy" << "&Копировать";
        QTest::newRow("edit box: paste") << "QLineEdit" << "&Paste" << "В&ставить";
        QTest::newRow("file dialog: save as") << "QFileDialog" << "Save As" << "Сохранить как";
        QTest::newRow("print dialog: print") << "QPrintDialog" << "Print" << "Печать";
        QTest::newRow("standard button: cancel") << "QPlatformTheme" << "Cancel" << "Отмена";
    }

    void qtTexts()
    {
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, russian);
        QCOMPARE(QCoreApplication::translate(context.toLatin1().constData(),
                                             source.toLatin1().constData()),
                 russian);
    }

    // What a user sees on right-clicking an edit box.
    void editBoxMenu()
    {
        QLineEdit edit(QStringLiteral("1,5"));
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList texts;
        for (const QAction *action : menu->actions())
            texts << action->text();
        QVERIFY2(texts.join(u'|').contains(QStringLiteral("Копировать")), qPrintable(texts.join(u'|')));
    }

    // The boxes keep "Warning"/"Error" and their "OK" in a Russian Qt.
    void messageBoxesKeepTheirTexts()
    {
        MessageCatcher catcher;
        ShowWarning(nullptr, QStringLiteral("Предупреждение"));
        ShowError(nullptr, QStringLiteral("Ошибка"));
        QCOMPARE(catcher.messages().size(), 2);
        QCOMPARE(catcher.messages()[0].title, QStringLiteral("Warning"));
        QCOMPARE(catcher.messages()[1].title, QStringLiteral("Error"));
        for (const SeenMessage &seen : catcher.messages()) {
            QCOMPARE(seen.okText, QStringLiteral("OK"));
            QCOMPARE(seen.buttonCount, 1);
        }
    }

    // No translation for a language Qt does not ship leaves Qt's English.
    void unknownLanguage()
    {
        QVERIFY(!InstallQtTranslation(QLocale(QLocale::Icelandic, QLocale::Iceland)));
    }
};

QTEST_MAIN(TestQtTranslation)
#include "tst_qt_translation.moc"
