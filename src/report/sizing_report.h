#pragma once

#include "core/catalogue/catalogue.h"
#include "core/sizing/sizing.h"
#include "report/report_pages.h"
#include "report/report_header.h"

#include <QPageLayout>
#include <QString>
#include <QTextDocument>

#include <memory>
#include <vector>

class QPagedPaintDevice;

// The printable report of one sizing: the category and choice, the input and
// working data, every optimal and possible row with its load and Qmin margin (or
// why nothing fits, or the refusal), and the conditions the figures rest on. Needs
// a QGuiApplication (any platform, offscreen included) for the fonts.


// The report as a document laid out on ReportPageLayout() at the screen's resolution
// (for a preview); PaintReport() lays it out again for the device it paints on.
// `heading` fills the block "Объект", "Заказчик", ... (empty fields left out). The
// rows of the catalogue slot `markedSlot` (a project point's chosen product) are set
// in bold with ChosenMark() under the name; none when it is 0.
std::unique_ptr<QTextDocument> BuildReportDocument(const SizingOutcome &outcome,
                                                   const ProductCatalogue &catalogue,
                                                   const ReportHeader &heading = {},
                                                   int markedSlot = 0);

// "◄ выбрано", under the chosen product's name in the candidate tables.
QString ChosenMark();

// Paints the document onto the device's pages inside its page layout, with
// "Стр. N из M" at the foot of each page. False when no painter could start on the
// device.
bool PaintReport(const QTextDocument &document, QPagedPaintDevice &device);

// One PDF of the reports of all the outcomes, each from a new page, written whole
// or not at all. False with the reason (the file and the system's reason) in *error.
bool WriteReportPdf(const QString &path, const std::vector<SizingOutcome> &outcomes,
                    const ProductCatalogue &catalogue, QString *error,
                    const ReportHeader &heading = {});

// "подбор-<yyyy-MM-dd>-<mode>.<extension>" for the run's date and mode; the extension
// with or without its dot.
QString SuggestedReportName(const SizingOutcome &outcome, const QString &extension);
