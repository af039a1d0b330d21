#include "app/project_reports.h"

#include "app/window_list.h"
#include "core/io/output_file.h"
#include "core/project/project_priced_list.h"
#include "core/state/app_state.h"
#include "report/project_report.h"
#include "report/report_content.h"
#include "report/report_pages.h"
#include "report/xlsx_project.h"
#include "ui/launcher/main_window.h"
#include "ui/project/project_document.h"
#include "ui/results/report_header_dialog.h"
#include "ui/results/results_window.h"
#include "ui/wizard/messages.h"
#include "ui/wizard/navigation.h"

#include <QAction>
#include <QMenu>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

void SetUpPrinter(QPrinter &printer)
{
    printer.setPageLayout(ReportPageLayout());
    printer.setDocName(u"Проект подбора"_s);
}

} // namespace

ProjectReports::ProjectReports(AppState &state, WindowList &windows, ProjectDocument &document,
                               std::function<QWidget *()> dialogParent)
    : state_(state), document_(document), parent_(std::move(dialogParent))
{
    setObjectName(u"ProjectReports"_s);
    TForm1 *main = windows.Form1.get();
    TForm2 *results = windows.Form2.get();
    for (QAction *action : {main->ProjectReportPreviewAction, results->ProjectReportPreviewAction})
        connect(action, &QAction::triggered, this, &ProjectReports::preview);
    for (QAction *action : {main->ProjectReportPrintAction, results->ProjectReportPrintAction})
        connect(action, &QAction::triggered, this, [this] { headed(&ProjectReports::print); });
    for (QAction *action : {main->ProjectReportPdfAction, results->ProjectReportPdfAction})
        connect(action, &QAction::triggered, this, [this] { headed(&ProjectReports::savePdf); });
    for (QAction *action : {main->ProjectReportXlsxAction, results->ProjectReportXlsxAction})
        connect(action, &QAction::triggered, this, [this] { headed(&ProjectReports::saveXlsx); });
    // A document of no points says nothing: the entries wait for the first point.
    const std::vector<QAction *> documentActions{
        main->ProjectReportPreviewAction,    main->ProjectReportPrintAction,    main->ProjectReportPdfAction,
        main->ProjectReportXlsxAction,       results->ProjectReportPreviewAction, results->ProjectReportPrintAction,
        results->ProjectReportPdfAction,     results->ProjectReportXlsxAction};
    for (QMenu *menu : {main->ProjectReportMenu, results->ProjectReportMenu}) {
        connect(menu, &QMenu::aboutToShow, this, [this, documentActions] {
            for (QAction *action : documentActions)
                action->setEnabled(!document_.project().points.empty());
        });
    }

    askFileName = [this](const QString &suggested, const QString &filter) {
        return QFileDialog::getSaveFileName(parent_(), u"Сохранить спецификацию и отчёт"_s, suggested, filter);
    };
    choosePrinter = [this](QPrinter &printer) {
        QPrintDialog dialog(&printer, parent_());
        dialog.setObjectName(u"ProjectPrintDialog"_s);
        return dialog.exec() == QDialog::Accepted;
    };
    askHeading = [this](std::function<void(const ProjectHeading &)> proceed) {
        ReportHeaderDialog &dialog = headingDialog();
        pending_ = std::move(proceed);
        const ProjectHeading &h = document_.project().heading;
        dialog.setHeader({h.object, h.customer, {}, h.engineer});
        ShowCentred(&dialog, parent_());
        dialog.raise();
        dialog.activateWindow();
    };
}

ProjectReports::~ProjectReports() = default;

ReportHeaderDialog &ProjectReports::headingDialog()
{
    if (!headingDialog_) {
        headingDialog_ = std::make_unique<ReportHeaderDialog>();
        headingDialog_->setWindowTitle(u"Заголовок проекта"_s);
        headingDialog_->setPointShown(false);
        connect(headingDialog_.get(), &ReportHeaderDialog::headerAccepted, this, [this](const ReportHeader &h) {
            if (auto proceed = std::exchange(pending_, nullptr))
                proceed({h.object, h.customer, h.engineer});
        });
    }
    return *headingDialog_;
}

void ProjectReports::headed(void (ProjectReports::*step)())
{
    if (document_.project().points.empty())
        return;
    askHeading([this, step](const ProjectHeading &heading) {
        if (!(heading == document_.project().heading)) {
            Project next = document_.project();
            next.heading = heading;
            document_.change(u"Изменить заголовок"_s, std::move(next));
        }
        (this->*step)();
    });
}

void ProjectReports::withDocument(const std::function<void(const ProjectReportInput &)> &use) const
{
    const PricedList priced = ProjectPricedList(document_.project(), document_.records());
    use({document_.project(), document_.records(), priced, QDateTime::currentDateTime(), ProgramVersion()});
}

void ProjectReports::preview()
{
    if (document_.project().points.empty())
        return;
    withDocument([this](const ProjectReportInput &input) {
        QPrinter printer(QPrinter::HighResolution);
        SetUpPrinter(printer);
        QPrintPreviewDialog dialog(&printer, parent_());
        dialog.setObjectName(u"ProjectPreviewDialog"_s);
        dialog.setWindowTitle(u"Предварительный просмотр"_s);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
                [this, &input](QPrinter *target) { PaintProjectReport(*target, input, state_.Catalogue); });
        dialog.exec();
    });
}

void ProjectReports::print()
{
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer);
    if (!choosePrinter(printer))
        return;
    withDocument([this, &printer](const ProjectReportInput &input) {
        if (!PaintProjectReport(printer, input, state_.Catalogue))
            ShowError(parent_(), u"Не удалось напечатать отчёт: принтер недоступен."_s);
    });
}

void ProjectReports::savePdf()
{
    save(u"pdf"_s, u"PDF (*.pdf)"_s, [this](const QString &path, QString *error) {
        bool written = false;
        withDocument([&](const ProjectReportInput &input) {
            written = WriteProjectReportPdf(path, input, state_.Catalogue, error);
        });
        return written;
    });
}

void ProjectReports::saveXlsx()
{
    save(u"xlsx"_s, u"Excel (*.xlsx)"_s, [this](const QString &path, QString *error) {
        const PricedList priced = ProjectPricedList(document_.project(), document_.records());
        return WriteProjectXlsx(path, document_.project(), document_.records(), priced, error,
                                PriceListTitle(state_.Catalogue.priceList()));
    });
}

QString ProjectReports::suggestedName(const QString &extension) const
{
    const QString base = document_.path().isEmpty() ? u"проект"_s : QFileInfo(document_.path()).completeBaseName();
    return u"%1-%2.%3"_s.arg(base, QDate::currentDate().toString(Qt::ISODate), extension);
}

void ProjectReports::save(const QString &extension, const QString &filter,
                          const std::function<bool(const QString &path, QString *error)> &write)
{
    const QString folder = !lastFolder_.isEmpty()        ? lastFolder_
                         : !document_.path().isEmpty() ? QFileInfo(document_.path()).absolutePath()
                                                       : QDir::homePath();
    QString path = askFileName(QDir(folder).filePath(suggestedName(extension)), filter);
    if (path.isEmpty())
        return;
    if (RouteOf(path) == OutputRoute::WholeFile) {
        if (QFileInfo(path).suffix().isEmpty())
            path += u'.' + extension;
        lastFolder_ = QFileInfo(path).absolutePath();
    }
    QString error;
    if (!write(path, &error))
        ShowError(parent_(), error.isEmpty() ? u"Не удалось сохранить файл «%1»."_s.arg(path) : error);
}
