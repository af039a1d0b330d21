#pragma once

#include "core/input/input_field.h"

#include <QString>

// The flow range at standard conditions as the flow-range step reads it.
struct FlowRangeReading {
    double qmax = 0;
    double qmin = 0;
    bool valid = false;     // both read and both above 0
    InputField failed = InputField::None;
    bool exchanged = false; // the range was put in order
    QString qmaxText;       // the texts to show back (rewritten when exchanged)
    QString qminText;
};

// Reads Qmax, then Qmin, from their texts. A text that does not read leaves its
// value as it was (`previousQmax`, `previousQmin`), and Qmin is not read after a
// failed Qmax. Whatever the reading gave, the range is then put in order and, when
// the two change places, both texts are rewritten by the writing rule. The texts
// take `decimalSeparator` (null: the desktop's).
FlowRangeReading ReadFlowRange(const QString &qmaxText, const QString &qminText,
                               double previousQmax, double previousQmin, QChar decimalSeparator = QChar());
