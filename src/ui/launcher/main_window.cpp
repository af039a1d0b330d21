#include "ui/launcher/main_window.h"

#include "ui/launcher/clickable_label.h"
#include "ui/launcher/pictures.h"
#include "ui/wizard/enter_key_rule.h"
#include "ui/wizard/wizard_window.h"
#include "ui/project/project_menu.h"
#include "ui/catalogue/price_list_menu.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFrame>
#include <QMenuBar>
#include <QPushButton>
#include <QUrl>

namespace {
constexpr int kPictureSide = 105;
} // namespace

TForm1::TForm1()
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                               | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Определение типоразмера счетчиков и измерительных комплексов учета газа"));
    setFont(Look::DialogFont());

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    Look::Paint(central, Look::Yellow());
    central->setFixedSize(711, 460);
    setCentralWidget(central);

    buildContactPanel(central);

    Panel2 = buildCategoryPanel(central, QStringLiteral("Panel2"), QRect(5, 80, 348, 121), 1, Image2);
    Label1 = addCaption(Panel2, QStringLiteral("Label1"), QStringLiteral("Измерительные комплексы"), 24, true, 13);
    Label2 = addCaption(Panel2, QStringLiteral("Label2"), QStringLiteral("учета газа ВЕЛОН"), 42, true, 13);
    Label7 = addCaption(Panel2, QStringLiteral("Label7"), QStringLiteral("(с коррекцией по температуре и давлению)"), 66, false, 11);

    Panel3 = buildCategoryPanel(central, QStringLiteral("Panel3"), QRect(358, 80, 348, 121), 2, Image3);
    Label8 = addCaption(Panel3, QStringLiteral("Label8"), QStringLiteral("Измерительные комплексы"), 24, true, 13);
    Label9 = addCaption(Panel3, QStringLiteral("Label9"), QStringLiteral("учета газа МАРИН"), 42, true, 13);
    Label10 = addCaption(Panel3, QStringLiteral("Label10"), QStringLiteral("(с коррекцией по температуре)"), 66, false, 11);

    Panel4 = buildCategoryPanel(central, QStringLiteral("Panel4"), QRect(5, 206, 348, 121), 3, Image4);
    Label11 = addCaption(Panel4, QStringLiteral("Label11"), QStringLiteral("Промышленные"), 24, true, 13);
    Label12 = addCaption(Panel4, QStringLiteral("Label12"), QStringLiteral("счетчики газа"), 42, true, 13);
    Label13 = addCaption(Panel4, QStringLiteral("Label13"), QStringLiteral("ЗЕТ-16(75)М(МТ), KEL, ZAM"), 60, true, 13);

    Panel5 = buildCategoryPanel(central, QStringLiteral("Panel5"), QRect(358, 206, 348, 121), 4, Image5);
    Label14 = addCaption(Panel5, QStringLiteral("Label14"), QStringLiteral("Коммунальные"), 24, true, 13);
    Label15 = addCaption(Panel5, QStringLiteral("Label15"), QStringLiteral("счетчики газа"), 42, true, 13);
    Label16 = addCaption(Panel5, QStringLiteral("Label16"), QStringLiteral("серии НМ и НМ-Т"), 60, true, 13);

    Panel6 = buildCategoryPanel(central, QStringLiteral("Panel6"), QRect(5, 332, 348, 121), 5, Image6);
    Label17 = addCaption(Panel6, QStringLiteral("Label17"), QStringLiteral("Шкафные пункты"), 24, true, 13);
    Label18 = addCaption(Panel6, QStringLiteral("Label18"), QStringLiteral("учета газа"), 42, true, 13);
    Label19 = addCaption(Panel6, QStringLiteral("Label19"), QStringLiteral("ТИВ, ЛЕМА, ОРНИК"), 60, true, 13);

    // Pictures and links are reachable from the keyboard in reading order.
    Image2->setAccessibleName(Label1->text() + u' ' + Label2->text() + u' ' + Label7->text());
    Image3->setAccessibleName(Label8->text() + u' ' + Label9->text() + u' ' + Label10->text());
    Image4->setAccessibleName(Label11->text() + u' ' + Label12->text() + u' ' + Label13->text());
    Image5->setAccessibleName(Label14->text() + u' ' + Label15->text() + u' ' + Label16->text());
    Image6->setAccessibleName(Label17->text() + u' ' + Label18->text() + u' ' + Label19->text());

    connect(Image2, &ClickableLabel::clicked, this, &TForm1::Image2Click);
    connect(Image3, &ClickableLabel::clicked, this, &TForm1::Image3Click);
    connect(Image4, &ClickableLabel::clicked, this, &TForm1::Image4Click);
    connect(Image5, &ClickableLabel::clicked, this, &TForm1::Image5Click);
    connect(Image6, &ClickableLabel::clicked, this, &TForm1::Image6Click);

    Label88 = new QLabel(QStringLiteral("Электронный адрес:"), central);
    Label88->setObjectName(QStringLiteral("Label88"));
    Label88->setFont(Look::CaptionFont(false));
    Label88->move(360, 357);
    Label88->adjustSize();

    QFont linkFont = Look::CaptionFont(false);
    linkFont.setUnderline(true);
    Label308 = new ClickableLabel(central);
    Label308->setObjectName(QStringLiteral("Label308"));
    Label308->setText(QUrl(Maker::WebAddress()).host());
    Label308->setFont(linkFont);
    Label308->move(504, 357);
    Label308->adjustSize();
    connect(Label308, &ClickableLabel::clicked, this, &TForm1::Label308Click);

    Label309 = new ClickableLabel(central);
    Label309->setObjectName(QStringLiteral("Label309"));
    Label309->setText(QStringLiteral("E-mail: ") + Maker::MailAddress());
    Label309->setFont(linkFont);
    Label309->move(504, 381);
    Label309->adjustSize();
    connect(Label309, &ClickableLabel::clicked, this, &TForm1::Label309Click);
    Label308->setAccessibleName(QStringLiteral("Сайт: ") + Label308->text());
    Label309->setAccessibleName(Label309->text());

    Button1 = new QPushButton(QStringLiteral("Выход"), central);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    Button1->setDefault(false);
    Button1->setGeometry(624, 424, 75, 25);
    InstallEnterPress(Button1);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);

    setTabOrder(Image2, Image3);
    setTabOrder(Image3, Image4);
    setTabOrder(Image4, Image5);
    setTabOrder(Image5, Image6);
    setTabOrder(Image6, Label308);
    setTabOrder(Label308, Label309);
    setTabOrder(Label309, Button1);

    buildMenu();
    setFixedSize(sizeHint());
}

