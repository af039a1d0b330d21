#pragma once

#include "cabinet/reducing_form_base.h"

// The input form of a cabinet metering-and-reducing point ("ОРНИК"): variant, side
// and gauges, the inlet and outlet pressures and the flow range on one window;
// "Далее" checks them, runs the cabinet selection and shows the results window.
class TForm5 : public ReducingFormBase {
    Q_OBJECT
public:
    TForm5(AppState &state, WindowSet &windows);
};
