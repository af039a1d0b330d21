// A seeded random walk over the whole window set, as a restless user would make
// it: clicks, typing, unit picks, Enter, closes and launches in any order. After
// every action the program must still hold together: the main window is there,
// every message is one of the program's own, and whenever the results window is
// shown its grids and labels are what the selection functions give for the values
// and families of that run.
//
// MONKEY_SEED (default 20240601) and MONKEY_ACTIONS (default 5000) choose the walk;
// MONKEY_VERBOSE=1 prints every action. A failure prints the seed, the step and the
// actions that led to it, and the command line that replays it.

#include "ui/launcher/about_window.h"
#include "core/state/app_state.h"
#include "ui/launcher/clickable_label.h"
#include "ui/launcher/main_window.h"
#include "app/window_set.h"
#include "core/cabinet/cabinet_selection.h"
#include "ui/cabinet/metering_point_form.h"
#include "ui/cabinet/metering_reducing_point_form.h"
#include "ui/cabinet/reducing_point_form.h"
#include "ui/pressure/pressure_range_dialog.h"
#include "core/pressure/pressure_units.h"
#include "ui/pressure/unit_combo_box.h"
#include "core/selection/range_selection.h"
#include "core/selection/result_row.h"
#include "ui/results/results_window.h"
#include "ui/pressure/working_pressure_dialog.h"
#include "core/selection/working_selection.h"
#include "ui/wizard/cabinet_choice_dialog.h"
#include "ui/wizard/complex_choice_dialog.h"
#include "ui/wizard/flow_range_dialog.h"
#include "ui/wizard/messages.h"
#include "ui/wizard/meter_choice_dialog.h"
#include "core/input/number_text.h"
#include "ui/wizard/utility_choice_dialog.h"

#include "ui_test_support.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableWidget>
#include <QTest>
#include <QUrl>

#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <random>

using namespace Qt::StringLiterals;