void TForm1::buildContactPanel(QWidget *central)
{
    Panel1 = Look::WhitePanel(central, QStringLiteral("Panel1"), QRect(5, 3, 701, 73));
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 0, 337, 72);
    Image1->setPixmap(MakerLogo(QSize(337, 72)));
    const QStringList lines = {
        QStringLiteral("620000, г. Екатеринбург, ул. Примерная, д. 1"),
        QStringLiteral("Тел.: (343) 000-00-00, 000-00-01; факс: (343) 000-00-02"),
        QStringLiteral("ИНН 0000000000, КПП 000000000"),
        QStringLiteral("ОГРН 0000000000000"),
    };
    QLabel **labels[] = {&Label3, &Label4, &Label5, &Label6};
    for (int i = 0; i < 4; ++i) {
        QLabel *label = new QLabel(lines[i], Panel1);
        label->setObjectName(QStringLiteral("Label%1").arg(3 + i));
        label->move(376, 8 + 16 * i);
        label->adjustSize();
        *labels[i] = label;
    }
}

QFrame *TForm1::buildCategoryPanel(QWidget *central, const QString &name, const QRect &geometry,
                                   int mode, ClickableLabel *&image)
{
    QFrame *panel = Look::WhitePanel(central, name, geometry);
    image = new ClickableLabel(panel);
    image->setObjectName(QStringLiteral("Image%1").arg(mode + 1));
    image->setGeometry(8, 8, kPictureSide, kPictureSide);
    image->setAlignment(Qt::AlignCenter);
    image->setPixmap(CategoryPicture(mode, QSize(kPictureSide, kPictureSide)));
    return panel;
}

