#pragma once

#include <QObject>
#include <QString>

#include <functional>

struct ProductCatalogue;
struct SizingOutcome;
class QAction;
class QMainWindow;
class QMenu;
class QPrinter;

// The results window's menu "Отчёт": the report of the run shown, previewed,
// printed or saved as PDF or as an Excel workbook. Saving suggests a name in the
// last folder used in this run of the program (nothing is kept between runs);
// a file is written whole or not at all, and a failure is reported in an error
// box naming the file, with the window left as it was.
class ReportActions : public QObject {
    Q_OBJECT
public:
    // The outcome the window shows, or null when it shows none yet.
    using ShownOutcome = std::function<const SizingOutcome *()>;

    ReportActions(QMainWindow *window, const ProductCatalogue &catalogue, ShownOutcome shown);

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
};
