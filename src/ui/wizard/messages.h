#pragma once

#include "core/input/message_texts.h"

#include "core/sizing/sizing.h"

#include <vector>

class QWidget;

// Modal box titled "Warning" with the warning icon and one OK button.
void ShowWarning(QWidget *parent, const QString &text);
// Modal box titled "Error" with the critical icon and one OK button.
void ShowError(QWidget *parent, const QString &text);
// The boxes of a sizing step, one after another in their order.
void ShowMessages(QWidget *parent, const std::vector<SizingMessage> &messages);
