#pragma once

#include "core/cabinet/cabinet_input.h"
#include "core/cabinet/cabinet_selection.h"
#include "core/pressure/pressure_units.h"
#include "core/catalogue/catalogue.h"
#include "core/catalogue/currency.h"
#include "core/input/input_field.h"
#include "core/selection/range_selection.h"
#include "core/selection/result_row.h"
#include "core/selection/selection_result.h"
#include "core/sizing/sizing_conditions.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

// The step from what a chain's last window read to the sizing outcome: the
// reading and ordering of the pressures, the conversion, the working flows, the
// rounded values the results window shows, the doubts and errors, and the
// selection with its rows. The windows, the report and the batch program all go
// through Size().

// A pressure as the user typed it: the text and the unit list index.
struct PressureEntry {
    QString text;
    int unit = -1;

    bool operator==(const PressureEntry &) const = default;
};

// The option groups of a cabinet form: 0 for none chosen, else the button (1, 2,
// ...) of the group in order. Only the metering point has a bypass group.
struct CabinetOptions {
    int variant = 0; // 1..4
    int side = 0;    // "Слева", "Справа"
    int bypass = 0;  // "С байпасом", "Без байпаса"
    int gauges = 0;  // "С манометрами", "Без манометров"

    bool operator==(const CabinetOptions &) const = default;
};

// What the last window of a chain read, with the values the step starts from.
struct SizingRequest {
    int mode = 0;
    // Modes 1 to 4: the chosen families (the boxes of the choice dialog) and the
    // accepted flow range. Mode 5: the flow range before this step.
    FamilyGates families{true, true, true};
    double qmaxStd = 0;
    double qminStd = 0;
    // Modes 1 and 3: a range (pmax, pmin) or one working pressure; modes 2 and 4
    // always one working pressure.
    bool range = false;
    PressureEntry pmax;
    PressureEntry pmin;
    PressureEntry working;
    // Mode 5: the form's kind, what was typed, the options and the outlet pressure
    // (asked for, never used in the selection).
    CabinetKind cabinet = CabinetKind::Metering;
    CabinetEntries entries;
    CabinetOptions options;
    PressureEntry outlet;
    // The pressures and working flows before this step: values stored before a
    // refused entry stay.
    PressureSet previous;
    // How the flows are converted and which checks apply (the catalogue's own
    // conversion by default).
    SizingConditions conditions;
    // The decimal separator the texts are read and written with; null: the
    // desktop's, looked up by the step (a caller that sizes many points looks it up
    // once).
    QChar separator;
};

// One message box, in the order the window shows them.
struct SizingMessage {
    enum class Kind { Warning, Error };
    Kind kind = Kind::Error;
    QString text;

    bool operator==(const SizingMessage &) const = default;
};

// The texts of the results window's panels. Each is written only when the step
// reached it: after a refused value the ones behind it keep what they showed.
struct ResultTexts {
    std::optional<QString> qmaxStd, qminStd; // mode 5 only (modes 1 to 4: the flow step)
    std::optional<std::pair<QString, QString>> denominators; // under Qmax and under Qmin
    std::optional<QString> qmaxWork, qminWork;
    std::optional<bool> rangeLayout;               // which pressure lines are shown
    std::optional<QString> pmaxGauge, pminGauge;   // range layout, as converted
    std::optional<QString> pmaxAbs, pminAbs;       // range layout, rounded
    std::optional<QString> workingGauge, workingAbs; // single layout
    QChar separator = u'.'; // the decimal separator they are written with: the desktop's
};

// One fitting product as the grids, the report and the batch program list it.
struct Candidate {
    int slot = 0; // catalogue index
    ProductRecord record;
    ResultRow cells; // the eight grid cells, numbered in its list
    double loadPercent = 0;
    double inletVelocity = 0; // m/s in the inlet at the working Qmax (InletVelocity)
    std::optional<double> qminMargin;
    QStringList flags; // the engineering checks it fails (CandidateFlags), in Russian
};

// Everything one "Далее" of a chain's last window decided.
struct SizingOutcome {
    SizingRequest request; // as read, with the entries as they are shown back
    QDateTime when;

    // The values, as far as the step got.
    double qmaxStd = 0;
    double qminStd = 0;
    PressureSet pressures;
    bool rangeLayout = false;
    // The pressure bounds were typed the other way round and put in order: a refusal
    // of the upper bound then concerns the field "Pmin" was typed in, and the reverse.
    bool boundsExchanged = false;

    // The chain goes on to the results window.
    bool accepted = false;
    InputField errorField = InputField::None;
    QString error;          // the error message, empty when none
    QString errorKey;       // a refused figure of the conditions: its batch column
    bool wideRange = false; // the wide-range doubt applied
    std::vector<SizingMessage> messages;

    // The selection, made whatever the outcome (after a refused entry the results
    // window stays hidden and the next run refills it).
    Currency currency = Currency::Roubles;
    SelectionResult selection;
    std::vector<Candidate> possible;
    std::vector<Candidate> optimal;

    ResultTexts texts;
    // The conversion the working values come from.
    AppliedConditions conditions;

    // What the report and the batch program name: the category, the chosen
    // families (modes 1 to 4) or the cabinet kind, variant and options (mode 5).
    QString categoryCaption;
    QStringList familyCaptions;
    QString cabinetCaption;
    QString variantCaption;
    QStringList optionCaptions;

    // Why nothing fits (NoFitReason()); empty when rows were found or on an error.
    QString noFitReason;

    QString priceHeader() const;
    bool hasError() const { return !error.isEmpty(); }
};

// The sizing step of every chain's last window.
SizingOutcome Size(const SizingRequest &request, const ProductCatalogue &catalogue);

// A whole point from its texts, as the windows would take it: for modes 1 to 4
// the flow-range step first (a refused flow range stops there, with no rows),
// then Size(). For mode 5 the flows travel in request.entries.
SizingOutcome SizePoint(SizingRequest request, const QString &qmaxText, const QString &qminText,
                        const ProductCatalogue &catalogue);

// Why a sizing found no product: one sentence naming the first of the checks the
// chosen lines fail, with the figures it compares (the absolute pressure against
// the ceiling and the lines' Pmax, Pmin, then the working Qmax against their Qmax,
// then the working Qmin against their Qmin). Empty when the outcome has an error or
// rows were found. Size() fills SizingOutcome::noFitReason with it.
QString NoFitReason(const SizingOutcome &outcome, const ProductCatalogue &catalogue);
