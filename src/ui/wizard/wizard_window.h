#pragma once

#include "ui/wizard/lazy_layout.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

struct AppState;
class QCloseEvent;
class QShowEvent;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class UnitComboBox;

// The size of the three small input dialogs (flow range, pressure range, working
// pressure) and the place of their bottom row.
namespace InputDialogGeometry {
inline constexpr QSize Size(313, 207);
inline constexpr QRect Back(72, 176, 75, 25);
inline constexpr QRect Next(152, 176, 75, 25);
inline constexpr QRect Exit(232, 176, 75, 25);
} // namespace InputDialogGeometry

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

// Sets an edit's text only when it differs, so an unchanged entry keeps its
// cursor and undo history.
void SetTextIfChanged(QLineEdit *edit, const QString &text);

// Base of every top-level window except the main and results windows: a fixed-size,
// non-modal window with only a close button, a yellow background and the 11-pixel
// dialog font. It reads the program state; what the user asks for leaves it as a
// signal, and the selection flow decides where that leads.
class WizardWindow : public QWidget {
    Q_OBJECT
public:
    WizardWindow(AppState &state, const QString &className, const QString &caption,
                 QSize clientSize);

    // Runs the layout steps that measure text, if they have not run yet; the
    // first show does it.
    void ensureLaidOut();

signals:
    void backRequested();  // "Назад"
    void nextAccepted();   // "Далее" with the window's own input accepted
    void exitRequested();  // "Выход"
    void closing();        // the window is being closed

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

    // A layout step that measures text, run at the first show.
    void layOutLater(std::function<void()> step) { layout_.later(std::move(step)); }

    // The bottom row of an input window: "Назад", "Далее" and "Выход" as BitBtn1,
    // BitBtn2 and BitBtn3, by default where the small input dialogs have them.
    void makeButtonRow(QPushButton *&back, QPushButton *&next, QPushButton *&exit,
                       const QRect &backPlace = InputDialogGeometry::Back,
                       const QRect &nextPlace = InputDialogGeometry::Next,
                       const QRect &exitPlace = InputDialogGeometry::Exit);

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

private:
    LazyLayout layout_;
};

