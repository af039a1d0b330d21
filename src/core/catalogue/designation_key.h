#pragma once

#include <QString>

// A designation as a price list is matched by it: blanks trimmed and runs of them made
// one, letters in one case, and the Latin letters that look like Cyrillic ones (A, B,
// C, E, H, K, M, O, P, T, X, Y) taken for them, so that "ВЕЛОНВз-P" typed with a Latin
// P finds "ВЕЛОНВз-Р".
QString DesignationKey(const QString &designation);
