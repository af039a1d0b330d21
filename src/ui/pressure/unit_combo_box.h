#pragma once

#include <QComboBox>

// A pressure unit list: the ten units in their fixed order, pick-only (a typed unit
// that matched no item would silently count as bar). Index -1 means no selection,
// which counts as bar.
class UnitComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit UnitComboBox(QWidget *parent = nullptr);
};
