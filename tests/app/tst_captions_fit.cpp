// Every caption of every window can be read whole in the font at hand: no label,
// check box or radio button is cut by its own size or by the edge of its panel.

#include "core/state/app_state.h"
#include "app/window_set.h"
#include "ui/launcher/about_window.h"
#include "ui/launcher/main_window.h"
#include "ui/cabinet/metering_point_form.h"
#include "ui/cabinet/metering_reducing_point_form.h"
#include "ui/cabinet/reducing_point_form.h"
#include "ui/pressure/pressure_range_dialog.h"
#include "ui/results/results_window.h"
#include "ui/pressure/working_pressure_dialog.h"
#include "ui/wizard/cabinet_choice_dialog.h"
#include "ui/wizard/complex_choice_dialog.h"
#include "ui/wizard/flow_range_dialog.h"
#include "ui/wizard/meter_choice_dialog.h"
#include "ui/wizard/utility_choice_dialog.h"

#include "ui_test_support.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <memory>

Q_DECLARE_METATYPE(QWidget *)

namespace {
// Why `widget` does not show its whole text, or an empty string when it does.
QString Clipping(const QWidget *widget)
{
    const QSize hint = widget->sizeHint();
    const auto *label = qobject_cast<const QLabel *>(widget);
    if (label && label->wordWrap()) {
        if (widget->height() < label->heightForWidth(widget->width()))
            return QStringLiteral("too low for its wrapped lines");
    } else if (widget->width() < hint.width()) {
        return QStringLiteral("%1 px wide, needs %2").arg(widget->width()).arg(hint.width());
    }
    const QWidget *parent = widget->parentWidget();
    if (widget->geometry().right() >= parent->width())
        return QStringLiteral("right edge %1 past its parent's width %2")
            .arg(widget->geometry().right())
            .arg(parent->width());
    return QString();
}

QString Text(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    return QString();
}
} // namespace

class TestCaptionsFit : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppState> state;
    std::unique_ptr<WindowSet> windows;

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        state = std::make_unique<AppState>();
        windows = std::make_unique<WindowSet>(*state);
    }

    void cleanupTestCase()
    {
        windows.reset();
        state.reset();
    }

    void captions_data()
    {
        QTest::addColumn<QWidget *>("window");
        const QList<QWidget *> all = {
            windows->Form1.get(), windows->Form2.get(), windows->Dlg2.get(), windows->Dlg1.get(),
            windows->Dlg.get(),   windows->Dlg3.get(),  windows->Dlg4.get(), windows->Dlg5.get(),
            windows->Dlg6.get(),  windows->Form3.get(), windows->Form4.get(), windows->Form5.get(),
            windows->Form6.get()};
        for (QWidget *window : all)
            QTest::newRow(qPrintable(window->objectName())) << window;
    }

    void captions()
    {
        QFETCH(QWidget *, window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QStringList cut;
        QList<QWidget *> captions;
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            const bool caption = qobject_cast<QLabel *>(widget) || qobject_cast<QCheckBox *>(widget)
                || qobject_cast<QRadioButton *>(widget);
            if (!caption || Text(widget).isEmpty() || !widget->isVisibleTo(window))
                continue;
            const QString why = Clipping(widget);
            if (!why.isEmpty())
                cut << widget->objectName() + QStringLiteral(" \"") + Text(widget) + QStringLiteral("\": ") + why;
            captions << widget;
        }
        // Nor does one caption's text run into the next one on its line.
        for (int i = 0; i < captions.size(); ++i) {
            for (int j = i + 1; j < captions.size(); ++j) {
                QWidget *a = captions[i];
                QWidget *b = captions[j];
                const int lineGap = std::abs(a->geometry().center().y() - b->geometry().center().y());
                if (a->parentWidget() != b->parentWidget() || lineGap > 6)
                    continue;
                const QRect textA(a->pos(), QSize(std::min(a->width(), a->sizeHint().width()), a->height()));
                const QRect textB(b->pos(), QSize(std::min(b->width(), b->sizeHint().width()), b->height()));
                if (textA.intersects(textB))
                    cut << a->objectName() + QStringLiteral(" runs into ") + b->objectName();
            }
        }
        window->hide();
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("\n"))));
    }
};

QTEST_MAIN(TestCaptionsFit)
#include "tst_captions_fit.moc"
