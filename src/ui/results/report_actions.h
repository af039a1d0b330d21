#pragma once

#include <QObject>
#include <QString>

#include "report/report_header.h"

#include <functional>
#include <memory>

struct ProductCatalogue;
struct SizingOutcome;
class QAction;
class QMainWindow;
class QMenu;
class QPrinter;
class ReportHeaderDialog;

// The results window's menu "Отчёт": the report of the run shown, previewed,
// printed or saved as PDF or as an Excel workbook. Saving suggests a name in the
// last folder used in this run of the program (nothing is kept between runs);
// a file is written whole or not at all, and a failure is reported in an error
// box naming the file, with the window left as it was. Saving and printing ask
// for the report's heading first (kept between runs); the preview shows the last one.
class ReportActions : public QObject {
    Q_OBJECT
public:
    // The outcome the window shows, or null when it shows none yet.
    using ShownOutcome = std::function<const SizingOutcome *()>;

    ReportActions(QMainWindow *window, const ProductCatalogue &catalogue, ShownOutcome shown);
    ~ReportActions() override;

    QMenu *menu() const { return menu_; }
    QAction *PreviewAction = nullptr;
    QAction *PrintAction = nullptr;
    QAction *SavePdfAction = nullptr;
    QAction *SaveXlsxAction = nullptr;

    // Asks for the file to save to, given the suggested path; an empty answer is
    // Cancel. The save dialog by default; a test puts its own answer here.
    std::function<QString(const QString &suggested, const QString &filter)> askFileName;
    // Lets the user set up the printer; false is Cancel. The print dialog by
    // default; a test sets the printer up itself.
    std::function<bool(QPrinter &printer)> choosePrinter;
    // Asks for the report's heading and calls `proceed` with it once the user
    // accepts it (never on Cancel). The heading dialog by default, not modal; a
    // test may answer at once.
    std::function<void(std::function<void(const ReportHeader &)> proceed)> askHeader;
    // Where the last heading is kept (the user's settings file by default).
    QString settingsPath;

    // The heading dialog, made when first asked for.
    ReportHeaderDialog *headerDialog();

    void preview();
    void print();
    void savePdf();
    void saveXlsx();

private:
    // Asks for a name and writes it with `write`; false with the reason in *error.
    void save(const QString &extension, const QString &filter,
              const std::function<bool(const QString &, QString *)> &write);

    QMainWindow *window_;
    const ProductCatalogue &catalogue_;
    ShownOutcome shown_;
    QMenu *menu_ = nullptr;
    QString lastFolder_;
    ReportHeader header_;
    std::unique_ptr<ReportHeaderDialog> headerDialog_;
    std::function<void(const ReportHeader &)> pending_;
};
