#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

struct AppState;
struct WindowList;
class ProjectDocument;
class ProjectReports;
class ProjectWindow;
class SpecificationSettingsDialog;
class QWidget;

// The project's road through the windows: "Проект" of the main and the results window,
// the project window and its edits, the file (new, open, save, save as, a file given on
// the command line), the question before unsaved changes are lost, and the recovery
// file written after every change and offered back after a crash.
class ProjectFlow : public QObject {
    Q_OBJECT
public:
    ProjectFlow(AppState &state, WindowList &windows);
    ~ProjectFlow() override;

    ProjectDocument &document() { return *document_; }
    // The project window, made the first time it is needed.
    ProjectWindow &window();
    void ShowWindow();

    // Opens `path` (a message on failure, the open project kept); true when opened.
    bool OpenFile(const QString &path);
    // Writes the project to `path` whole or not at all; true when written.
    bool SaveTo(const QString &path);
    // "Сохранить проект": to its file, or asks for one.
    bool Save();
    bool SaveAs();
    // New or open: first the question when there is work to lose; false on "Отмена".
    bool MayDiscard();
    // At start-up: a recovery file newer than its saved project is offered back once.
    void OfferRecovery();
    // At start-up with the program's arguments: a project given (opened from the
    // desktop) comes up in its window; a missing or damaged one gives its message and
    // the program goes on as usual; with none, the recovery file is offered.
    void StartWith(const QStringList &arguments);
    // The points of a point table added to the project as one change (a message on a
    // refused table, nothing added); true when added.
    bool ImportTable(const QString &path);
    // The project's points written to `path` as a point table, whole or not at all.
    bool ExportTable(const QString &path);
    // A clean exit: the recovery file goes.
    void Finish();

    // "Спецификация и отчёт": the project's document and workbook.
    ProjectReports &reports() { return *reports_; }

    // The settings file the rates a new project's equipment list is priced at come from and go to.
    void setSettingsPath(const QString &path) { settingsPath_ = path; }
    // "Ставки НДС и курс евро...": the dialog, made the first time it is needed.
    SpecificationSettingsDialog &pricingDialog();
    void ShowPricingDialog();

    // Where the recovery file is kept (the settings folder by default).
    void setRecoveryPath(const QString &path) { recoveryPath_ = path; }
    QString recoveryPath() const { return recoveryPath_; }

    // The dialogs, replaceable in tests: a file name to open or save ("" for none); the
    // unsaved-changes question (0 save, 1 do not save, 2 cancel); a yes-or-no question.
    std::function<QString(bool save, const QString &suggested)> askPath;
    std::function<int(const QString &name)> askUnsaved;
    std::function<bool(const QString &text)> askYesNo;
    // A point table to import (save false) or to export to (save true); "" for none.
    std::function<QString(bool save)> askTablePath;

private:
    void connectWindows();
    void connectProjectWindow(ProjectWindow &window);
    void refresh();
    void writeRecovery();
    void addRun(const std::optional<QString> &chosen);
    void edit(int point, int column, const QString &text);
    void remove(int point);
    void moveBy(int point, int by);
    void showPoint(int point);
    void resizeAll();
    void newProject();
    void takePricing(const QString &vat, const QString &eurRate, const QString &date);
    // A project priced under another list than the one in force: offered to take it.
    void offerRepricing();
    void openAsked();
    QWidget *dialogParent() const;

    AppState &state_;
    WindowList &w_;
    std::unique_ptr<ProjectDocument> document_;
    std::unique_ptr<ProjectWindow> window_;
    std::unique_ptr<SpecificationSettingsDialog> pricingDialog_;
    std::unique_ptr<ProjectReports> reports_;
    QString settingsPath_;
    QString recoveryPath_;
    // The file as it was when opened or saved, to tell a change by another program.
    QDateTime fileTime_;
    qint64 fileSize_ = -1;
};
