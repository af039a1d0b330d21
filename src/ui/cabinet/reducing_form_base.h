#pragma once

#include "ui/cabinet/cabinet_form.h"

// The layout the reducing point and the metering-and-reducing point share: variant,
// side and gauges, the inlet pressure range, the outlet pressure (asked for but
// never read) and the flow range. They differ only in the product word and the
// width of the side panel.
class ReducingFormBase : public CabinetForm {
    Q_OBJECT
public:
    // Outlet pressure (caption Label4).
    QLineEdit *Edit5 = nullptr;
    UnitComboBox *ComboBox3 = nullptr;

protected:
    ReducingFormBase(AppState &state, const QString &className, CabinetKind kind,
                     int sidePanelWidth);

    void resetOwnControls() override;
    PressureEntry outletPressure() const override;
};
