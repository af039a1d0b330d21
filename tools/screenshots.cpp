// Renders every window of the program, with typical values typed in, to PNG files
// for the documentation. It drives the real windows the way a user does (pictures,
// check boxes, edits, "Далее") and grabs each window as it appears.
//
//   QT_QPA_PLATFORM=offscreen gas-screenshots [output folder]   (docs/screenshots by default)

#include "ui/launcher/about_window.h"
#include "core/state/app_state.h"
#include "ui/launcher/main_window.h"
#include "app/window_set.h"
#include "report/sizing_report.h"
#include "ui/cabinet/metering_point_form.h"
#include "ui/cabinet/metering_reducing_point_form.h"
#include "ui/cabinet/reducing_point_form.h"
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
#include "app/selection_flow.h"
#include "ui/conditions/conditions_dialog.h"
#include "app/catalogue_flow.h"
#include "app/project_flow.h"
#include "ui/catalogue/catalogue_window.h"
#include "ui/catalogue/price_list_check_window.h"
#include "ui/project/project_window.h"

#include <QTabWidget>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QComboBox>
#include <QTableView>

#include <cstdio>
#include <memory>

namespace {

// Grabs windows into one folder and remembers whether anything went wrong.
class Camera {
public:
    explicit Camera(const QString &folder) : folder_(folder) {}

    void shoot(QWidget *window, const QString &name)
    {
        QCoreApplication::processEvents();
        if (!window->isVisible()) {
            fail(QStringLiteral("%1: the window is not shown").arg(name));
            return;
        }
        const QString path = QDir(folder_).filePath(name + QStringLiteral(".png"));
        const QPixmap picture = window->grab();
        if (!picture.save(path, "PNG")) {
            fail(QStringLiteral("%1: cannot write %2").arg(name, path));
            return;
        }
        std::printf("%s  %dx%d\n", qPrintable(path), picture.width(), picture.height());
    }

    void fail(const QString &what)
    {
        std::fprintf(stderr, "gas-screenshots: %s\n", qPrintable(what));
        failed_ = true;
    }

