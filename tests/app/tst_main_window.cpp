// Start-up, the main window, the About window and the launch of each mode.

#include "ui/launcher/about_window.h"
#include "core/state/app_state.h"
#include "ui/launcher/clickable_label.h"
#include "ui/launcher/main_window.h"
#include "app/window_set.h"
#include "ui/cabinet/metering_point_form.h"
#include "ui/cabinet/metering_reducing_point_form.h"
#include "ui/cabinet/reducing_point_form.h"
#include "ui/pressure/pressure_range_dialog.h"
#include "ui/results/results_window.h"
#include "ui/pressure/working_pressure_dialog.h"
#include "ui/wizard/cabinet_choice_dialog.h"
#include "ui/wizard/complex_choice_dialog.h"
#include "ui/wizard/flow_range_dialog.h"
#include "ui/wizard/meter_choice_dialog.h"
#include "ui/wizard/utility_choice_dialog.h"

#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>

// Receives the URLs the main window hands to the desktop.
class UrlSink : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppState> state;
    std::unique_ptr<WindowSet> windows;

    QList<QWidget *> allWindows() const
    {
        return {windows->Form1.get(), windows->Form2.get(), windows->Dlg2.get(), windows->Dlg1.get(),
                windows->Dlg.get(),   windows->Dlg3.get(),  windows->Dlg4.get(), windows->Dlg5.get(),
                windows->Dlg6.get(),  windows->Form3.get(), windows->Form4.get(), windows->Form5.get(),
                windows->Form6.get()};
    }

    QWidget *firstDialogOf(int mode) const
    {
        switch (mode) {
        case 1:
        case 2:
            return windows->Dlg.get();
        case 3:
            return windows->Dlg3.get();
        case 4:
            return windows->Dlg5.get();
        default:
            return windows->Dlg6.get();
        }
    }

    QList<QWidget *> visibleWindows() const
    {
        QList<QWidget *> shown;
        for (QWidget *w : allWindows())
            if (w->isVisible())
                shown << w;
        return shown;
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

    // The windows are made one after another in start-up order: every widget
    // announces its creation (QEvent::Create) from its constructor, so the order
    // in which the thirteen windows first appear is the order they were made in.
    void windowsAreCreatedInStartUpOrder()
    {
        struct CreationRecorder : QObject {
            QList<QObject *> created;
            bool eventFilter(QObject *watched, QEvent *event) override
            {
                if (event->type() == QEvent::Create)
                    created.append(watched);
                return false;
            }
        } recorder;
        qApp->installEventFilter(&recorder);
        AppState otherState;
        WindowSet other(otherState);
        qApp->removeEventFilter(&recorder);

        const QWidget *windowsOfSet[] = {
            other.Form1.get(), other.Form2.get(), other.Dlg2.get(), other.Dlg1.get(), other.Dlg.get(),
            other.Dlg3.get(), other.Dlg4.get(), other.Dlg5.get(), other.Dlg6.get(), other.Form3.get(),
            other.Form4.get(), other.Form5.get(), other.Form6.get()};
        QStringList order;
        for (QObject *object : std::as_const(recorder.created))
            for (const QWidget *window : windowsOfSet)
                if (object == window && !order.contains(window->objectName()))
                    order << window->objectName();
        QCOMPARE(order, (QStringList{QStringLiteral("TForm1"), QStringLiteral("TForm2"), QStringLiteral("TOKBottomDlg2"), QStringLiteral("TOKBottomDlg1"),
                                     QStringLiteral("TOKBottomDlg"), QStringLiteral("TOKBottomDlg3"), QStringLiteral("TOKBottomDlg4"),
                                     QStringLiteral("TOKBottomDlg5"), QStringLiteral("TOKBottomDlg6"), QStringLiteral("TForm3"), QStringLiteral("TForm4"),
                                     QStringLiteral("TForm5"), QStringLiteral("TForm6")}));
    }

    void windowSetHasNamesAndCaptions_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const char *names[] = {"TForm1", "TForm2", "TOKBottomDlg2", "TOKBottomDlg1", "TOKBottomDlg",
                               "TOKBottomDlg3", "TOKBottomDlg4", "TOKBottomDlg5", "TOKBottomDlg6",
                               "TForm3", "TForm4", "TForm5", "TForm6"};
        const QString data = QStringLiteral("Исходные данные");
        const QString captions[] = {
            QStringLiteral("Определение типоразмера счетчиков и измерительных комплексов учета газа"),
            QStringLiteral("Варианты подбора"),
            data,
            data,
            QStringLiteral("Выбор типа измерительного комплекса"),
            QStringLiteral("Выбор типа счетчика"),
            data,
            QStringLiteral("Выбор типа счетчика"),
            QStringLiteral("Выбор типа шкафного пункта "),
            data,
            data,
            data,
            QStringLiteral("О программе")};
        for (int i = 0; i < 13; ++i)
            QTest::newRow(names[i]) << i << QString::fromLatin1(names[i]) << captions[i];
    }

    void windowSetHasNamesAndCaptions()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QWidget *w = allWindows().at(index);
        QCOMPARE(w->objectName(), name);
        QCOMPARE(QString::fromLatin1(w->metaObject()->className()), name);
        QCOMPARE(w->windowTitle(), caption);
        QVERIFY(w->isWindow());
        QCOMPARE(w->windowModality(), Qt::NonModal);
    }

    void onlyTheMainWindowIsShownAfterStartUp()
    {
        QCOMPARE(visibleWindows(), QList<QWidget *>{windows->Form1.get()});
        QCOMPARE(state->SelectionMode, 0);
    }

    void creationHandlersHaveRun()
    {
        // The results window filled the catalogue; the choice dialogs checked their boxes.
        QCOMPARE(state->Catalogue.usedCount(), 558);
        QCOMPARE(windows->Dlg->gates(), (FamilyGates{true, true, true}));
        QCOMPARE(windows->Dlg3->gates(), (FamilyGates{true, true, true}));
        QCOMPARE(windows->Dlg5->gates(), (FamilyGates{true, true, false}));
    }

    void mainWindowTexts()
    {
        TForm1 *f = windows->Form1.get();
        const QList<QPair<QLabel *, QString>> texts = {
            {f->Label1, QStringLiteral("Измерительные комплексы")},
            {f->Label2, QStringLiteral("учета газа ВЕЛОН")},
            {f->Label7, QStringLiteral("(с коррекцией по температуре и давлению)")},
            {f->Label8, QStringLiteral("Измерительные комплексы")},
            {f->Label9, QStringLiteral("учета газа МАРИН")},
            {f->Label10, QStringLiteral("(с коррекцией по температуре)")},
            {f->Label11, QStringLiteral("Промышленные")},
            {f->Label12, QStringLiteral("счетчики газа")},
            {f->Label13, QStringLiteral("ЗЕТ-16(75)М(МТ), KEL, ZAM")},
            {f->Label14, QStringLiteral("Коммунальные")},
            {f->Label15, QStringLiteral("счетчики газа")},
            {f->Label16, QStringLiteral("серии НМ и НМ-Т")},
            {f->Label17, QStringLiteral("Шкафные пункты")},
            {f->Label18, QStringLiteral("учета газа")},
            {f->Label19, QStringLiteral("ТИВ, ЛЕМА, ОРНИК")},
            {f->Label88, QStringLiteral("Электронный адрес:")},
        };
        for (const auto &[label, text] : texts)
            QCOMPARE(label->text(), text);
        QVERIFY(f->Label309->text().startsWith(QStringLiteral("E-mail: ")));
        QCOMPARE(f->Button1->text(), QStringLiteral("Выход"));
        QVERIFY(!f->Button1->autoDefault());
        QVERIFY(!f->Button1->isDefault());
        QVERIFY(!(f->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(f->windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void menuStructure()
    {
        TForm1 *f = windows->Form1.get();
        QCOMPARE(f->N1->title(), QStringLiteral("Действия"));
        QCOMPARE(f->N2->title(), QStringLiteral("Перейти к"));
        const QList<QAction *> entries = f->N2->actions();
        QCOMPARE(entries.size(), 5);
        const QStringList names = {"N5", "N6", "N9", "N7", "N8"};
        const QStringList texts = {QStringLiteral("ВЕЛОН (коррекция по температуре и давлению)"),
                                   QStringLiteral("МАРИН (коррекция по температуре)"),
                                   QStringLiteral("Счетчики газа ZAM, ЗЕТ, KEL"),
                                   QStringLiteral("Коммунальные счетчики газа"),
                                   QStringLiteral("Шкафные пункты учета газа")};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(entries[i]->objectName(), names[i]);
            QCOMPARE(entries[i]->text(), texts[i]);
        }
        const QList<QAction *> top = f->N1->actions();
        QCOMPARE(top.size(), 3);
        QCOMPARE(top[0]->menu(), f->N2);
        QCOMPARE(top[1], f->ConditionsAction);
        QCOMPARE(f->ConditionsAction->text(), QStringLiteral("Условия расчёта..."));
        QCOMPARE(top[2], f->N4);
        QCOMPARE(f->N4->text(), QStringLiteral("Выход"));
        // "Действия", the project's menu beside it, the price list's, "?".
        const QList<QAction *> bar = f->menuBar()->actions();
        QCOMPARE(bar.size(), 4);
        QCOMPARE(bar[0]->menu(), f->N1);
        QCOMPARE(bar[1]->menu(), f->ProjectMenu);
        QCOMPARE(f->ProjectMenu->objectName(), QStringLiteral("ProjectMenu"));
        QCOMPARE(bar[2]->menu(), f->PriceListMenu);
        QCOMPARE(f->PriceListMenu->objectName(), QStringLiteral("PriceListMenu"));
        QCOMPARE(f->PriceListMenu->title(), QStringLiteral("Прайс-лист"));
        const QList<QAction *> prices = f->PriceListMenu->actions();
        QCOMPARE(prices.size(), 4); // a separator before the catalogue
        const QList<QPair<QAction *, QString>> priceEntries = {
            {f->PriceListLoadAction, QStringLiteral("PriceListLoadAction|Загрузить прайс-лист...")},
            {f->PriceListBuiltInAction, QStringLiteral("PriceListBuiltInAction|Встроенный прайс-лист")},
            {f->CatalogueAction, QStringLiteral("CatalogueAction|Каталог изделий...")},
        };
        for (const auto &[action, entry] : priceEntries) {
            QVERIFY(prices.contains(action));
            QCOMPARE(action->objectName() + u'|' + action->text(), entry);
        }
        QCOMPARE(bar[3], f->N3);
        QCOMPARE(f->N3->text(), QStringLiteral("?"));
        QVERIFY(!f->N3->menu());
    }

    void eachLauncherStartsItsMode_data()
    {
        QTest::addColumn<QString>("launcher");
        QTest::addColumn<int>("mode");
        QTest::newRow("Image2") << "Image2" << 1;
        QTest::newRow("Image3") << "Image3" << 2;
        QTest::newRow("Image4") << "Image4" << 3;
        QTest::newRow("Image5") << "Image5" << 4;
        QTest::newRow("Image6") << "Image6" << 5;
        QTest::newRow("N5") << "N5" << 1;
        QTest::newRow("N6") << "N6" << 2;
        QTest::newRow("N9") << "N9" << 3;
        QTest::newRow("N7") << "N7" << 4;
        QTest::newRow("N8") << "N8" << 5;
    }

    void eachLauncherStartsItsMode()
    {
        QFETCH(QString, launcher);
        QFETCH(int, mode);
        TForm1 *f = windows->Form1.get();
        if (auto *picture = f->findChild<ClickableLabel *>(launcher)) {
            QCOMPARE(picture->size(), QSize(105, 105));
            QCOMPARE(picture->cursor().shape(), Qt::PointingHandCursor);
            QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(52, 52));
        } else {
            auto *action = f->findChild<QAction *>(launcher);
            QVERIFY(action);
            action->trigger();
        }
        QCOMPARE(state->SelectionMode, mode);
        QWidget *first = firstDialogOf(mode);
        QCOMPARE(visibleWindows(), (QList<QWidget *>{windows->Form1.get(), first}));
        // Centred over the main window.
        const QPoint delta = first->frameGeometry().center() - f->frameGeometry().center();
        QVERIFY2(delta.manhattanLength() <= 2, qPrintable(QStringLiteral("off by %1,%2").arg(delta.x()).arg(delta.y())));
    }

    void pictureCornersLaunchButCaptionsDoNot()
    {
        TForm1 *f = windows->Form1.get();
        QTest::mouseClick(f->Image4, Qt::LeftButton, {}, QPoint(1, 103));
        QCOMPARE(state->SelectionMode, 3);
        QTest::mouseClick(f->Label8, Qt::LeftButton);
        QTest::mouseClick(f->Panel3, Qt::LeftButton, {}, QPoint(200, 110));
        QCOMPARE(state->SelectionMode, 3);
        QVERIFY(!windows->Dlg->isVisible());
    }

    void launchHidesTheOtherChainAndKeepsAbout()
    {
        TForm1 *f = windows->Form1.get();
        f->N3->trigger();
        QVERIFY(windows->Form6->isVisible());
        f->Image2Click();
        windows->Form2->show();
        windows->Dlg1->show();
        f->Image6Click();
        QVERIFY(windows->Form6->isVisible());
        QVERIFY(!windows->Form2->isVisible());
        QVERIFY(!windows->Dlg1->isVisible());
        QVERIFY(!windows->Dlg->isVisible());
        QVERIFY(windows->Dlg6->isVisible());
    }

    void aboutWindowTexts()
    {
        TForm6 *a = windows->Form6.get();
        QCOMPARE(a->StaticText1->text(), QStringLiteral("Определение типоразмера счетчиков"));
        QCOMPARE(a->StaticText2->text(), QStringLiteral("и измерительных комплексов учета газа"));
        QCOMPARE(a->StaticText3->text(), QStringLiteral("Программа служит для автоматического подбора типоразмера счетчиков газа и "));
        QCOMPARE(a->StaticText4->text(), QStringLiteral("измерительных комплексов коммерческого учета газа, выпускаемых предприятием"));
        QVERIFY(a->StaticText5->text().endsWith(QLatin1Char('.')));
        QCOMPARE(a->StaticText6->text(), QStringLiteral("Для правильного подбора необходимо правильно ввести исходные данные:"));
        QCOMPARE(a->StaticText7->text(), QStringLiteral("- диапазон расхода газа при нормальных условиях"));
        QCOMPARE(a->StaticText8->text(), QStringLiteral("(при температуре 20 С и давлении 1 атм);"));
        QCOMPARE(a->StaticText9->text(), QStringLiteral("- диапазон избыточного давления в трубопроводе."));
        QCOMPARE(a->StaticText10->text(), QStringLiteral("Внимание! Результаты подбора не являются однозначными, они определяют лишь "));
        QCOMPARE(a->StaticText11->text(), QStringLiteral("оптимальный вариант."));
        QCOMPARE(a->StaticText12->text(), QStringLiteral("В случае затруднений звоните по указанным телефонам."));
        QCOMPARE(a->Label1->text(), QStringLiteral("Версия 3.1."));
        QCOMPARE(a->StaticText14->text(), QString());
        QCOMPARE(a->StaticText10->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    }

    void aboutComesToFrontAndOnlyHides()
    {
        TForm1 *f = windows->Form1.get();
        f->N3Click();
        QVERIFY(windows->Form6->isVisible());
        const QPoint offCentre = windows->Form6->geometry().center()
                                 - windows->Form6->screen()->availableGeometry().center();
        QVERIFY(offCentre.manhattanLength() <= 40);
        f->N3Click();
        QVERIFY(windows->Form6->isVisible());
        windows->Form6->close();
        QVERIFY(!windows->Form6->isVisible());
        f->N3Click();
        QVERIFY(windows->Form6->isVisible());
    }

    void linksGoToTheDesktop()
    {
        UrlSink sink;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &sink, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &sink, "open");
        TForm1 *f = windows->Form1.get();
        QCOMPARE(f->Label308->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(f->Label308->font().underline());
        QTest::mouseClick(f->Label308, Qt::LeftButton);
        QTest::mouseClick(f->Label309, Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QCOMPARE(sink.urls.size(), 2);
        QCOMPARE(sink.urls[0].scheme(), QStringLiteral("https"));
        QVERIFY(f->Label308->text().contains(sink.urls[0].host()));
        QCOMPARE(sink.urls[1].scheme(), QStringLiteral("mailto"));
        QVERIFY(f->Label309->text().endsWith(sink.urls[1].path()));
        QCOMPARE(state->SelectionMode, 0);
    }

    void picturesAndLinksWorkFromTheKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void picturesAndLinksWorkFromTheKeyboard()
    {
        QFETCH(int, key);
        TForm1 *f = windows->Form1.get();
        QCOMPARE(TabOrderFrom(f->Image2, 8),
                 (QStringList{"Image2", "Image3", "Image4", "Image5", "Image6", "Label308", "Label309", "Button1"}));
        for (ClickableLabel *item : {f->Image2, f->Image3, f->Image4, f->Image5, f->Image6, f->Label308, f->Label309})
            QVERIFY(!item->accessibleName().isEmpty());
        QVERIFY(f->Image4->accessibleName().contains(QStringLiteral("Промышленные")));
        f->Image5->setFocus();
        QTest::keyClick(f->Image5, Qt::Key(key));
        QCOMPARE(state->SelectionMode, 4);
        QVERIFY(windows->Dlg5->isVisible());
    }

    void exitEndsTheProgram_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("button") << 0;
        QTest::newRow("menu") << 1;
        QTest::newRow("title bar") << 2;
    }

    void exitEndsTheProgram()
    {
        QFETCH(int, way);
        TForm1 *f = windows->Form1.get();
        f->Image2Click();
        QSignalSpy closed(f, &TForm1::closed);
        if (way == 0)
            QTest::mouseClick(f->Button1, Qt::LeftButton);
        else if (way == 1)
            f->N4->trigger();
        else
            f->close();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!f->isVisible());
    }

    // The program's start: main window shown centred on the screen; closing it
    // ends the application's event loop.
    void startAndClose()
    {
        TForm1 *f = windows->Form1.get();
        windows->ShowMainWindow();
        QVERIFY(f->isVisible());
        const QPoint offCentre = f->frameGeometry().center() - f->screen()->availableGeometry().center();
        QVERIFY(offCentre.manhattanLength() <= 40);
        QTimer::singleShot(0, f, [f] { f->close(); });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(1); }); // fails rather than hangs
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!f->isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
