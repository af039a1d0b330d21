#pragma once

#include <memory>

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TOKBottomDlg;
class TOKBottomDlg1;
class TOKBottomDlg2;
class TOKBottomDlg3;
class TOKBottomDlg4;
class TOKBottomDlg5;
class TOKBottomDlg6;
class ConditionsDialog;

// The program's windows, one of each, in start-up order: what the window set makes
// and the selection flow connects.
struct WindowList {
    std::unique_ptr<TForm1> Form1;       // main window
    std::unique_ptr<TForm2> Form2;       // results
    std::unique_ptr<TOKBottomDlg2> Dlg2; // pressure range
    std::unique_ptr<TOKBottomDlg1> Dlg1; // flow range
    std::unique_ptr<TOKBottomDlg> Dlg;   // complex base choice
    std::unique_ptr<TOKBottomDlg3> Dlg3; // industrial meter choice
    std::unique_ptr<TOKBottomDlg4> Dlg4; // working pressure
    std::unique_ptr<TOKBottomDlg5> Dlg5; // utility meter choice
    std::unique_ptr<TOKBottomDlg6> Dlg6; // cabinet kind choice
    std::unique_ptr<TForm3> Form3;       // cabinet metering point
    std::unique_ptr<TForm4> Form4;       // cabinet reducing point
    std::unique_ptr<TForm5> Form5;       // cabinet metering-and-reducing point
    std::unique_ptr<TForm6> Form6;       // About
    std::unique_ptr<ConditionsDialog> Conditions; // "Условия расчёта"
};
