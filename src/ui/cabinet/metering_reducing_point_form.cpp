#include "ui/cabinet/metering_reducing_point_form.h"

TForm5::TForm5(AppState &state)
    : ReducingFormBase(state, QStringLiteral("TForm5"), CabinetKind::MeteringReducing, 241)
{
}
