#pragma once

#include "ui/cabinet/reducing_form_base.h"

// The input form of a cabinet metering-and-reducing point ("ОРНИК"): variant, side
// and gauges, the inlet and outlet pressures and the flow range on one window.
class TForm5 : public ReducingFormBase {
    Q_OBJECT
public:
    explicit TForm5(AppState &state);
};
