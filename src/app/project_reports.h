#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

struct AppState;
struct ProjectHeading;
struct WindowList;
class ProjectDocument;
struct ProjectReportInput;
class QPrinter;
class QWidget;
class ReportHeaderDialog;

// "Спецификация и отчёт" of the menu "Проект": the project's document (its cover, the
// priced list of equipment, the contents and every point's sizing) previewed, printed or saved as
// PDF, and its workbook saved. Printing and saving ask for the project's heading first
// and keep it with the project (one undoable change when it differs); a file is written
// whole or not at all, and a failure is an error naming the file.
class ProjectReports : public QObject {
    Q_OBJECT
public:
    ProjectReports(AppState &state, WindowList &windows, ProjectDocument &document,
                   std::function<QWidget *()> dialogParent);
    ~ProjectReports() override;

    // The dialogs, replaceable in tests: the file to save to ("" for Cancel), the
    // printer set up (false for Cancel), the heading asked (`proceed` only on OK).
    std::function<QString(const QString &suggested, const QString &filter)> askFileName;
    std::function<bool(QPrinter &printer)> choosePrinter;
    std::function<void(std::function<void(const ProjectHeading &)> proceed)> askHeading;

    void preview();
    void print();
    void savePdf();
    void saveXlsx();
    // The heading dialog, made when first asked for.
    ReportHeaderDialog &headingDialog();

private:
    // Asks for the heading, keeps it with the project and goes on with `step`.
    void headed(void (ProjectReports::*step)());
    void save(const QString &extension, const QString &filter,
              const std::function<bool(const QString &path, QString *error)> &write);
    QString suggestedName(const QString &extension) const;
    // The document's parts as the project stands, for as long as `use` runs.
    void withDocument(const std::function<void(const ProjectReportInput &)> &use) const;

    AppState &state_;
    ProjectDocument &document_;
    std::function<QWidget *()> parent_;
    std::unique_ptr<ReportHeaderDialog> headingDialog_;
    std::function<void(const ProjectHeading &)> pending_;
    QString lastFolder_;
};
