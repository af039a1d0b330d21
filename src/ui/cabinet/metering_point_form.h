#pragma once

#include "ui/cabinet/cabinet_form.h"

// The input form of a cabinet metering point ("ТИВ"): variant, side, gauges and
// bypass, the inlet pressure range and the flow range on one window.
class TForm3 : public CabinetForm {
    Q_OBJECT
public:
    explicit TForm3(AppState &state);

    // Bypass group (caption Label4).
    QRadioButton *RadioButton9 = nullptr, *RadioButton10 = nullptr; // with, without

protected:
    int bypassChoice() const override;
};
