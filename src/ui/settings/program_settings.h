#pragma once

#include "core/pricing/priced_list.h"
#include "core/sizing/sizing_conditions.h"
#include "report/report_header.h"

#include <QString>

// What the program keeps between runs, in one INI file: the sizing conditions and
// the last report heading, the rates a new project's priced list is priced at. A missing, unreadable or damaged file, or a value in it
// the core refuses, reads as the defaults; nothing here ever stops the program.

// The user's settings file (under the desktop's configuration folder).
QString DefaultSettingsPath();

SizingConditions LoadConditions(const QString &path);
void SaveConditions(const QString &path, const SizingConditions &conditions);

ReportHeader LoadReportHeader(const QString &path);
void SaveReportHeader(const QString &path, const ReportHeader &header);

// The VAT rate and the euro rate a new project starts with (22 %, no euro rate by
// default); figures the core refuses read as the defaults.
Pricing LoadPricing(const QString &path);
void SavePricing(const QString &path, const Pricing &pricing);
