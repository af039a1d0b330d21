#include "ui/cabinet/reducing_point_form.h"

TForm4::TForm4(AppState &state)
    : ReducingFormBase(state, QStringLiteral("TForm4"), CabinetKind::Reducing, 244)
{
}