namespace {

constexpr quint64 DefaultSeed = 20240601;
constexpr int DefaultActions = 5000;
constexpr int LogTail = 60; // actions printed before a failure

// Numbers a user might type: typical flows and pressures with either separator,
// and the edges: signs, exponents, zero, tiny and huge values, lone separators.
const QStringList TypicalFlows = {
    u"1"_s,   u"2"_s,    u"5"_s,    u"8"_s,   u"10"_s,  u"15"_s,  u"16"_s,  u"25"_s,  u"30"_s,
    u"40"_s,  u"50"_s,   u"65"_s,   u"100"_s, u"160"_s, u"200"_s, u"250"_s, u"300"_s, u"400"_s,
    u"650"_s, u"1000"_s, u"1500"_s, u"2500"_s, u"0,2"_s, u"0.2"_s, u"2,5"_s, u"2.5"_s,
};
const QStringList TypicalPressures = {
    u"0"_s,   u"1"_s,   u"2"_s,   u"3"_s,   u"4"_s,   u"5"_s,   u"6"_s,  u"10"_s,  u"15"_s,
    u"16"_s,  u"50"_s,  u"100"_s, u"0,5"_s, u"0.5"_s, u"4,5"_s, u"4.5"_s, u"1,6"_s, u"1.6"_s,
};
const QStringList EdgeTexts = {
    u"0"_s,      u"-1"_s,      u"-2"_s,     u"-5"_s,      u"-0,5"_s,    u"-0.5"_s,   u"-100"_s,
    u"1e3"_s,    u"1E-7"_s,    u"2,5e1"_s,  u"2.5E+1"_s,  u"1e308"_s,   u"1E-300"_s, u"1E15"_s,
    u"0,0001"_s, u" 7 "_s,     u"+3"_s,     u","_s,       u"."_s,       u",5"_s,     u"15,5"_s,
    u"123456789012345678"_s,   u"0,001"_s,  u"99999"_s,   u"0.001"_s,   u"-1e308"_s,
    u"1,23456789012345"_s,     u"3,3333333333333333"_s,   u"1.23456789012345"_s,
};
// Text that is not a number in either locale of the walk.
const QStringList GarbageTexts = {
    u""_s,     u"   "_s,    u"abc"_s,   u"Пять"_s,    u"бар"_s,   u"7 бар"_s, u"1 000"_s,
    u"--1"_s,  u"1,2,3"_s,  u"1.2.3"_s, u"e5"_s,      u"1e"_s,    u"NaN"_s,   u"inf"_s,
    u"0x10"_s, u"١٢"_s,     u"1е3"_s,   u"½"_s,       u"+"_s,     u"-"_s,     u"5%"_s,
};

const QString PminDenominator = u"Pmin+Patm"_s;
const QString PmaxDenominator = u"Pmax+Patm"_s;
const QString SingleDenominator = u"P\u0441\u0440+Patm"_s; // Latin P, Cyrillic "ср"

// Receives what the main window's links hand to the desktop.
class UrlSink : public QObject {
    Q_OBJECT
public:
    UrlSink()
    {
        for (const QString &scheme : Schemes())
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlSink() override
    {
        for (const QString &scheme : Schemes())
            QDesktopServices::unsetUrlHandler(scheme);
    }
    int opened = 0;
public slots:
    void open(const QUrl &) { ++opened; }

private:
    static QStringList Schemes() { return {u"http"_s, u"https"_s, u"mailto"_s}; }
};

QString Env(const char *name)
{
    return qEnvironmentVariable(name);
}

// Whether two values agree up to the 15 significant digits of the writing rule.
bool Near(double a, double b)
{
    if (a == b)
        return true;
    return std::fabs(a - b) <= 1e-13 * std::max(std::fabs(a), std::fabs(b));
}

QString Number(double value)
{
    return QString::number(value, 'g', 17);
}

// The centre of a check box's or radio button's indicator, where a user clicks.
QPoint IndicatorCentre(QAbstractButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    const bool radio = qobject_cast<QRadioButton *>(button) != nullptr;
    const QRect r = button->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option, button);
    return r.isValid() ? r.center() : QPoint(6, button->height() / 2);
}

// What the results window must show for one run, worked out when it appeared.
struct ResultsSnapshot {
    int mode = 0;
    QString producer;      // object name of the window whose "Далее" showed it
    FamilyGates gates{};   // the choice dialog's boxes at that moment
    int variant = 0;       // mode 5: the checked variant button, 1..4
    PressureSet p;         // the values the run worked on
    double qmaxStd = 0, qminStd = 0;
    bool range = true;     // range layout (else the single working pressure)
    bool euro = false;     // mode 4 prices
    SelectionResult expected;
};

// One action the user can take now.
struct Action {
    enum Kind { Launch, About, Link, Button, EnterOnButton, Type, Enter, Unit, Toggle, CloseWindow, BackToMenu, Exit };
    Kind kind;
    QWidget *window;
    QString text;
    double weight;
    std::function<void()> run;
    QAbstractButton *toggled = nullptr; // a check box or radio button clicked on
    int launchMode = 0;                 // the mode a launcher starts
};

QString KindName(Action::Kind kind)
{
    switch (kind) {
    case Action::Launch: return u"launch"_s;
    case Action::About: return u"about"_s;
    case Action::Link: return u"link"_s;
    case Action::Button: return u"button"_s;
    case Action::EnterOnButton: return u"enter on button"_s;
    case Action::Type: return u"type"_s;
    case Action::Enter: return u"enter in edit"_s;
    case Action::Unit: return u"unit pick"_s;
    case Action::Toggle: return u"toggle"_s;
    case Action::CloseWindow: return u"title-bar close"_s;
    case Action::BackToMenu: return u"results N2"_s;
    case Action::Exit: return u"exit"_s;
    }
    return {};
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT

private:
    // The program under test; rebuilt whenever the walk closes the main window.
    std::unique_ptr<AppState> state;
    std::unique_ptr<WindowSet> windows;
    std::unique_ptr<QSignalSpy> closedSpy;

    ProductCatalogue reference; // filled here, apart from the program's own
    std::mt19937_64 rng;
    QStringList log;
    quint64 seed = DefaultSeed;
    QString row;
    bool verbose = false;

    // Tallies of the walk.
    QMap<QString, int> messageCounts;
    QMap<QString, int> actionCounts;
    QMap<int, int> runsByMode;
    int resultsChecks = 0;
    int acceptedFlowSteps = 0;
    int restarts = 0;
    int longestPossible = 0;
    int fullOptimalRuns = 0; // runs with three optimal rows or more
    int grownRuns = 0;       // runs with more than eight possible rows
    int emptyRuns = 0;       // runs that found nothing
    int gatedRuns = 0;       // runs where a cleared family box changed the result
    std::optional<ResultsSnapshot> shown;
    bool toggledBefore = false; // the clicked box's state before the click
    int workingUnitBefore = -1; // TOKBottomDlg4's unit before the action
    // The walk has moods: a wandering user leaves windows as readily as he fills
    // them in; a persistent one mostly keeps at the window in front of him, so the
    // longer chains (the cabinet forms with their four option groups) get finished.
    bool persistent = false;

    // --- the program --------------------------------------------------------

    void startProgram()
    {
        windows.reset();
        state = std::make_unique<AppState>();
        windows = std::make_unique<WindowSet>(*state);
        closedSpy = std::make_unique<QSignalSpy>(windows->Form1.get(), &TForm1::closed);
        windows->Form1->show();
        shown.reset();
    }

    QList<QWidget *> allWindows() const
    {
        const WindowSet &w = *windows;
        return {w.Form1.get(), w.Form2.get(), w.Dlg2.get(),  w.Dlg1.get(),  w.Dlg.get(),
                w.Dlg3.get(),  w.Dlg4.get(),  w.Dlg5.get(),  w.Dlg6.get(),  w.Form3.get(),
                w.Form4.get(), w.Form5.get(), w.Form6.get()};
    }

    // The windows of the chains and the results window (not the main or About window).
    QList<QWidget *> wizardWindows() const
    {
        QList<QWidget *> list = allWindows();
        list.removeFirst();
        list.removeLast();
        return list;
    }

    QMap<QWidget *, bool> visibility() const
    {
        QMap<QWidget *, bool> map;
        for (QWidget *w : allWindows())
            map[w] = w->isVisible();
        return map;
    }

    int randomIndex(int count) { return int(rng() % quint64(count)); }

    // Something to type into an edit: mostly a plain number of the kind the edit
    // asks for (the flow edits are Edit11 and Edit12), so the chains get through.
    // A lower bound is often a fraction of the upper one already typed, as a user
    // with a real meter in mind would give it.
    QString pickText(const QLineEdit *edit)
    {
        const QString name = edit->objectName();
        const bool flow = name == u"Edit11"_s || name == u"Edit12"_s;
        if (name == u"Edit12"_s || name == u"Edit4"_s) {
            const auto *upper = edit->window()->findChild<QLineEdit *>(name == u"Edit12"_s ? u"Edit11"_s : u"Edit3"_s);
            const std::optional<double> top = upper ? ReadNumber(upper->text()) : std::nullopt;
            const int dice = randomIndex(10);
            if (top && *top > 0 && dice < 4) {
                const double fractions[] = {1, 2, 4, 5, 8, 10, 16, 20, 50};
                return WriteNumber(*top / fractions[randomIndex(9)]);
            }
        }
        const int dice = randomIndex(20);
        const QStringList &typical = flow ? TypicalFlows : TypicalPressures;
        if (dice < 11)
            return typical[randomIndex(int(typical.size()))];
        if (dice < 16)
            return EdgeTexts[randomIndex(int(EdgeTexts.size()))];
        return GarbageTexts[randomIndex(int(GarbageTexts.size()))];
    }

    // --- what the user can do ----------------------------------------------

    QList<Action> availableActions()
    {
        QList<Action> actions;
        // Weighted towards going on ("Далее", typing) so that the chains reach their
        // results often, while launches, closes and exits still come regularly.
        const double exitWeight = 0.015;
        TForm1 *main = windows->Form1.get();
        for (QWidget *window : allWindows()) {
            if (!window->isVisible())
                continue;
            const QString wn = window->objectName();
            if (window == main) {
                ClickableLabel *const pictures[] = {main->Image2, main->Image3, main->Image4, main->Image5, main->Image6};
                QAction *const entries[] = {main->N5, main->N6, main->N9, main->N7, main->N8};
                for (int mode = 1; mode <= 5; ++mode) {
                    ClickableLabel *picture = pictures[mode - 1];
                    QAction *entry = entries[mode - 1];
                    actions.append({Action::Launch, window, wn + u": click "_s + picture->objectName(), 0.12,
                                    [picture] { QTest::mouseClick(picture, Qt::LeftButton, {}, picture->rect().center()); },
                                    nullptr, mode});
                    actions.append({Action::Launch, window, wn + u": menu "_s + entry->objectName(), 0.12,
                                    [entry] { entry->trigger(); }, nullptr, mode});
                }
                actions.append({Action::About, window, wn + u": menu N3"_s, 0.15, [main] { main->N3->trigger(); }});
                for (ClickableLabel *link : {main->Label308, main->Label309})
                    actions.append({Action::Link, window, wn + u": click "_s + link->objectName(), 0.04,
                                    [link] { QTest::mouseClick(link, Qt::LeftButton); }});
                actions.append({Action::Exit, window, wn + u": click Button1 \"Выход\""_s, exitWeight,
                                [main] { QTest::mouseClick(main->Button1, Qt::LeftButton); }});
                actions.append({Action::Exit, window, wn + u": menu N4 \"Выход\""_s, exitWeight,
                                [main] { main->N4->trigger(); }});
                actions.append({Action::Exit, window, wn + u": title-bar close"_s, exitWeight,
                                [main] { main->close(); }});
                continue;
            }

            actions.append({Action::CloseWindow, window, wn + u": title-bar close"_s, 0.25,
                            [window] { window->close(); }});
            if (window == windows->Form2.get()) {
                TForm2 *results = windows->Form2.get();
                actions.append({Action::BackToMenu, window, wn + u": menu N2 \"Вернуться к главному меню\""_s, 1.0,
                                [results] { results->N2->trigger(); }});
                actions.append({Action::Exit, window, wn + u": menu N3 \"Выход\""_s, 0.03,
                                [results] { results->N3->trigger(); }});
            }

            for (QPushButton *button : window->findChildren<QPushButton *>()) {
                if (!button->isVisible() || !button->isEnabled())
                    continue;
                const double weight = button->text() == u"Далее"_s ? 5.0 : 1.0;
                actions.append({Action::Button, window,
                                wn + u": click "_s + button->objectName() + u" \""_s + button->text() + u'"', weight,
                                [button] { QTest::mouseClick(button, Qt::LeftButton); }});
            }
            if (auto *focused = qobject_cast<QPushButton *>(window->focusWidget());
                focused && focused->isVisible() && focused->isEnabled())
                actions.append({Action::EnterOnButton, window, wn + u": Enter on focused "_s + focused->objectName(), 0.7,
                                [focused] { QTest::keyClick(focused, Qt::Key_Return); }});
            for (QLineEdit *edit : window->findChildren<QLineEdit *>()) {
                if (!edit->objectName().startsWith(u"Edit"_s) || !edit->isVisible() || !edit->isEnabled())
                    continue;
                const QString text = pickText(edit);
                actions.append({Action::Type, window,
                                wn + u": type into "_s + edit->objectName() + u" \""_s + text + u'"', 4.0,
                                [edit, text] { TypeInto(edit, text); }});
                actions.append({Action::Enter, window, wn + u": Enter in "_s + edit->objectName(), 0.7,
                                [edit] { QTest::keyClick(edit, Qt::Key_Return); }});
            }
            for (UnitComboBox *unit : window->findChildren<UnitComboBox *>()) {
                if (!unit->isVisible() || !unit->isEnabled())
                    continue;
                const int index = randomIndex(PressureUnitCount);
                actions.append({Action::Unit, window,
                                wn + u": pick unit "_s + QString::number(index) + u" in "_s + unit->objectName(), 0.8,
                                [unit, index] { unit->setCurrentIndex(index); }});
            }
            for (QAbstractButton *box : window->findChildren<QAbstractButton *>()) {
                if (!qobject_cast<QCheckBox *>(box) && !qobject_cast<QRadioButton *>(box))
                    continue;
                if (!box->isVisible() || !box->isEnabled())
                    continue;
                actions.append({Action::Toggle, window, wn + u": click "_s + box->objectName(), 1.5,
                                [box] { QTest::mouseClick(box, Qt::LeftButton, {}, IndicatorCentre(box)); }, box});
            }
        }
        return actions;
    }

    // Whether an action takes the user away from what he is filling in.
    static bool Leaves(const Action &a)
    {
        switch (a.kind) {
        case Action::Launch:
        case Action::About:
        case Action::Link:
        case Action::CloseWindow:
        case Action::BackToMenu:
        case Action::Exit:
            return true;
        case Action::Button:
            return a.text.endsWith(u"\"Назад\""_s) || a.text.endsWith(u"\"Выход\""_s);
        default:
            return false;
        }
    }

    const Action &choose(const QList<Action> &actions)
    {
        if (randomIndex(40) == 0)
            persistent = !persistent;
        auto weight = [this](const Action &a) { return persistent && Leaves(a) ? a.weight * 0.1 : a.weight; };
        double total = 0;
        for (const Action &a : actions)
            total += weight(a);
        // 53 random bits give a uniform double in [0, 1).
        const double r = double(rng() >> 11) * (1.0 / 9007199254740992.0) * total;
        double sum = 0;
        for (const Action &a : actions) {
            sum += weight(a);
            if (r < sum)
                return a;
        }
        return actions.last();
    }

    // --- invariants ---------------------------------------------------------

    // Checks the boxes shown during one action; empty when they are all the program's own.
    QString checkMessages(const QList<SeenMessage> &seen)
    {
        for (const SeenMessage &m : seen) {
            const bool known = (m.text == Messages::NoChoice() && m.title == u"Warning"_s && m.icon == QMessageBox::Warning)
                || (m.text == Messages::WideRange() && m.title == u"Warning"_s && m.icon == QMessageBox::Warning)
                || (m.text == Messages::BadInput() && m.title == u"Error"_s && m.icon == QMessageBox::Critical);
            if (!known || m.buttonCount != 1)
                return u"unexpected message box: title \"%1\", icon %2, %3 buttons, text \"%4\""_s
                    .arg(m.title).arg(int(m.icon)).arg(m.buttonCount).arg(m.text);
        }
        return {};
    }

    QString checkModeOfVisibleWindows()
    {
        const int mode = state->SelectionMode;
        const WindowSet &w = *windows;
        struct Rule { QWidget *window; QList<int> modes; };
        const Rule rules[] = {
            {w.Dlg.get(), {1, 2}},  {w.Dlg3.get(), {3}},       {w.Dlg5.get(), {4}},
            {w.Dlg6.get(), {5}},    {w.Form3.get(), {5}},      {w.Form4.get(), {5}},
            {w.Form5.get(), {5}},   {w.Dlg1.get(), {1, 2, 3, 4}}, {w.Dlg2.get(), {1, 3}},
            {w.Dlg4.get(), {2, 4}}, {w.Form2.get(), {1, 2, 3, 4, 5}},
        };
        for (const Rule &r : rules)
            if (r.window->isVisible() && !r.modes.contains(mode))
                return u"%1 is shown in mode %2"_s.arg(r.window->objectName()).arg(mode);
        QStringList open;
        for (QWidget *window : wizardWindows())
            if (window->isVisible())
                open << window->objectName();
        if (open.size() > 1)
            return u"more than one chain window is shown at once: "_s + open.join(u", "_s);
        return {};
    }

    // The pressure-range dialog's fields follow its radio buttons.
    QString checkPressureDialogLook()
    {
        TOKBottomDlg2 *d = windows->Dlg2.get();
        const bool range = d->RadioButton1->isChecked();
        const bool single = d->RadioButton2->isChecked();
        if (range && single)
            return u"both radio buttons of TOKBottomDlg2 are checked"_s;
        struct Field { QLineEdit *edit; UnitComboBox *unit; bool on; };
        const Field fields[] = {{d->Edit3, d->ComboBox1, range}, {d->Edit4, d->ComboBox2, range},
                                {d->Edit5, d->ComboBox3, single}};
        for (const Field &f : fields) {
            if (f.edit->isEnabled() != f.on || f.unit->isEnabled() != f.on)
                return u"TOKBottomDlg2: %1/%2 enabled %3/%4, expected %5"_s.arg(f.edit->objectName(), f.unit->objectName())
                    .arg(f.edit->isEnabled()).arg(f.unit->isEnabled()).arg(f.on);
            if (!f.on && (!f.edit->text().isEmpty() || f.unit->currentIndex() != -1))
                return u"TOKBottomDlg2: switched-off %1 holds \"%2\", unit %3"_s.arg(f.edit->objectName(), f.edit->text())
                    .arg(f.unit->currentIndex());
        }
        if ((range && state->PressureRangeMode != 1) || (single && state->PressureRangeMode != 0))
            return u"PressureRangeMode %1 does not follow the radio buttons"_s.arg(state->PressureRangeMode);
        return {};
    }

    // Every cell of a grid against the rows a selection gives.
    QString compareGrid(const QTableWidget *grid, const std::vector<int> &rows, int designRows)
    {
        const int listed = int(rows.size());
        const int expectedRows = grid == windows->Form2->StringGrid2 ? designRows : std::max(designRows, listed);
        if (grid->rowCount() != expectedRows)
            return u"%1 has %2 rows, expected %3"_s.arg(grid->objectName()).arg(grid->rowCount()).arg(expectedRows);
        for (int r = 0; r < grid->rowCount(); ++r) {
            ResultRow want{};
            if (r < listed)
                want = FormatResultRow(r + 1, reference.at(rows[std::size_t(r)]));
            for (int c = 0; c < ResultColumnCount; ++c) {
                const QTableWidgetItem *item = grid->item(r, c);
                const QString got = item ? item->text() : QString();
                if (got != want[std::size_t(c)])
                    return u"%1 cell (%2, %3) is \"%4\", expected \"%5\""_s.arg(grid->objectName()).arg(c).arg(r + 1)
                        .arg(got, want[std::size_t(c)]);
            }
        }
        return {};
    }

    QString expectLabel(const QLabel *label, const QString &text, bool visible)
    {
        if (label->isVisible() != visible)
            return u"TForm2 %1 is %2"_s.arg(label->objectName(), visible ? u"hidden"_s : u"shown"_s);
        if (visible && label->text() != text)
            return u"TForm2 %1 shows \"%2\", expected \"%3\""_s.arg(label->objectName(), label->text(), text);
        return {};
    }

    QString expectRounded(const QLabel *label, double value, bool visible)
    {
        const std::optional<double> rounded = Round3(value);
        if (!rounded)
            return u"TForm2 %1 is shown for the unroundable %2"_s.arg(label->objectName(), Number(value));
        return expectLabel(label, WriteNumber(*rounded), visible);
    }

    QString checkResultsWindow(const ResultsSnapshot &s)
    {
        TForm2 *f = windows->Form2.get();
        ++resultsChecks;
        QString error;
        auto check = [&error](const QString &e) {
            if (error.isEmpty())
                error = e;
        };
        check(compareGrid(f->StringGrid1, s.expected.possible, 8));
        // Only three optimal rows have a place in their grid.
        std::vector<int> optimalShown = s.expected.optimal;
        if (optimalShown.size() > 3)
            optimalShown.resize(3);
        check(compareGrid(f->StringGrid2, optimalShown, 3));
        const ResultRow header = ResultHeaderRow();
        for (QTableWidget *grid : {f->StringGrid1, f->StringGrid2})
            for (int c = 0; c < ResultColumnCount; ++c) {
                const QString want = c == ResultColumnCount - 1 && s.euro ? PriceHeaderEuros() : header[std::size_t(c)];
                const QString got = grid->horizontalHeaderItem(c)->text();
                if (got != want)
                    check(u"%1 header %2 is \"%3\", expected \"%4\""_s.arg(grid->objectName()).arg(c).arg(got, want));
            }

        check(expectLabel(f->Label17, WriteNumber(s.qmaxStd), true));
        check(expectLabel(f->Label18, WriteNumber(s.qminStd), true));
        check(expectRounded(f->Label180, s.p.QmaxWork, true));
        check(expectRounded(f->Label185, s.p.QminWork, true));
        check(expectLabel(f->Label178, s.range ? PminDenominator : SingleDenominator, true));
        check(expectLabel(f->Label183, s.range ? PmaxDenominator : SingleDenominator, true));
        check(expectLabel(f->Label8, WriteNumber(s.p.PmaxGauge), s.range));
        check(expectLabel(f->Label19, WriteNumber(s.p.PminGauge), s.range));
        check(expectRounded(f->Label16, s.p.PmaxAbs, s.range));
        check(expectRounded(f->Label23, s.p.PminAbs, s.range));
        for (QLabel *caption : {f->Label14, f->Label15, f->Label11, f->Label13})
            check(expectLabel(caption, caption->text(), s.range));
        check(expectLabel(f->Label25, WriteNumber(s.p.PmaxGauge), !s.range));
        check(expectRounded(f->Label26, s.p.PmaxAbs, !s.range));
        for (QLabel *caption : {f->Label24, f->Label27})
            check(expectLabel(caption, caption->text(), !s.range));
        return error;
    }

    // The read value of an edit, or NaN.
    static double Read(const QLineEdit *edit)
    {
        const std::optional<double> v = ReadNumber(edit->text());
        return v ? *v : std::nan("");
    }

    static FamilyGates Boxes(QCheckBox *a, QCheckBox *b, QCheckBox *c)
    {
        return {a->isChecked(), b->isChecked(), c && c->isChecked()};
    }

    // The results window has just appeared: works out what it must show from the
    // program's values and the choices of this run, and checks that those values
    // are the ones the input windows hold. Fills `snapshot`.
    QString takeSnapshot(const QMap<QWidget *, bool> &before, const QList<SeenMessage> &seen,
                         ResultsSnapshot &s)
    {
        const WindowSet &w = *windows;
        s.mode = state->SelectionMode;
        QWidget *producer = nullptr;
        for (QWidget *candidate : {static_cast<QWidget *>(w.Dlg2.get()), static_cast<QWidget *>(w.Dlg4.get()),
                                   static_cast<QWidget *>(w.Form3.get()), static_cast<QWidget *>(w.Form4.get()),
                                   static_cast<QWidget *>(w.Form5.get())})
            if (before.value(candidate) && !candidate->isVisible())
                producer = candidate;
        if (!producer)
            return u"the results window appeared without an input window going away"_s;
        s.producer = producer->objectName();
        s.qmaxStd = state->QmaxStd;
        s.qminStd = state->QminStd;

        // The flow range of modes 1 to 4 is the accepted one of the flow dialog.
        if (s.mode >= 1 && s.mode <= 4) {
            if (!(s.qmaxStd >= s.qminStd && s.qminStd > 0))
                return u"results of mode %1 with QmaxStd %2 and QminStd %3"_s.arg(s.mode).arg(Number(s.qmaxStd), Number(s.qminStd));
            if (!Near(Read(w.Dlg1->Edit11), s.qmaxStd) || !Near(Read(w.Dlg1->Edit12), s.qminStd))
                return u"the flow dialog shows \"%1\"/\"%2\" but the run used %3/%4"_s
                    .arg(w.Dlg1->Edit11->text(), w.Dlg1->Edit12->text(), Number(s.qmaxStd), Number(s.qminStd));
        }

        if (producer == w.Dlg2.get()) {
            if (s.mode != 1 && s.mode != 3)
                return u"TOKBottomDlg2 produced results in mode %1"_s.arg(s.mode);
            s.p = state->Pressures;
            s.range = state->PressureRangeMode == 1;
            s.gates = s.mode == 1 ? Boxes(w.Dlg->CheckBox1, w.Dlg->CheckBox2, w.Dlg->CheckBox3)
                                  : Boxes(w.Dlg3->CheckBox1, w.Dlg3->CheckBox2, w.Dlg3->CheckBox3);
            s.expected = RangeSelection(reference, s.mode, s.p.PmaxAbs, s.p.QmaxWork, s.p.QminWork, s.gates);
            const TOKBottomDlg2 *d = w.Dlg2.get();
            if (s.range) {
                if (!Near(PressureToBar(d->ComboBox1->currentIndex(), Read(d->Edit3)), s.p.PmaxGauge)
                    || !Near(PressureToBar(d->ComboBox2->currentIndex(), Read(d->Edit4)), s.p.PminGauge))
                    return u"TOKBottomDlg2 shows \"%1\" (unit %2) and \"%3\" (unit %4) but the run used %5 and %6 bar"_s
                        .arg(d->Edit3->text()).arg(d->ComboBox1->currentIndex()).arg(d->Edit4->text())
                        .arg(d->ComboBox2->currentIndex()).arg(Number(s.p.PmaxGauge), Number(s.p.PminGauge));
            } else if (PressureToBar(d->ComboBox3->currentIndex(), Read(d->Edit5)) != s.p.PmaxGauge) {
                return u"TOKBottomDlg2 shows \"%1\" (unit %2) but the run used %3 bar"_s.arg(d->Edit5->text())
                    .arg(d->ComboBox3->currentIndex()).arg(Number(s.p.PmaxGauge));
            }
        } else if (producer == w.Dlg4.get()) {
            if (s.mode != 2 && s.mode != 4)
                return u"TOKBottomDlg4 produced results in mode %1"_s.arg(s.mode);
            s.p = state->Pressures;
            s.range = false;
            s.euro = s.mode == 4;
            s.gates = s.mode == 2 ? Boxes(w.Dlg->CheckBox1, w.Dlg->CheckBox2, w.Dlg->CheckBox3)
                                  : Boxes(w.Dlg5->CheckBox1, w.Dlg5->CheckBox2, nullptr);
            s.expected = WorkingPressureSelection(reference, s.mode, s.p, s.gates);
            const TOKBottomDlg4 *d = w.Dlg4.get();
            if (PressureToBar(d->ComboBox3->currentIndex(), Read(d->Edit5)) != s.p.PmaxGauge)
                return u"TOKBottomDlg4 shows \"%1\" (unit %2) but the run used %3 bar"_s.arg(d->Edit5->text())
                    .arg(d->ComboBox3->currentIndex()).arg(Number(s.p.PmaxGauge));
        } else {
            if (s.mode != 5)
                return u"%1 produced results in mode %2"_s.arg(s.producer).arg(s.mode);
            auto *form = static_cast<CabinetForm *>(producer);
            const CabinetKind kind = producer == w.Form3.get() ? CabinetKind::Metering
                : producer == w.Form4.get()                   ? CabinetKind::Reducing
                                                              : CabinetKind::MeteringReducing;
            const QRadioButton *variants[] = {form->RadioButton1, form->RadioButton2, form->RadioButton3, form->RadioButton4};
            for (int i = 0; i < 4; ++i)
                if (variants[i]->isChecked())
                    s.variant = i + 1;
            if (s.variant == 0)
                return s.producer + u" was accepted without a variant"_s;
            s.p = form->pressures();
            s.range = true;
            s.expected = CabinetSelection(reference, kind, s.variant, s.p);
            if (!Near(Read(form->Edit11), s.qmaxStd) || !Near(Read(form->Edit12), s.qminStd))
                return u"%1 shows flows \"%2\"/\"%3\" but the run used %4/%5"_s.arg(s.producer, form->Edit11->text(),
                    form->Edit12->text(), Number(s.qmaxStd), Number(s.qminStd));
            if (!Near(PressureToBar(form->ComboBox1->currentIndex(), Read(form->Edit3)), s.p.PmaxGauge)
                || !Near(PressureToBar(form->ComboBox2->currentIndex(), Read(form->Edit4)), s.p.PminGauge))
                return u"%1 shows \"%2\" (unit %3) and \"%4\" (unit %5) but the run used %6 and %7 bar"_s
                    .arg(s.producer, form->Edit3->text()).arg(form->ComboBox1->currentIndex()).arg(form->Edit4->text())
                    .arg(form->ComboBox2->currentIndex()).arg(Number(s.p.PmaxGauge), Number(s.p.PminGauge));
        }

        // The derived values follow from the gauge pressures and the flow range.
        const PressureSet &p = s.p;
        if (!s.range && p.PminGauge != p.PmaxGauge)
            return u"a single working pressure gave two gauge values %1 and %2"_s.arg(Number(p.PmaxGauge), Number(p.PminGauge));
        if (!(p.PmaxGauge >= p.PminGauge))
            return u"the pressure range is out of order: %1 < %2"_s.arg(Number(p.PmaxGauge), Number(p.PminGauge));
        if (p.PmaxAbs != ToAbsolute(p.PmaxGauge) || p.PminAbs != ToAbsolute(p.PminGauge))
            return u"absolute pressures %1/%2 do not follow the gauge pressures %3/%4"_s
                .arg(Number(p.PmaxAbs), Number(p.PminAbs), Number(p.PmaxGauge), Number(p.PminGauge));
        if (p.PminAbs == 0 || p.PmaxAbs == 0)
            return u"results shown for an absolute pressure of 0"_s;
        if (p.QmaxWork != s.qmaxStd / p.PminAbs || p.QminWork != s.qminStd / p.PmaxAbs)
            return u"working flows %1/%2 do not follow %3/%4 over %5/%6"_s.arg(Number(p.QmaxWork), Number(p.QminWork),
                Number(s.qmaxStd), Number(s.qminStd), Number(p.PminAbs), Number(p.PmaxAbs));

        // The wide-range warning, and nothing else, comes with the results.
        const bool wide = p.PmaxAbs / p.PminAbs > 5;
        QStringList texts;
        for (const SeenMessage &m : seen)
            texts << m.text;
        const QStringList want = wide ? QStringList{Messages::WideRange()} : QStringList{};
        if (texts != want)
            return u"the results came with the messages [%1], expected [%2] (ratio %3)"_s
                .arg(texts.join(u" | "_s), want.join(u" | "_s), Number(p.PmaxAbs / p.PminAbs));
        return {};
    }

    // A launch from whatever state the walk was in: the mode is set, every input
    // window is back to its defaults and only the mode's first dialog is shown
    // (the About window keeps its place).
    QString checkLaunch(int mode, const QMap<QWidget *, bool> &before)
    {
        const WindowSet &w = *windows;
        if (state->SelectionMode != mode)
            return u"a launch of mode %1 left SelectionMode %2"_s.arg(mode).arg(state->SelectionMode);
        QWidget *const firstDialogs[] = {w.Dlg.get(), w.Dlg.get(), w.Dlg3.get(), w.Dlg5.get(), w.Dlg6.get()};
        QStringList open;
        for (QWidget *window : wizardWindows())
            if (window->isVisible())
                open << window->objectName();
        if (open != QStringList{firstDialogs[mode - 1]->objectName()})
            return u"after a launch of mode %1 the chain windows shown are [%2]"_s.arg(mode).arg(open.join(u", "_s));
        if (w.Form6->isVisible() != before.value(w.Form6.get()))
            return u"a launch changed the About window"_s;

        QStringList wrong;
        auto expect = [&wrong](bool ok, const QString &what) {
            if (!ok)
                wrong << what;
        };
        for (QCheckBox *box : {w.Dlg->CheckBox1, w.Dlg->CheckBox2, w.Dlg->CheckBox3})
            expect(box->isChecked(), u"TOKBottomDlg."_s + box->objectName() + u" unchecked"_s);
        for (QCheckBox *box : {w.Dlg3->CheckBox1, w.Dlg3->CheckBox2, w.Dlg3->CheckBox3})
            expect(box->isChecked(), u"TOKBottomDlg3."_s + box->objectName() + u" unchecked"_s);
        for (QCheckBox *box : {w.Dlg5->CheckBox1, w.Dlg5->CheckBox2})
            expect(box->isChecked(), u"TOKBottomDlg5."_s + box->objectName() + u" unchecked"_s);
        for (QRadioButton *radio : {w.Dlg6->RadioButton1, w.Dlg6->RadioButton2, w.Dlg6->RadioButton3})
            expect(!radio->isChecked(), u"TOKBottomDlg6."_s + radio->objectName() + u" checked"_s);
        for (QLineEdit *edit : {w.Dlg1->Edit11, w.Dlg1->Edit12, w.Dlg2->Edit3, w.Dlg2->Edit4, w.Dlg2->Edit5, w.Dlg4->Edit5})
            expect(edit->text().isEmpty(), edit->window()->objectName() + u'.' + edit->objectName() + u" holds \""_s + edit->text() + u'"');
        for (QRadioButton *radio : {w.Dlg2->RadioButton1, w.Dlg2->RadioButton2})
            expect(!radio->isChecked(), u"TOKBottomDlg2."_s + radio->objectName() + u" checked"_s);
        for (UnitComboBox *unit : {w.Dlg2->ComboBox1, w.Dlg2->ComboBox2, w.Dlg2->ComboBox3})
            expect(unit->currentIndex() == -1, u"TOKBottomDlg2."_s + unit->objectName() + u" has a unit"_s);
        const int workingUnit = mode == 2 ? 0 : mode == 4 ? 5 : workingUnitBefore;
        expect(w.Dlg4->ComboBox3->currentIndex() == workingUnit,
               u"TOKBottomDlg4.ComboBox3 on %1, expected %2"_s.arg(w.Dlg4->ComboBox3->currentIndex()).arg(workingUnit));
        for (CabinetForm *form : {static_cast<CabinetForm *>(w.Form3.get()), static_cast<CabinetForm *>(w.Form4.get()),
                                  static_cast<CabinetForm *>(w.Form5.get())}) {
            const QString fn = form->objectName() + u'.';
            for (QRadioButton *radio : form->findChildren<QRadioButton *>())
                expect(!radio->isChecked(), fn + radio->objectName() + u" checked"_s);
            for (QLineEdit *edit : form->findChildren<QLineEdit *>())
                if (edit->objectName().startsWith(u"Edit"_s))
                    expect(edit->text().isEmpty(), fn + edit->objectName() + u" holds \""_s + edit->text() + u'"');
            for (UnitComboBox *unit : form->findChildren<UnitComboBox *>()) {
                const int want = unit->objectName() == u"ComboBox3"_s ? 5 : 0;
                expect(unit->currentIndex() == want, fn + unit->objectName() + u" on %1, expected %2"_s.arg(unit->currentIndex()).arg(want));
            }
        }
        if (!wrong.isEmpty())
            return u"after a launch of mode %1: "_s.arg(mode) + wrong.join(u"; "_s);
        return {};
    }

    // The selection of a run as if every family box had been checked.
    SelectionResult openGatesSelection(const ResultsSnapshot &s) const
    {
        const FamilyGates open{true, true, true};
        if (s.mode == 1 || s.mode == 3)
            return RangeSelection(reference, s.mode, s.p.PmaxAbs, s.p.QmaxWork, s.p.QminWork, open);
        return WorkingPressureSelection(reference, s.mode, s.p, open);
    }

    // All checks after one action; empty when the program still holds together.
    QString checkAfter(const Action &action, const QMap<QWidget *, bool> &before, const QList<SeenMessage> &seen)
    {
        if (QString e = checkMessages(seen); !e.isEmpty())
            return e;
        TForm1 *main = windows->Form1.get();
        if (action.kind == Action::Exit) {
            if (closedSpy->count() != 1)
                return u"closing the main window emitted closed() %1 times"_s.arg(closedSpy->count());
            if (main->isVisible())
                return u"the main window is still shown after it was closed"_s;
            return {};
        }
        // A click on a check box turns it over; one on a radio button selects it.
        if (QAbstractButton *box = action.toggled) {
            if (qobject_cast<QRadioButton *>(box) ? !box->isChecked() : box->isChecked() == toggledBefore)
                return box->objectName() + u" did not react to the click on it"_s;
        }
        if (closedSpy->count() != 0)
            return u"closed() was emitted by an action that does not close the main window"_s;
        if (!main->isVisible())
            return u"the main window is gone"_s;
        if (QString e = checkModeOfVisibleWindows(); !e.isEmpty())
            return e;
        if (action.kind == Action::Launch)
            if (QString e = checkLaunch(action.launchMode, before); !e.isEmpty())
                return e;
        if (QString e = checkPressureDialogLook(); !e.isEmpty())
            return e;

        // After a message the window that gave it stays open (the wide-range
        // warning alone lets the run go on).
        for (const SeenMessage &m : seen)
            if (m.text != Messages::WideRange() && !action.window->isVisible())
                return action.window->objectName() + u" went away after the message \""_s + m.text + u'"';

        const WindowSet &w = *windows;
        // An accepted flow range is in order and positive.
        if (before.value(w.Dlg1.get()) && !w.Dlg1->isVisible()
            && ((w.Dlg2->isVisible() && !before.value(w.Dlg2.get())) || (w.Dlg4->isVisible() && !before.value(w.Dlg4.get())))) {
            ++acceptedFlowSteps;
            const int mode = state->SelectionMode;
            QWidget *next = (mode == 1 || mode == 3) ? static_cast<QWidget *>(w.Dlg2.get()) : static_cast<QWidget *>(w.Dlg4.get());
            if (!next->isVisible())
                return u"the flow dialog of mode %1 led to the wrong pressure dialog"_s.arg(mode);
            if (!(state->QmaxStd >= state->QminStd && state->QminStd > 0))
                return u"accepted flow range QmaxStd %1, QminStd %2"_s.arg(Number(state->QmaxStd), Number(state->QminStd));
            if (!seen.isEmpty())
                return u"an accepted flow range came with a message"_s;
            if (w.Form2->Label17->text() != WriteNumber(state->QmaxStd) || w.Form2->Label18->text() != WriteNumber(state->QminStd))
                return u"the results window got the flow range \"%1\"/\"%2\""_s.arg(w.Form2->Label17->text(), w.Form2->Label18->text());
        }

        // The results window, checked on every step it stays shown against what
        // it had to show when it appeared.
        if (!w.Form2->isVisible()) {
            shown.reset();
            return {};
        }
        if (!before.value(w.Form2.get())) {
            ResultsSnapshot s;
            if (QString e = takeSnapshot(before, seen, s); !e.isEmpty())
                return e;
            shown = s;
            ++runsByMode[s.mode];
            const int possible = int(s.expected.possible.size());
            longestPossible = std::max(longestPossible, possible);
            fullOptimalRuns += s.expected.optimal.size() >= 3;
            grownRuns += possible > 8;
            emptyRuns += possible == 0;
            gatedRuns += s.mode != 5 && s.expected != openGatesSelection(s);
            const QString choice = s.mode == 5 ? u"variant %1"_s.arg(s.variant)
                                               : u"families %1%2%3"_s.arg(int(s.gates[0])).arg(int(s.gates[1])).arg(int(s.gates[2]));
            log.last() += u" [results of mode %1 from %2, %3: Pmax/Pmin abs %4/%5, Qwork %6/%7, %8 possible, %9 optimal]"_s
                              .arg(s.mode).arg(s.producer, choice, Number(s.p.PmaxAbs), Number(s.p.PminAbs),
                                   Number(s.p.QmaxWork), Number(s.p.QminWork))
                              .arg(possible).arg(s.expected.optimal.size());
        }
        if (!shown)
            return u"the results window is shown but no run was seen to show it"_s;
        return checkResultsWindow(*shown);
    }

    void fail(int step, const QString &error)
    {
        const int first = std::max(0, int(log.size()) - LogTail);
        QString tail;
        for (int i = first; i < log.size(); ++i)
            tail += u"\n  "_s + log[i];
        const QString text = u"monkey failure: seed %1, locale row \"%2\", step %3: %4\nreplay: QT_QPA_PLATFORM=offscreen MONKEY_SEED=%1 MONKEY_ACTIONS=%3 MONKEY_VERBOSE=1 ./tst_monkey randomWalk:%2\nlast %5 actions:%6"_s
                                 .arg(seed).arg(row).arg(step).arg(error).arg(log.size() - first).arg(tail);
        QFAIL(qPrintable(text));
    }

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        // The walk closes the main window on purpose and goes on with a new one.
        QApplication::setQuitOnLastWindowClosed(false);
        reference.Fill();
    }

