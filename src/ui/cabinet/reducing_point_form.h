#pragma once

#include "ui/cabinet/reducing_form_base.h"

// The input form of a cabinet pressure-reducing point ("ЛЕМА"): variant, side and
// gauges, the inlet and outlet pressures and the flow range on one window.
class TForm4 : public ReducingFormBase {
    Q_OBJECT
public:
    explicit TForm4(AppState &state);
};
