// The batch program agrees with the windows: each point is typed into the real
// chain of its mode and read by the batch code from a table record; the results
// window's panels, grids and line why nothing fits, and every message box, must match
// the batch line.

#include "core/state/app_state.h"
#include "ui/launcher/main_window.h"
#include "app/window_set.h"
#include "batch/batch_output.h"
#include "core/table/batch_point.h"
#include "ui/cabinet/metering_point_form.h"
#include "ui/cabinet/metering_reducing_point_form.h"
#include "ui/cabinet/reducing_point_form.h"
#include "ui/pressure/pressure_range_dialog.h"
#include "core/pressure/pressure_units.h"
#include "ui/pressure/unit_combo_box.h"
#include "core/selection/result_row.h"
#include "ui/results/results_window.h"
#include "ui/pressure/working_pressure_dialog.h"
#include "ui/wizard/cabinet_choice_dialog.h"
#include "ui/wizard/complex_choice_dialog.h"
#include "ui/wizard/flow_range_dialog.h"
#include "ui/wizard/meter_choice_dialog.h"
#include "ui/wizard/utility_choice_dialog.h"
#include "ui_test_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

using Point = QMap<QString, QString>; // column -> text, as in the table

namespace {

// The table record of a point: its columns as the header, its texts as the fields.
BatchRecord SizedByBatch(const Point &point, const ProductCatalogue &catalogue)
{
    int bad = 0;
    QString why;
    const std::optional<BatchColumns> columns = ReadBatchHeader(point.keys(), &bad, &why);
    if (!columns)
        qFatal("bad test header: %s", qPrintable(why));
    return SizeBatchPoint(ReadBatchPoint(*columns, {point.values(), 2}), catalogue);
}

// A text typed into an edit; one the key helper cannot type is pasted. The
// window reads only its own separator.
void Enter(QLineEdit *edit, const QString &text)
{
    QString typed = text;
    typed.replace(u'.', u',');
    if (std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.unicode() < 128; }))
        TypeInto(edit, typed);
    else
        edit->setText(typed);
}

// A unit picked only when the point names one: the window keeps its own start.
void Unit(UnitComboBox *list, const QString &text)
{
    if (!text.isEmpty())
        list->setCurrentIndex(int(PressureUnitTexts().indexOf(text)));
}

void Pick(QRadioButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// The boxes as "101"; empty leaves them as the launch set them.
void Tick(const QList<QCheckBox *> &boxes, const QString &families)
{
    for (int i = 0; i < families.size(); ++i)
        boxes[i]->setChecked(families[i] == u'1');
}

QString Cell(const QTableWidget *grid, int row, int column)
{
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text() : QString();
}

// The eight cells of the grid's filled rows, one row a list entry.
QStringList GridRows(const QTableWidget *grid, int rows)
{
    QStringList filled;
    for (int r = 0; r < std::min(rows, grid->rowCount()); ++r) {
        if (Cell(grid, r, 1).isEmpty())
            continue;
        QStringList cells;
        for (int c = 0; c < ResultColumnCount; ++c)
            cells << Cell(grid, r, c);
        filled << cells.join(u'|');
    }
    return filled;
}

} // namespace

class TestBatchWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<AppState> state;
    std::unique_ptr<WindowSet> windows;

    // Drives the point's chain as far as the windows let it go.
    void drive(const Point &p)
    {
        const int mode = p.value(u"mode"_s).toInt();
        TForm1 *main = windows->Form1.get();
        if (mode == 5) {
            driveCabinet(p);
            return;
        }
        const QString families = p.value(u"families"_s);
        QPushButton *next = nullptr;
        if (mode == 1 || mode == 2) {
            mode == 1 ? main->Image2Click() : main->Image3Click();
            Tick({windows->Dlg->CheckBox1, windows->Dlg->CheckBox2, windows->Dlg->CheckBox3}, families);
            next = windows->Dlg->BitBtn1;
        } else if (mode == 3) {
            main->Image4Click();
            Tick({windows->Dlg3->CheckBox1, windows->Dlg3->CheckBox2, windows->Dlg3->CheckBox3}, families);
            next = windows->Dlg3->BitBtn1;
        } else {
            main->Image5Click();
            Tick({windows->Dlg5->CheckBox1, windows->Dlg5->CheckBox2}, families);
            next = windows->Dlg5->BitBtn2;
        }
        ClickButton(next);
        if (!windows->Dlg1->isVisible())
            return;
        Enter(windows->Dlg1->Edit11, p.value(u"qmax"_s));
        Enter(windows->Dlg1->Edit12, p.value(u"qmin"_s));
        ClickButton(windows->Dlg1->BitBtn2);

        if (mode == 2 || mode == 4) {
            TOKBottomDlg4 *d = windows->Dlg4.get();
            if (!d->isVisible())
                return;
            Enter(d->Edit5, p.value(u"p"_s));
            Unit(d->ComboBox3, p.value(u"p_unit"_s));
            ClickButton(d->BitBtn2);
            return;
        }
        TOKBottomDlg2 *d = windows->Dlg2.get();
        if (!d->isVisible())
            return;
        if (p.value(u"p"_s).isEmpty()) {
            ClickButton(d->RadioButton1);
            Enter(d->Edit3, p.value(u"pmax"_s));
            Unit(d->ComboBox1, p.value(u"pmax_unit"_s));
            Enter(d->Edit4, p.value(u"pmin"_s));
            Unit(d->ComboBox2, p.value(u"pmin_unit"_s));
        } else {
            ClickButton(d->RadioButton2);
            Enter(d->Edit5, p.value(u"p"_s));
            Unit(d->ComboBox3, p.value(u"p_unit"_s));
        }
        ClickButton(d->BitBtn2);
    }

    void driveCabinet(const Point &p)
    {
        windows->Form1->Image6Click();
        TOKBottomDlg6 *choice = windows->Dlg6.get();
        const int kind = p.value(u"cabinet"_s).toInt();
        if (kind > 0)
            Pick(QList<QRadioButton *>{choice->RadioButton1, choice->RadioButton2, choice->RadioButton3}[kind - 1]);
        ClickButton(choice->BitBtn1);
        CabinetForm *f = kind == 1 ? static_cast<CabinetForm *>(windows->Form3.get())
            : kind == 2            ? static_cast<CabinetForm *>(windows->Form4.get())
                                   : static_cast<CabinetForm *>(windows->Form5.get());
        if (!f->isVisible())
            return;
        Enter(f->Edit3, p.value(u"pmax"_s));
        Unit(f->ComboBox1, p.value(u"pmax_unit"_s));
        Enter(f->Edit4, p.value(u"pmin"_s));
        Unit(f->ComboBox2, p.value(u"pmin_unit"_s));
        Enter(f->Edit11, p.value(u"qmax"_s));
        Enter(f->Edit12, p.value(u"qmin"_s));
        const int variant = p.value(u"variant"_s).toInt();
        if (variant > 0)
            Pick(QList<QRadioButton *>{f->RadioButton1, f->RadioButton2, f->RadioButton3, f->RadioButton4}[variant - 1]);
        const auto option = [&](const QString &column, QRadioButton *first, QRadioButton *second,
                                const QString &firstCaption) {
            if (!p.value(column).isEmpty())
                Pick(p.value(column) == firstCaption ? first : second);
        };
        option(u"side"_s, f->RadioButton5, f->RadioButton6, u"Слева"_s);
        option(u"gauges"_s, f->RadioButton7, f->RadioButton8, u"С манометрами"_s);
        if (auto *metering = qobject_cast<TForm3 *>(f))
            option(u"bypass"_s, metering->RadioButton9, metering->RadioButton10, u"С байпасом"_s);
        if (auto *reducing = qobject_cast<ReducingFormBase *>(f)) {
            reducing->Edit5->setText(p.value(u"pout"_s));
            Unit(reducing->ComboBox3, p.value(u"pout_unit"_s));
        }
        ClickButton(f->BitBtn2);
    }

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
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

    void samePoint_data()
    {
        QTest::addColumn<Point>("point");
        const auto add = [](const char *name, const Point &p) { QTest::newRow(name) << p; };
        add("mode 1 range", {{u"mode"_s, u"1"_s}, {u"qmax"_s, u"100"_s}, {u"qmin"_s, u"10"_s}, {u"pmax"_s, u"1"_s}, {u"pmin"_s, u"0"_s}});
        add("mode 1 single, two families", {{u"mode"_s, u"1"_s}, {u"families"_s, u"101"_s}, {u"qmax"_s, u"500"_s}, {u"qmin"_s, u"50"_s},
                                            {u"p"_s, u"15"_s}});
        add("mode 1 reversed flows and bounds in kPa and mbar",
            {{u"mode"_s, u"1"_s}, {u"qmax"_s, u"10"_s}, {u"qmin"_s, u"100"_s}, {u"pmax"_s, u"50"_s}, {u"pmax_unit"_s, u"кПа"_s},
             {u"pmin"_s, u"4500"_s}, {u"pmin_unit"_s, u"мбар"_s}});
        add("mode 1 wide range, point separator", {{u"mode"_s, u"1"_s}, {u"qmax"_s, u"100"_s}, {u"qmin"_s, u"10"_s}, {u"pmax"_s, u"0"_s},
                                                   {u"pmin"_s, u"4.5"_s}});
        add("mode 2", {{u"mode"_s, u"2"_s}, {u"qmax"_s, u"160"_s}, {u"qmin"_s, u"16"_s}, {u"p"_s, u"0.5"_s}});
        add("mode 2 in MPa, one family", {{u"mode"_s, u"2"_s}, {u"families"_s, u"100"_s}, {u"qmax"_s, u"250"_s}, {u"qmin"_s, u"2,5"_s},
                                          {u"p"_s, u"0,05"_s}, {u"p_unit"_s, u"МПа"_s}});
        add("mode 3 range in kPa", {{u"mode"_s, u"3"_s}, {u"families"_s, u"110"_s}, {u"qmax"_s, u"100"_s}, {u"qmin"_s, u"10"_s},
                                    {u"pmax"_s, u"300"_s}, {u"pmax_unit"_s, u"кПа"_s}, {u"pmin"_s, u"50"_s}, {u"pmin_unit"_s, u"кПа"_s}});
        add("mode 3 single in atm", {{u"mode"_s, u"3"_s}, {u"qmax"_s, u"400"_s}, {u"qmin"_s, u"20"_s}, {u"p"_s, u"2"_s}, {u"p_unit"_s, u"атм"_s}});
        add("mode 4 starts in kPa", {{u"mode"_s, u"4"_s}, {u"qmax"_s, u"4"_s}, {u"qmin"_s, u"0.1"_s}, {u"p"_s, u"2"_s}});
        add("mode 4 one series", {{u"mode"_s, u"4"_s}, {u"families"_s, u"01"_s}, {u"qmax"_s, u"4"_s}, {u"qmin"_s, u"0,1"_s}, {u"p"_s, u"2"_s}});
        add("metering point", {{u"mode"_s, u"5"_s}, {u"cabinet"_s, u"1"_s}, {u"variant"_s, u"2"_s}, {u"side"_s, u"Слева"_s},
                               {u"bypass"_s, u"С байпасом"_s}, {u"gauges"_s, u"С манометрами"_s}, {u"qmax"_s, u"40"_s},
                               {u"qmin"_s, u"4"_s}, {u"pmax"_s, u"3"_s}, {u"pmin"_s, u"1"_s}});
        add("reducing point in MPa", {{u"mode"_s, u"5"_s}, {u"cabinet"_s, u"2"_s}, {u"variant"_s, u"2"_s}, {u"side"_s, u"Справа"_s},
                                      {u"gauges"_s, u"Без манометров"_s}, {u"qmax"_s, u"40"_s}, {u"qmin"_s, u"4"_s}, {u"pmax"_s, u"0.3"_s},
                                      {u"pmax_unit"_s, u"МПа"_s}, {u"pmin"_s, u"0,1"_s}, {u"pmin_unit"_s, u"МПа"_s}, {u"pout"_s, u"2,5"_s}});
        add("metering-reducing point, reversed", {{u"mode"_s, u"5"_s}, {u"cabinet"_s, u"3"_s}, {u"variant"_s, u"1"_s}, {u"side"_s, u"Слева"_s},
                                                  {u"gauges"_s, u"С манометрами"_s}, {u"qmax"_s, u"4"_s}, {u"qmin"_s, u"40"_s},
                                                  {u"pmax"_s, u"1"_s}, {u"pmin"_s, u"3"_s}});
        add("mode 4, nothing fits", {{u"mode"_s, u"4"_s}, {u"qmax"_s, u"1000"_s}, {u"qmin"_s, u"500"_s}, {u"p"_s, u"2"_s}});
        add("mode 3 range, nothing fits", {{u"mode"_s, u"3"_s}, {u"qmax"_s, u"5000"_s}, {u"qmin"_s, u"10"_s}, {u"pmax"_s, u"1"_s},
                                           {u"pmin"_s, u"0"_s}});
        // Refused points.
        add("Qmax not a number", {{u"mode"_s, u"2"_s}, {u"qmax"_s, u"abc"_s}, {u"qmin"_s, u"10"_s}, {u"p"_s, u"1"_s}});
        add("Qmin 0", {{u"mode"_s, u"3"_s}, {u"qmax"_s, u"10"_s}, {u"qmin"_s, u"0"_s}, {u"p"_s, u"1"_s}});
        add("Pmin not a number", {{u"mode"_s, u"1"_s}, {u"qmax"_s, u"100"_s}, {u"qmin"_s, u"10"_s}, {u"pmax"_s, u"1"_s}, {u"pmin"_s, u"ноль"_s}});
        add("single pressure below -1 bar", {{u"mode"_s, u"3"_s}, {u"qmax"_s, u"100"_s}, {u"qmin"_s, u"10"_s}, {u"p"_s, u"-2"_s}, {u"p_unit"_s, u"атм"_s}});
        add("working pressure with two separators", {{u"mode"_s, u"4"_s}, {u"qmax"_s, u"4"_s}, {u"qmin"_s, u"1"_s}, {u"p"_s, u"1.2,3"_s}});
        add("every family cleared", {{u"mode"_s, u"2"_s}, {u"families"_s, u"000"_s}, {u"qmax"_s, u"4"_s}, {u"qmin"_s, u"1"_s}, {u"p"_s, u"1"_s}});
        add("no cabinet kind", {{u"mode"_s, u"5"_s}, {u"qmax"_s, u"4"_s}, {u"qmin"_s, u"1"_s}});
        add("gauges unchosen with a wide range", {{u"mode"_s, u"5"_s}, {u"cabinet"_s, u"1"_s}, {u"variant"_s, u"1"_s}, {u"side"_s, u"Слева"_s},
                                                  {u"bypass"_s, u"Без байпаса"_s}, {u"qmax"_s, u"40"_s}, {u"qmin"_s, u"4"_s},
                                                  {u"pmax"_s, u"9"_s}, {u"pmin"_s, u"0"_s}});
        add("cabinet Pmax empty", {{u"mode"_s, u"5"_s}, {u"cabinet"_s, u"2"_s}, {u"variant"_s, u"1"_s}, {u"qmax"_s, u"40"_s},
                                   {u"qmin"_s, u"4"_s}, {u"pmin"_s, u"1"_s}});
    }

    void samePoint()
    {
        QFETCH(Point, point);
        const BatchRecord record = SizedByBatch(point, state->Catalogue);
        const std::vector<QStringList> lines = BatchTableLines(record);
        const QStringList header = BatchTableHeader();
        const auto field = [&](const QString &column) { return lines.front()[header.indexOf(column)]; };

        MessageCatcher catcher;
        drive(point);

        // The same messages, whichever way each side orders them.
        QStringList batchMessages = field(u"warnings"_s).split(u'\n', Qt::SkipEmptyParts);
        if (!field(u"message"_s).isEmpty())
            batchMessages << field(u"message"_s);
        QStringList seen = catcher.texts();
        seen.sort();
        batchMessages.sort();
        QCOMPARE(seen, batchMessages);
        TForm2 *r = windows->Form2.get();
        QCOMPARE(r->isVisible(), !record.hasError());
        QCOMPARE(field(u"result"_s) == u"error"_s, record.hasError());
        if (record.hasError())
            return;

        QCOMPARE(r->Label17->text(), field(u"qmax_std"_s));
        QCOMPARE(r->Label18->text(), field(u"qmin_std"_s));
        QCOMPARE(r->Label180->text(), field(u"qmax_work"_s));
        QCOMPARE(r->Label185->text(), field(u"qmin_work"_s));
        const bool range = !field(u"pmax_gauge"_s).isEmpty();
        QCOMPARE(r->Label8->isVisibleTo(r), range);
        QCOMPARE(r->Label25->isVisibleTo(r), !range);
        if (range) {
            QCOMPARE(r->Label8->text(), field(u"pmax_gauge"_s));
            QCOMPARE(r->Label19->text(), field(u"pmin_gauge"_s));
            QCOMPARE(r->Label16->text(), field(u"pmax_abs"_s));
            QCOMPARE(r->Label23->text(), field(u"pmin_abs"_s));
        } else {
            QCOMPARE(r->Label25->text(), field(u"p_gauge"_s));
            QCOMPARE(r->Label26->text(), field(u"p_abs"_s));
        }
        QCOMPARE(r->StringGrid1->horizontalHeaderItem(ResultColumnCount - 1)->text(),
                 field(u"currency"_s) == u"EUR"_s ? PriceHeaderEuros() : PriceHeaderRoubles());
        QCOMPARE(r->StatusLine->text(), field(u"no_fit_reason"_s));

        QStringList possible, optimal;
        const qsizetype first = header.indexOf(u"number"_s);
        for (const QStringList &line : lines) {
            const QString cells = line.mid(first, ResultColumnCount).join(u'|');
            if (line[header.indexOf(u"result"_s)] == u"possible"_s)
                possible << cells;
            else if (line[header.indexOf(u"result"_s)] == u"optimal"_s && optimal.size() < 3)
                optimal << cells;
        }
        QCOMPARE(GridRows(r->StringGrid1, r->StringGrid1->rowCount()), possible);
        QCOMPARE(GridRows(r->StringGrid2, 3), optimal);
    }
};

QTEST_MAIN(TestBatchWindows)
#include "tst_batch_windows.moc"
