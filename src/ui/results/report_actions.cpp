#include "ui/results/report_actions.h"

#include "core/io/output_file.h"
#include "report/sizing_report.h"
#include "report/xlsx_sizing.h"
#include "core/sizing/sizing.h"
#include "ui/wizard/messages.h"
#include "ui/results/report_header_dialog.h"
#include "ui/settings/program_settings.h"
#include "ui/wizard/navigation.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <utility>

namespace {
QAction *AddAction(QMenu *menu, const QString &name, const QString &text,
                   const QKeySequence &shortcut = {})
{
    QAction *action = menu->addAction(text);
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

void SetUpPrinter(QPrinter &printer)
{
    printer.setPageLayout(ReportPageLayout());
    printer.setDocName(QStringLiteral("Подбор типоразмера"));
}
} // namespace

ReportActions::ReportActions(QMainWindow *window, const ProductCatalogue &catalogue, ShownOutcome shown)
    : QObject(window), window_(window), catalogue_(catalogue), shown_(std::move(shown))
{
    setObjectName(QStringLiteral("ReportActions"));
    menu_ = window->menuBar()->addMenu(QStringLiteral("Отчёт"));
    menu_->setObjectName(QStringLiteral("ReportMenu"));
    PreviewAction = AddAction(menu_, QStringLiteral("PreviewAction"), QStringLiteral("Предварительный просмотр..."));
    PrintAction = AddAction(menu_, QStringLiteral("PrintAction"), QStringLiteral("Печать..."), QKeySequence(Qt::CTRL | Qt::Key_P));
    SavePdfAction = AddAction(menu_, QStringLiteral("SavePdfAction"), QStringLiteral("Сохранить в PDF..."), QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveXlsxAction = AddAction(menu_, QStringLiteral("SaveXlsxAction"), QStringLiteral("Сохранить в Excel..."));
    connect(PreviewAction, &QAction::triggered, this, [this] {
        header_ = LoadReportHeader(settingsPath);
        preview();
    });
    // Printing and saving ask for the heading first and go on once it is accepted.
    auto headed = [this](void (ReportActions::*step)()) {
        return [this, step] {
            if (!shown_())
                return;
            askHeader([this, step](const ReportHeader &header) {
                header_ = header;
                SaveReportHeader(settingsPath, header);
                (this->*step)();
            });
        };
    };
    connect(PrintAction, &QAction::triggered, this, headed(&ReportActions::print));
    connect(SavePdfAction, &QAction::triggered, this, headed(&ReportActions::savePdf));
    connect(SaveXlsxAction, &QAction::triggered, this, headed(&ReportActions::saveXlsx));
    settingsPath = DefaultSettingsPath();
    askHeader = [this](std::function<void(const ReportHeader &)> proceed) {
        ReportHeaderDialog *dialog = headerDialog();
        pending_ = std::move(proceed);
        dialog->setHeader(LoadReportHeader(settingsPath));
        ShowCentred(dialog, window_);
        dialog->raise();
        dialog->activateWindow();
    };

    // The report is of the run shown: nothing to report before the first one.
    connect(menu_, &QMenu::aboutToShow, this, [this] {
        const bool any = shown_() != nullptr;
        for (QAction *action : {PreviewAction, PrintAction, SavePdfAction, SaveXlsxAction})
            action->setEnabled(any);
    });

    askFileName = [this](const QString &suggested, const QString &filter) {
        return QFileDialog::getSaveFileName(window_, QStringLiteral("Сохранить отчёт"), suggested, filter);
    };
    choosePrinter = [this](QPrinter &printer) {
        QPrintDialog dialog(&printer, window_);
        dialog.setObjectName(QStringLiteral("ReportPrintDialog"));
        return dialog.exec() == QDialog::Accepted;
    };
}

ReportActions::~ReportActions() = default;

ReportHeaderDialog *ReportActions::headerDialog()
{
    if (!headerDialog_) {
        headerDialog_ = std::make_unique<ReportHeaderDialog>();
        connect(headerDialog_.get(), &ReportHeaderDialog::headerAccepted, this, [this](const ReportHeader &header) {
            if (auto proceed = std::exchange(pending_, nullptr))
                proceed(header);
        });
    }
    return headerDialog_.get();
}

void ReportActions::preview()
{
    const SizingOutcome *outcome = shown_();
    if (!outcome)
        return;
    const auto document = BuildReportDocument(*outcome, catalogue_, header_);
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer);
    QPrintPreviewDialog dialog(&printer, window_);
    dialog.setObjectName(QStringLiteral("ReportPreviewDialog"));
    dialog.setWindowTitle(QStringLiteral("Предварительный просмотр"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&document](QPrinter *target) { PaintReport(*document, *target); });
    dialog.exec();
}

void ReportActions::print()
{
    const SizingOutcome *outcome = shown_();
    if (!outcome)
        return;
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer);
    if (!choosePrinter(printer))
        return;
    const auto document = BuildReportDocument(*outcome, catalogue_, header_);
    if (!PaintReport(*document, printer))
        ShowError(window_, QStringLiteral("Не удалось напечатать отчёт: принтер недоступен."));
}

void ReportActions::savePdf()
{
    save(QStringLiteral("pdf"), QStringLiteral("PDF (*.pdf)"), [this](const QString &path, QString *error) {
        return WriteReportPdf(path, {*shown_()}, catalogue_, error, header_);
    });
}

void ReportActions::saveXlsx()
{
    save(QStringLiteral("xlsx"), QStringLiteral("Excel (*.xlsx)"), [this](const QString &path, QString *error) {
        return WriteSizingXlsx(path, *shown_(), catalogue_, error, header_);
    });
}

void ReportActions::save(const QString &extension, const QString &filter,
                      const std::function<bool(const QString &, QString *)> &write)
{
    const SizingOutcome *outcome = shown_();
    if (!outcome)
        return;
    const QString folder = lastFolder_.isEmpty() ? QDir::homePath() : lastFolder_;
    const QString suggested = QDir(folder).filePath(SuggestedReportName(*outcome, extension));
    QString path = askFileName(suggested, filter);
    if (path.isEmpty())
        return; // Cancel writes nothing
    // A device or a FIFO is written as it is named; only a file gets the extension
    // and is where the next save starts.
    if (RouteOf(path) == OutputRoute::WholeFile) {
        if (QFileInfo(path).suffix().isEmpty())
            path += u'.' + extension;
        lastFolder_ = QFileInfo(path).absolutePath();
    }
    QString error;
    if (!write(path, &error))
        ShowError(window_, error.isEmpty() ? QStringLiteral("Не удалось сохранить файл «%1».").arg(path) : error);
}
