#include "cabinet/reducing_point_form.h"

TForm4::TForm4(AppState &state, WindowSet &windows)
    : ReducingFormBase(state, windows, QStringLiteral("TForm4"), CabinetKind::Reducing,
                       QStringLiteral("ЛЕМА"), 244)
{
}
