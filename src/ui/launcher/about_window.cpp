#include "ui/launcher/about_window.h"

#include "ui/launcher/pictures.h"
#include "ui/wizard/navigation.h"

#include <QLabel>

#include <algorithm>

TForm6::TForm6(AppState &state)
    : WizardWindow(state, QStringLiteral("TForm6"), QStringLiteral("О программе"),
                   QSize(466, 368))
{
    Look::Paint(this, Qt::white);

    QFont script(QStringLiteral("Monotype Corsiva"));
    script.setPixelSize(24);
    script.setItalic(true);
    const QColor maroon(128, 0, 0);

    struct Line {
        QLabel **member;
        const char *name;
        QString text;
        int left;
        int top;
    };
    const Line lines[] = {
        {&StaticText1, "StaticText1", QStringLiteral("Определение типоразмера счетчиков"), 8, 0},
        {&StaticText2, "StaticText2", QStringLiteral("и измерительных комплексов учета газа"), 88, 32},
        {&StaticText3, "StaticText3", QStringLiteral("Программа служит для автоматического подбора типоразмера счетчиков газа и "), 32, 72},
        {&StaticText4, "StaticText4", QStringLiteral("измерительных комплексов коммерческого учета газа, выпускаемых предприятием"), 8, 87},
        {&StaticText5, "StaticText5", Maker::CompanyName(), 8, 102},
        {&StaticText6, "StaticText6", QStringLiteral("Для правильного подбора необходимо правильно ввести исходные данные:"), 32, 120},
        {&StaticText7, "StaticText7", QStringLiteral("- диапазон расхода газа при нормальных условиях"), 56, 135},
        {&StaticText8, "StaticText8", QStringLiteral("(при температуре 20 С и давлении 1 атм);"), 160, 150},
        {&StaticText9, "StaticText9", QStringLiteral("- диапазон избыточного давления в трубопроводе."), 56, 165},
        {&StaticText10, "StaticText10", QStringLiteral("Внимание! Результаты подбора не являются однозначными, они определяют лишь "), 32, 183},
        {&StaticText11, "StaticText11", QStringLiteral("оптимальный вариант."), 8, 198},
        {&StaticText12, "StaticText12", QStringLiteral("В случае затруднений звоните по указанным телефонам."), 32, 216},
        {&StaticText13, "StaticText13", QStringLiteral("Автор: И. И. Иванов, инженер-программист"), 8, 248},
        {&Label1, "Label1", QStringLiteral("Версия 3.1."), 8, 272},
        {&StaticText14, "StaticText14", QString(), 424, 272},
    };
    for (const Line &line : lines) {
        *line.member = makeLabel(QString::fromLatin1(line.name), line.text, line.left, line.top);
    }
    for (QLabel *title : {StaticText1, StaticText2})
        title->setFont(script);
    for (QLabel *warning : {StaticText10, StaticText11}) {
        QPalette wp = warning->palette();
        wp.setColor(QPalette::WindowText, maroon);
        warning->setPalette(wp);
    }

    // The lines keep their places; the window grows to the right when the fonts at
    // hand (a script typeface may be missing) make a line longer than designed.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    layOutLater([this] {
        int width = 466;
        for (QLabel *line : findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly))
            if (line != Image1)
                width = std::max(width, line->geometry().right() + 1 + 8);
        setFixedSize(width, 368);
        Image1->setGeometry(0, 288, width - 1, 75);
        Image1->setPixmap(MakerLogo(QSize(337, 72)));
        // Where it first stands: the middle of the screen.
        CentreOnScreen(this);
    });
}