    bool failed() const { return failed_; }

private:
    QString folder_;
    bool failed_ = false;
};

void Type(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->setText(text);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QuietOffscreenWarnings();
    // The program as a Russian user sees it: decimal commas.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));

    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "gas-screenshots: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    Camera camera(folder);

    // A message box would wait for a click that never comes: it is dismissed, and
    // the run fails at the end.
    MessageCatcher boxes;

    // The user's settings are never read or written here.
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir settingsFolder;
    auto state = std::make_unique<AppState>();
    WindowSet windows(*state);
    windows.flow().setSettingsPath(settingsFolder.filePath(QStringLiteral("settings.ini")));
    TForm1 *main = windows.Form1.get();
    main->show();
    camera.shoot(main, QStringLiteral("main"));

    main->N3Click();
    camera.shoot(windows.Form6.get(), QStringLiteral("about"));
    windows.Form6->close();

    // Mode 1: every base, 100 and 10 m3/h, a gauge range of 1 to 0 bar (40 variants).
    main->Image2Click();
    camera.shoot(windows.Dlg.get(), QStringLiteral("choice-complexes"));
    windows.Dlg->BitBtn1->click();
    TOKBottomDlg1 *flows = windows.Dlg1.get();
    Type(flows->Edit11, QStringLiteral("100"));
    Type(flows->Edit12, QStringLiteral("10"));
    camera.shoot(flows, QStringLiteral("flow-range"));
    flows->BitBtn2->click();
    TOKBottomDlg2 *range = windows.Dlg2.get();
    range->RadioButton1->click();
    Type(range->Edit3, QStringLiteral("1"));
    range->ComboBox1->setCurrentIndex(int(PressureUnit::Bar));
    Type(range->Edit4, QStringLiteral("0"));
    range->ComboBox2->setCurrentIndex(int(PressureUnit::Bar));
    camera.shoot(range, QStringLiteral("pressure-range"));
    range->BitBtn2->click();
    camera.shoot(windows.Form2.get(), QStringLiteral("results-range"));
    // The report of that run, as "Сохранить в PDF..." writes it; the script turns
    // its first page into a picture.
    {
        QString error;
        const QString pdf = QDir(folder).filePath(QStringLiteral("report.pdf"));
        if (!WriteReportPdf(pdf, {*windows.Form2->shownOutcome()}, state->Catalogue, &error))
            camera.fail(error);
    }

    // Mode 3: the pressure-range dialog with one working pressure.
    main->Image4Click();
    camera.shoot(windows.Dlg3.get(), QStringLiteral("choice-industrial-meters"));
    windows.Dlg3->BitBtn1->click();
    Type(flows->Edit11, QStringLiteral("250"));
    Type(flows->Edit12, QStringLiteral("25"));
    flows->BitBtn2->click();
    range->RadioButton2->click();
    Type(range->Edit5, QStringLiteral("0,5"));
    range->ComboBox3->setCurrentIndex(int(PressureUnit::Bar));
    camera.shoot(range, QStringLiteral("pressure-single"));

    // Mode 2 (the complex choice as in mode 1): every base, 1000 and 100 m3/h at
    // 1 bar working pressure.
    main->Image3Click();
    windows.Dlg->BitBtn1->click();
    Type(flows->Edit11, QStringLiteral("1000"));
    Type(flows->Edit12, QStringLiteral("100"));
    flows->BitBtn2->click();
    TOKBottomDlg4 *working = windows.Dlg4.get();
    Type(working->Edit5, QStringLiteral("1"));
    camera.shoot(working, QStringLiteral("working-pressure"));
    working->BitBtn2->click();
    camera.shoot(windows.Form2.get(), QStringLiteral("results-single"));

    // Mode 4.
    main->Image5Click();
    camera.shoot(windows.Dlg5.get(), QStringLiteral("choice-utility-meters"));

    // Mode 5: the kind choice and the three cabinet forms, filled in.
    main->Image6Click();
    TOKBottomDlg6 *kinds = windows.Dlg6.get();
    kinds->RadioButton1->click();
    camera.shoot(kinds, QStringLiteral("choice-cabinet"));
    auto fillCabinet = [](CabinetForm *form) {
        form->RadioButton1->click();
        form->RadioButton5->click();
        form->RadioButton7->click();
        Type(form->Edit3, QStringLiteral("6"));
        Type(form->Edit4, QStringLiteral("3"));
        Type(form->Edit11, QStringLiteral("100"));
        Type(form->Edit12, QStringLiteral("10"));
    };
    kinds->BitBtn1->click();
    TForm3 *metering = windows.Form3.get();
    fillCabinet(metering);
    metering->RadioButton9->click();
    camera.shoot(metering, QStringLiteral("cabinet-metering"));

    for (int kind : {2, 3}) {
        main->Image6Click();
        (kind == 2 ? kinds->RadioButton2 : kinds->RadioButton3)->click();
        kinds->BitBtn1->click();
        ReducingFormBase *form = kind == 2 ? static_cast<ReducingFormBase *>(windows.Form4.get())
                                           : static_cast<ReducingFormBase *>(windows.Form5.get());
        fillCabinet(form);
        Type(form->Edit5, QStringLiteral("3"));
        camera.shoot(form, kind == 2 ? QStringLiteral("cabinet-reducing")
                                     : QStringLiteral("cabinet-metering-reducing"));
    }

    // Mode 2 under real conditions: 100 and 10 m3/h at 3 bar, the conditions window
    // set to GERG-91 мод. for -10..25 °C, then the run sized again.
    main->Image3Click();
    windows.Dlg->BitBtn1->click();
    Type(flows->Edit11, QStringLiteral("100"));
    Type(flows->Edit12, QStringLiteral("10"));
    flows->BitBtn2->click();
    Type(working->Edit5, QStringLiteral("3"));
    working->BitBtn2->click();
    windows.Form2->ConditionsAction->trigger();
    ConditionsDialog *conditions = windows.Conditions.get();
    conditions->MethodBox->setCurrentIndex(2);
    Type(conditions->TminEdit, QStringLiteral("-10"));
    Type(conditions->TmaxEdit, QStringLiteral("25"));
    camera.shoot(conditions, QStringLiteral("conditions"));
    conditions->ConditionsOk->click();
    camera.shoot(windows.Form2.get(), QStringLiteral("results-gerg91"));

    // The example project: five points of three categories, the third one selected.
    ProjectFlow &project = windows.project();
    project.setRecoveryPath(settingsFolder.filePath(QStringLiteral("recovery.gmsz")));
    if (project.OpenFile(QStringLiteral(GAS_EXAMPLE_PROJECT))) {
        project.ShowWindow();
        project.window().resize(1280, 300);
        project.window().selectPoint(2);
        camera.shoot(&project.window(), QStringLiteral("project-window"));
        project.window().ProjectTabs->setCurrentIndex(1);
        camera.shoot(&project.window(), QStringLiteral("project-priced-list-tab"));
        project.window().ProjectTabs->setCurrentIndex(0);
    } else {
        camera.fail(QStringLiteral("the example project did not open"));
    }

    // The example price list as its check window shows it (one line refused), loaded by
    // its bare name so that the picture shows no folder of this machine; then the
    // catalogue window with the rotary meters, dearest first.
    CatalogueFlow &catalogue = windows.catalogue();
    catalogue.setSettingsPath(settingsFolder.filePath(QStringLiteral("settings.ini")));
    const QString here = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(GAS_EXAMPLES));
    if (catalogue.LoadFile(QStringLiteral("price-list.csv"))) {
        catalogue.checkWindow().resize(960, 520);
        camera.shoot(&catalogue.checkWindow(), QStringLiteral("price-list-check"));
        catalogue.checkWindow().close();
    } else {
        camera.fail(QStringLiteral("the example price list did not load"));
    }
    QDir::setCurrent(here);
    catalogue.ShowCatalogue();
    CatalogueWindow &shelf = catalogue.window();
    shelf.resize(1280, 560);
    shelf.CatalogueLineBox->setCurrentIndex(shelf.CatalogueLineBox->findText(
        QStringLiteral("Ротационный счетчик газа ZAM"), Qt::MatchEndsWith));
    shelf.CatalogueTable->sortByColumn(int(CatalogueColumn::Price), Qt::DescendingOrder);
    shelf.CatalogueTable->selectRow(1);
    camera.shoot(&shelf, QStringLiteral("catalogue-window"));

    for (const QString &text : boxes.texts())
        camera.fail(QStringLiteral("unexpected message box: ") + text);
    return camera.failed() ? 1 : 0;
}
