#include "ui/pressure/unit_combo_box.h"

#include "core/pressure/pressure_units.h"

UnitComboBox::UnitComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    addItems(PressureUnitTexts());
    setCurrentIndex(-1);
}
