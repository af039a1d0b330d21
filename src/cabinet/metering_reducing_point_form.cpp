#include "cabinet/metering_reducing_point_form.h"

TForm5::TForm5(AppState &state, WindowSet &windows)
    : ReducingFormBase(state, windows, QStringLiteral("TForm5"), CabinetKind::MeteringReducing,
                       QStringLiteral("ОРНИК"), 241)
{
}
