#include "core/selection/selection_modes.h"

#include "core/pressure/pressure_units.h"

QString CategoryCaption(int mode)
{
    switch (mode) {
    case 1:
        return QStringLiteral("Измерительные комплексы учета газа ВЕЛОН (с коррекцией по температуре и давлению)");
    case 2:
        return QStringLiteral("Измерительные комплексы учета газа МАРИН (с коррекцией по температуре)");
    case 3:
        return QStringLiteral("Промышленные счетчики газа ЗЕТ-16(75)М(МТ), KEL, ZAM");
    case 4:
        return QStringLiteral("Коммунальные счетчики газа серии НМ и НМ-Т");
    case 5:
        return QStringLiteral("Шкафные пункты учета газа ТИВ, ЛЕМА, ОРНИК");
    default:
        return QString();
    }
}

QStringList FamilyCaptions(int mode)
{
    switch (mode) {
    case 1:
    case 2: {
        const QString base = QStringLiteral("Измерительный комплекс на базе ");
        return {base + QStringLiteral("ротационного счетчика ZAM"),
                base + QStringLiteral("турбинного счетчика ЗЕТ-16(75)М(МТ)"),
                base + QStringLiteral("турбинного счетчика KEL")};
    }
    case 3:
        return {QStringLiteral("Ротационный счетчик газа ZAM"),
                QStringLiteral("Турбинный счетчик ЗЕТ-16(75)М(МТ)"),
                QStringLiteral("Турбинный счетчик KEL")};
    case 4:
        return {QStringLiteral("Коммунальный счетчик газа серии НМ без термокомпенсации"),
                QStringLiteral("Коммунальный счетчик газа серии НМ Т с термокомпенсацией")};
    default:
        return {};
    }
}

QStringList ChosenFamilyCaptions(int mode, const FamilyGates &gates)
{
    const QStringList all = FamilyCaptions(mode);
    QStringList chosen;
    for (qsizetype i = 0; i < all.size() && i < qsizetype(gates.size()); ++i) {
        if (gates[static_cast<std::size_t>(i)])
            chosen << all[i];
    }
    return chosen;
}

bool AsksPressureRange(int mode)
{
    return mode == 1 || mode == 3;
}

bool AsksWorkingPressure(int mode)
{
    return mode == 2 || mode == 4;
}

int WorkingPressureUnitOfMode(int mode)
{
    switch (mode) {
    case 2:
        return static_cast<int>(PressureUnit::Bar);
    case 4:
        return static_cast<int>(PressureUnit::Kilopascal);
    default:
        return -1;
    }
}

int WorkingPressureUnitAfterExit()
{
    return static_cast<int>(PressureUnit::Bar);
}