QLabel *TForm1::addCaption(QFrame *panel, const QString &name, const QString &text, int top,
                           bool bold, int pixelSize)
{
    auto *label = new QLabel(text, panel);
    label->setObjectName(name);
    QFont font = Look::DialogFont();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    label->move(124, top);
    label->adjustSize();
    // A caption wider than the room beside the picture (fonts differ from desktop
    // to desktop) goes on in a second line instead of running off the panel.
    const int room = panel->width() - label->x() - 6;
    if (label->width() > room) {
        label->setWordWrap(true);
        label->setGeometry(label->x(), top, room, label->heightForWidth(room));
    }
    return label;
}

void TForm1::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    N1 = bar->addMenu(QStringLiteral("Действия"));
    N1->setObjectName(QStringLiteral("N1"));
    N2 = N1->addMenu(QStringLiteral("Перейти к"));
    N2->setObjectName(QStringLiteral("N2"));

    auto entry = [this](QMenu *menu, const QString &name, const QString &text, void (TForm1::*slot)()) {
        QAction *action = menu->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    N5 = entry(N2, QStringLiteral("N5"), QStringLiteral("ВЕЛОН (коррекция по температуре и давлению)"), &TForm1::N5Click);
    N6 = entry(N2, QStringLiteral("N6"), QStringLiteral("МАРИН (коррекция по температуре)"), &TForm1::N6Click);
    N9 = entry(N2, QStringLiteral("N9"), QStringLiteral("Счетчики газа ZAM, ЗЕТ, KEL"), &TForm1::N9Click);
    N7 = entry(N2, QStringLiteral("N7"), QStringLiteral("Коммунальные счетчики газа"), &TForm1::N7Click);
    N8 = entry(N2, QStringLiteral("N8"), QStringLiteral("Шкафные пункты учета газа"), &TForm1::N8Click);
    ConditionsAction = N1->addAction(QStringLiteral("Условия расчёта..."));
    ConditionsAction->setObjectName(QStringLiteral("ConditionsAction"));
    connect(ConditionsAction, &QAction::triggered, this, &TForm1::conditionsRequested);
    N4 = entry(N1, QStringLiteral("N4"), QStringLiteral("Выход"), &TForm1::N4Click);

    const ProjectMenuActions project = AddProjectMenu(bar, false);
    ProjectMenu = project.menu;
    ProjectShowAction = project.show;
    ProjectNewAction = project.newProject;
    ProjectOpenAction = project.open;
    ProjectSaveAction = project.save;
    ProjectSaveAsAction = project.saveAs;
    ProjectReportMenu = project.reportMenu;
    ProjectPricingAction = project.pricing;
    ProjectReportPreviewAction = project.reportPreview;
    ProjectReportPrintAction = project.reportPrint;
    ProjectReportPdfAction = project.reportPdf;
    ProjectReportXlsxAction = project.reportXlsx;

    const PriceListMenuActions priceList = AddPriceListMenu(bar);
    PriceListMenu = priceList.menu;
    PriceListLoadAction = priceList.load;
    PriceListBuiltInAction = priceList.builtIn;
    CatalogueAction = priceList.catalogue;

    N3 = bar->addAction(QStringLiteral("?"));
    N3->setObjectName(QStringLiteral("N3"));
    connect(N3, &QAction::triggered, this, &TForm1::N3Click);
}

void TForm1::Image2Click() { emit launchRequested(1); }
void TForm1::Image3Click() { emit launchRequested(2); }
void TForm1::Image4Click() { emit launchRequested(3); }
void TForm1::Image5Click() { emit launchRequested(4); }
void TForm1::Image6Click() { emit launchRequested(5); }
void TForm1::N5Click() { emit launchRequested(1); }
void TForm1::N6Click() { emit launchRequested(2); }
void TForm1::N9Click() { emit launchRequested(3); }
void TForm1::N7Click() { emit launchRequested(4); }
void TForm1::N8Click() { emit launchRequested(5); }

void TForm1::Button1Click() { close(); }
void TForm1::N4Click() { close(); }

void TForm1::N3Click()
{
    emit aboutRequested();
}

void TForm1::Label308Click()
{
    QDesktopServices::openUrl(QUrl(Maker::WebAddress()));
}

void TForm1::Label309Click()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + Maker::MailAddress()));
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (closeGuard && !closeGuard()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}
