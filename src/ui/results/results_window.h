#pragma once

#include <QMainWindow>

#include "core/sizing/sizing.h"
#include "ui/wizard/lazy_layout.h"

#include <array>
#include <optional>

struct AppState;
struct ProductRecord;
struct SelectionResult;
class ReportActions;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QTableWidget;

// The results window: the input and working data of the last selection and its two
// grids, "Оптимальные варианты:" (StringGrid2) and "Возможные варианты:"
// (StringGrid1). It shows what it is given: the flow range of the flow step and the
// outcome of a chain's last window; its menu asks for the moves it offers.
class TForm2 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm2(AppState &state);

    // Input-data panel.
    QFrame *Panel2;
    QLabel *Label2, *Label3, *Label21, *Label167;
    QLabel *Label160, *Label17, *Label161, *Label18;
    QLabel *Label6, *Label7;
    QLabel *Label14, *Label8, *Label15, *Label19;
    QLabel *Label24, *Label25;
    // Working-data panel.
    QFrame *Panel1;
    QLabel *Label1, *Label9, *Label20, *Label22;
    QLabel *Label176, *Label177, *Label178, *Label179, *Label180;
    QLabel *Label181, *Label182, *Label183, *Label184, *Label185;
    QLabel *Label10, *Label12;
    QLabel *Label11, *Label16, *Label13, *Label23;
    QLabel *Label27, *Label26;
    // Results panel.
    QFrame *Panel3;
    QLabel *Label5, *Label4;
    QTableWidget *StringGrid2; // optimal variants: header + 3 rows
    QTableWidget *StringGrid1; // possible variants: header + 8 rows, grows
    // Menu.
    QMenu *N1;
    QAction *N2, *N3;
    // "Копировать" (Ctrl+C), the one context-menu entry of StringGrid1 and of
    // StringGrid2; the shortcut works while that grid has the focus.
    QAction *CopyAction1, *CopyAction2;
    // "Отчёт": preview, print, PDF and Excel of the run shown.
    ReportActions *Report;
    QMenu *ReportMenu;
    QAction *PreviewAction, *PrintAction, *SavePdfAction, *SaveXlsxAction;
    // The line under the grids that says why a run found nothing.
    QLabel *StatusLine;
    // Under the panels: the conversion a run used other than the catalogue's own
    // (method, temperatures, atmosphere, Z); hidden for the catalogue's own.
    QLabel *ConditionsLine;
    // Under the grids, at the right: the loaded price list the prices come from;
    // hidden while the built-in list is in force.
    QLabel *PriceListLine;
    // "" hides the line.
    void ShowPriceList(const QString &text);
    // "Условия расчёта..." in the menu bar.
    QAction *ConditionsAction;
    // "Проект": add the run shown (enabled while one is), the project window, new, open,
    // save, save as.
    QMenu *ProjectMenu;
    QAction *ProjectAddAction, *ProjectShowAction, *ProjectNewAction, *ProjectOpenAction,
        *ProjectSaveAction, *ProjectSaveAsAction;
    QMenu *ProjectReportMenu; // "Спецификация и отчёт"
    QAction *ProjectPricingAction, *ProjectReportPreviewAction, *ProjectReportPrintAction,
        *ProjectReportPdfAction, *ProjectReportXlsxAction;

    void FormCreate();
    void N2Click(); // "Вернуться к главному меню"
    void N3Click(); // "Выход"
    // Puts the header and the selected rows of `grid` (every filled row when none is
    // selected) on the clipboard as a tab-separated table; rows no variant filled
    // are left out.
    void CopyRows(QTableWidget *grid);

    // Grid operations shared by every selection.
    // Back to 8 empty data rows in StringGrid1 and 3 in StringGrid2, rouble header.
    void ResetGrids();
    // Price header of both grids in euros (utility meters).
    void SetEuroPriceHeader();
    // Appends catalogue slot `slot` as the next possible variant (the grid grows
    // past 8 data rows).
    void AppendPossibleVariant(int slot);
    // Appends catalogue slot `slot` as the next optimal variant; a fourth or later
    // one has no row and is not shown.
    void AppendOptimalVariant(int slot);
    // Appends a selection's possible rows, then its optimal rows.
    void ShowSelection(const SelectionResult &result);
    // Number of possible and optimal variants appended since the last reset.
    int possibleCount() const { return possibleCount_; }
    int optimalCount() const { return optimalCount_; }

    // Label17, Label18: the standard flow range, by the writing rule.
    void ShowFlowRange(double qmaxStd, double qminStd);
    // A sizing step's outcome: every panel text it reached (the others keep what
    // they showed), the pressure layout, the price header and both grids.
    void ShowOutcome(const SizingOutcome &outcome);
    // Runs the layout steps that measure text (the caption fitting and the grids'
    // column fitting), if they have not run yet; the first show does it.
    void ensureLaidOut();

    // The outcome shown last, if any.
    const std::optional<SizingOutcome> &shownOutcome() const { return shown_; }
    // The designation of the row selected in either grid (the one with the focus first);
    // none when no filled row is selected.
    std::optional<QString> SelectedProductName() const;
    // Selects the possible row of that designation, if the grid has one.
    void SelectProduct(const QString &name);

signals:
    void mainMenuRequested(); // "Вернуться к главному меню"
    void quitRequested();     // "Выход"
    void conditionsRequested(); // "Условия расчёта..."
    // "Добавить в проект": the run shown, with the designation selected in a grid.
    void projectAddRequested(const std::optional<QString> &chosen);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void placeAfter(QLabel *label, const QLabel *before, int gap, int top);
    void showTexts(const ResultTexts &texts);
    void appendPossibleRow(const ResultRow &row, const QString &toolTip = {});
    void appendOptimalRow(const ResultRow &row, const QString &toolTip = {});


    void buildInputPanel(QWidget *client);
    void buildWorkingPanel(QWidget *client);
    void buildResultsPanel(QWidget *client);
    void buildMenu();
    QAction *addCopyAction(QTableWidget *grid, const QString &name);
    int filledRows(const QTableWidget *grid) const;
    QLabel *addLabel(QWidget *panel, const QString &name, const QString &caption, int left, int top);
    QLabel *addValueLabel(QWidget *panel, const QString &name, int left, int top);
    QTableWidget *makeGrid(QWidget *panel, const QString &name, int dataRows);
    void fitGrids();
    void setPriceHeader(const QString &text);
    // Shows the eight range-layout labels and hides the four single-pressure
    // ones, or the reverse.
    void setPressureLayout(bool range);
    // The formula captions, the conditions line and the row marks of `outcome`'s
    // conversion; under the catalogue's own exactly the design captions.
    void showConditions(const SizingOutcome &outcome);
    // Places the two fractions for their current texts and the conditions line.
    void relayFormula();

    AppState &state_;
    LazyLayout layout_;
    int possibleCount_ = 0;
    int optimalCount_ = 0;
    std::optional<SizingOutcome> shown_;
    // The fraction of each formula line as the design captions need it.
    int fractionLeft_ = 0;
    std::array<int, 2> fractionWidth_{};
    std::array<int, 2> formulaTop_{};
    int grownBy_ = 0; // the height the window took on for the conditions line
};
