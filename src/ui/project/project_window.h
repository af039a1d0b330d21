#pragma once

#include "core/pricing/priced_list.h"
#include "core/project/project_points.h"

#include <QWidget>

#include <vector>

class QAction;
class QLabel;
class QProgressBar;
class QTabWidget;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QUndoStack;

// The project window: a tab of the project's points, one row each, with the point's
// id, quantity, note and chosen product edited in place; buttons to remove, move, show
// and re-size points, undo and redo; a tab of the priced list and its totals. It shows the rows it is given and says what the
// user asked for; a refused edit is shown below the table and the old value stays.
class ProjectWindow : public QWidget {
    Q_OBJECT
public:
    explicit ProjectWindow(QWidget *parent = nullptr);

    QTableWidget *ProjectTable;
    QPushButton *ProjectRemoveButton, *ProjectUpButton, *ProjectDownButton;
    QPushButton *ProjectShowButton, *ProjectResizeButton;
    QPushButton *ProjectImportButton, *ProjectExportButton; // a point table in, the points out as one
    QPushButton *ProjectUndoButton, *ProjectRedoButton;
    QLabel *ProjectStatus; // why an edit was refused; empty otherwise
    QProgressBar *ProjectProgress; // how far a sizing of every point has come, while it runs
    QAction *ProjectUndoAction, *ProjectRedoAction; // "Отменить" Ctrl+Z, "Повторить" Ctrl+Shift+Z
    QTabWidget *ProjectTabs;           // "Точки", "Спецификация"
    QTableWidget *SpecificationTable;  // one row a product
    QLabel *PricedListTotals;       // the totals' lines below it
    QPushButton *PricingSettingsButton; // "Ставки НДС и курс евро..."

    // The undo stack whose actions the window offers.
    void setUndoStack(QUndoStack &stack);
    // The rows and, for each, the products it may choose from; the current row kept.
    void showRows(const std::vector<ProjectRowView> &rows, const std::vector<QStringList> &choices);
    // The priced list: its rows (the rouble columns only where euro rows have a rate)
    // and the lines of its totals.
    void showPricedList(const PricedList &pricedList);
    // "Проект — <name>" with an asterisk while there are unsaved changes.
    void showTitle(const QString &name, bool modified);
    // A refused edit: the reason below the table (the table already shows the old value).
    void showRefusal(const QString &why);
    // A sizing of every point has `done` of `total` points: the bar below the table,
    // painted at once (the sizing holds the event loop); hidden again at the total.
    void showProgress(qsizetype done, qsizetype total);
    // The selected point, -1 for none.
    int currentPoint() const;
    void selectPoint(int index);

signals:
    void editRequested(int point, ProjectColumn column, const QString &text);
    void removeRequested(int point);
    void moveRequested(int point, int by);
    void showRequested(int point);
    void resizeAllRequested();
    void importRequested();
    void pricingSettingsRequested();
    void exportRequested();

private:
    void cellEdited(QTableWidgetItem *item);
    void updateButtons();
    void fitColumns();

    std::vector<QStringList> choices_;
    bool filling_ = false;
};
