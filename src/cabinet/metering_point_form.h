#pragma once

#include "cabinet/cabinet_form.h"

// The input form of a cabinet metering point ("ТИВ"): variant, side, gauges and
// bypass, the inlet pressure range and the flow range on one window; "Далее"
// checks them, runs the cabinet selection and shows the results window.
class TForm3 : public CabinetForm {
    Q_OBJECT
public:
    TForm3(AppState &state, WindowSet &windows);

    // Bypass group (caption Label4).
    QRadioButton *RadioButton9 = nullptr, *RadioButton10 = nullptr; // with, without

protected:
    void showResultsWindow() override;
};