    void cleanup()
    {
        closedSpy.reset();
        windows.reset();
        state.reset();
    }

    void randomWalk_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("comma") << QLocale(QLocale::Russian, QLocale::Russia);
        QTest::newRow("point") << QLocale(QLocale::English, QLocale::UnitedStates);
    }

    void randomWalk()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        row = QString::fromLatin1(QTest::currentDataTag());

        bool ok = false;
        seed = Env("MONKEY_SEED").toULongLong(&ok);
        if (!ok)
            seed = DefaultSeed;
        int actionCount = Env("MONKEY_ACTIONS").toInt(&ok);
        if (!ok || actionCount <= 0)
            actionCount = DefaultActions;
        verbose = Env("MONKEY_VERBOSE") == u"1"_s;
        rng.seed(seed);
        persistent = false;
        log.clear();
        messageCounts.clear();
        actionCounts.clear();
        runsByMode.clear();
        resultsChecks = acceptedFlowSteps = restarts = longestPossible = 0;
        fullOptimalRuns = grownRuns = emptyRuns = gatedRuns = 0;

        UrlSink sink;

        QElapsedTimer clock;
        clock.start();
        startProgram();
        MessageCatcher catcher;
        for (int step = 1; step <= actionCount; ++step) {
            const QList<Action> actions = availableActions();
            QVERIFY(!actions.isEmpty());
            const Action action = choose(actions);
            const QMap<QWidget *, bool> before = visibility();
            const qsizetype seenBefore = catcher.messages().size();
            toggledBefore = action.toggled && action.toggled->isChecked();
            workingUnitBefore = windows->Dlg4->ComboBox3->currentIndex();

            action.run();

            const QList<SeenMessage> seen = catcher.messages().mid(seenBefore);
            QString line = u"#%1 %2"_s.arg(step).arg(action.text);
            for (const SeenMessage &m : seen) {
                line += u" => %1 \"%2\""_s.arg(m.title, m.text);
                ++messageCounts[m.text];
            }
            log << line;
            ++actionCounts[KindName(action.kind)];

            const QString error = checkAfter(action, before, seen);
            if (verbose)
                qInfo().noquote() << log.last();
            if (!error.isEmpty()) {
                fail(step, error);
                return;
            }
            if (action.kind == Action::Exit) {
                ++restarts;
                log << u"   (the main window closed: a fresh window set is started)"_s;
                startProgram();
            }
        }
        const qint64 elapsed = clock.elapsed();

        QStringList kinds;
        for (auto it = actionCounts.cbegin(); it != actionCounts.cend(); ++it)
            kinds << u"%1 %2"_s.arg(it.key()).arg(it.value());
        QStringList messages;
        for (auto it = messageCounts.cbegin(); it != messageCounts.cend(); ++it)
            messages << u"%1x \"%2\""_s.arg(it.value()).arg(it.key());
        QStringList runs;
        for (auto it = runsByMode.cbegin(); it != runsByMode.cend(); ++it)
            runs << u"mode %1: %2"_s.arg(it.key()).arg(it.value());
        qInfo().noquote() << u"seed %1, %2 locale: %3 actions in %4 ms, %5 restarts, %6 link opens"_s.arg(seed).arg(row)
                                 .arg(actionCount).arg(elapsed).arg(restarts).arg(sink.opened);
        qInfo().noquote() << u"  actions: "_s + kinds.join(u", "_s);
        qInfo().noquote() << u"  messages: "_s + (messages.isEmpty() ? u"none"_s : messages.join(u", "_s));
        qInfo().noquote() << u"  results runs: "_s + runs.join(u", "_s)
                + u"; results window checked on %1 steps; accepted flow ranges %2"_s.arg(resultsChecks).arg(acceptedFlowSteps);
        qInfo().noquote() << u"  runs with nothing found %1, with a grown possible grid %2 (longest %3), with three optimal rows %4, "
                             "where a cleared family box mattered %5"_s
                                 .arg(emptyRuns).arg(grownRuns).arg(longestPossible).arg(fullOptimalRuns).arg(gatedRuns);

        // A walk that never reached the results says nothing about them. The default
        // walk must reach every mode's results, so that a change making one of them
        // unreachable shows here; another seed only gets a note, as its walk may
        // simply not have gone there.
        if (actionCount >= 2000 && runsByMode.size() < 5) {
            const QString note = u"the walk did not reach the results of every mode; give it more actions"_s;
            if (seed == DefaultSeed)
                QFAIL(qPrintable(note));
            qWarning().noquote() << note;
        }
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
