#pragma once

#include "core/catalogue/catalogue.h"
#include "core/sizing/sizing.h"
#include "report/report_header.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What a sizing report says, gathered once for the PDF and the workbook.

// One line of a data panel: the caption, the value as the window writes it, the
// number behind it (none for a text) and its unit.
struct ReportLine {
    QString caption;
    QString text;
    std::optional<double> number;
    QString unit;
    bool equation = false; // the caption is a formula the value completes
};

struct ReportContent {
    std::vector<ReportLine> heading; // "Объект", "Заказчик", ...: the filled fields only
    QString category;
    QString when;                   // date and time of the run
    std::vector<ReportLine> choice; // the chosen product lines, or the cabinet and its options
    std::vector<ReportLine> input;  // flows at standard conditions, pressures as typed and in bar
    std::vector<ReportLine> working; // absolute pressures, working flows (none after an error)
    QString warning;                // the wide-range doubt, when it applied
    QString error;                  // the refusal, when the input was refused
    QString noFit;                  // why nothing fits, when nothing does
    // "Условия расчёта" (method, standard conditions, gas, Z, load target) and the
    // working-flow formula in use: only when the conditions are not the catalogue's
    // own defaults (MarksFlags()). The rows' flags under "Примечание": then, and
    // whenever a row carries a flag.
    std::vector<ReportLine> conditions;
    QStringList formula;
    bool notes = false;
    QStringList header;             // the candidate tables' header
};

ReportContent CollectReport(const SizingOutcome &outcome, const ProductCatalogue &catalogue,
                            const ReportHeader &heading = {});

// The texts of one candidate row under ReportContent::header: the grid cells, the
// load and the Qmin margin, and with `notes` its flags.
QStringList CandidateTexts(const Candidate &candidate, bool notes = false);

QString ReportTitle();       // "Подбор типоразмера"
QString ProgramLine();       // the program's name and version
QString ProgramVersion();    // the version alone: "3.1"
QString VelocityHeader();    // "v, м/с": the inlet velocity (the footnote says so)
QString OptimalTitle();      // "Оптимальные варианты"
QString PossibleTitle();     // "Возможные варианты"
QString FlowUnit();          // "куб.м/ч"
QString BarUnit();           // "бар"
// Under an optimal table longer than the window's grid; empty when it fits.
QString OptimalOverflowNote(std::size_t optimalCount);
// The conditions the figures rest on, as the report's last paragraph: the
// catalogue's own conversion, or the real conditions of another method.
QString ReportFootnote(ConversionMethod method = ConversionMethod::Simple);
QString ConditionsTitle(); // "Условия расчёта"
QString NoteHeader();      // "Примечание", the flags column

// The text, or when it is longer than `limit` characters its start cut to `limit`
// characters, the last being "…".
QString ShortenedText(const QString &text, qsizetype limit);
