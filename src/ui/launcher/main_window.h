#pragma once

#include <QMainWindow>

#include <functional>

class ClickableLabel;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;

// The main window: the maker's contacts, the five product categories that launch
// a selection, the menu, the two links and the exit button. Closing it ends the
// program.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1();

    QFrame *Panel1, *Panel2, *Panel3, *Panel4, *Panel5, *Panel6;
    QLabel *Image1;
    QLabel *Label3, *Label4, *Label5, *Label6;
    ClickableLabel *Image2, *Image3, *Image4, *Image5, *Image6;
    QLabel *Label1, *Label2, *Label7;
    QLabel *Label8, *Label9, *Label10;
    QLabel *Label11, *Label12, *Label13;
    QLabel *Label14, *Label15, *Label16;
    QLabel *Label17, *Label18, *Label19;
    QLabel *Label88;
    ClickableLabel *Label308, *Label309;
    QPushButton *Button1;

    QMenu *N1, *N2;
    QAction *N5, *N6, *N9, *N7, *N8, *N4, *N3;
    QAction *ConditionsAction; // "Условия расчёта..."
    // "Проект": the project window, new, open, save, save as.
    QMenu *ProjectMenu;
    QAction *ProjectShowAction, *ProjectNewAction, *ProjectOpenAction, *ProjectSaveAction,
        *ProjectSaveAsAction;
    QMenu *ProjectReportMenu; // "Спецификация и отчёт"
    QAction *ProjectPricingAction, *ProjectReportPreviewAction, *ProjectReportPrintAction,
        *ProjectReportPdfAction, *ProjectReportXlsxAction;
    // "Прайс-лист": load the maker's list, the built-in one, the catalogue window.
    QMenu *PriceListMenu;
    QAction *PriceListLoadAction, *PriceListBuiltInAction, *CatalogueAction;

    void Image2Click();
    void Image3Click();
    void Image4Click();
    void Image5Click();
    void Image6Click();
    void N5Click();
    void N6Click();
    void N9Click();
    void N7Click();
    void N8Click();
    void Button1Click();
    void N4Click();
    void N3Click();
    void Label308Click();
    void Label309Click();

    // Asked before the window closes; false keeps it open (unsaved work the user kept).
    std::function<bool()> closeGuard;

signals:
    // A category picture or its menu entry: start the chain of `mode` (1..5).
    void launchRequested(int mode);
    // The "?" menu: the About window.
    void aboutRequested();
    // "Условия расчёта...": the conditions dialog.
    void conditionsRequested();
    // The main window has been closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildContactPanel(QWidget *central);
    QFrame *buildCategoryPanel(QWidget *central, const QString &name, const QRect &geometry,
                               int mode, ClickableLabel *&image);
    QLabel *addCaption(QFrame *panel, const QString &name, const QString &text, int top, bool bold,
                       int pixelSize);
    void buildMenu();
};
