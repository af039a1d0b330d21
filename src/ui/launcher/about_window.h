#pragma once

#include "ui/wizard/wizard_window.h"

class QLabel;

// The About window: read-only text about the program and the maker's logo.
class TForm6 : public WizardWindow {
    Q_OBJECT
public:
    explicit TForm6(AppState &state);

    QLabel *StaticText1, *StaticText2, *StaticText3, *StaticText4, *StaticText5, *StaticText6,
        *StaticText7, *StaticText8, *StaticText9, *StaticText10, *StaticText11, *StaticText12,
        *StaticText13, *StaticText14;
    QLabel *Label1;
    QLabel *Image1;
};
