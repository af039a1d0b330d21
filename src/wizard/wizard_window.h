#pragma once

#include <QString>
#include <QWidget>

struct AppState;
class WindowSet;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class UnitComboBox;

// Base of every top-level window except the main and results windows: a fixed-size,
// non-modal window with only a close button, a yellow background and the 11-pixel
// dialog font, that knows the program state and the other windows.
class WizardWindow : public QWidget {
    Q_OBJECT
public:
    WizardWindow(AppState &state, WindowSet &windows, const QString &className,
                 const QString &caption, QSize clientSize);

protected:
    // A label with the given caption at (left, top) of `parent` (the window if null).
    QLabel *makeLabel(const QString &name, const QString &caption, int left, int top,
                      QWidget *parent = nullptr);
    // A label at (left, top) that ends no further right than the inner edge of the
    // bevel's choices (x 297): in a font wider than the design's it starts further
    // left rather than running past the bevel.
    QLabel *makeLabelInsideBevel(const QString &name, const QString &caption, int left, int top);
    // A push button with autoDefault and default off at the given place.
    QPushButton *makeButton(const QString &name, const QString &caption, const QRect &geometry,
                            QWidget *parent = nullptr);
    // An edit box and a pressure unit list at the given place.
    QLineEdit *makeEdit(const QString &name, const QRect &geometry, QWidget *parent = nullptr);
    UnitComboBox *makeUnitList(const QString &name, const QRect &geometry, QWidget *parent = nullptr);
    // The sunken frame `Bevel1` at 8, 8, 297 x 161 that the small dialogs share.
    QFrame *makeBevel();

    AppState &state_;
    WindowSet &windows_;
};

// Fonts and colours shared by the windows.
namespace Look {
QFont DialogFont();            // the 11-pixel dialog font
QFont CaptionFont(bool bold);  // the 13-pixel caption font
QColor Yellow();
// Fills `widget` with `colour` behind its children.
void Paint(QWidget *widget, const QColor &colour);
// A raised white panel at the given place.
QFrame *WhitePanel(QWidget *parent, const QString &name, const QRect &geometry);
} // namespace Look
