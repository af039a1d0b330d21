#pragma once

#include "core/project/project.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

// The project file (.gmsz): UTF-8 JSON,
//   {"format": "gasmeter-sizing-project", "version": 1,
//    "heading": {"object", "customer", "engineer"},
//    "pricing": {"vat_percent", "eur_rate", "eur_rate_date"},
//    "price_list": {"name", "date", "source"} (the list in force when saved),
//    "points": [{"id", "quantity", "choice", "note", "input": {<batch column>: <text>}}]}
// with the empty batch columns left out of "input" and the rates as decimal strings.

inline constexpr char ProjectFormatName[] = "gasmeter-sizing-project";
inline constexpr int ProjectFormatVersion = 1;
inline constexpr char ProjectFileSuffix[] = "gmsz";

QByteArray WriteProjectFile(const Project &project);
// The file's JSON object, for a writer that adds to it (the recovery file names the file
// it recovers).
QJsonObject ProjectFileObject(const Project &project);

// A file read whole, or refused with the place and the reason ("точка 3, «quantity»:
// ..."), in which case nothing of it is taken.
struct ProjectReading {
    std::optional<Project> project;
    QString error;
};
ProjectReading ReadProjectFile(const QByteArray &bytes);
