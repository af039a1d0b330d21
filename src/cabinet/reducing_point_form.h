#pragma once

#include "cabinet/reducing_form_base.h"

// The input form of a cabinet pressure-reducing point ("ЛЕМА"): variant, side and
// gauges, the inlet and outlet pressures and the flow range on one window; "Далее"
// checks them, runs the cabinet selection and shows the results window.
class TForm4 : public ReducingFormBase {
    Q_OBJECT
public:
    TForm4(AppState &state, WindowSet &windows);
};
