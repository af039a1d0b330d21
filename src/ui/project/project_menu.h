#pragma once

class QAction;
class QMenu;
class QMenuBar;

// The menu "Проект" of the main and the results window; "Добавить в проект" only where
// a run is shown.
struct ProjectMenuActions {
    QMenu *menu = nullptr;
    QAction *add = nullptr; // none on the main window
    QAction *show = nullptr;
    QAction *newProject = nullptr;
    QAction *open = nullptr;
    QAction *save = nullptr;
    QAction *saveAs = nullptr;
    // The submenu "Спецификация и отчёт".
    QMenu *reportMenu = nullptr;
    QAction *pricing = nullptr;       // the rates of the priced list
    QAction *reportPreview = nullptr; // the project's document: preview, print, PDF, workbook
    QAction *reportPrint = nullptr;
    QAction *reportPdf = nullptr;
    QAction *reportXlsx = nullptr;
};

// Adds the menu to `bar` before `before` (or at the end).
ProjectMenuActions AddProjectMenu(QMenuBar *bar, bool withAdd, QAction *before = nullptr);
