#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// Point tables for the batch tests: a mix of every mode, both pressure forms, cabinet
// points, the conditions' methods, the strict choice and refused points, as fields,
// so that each test writes them in the form it needs.

using TableRows = std::vector<QStringList>;

inline QStringList MixedHeader()
{
    return {QStringLiteral("id"),     QStringLiteral("mode"),     QStringLiteral("families"),
            QStringLiteral("qmax"),   QStringLiteral("qmin"),     QStringLiteral("pmax"),
            QStringLiteral("pmax_unit"), QStringLiteral("pmin"),  QStringLiteral("pmin_unit"),
            QStringLiteral("p"),      QStringLiteral("p_unit"),   QStringLiteral("cabinet"),
            QStringLiteral("variant"), QStringLiteral("side"),    QStringLiteral("bypass"),
            QStringLiteral("gauges"), QStringLiteral("pout"),     QStringLiteral("pout_unit"),
            QStringLiteral("method"), QStringLiteral("t_min"),    QStringLiteral("t_max"),
            QStringLiteral("strict")};
}

// `count` points cycling through fourteen kinds, the flows varied per point; the
// decimal fractions are written with a point.
inline TableRows MixedPoints(int count)
{
    TableRows rows;
    for (int i = 1; i <= count; ++i) {
        const int q = 20 + (i * 37) % 400;
        const QString qmax = QString::number(q), qmin = QString::number(q / 10.0);
        QStringList f(MixedHeader().size());
        f[0] = QStringLiteral("Точка %1").arg(i);
        const auto set = [&f](std::initializer_list<std::pair<int, QString>> cells) {
            for (const auto &[at, text] : cells)
                f[at] = text;
        };
        switch (i % 14) {
        case 0: set({{1, "1"}, {3, qmax}, {4, qmin}, {5, "1"}, {6, "бар"}, {7, "0"}, {8, "бар"}}); break;
        case 1: set({{1, "1"}, {2, "011"}, {3, qmax}, {4, qmin}, {9, "6"}, {10, "бар"}}); break;
        case 2: set({{1, "2"}, {3, qmax}, {4, qmin}, {9, "0.5"}}); break;
        case 3: set({{1, "3"}, {2, "100"}, {3, qmax}, {4, qmin}, {5, "300"}, {6, "кПа"}, {7, "50"}, {8, "кПа"}}); break;
        case 4: set({{1, "3"}, {3, qmax}, {4, qmin}, {9, "2"}, {10, "атм"}}); break;
        case 5: set({{1, "4"}, {3, QString::number(1 + i % 9)}, {4, "0.1"}, {9, "2"}}); break;
        case 6:
            set({{1, "5"}, {3, qmax}, {4, qmin}, {5, "3"}, {7, "1"}, {11, "1"}, {12, "2"}, {13, "Слева"},
                 {14, "С байпасом"}, {15, "С манометрами"}});
            break;
        case 7:
            set({{1, "5"}, {3, qmax}, {4, qmin}, {5, "0.3"}, {6, "МПа"}, {7, "0.1"}, {8, "МПа"}, {11, "2"},
                 {12, "2"}, {13, "Справа"}, {15, "Без манометров"}, {16, "2.5"}, {17, "кПа"}});
            break;
        case 8: set({{1, "1"}, {3, qmin}, {4, qmax}, {5, "0"}, {7, "4.5"}}); break; // reversed
        case 9: set({{1, "2"}, {3, qmax}, {4, "0"}, {9, "1"}}); break;               // refused: Qmin 0
        case 10: set({{1, "1"}, {3, qmax}, {4, qmin}, {5, "1"}, {7, "ноль"}}); break; // refused: Pmin
        case 11: set({{1, "2"}, {3, qmax}, {4, qmin}, {9, "3"}, {18, "gerg91"}, {19, "-10"}, {20, "25"}}); break;
        case 12: // the strict choice with complexes outside their range: lines without an optimal row
            set({{1, "1"}, {3, "100"}, {4, "10"}, {5, "0"}, {7, "4.5"}, {21, "1"}});
            break;
        default: set({{1, "4"}, {3, "1000"}, {4, "500"}, {9, "2"}}); break; // nothing fits
        }
        rows.push_back(f);
    }
    return rows;
}

// A field written for a CSV text with `separator`: quoted when it holds the
// separator, a quote or a line break.
inline QString FieldFor(const QString &text, QChar separator)
{
    if (!text.contains(separator) && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

// The header and the rows as a CSV text.
inline QString TableText(const QStringList &header, const TableRows &rows, QChar separator = u';',
                         const QString &lineEnd = QStringLiteral("\n"))
{
    QString text;
    const auto line = [&](const QStringList &fields) {
        QStringList written;
        for (const QString &field : fields)
            written << FieldFor(field, separator);
        text += written.join(separator) + lineEnd;
    };
    line(header);
    for (const QStringList &row : rows)
        line(row);
    return text;
}
