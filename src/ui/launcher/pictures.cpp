#include "ui/launcher/pictures.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace Maker {
QString WebAddress() { return QStringLiteral("https://www.example.com"); }
QString MailAddress() { return QStringLiteral("info@example.com"); }
QString CompanyName() { return QStringLiteral("АО «Газометрика»."); }
} // namespace Maker

namespace {

const QColor kBlue(20, 60, 140);
const QColor kSteel(150, 160, 175);
const QColor kFlame(235, 120, 20);

// A blue flame, the mark of the maker.
void DrawFlame(QPainter &p, const QRectF &box)
{
    QPainterPath flame;
    const qreal w = box.width();
    const qreal h = box.height();
    flame.moveTo(box.left() + w * 0.5, box.top());
    flame.cubicTo(box.left() + w * 0.95, box.top() + h * 0.45, box.left() + w * 0.95,
                  box.bottom(), box.left() + w * 0.5, box.bottom());
    flame.cubicTo(box.left() + w * 0.05, box.bottom(), box.left() + w * 0.05,
                  box.top() + h * 0.45, box.left() + w * 0.5, box.top());
    QLinearGradient grad(box.topLeft(), box.bottomLeft());
    grad.setColorAt(0, kFlame);
    grad.setColorAt(1, kBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(grad);
    p.drawPath(flame);
}

// A meter body with a counter window.
void DrawMeter(QPainter &p, const QRectF &body, int digits)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(kSteel);
    p.drawRoundedRect(body, 6, 6);
    const QRectF counter(body.left() + body.width() * 0.15, body.top() + body.height() * 0.2,
                         body.width() * 0.7, body.height() * 0.25);
    p.setBrush(Qt::white);
    p.drawRect(counter);
    QFont font;
    font.setPixelSize(int(counter.height() * 0.8));
    font.setBold(true);
    const QString text(digits, QLatin1Char('0'));
    // Smaller where the font's digits would not fit the window.
    const qreal room = counter.width() - 4;
    const qreal textWidth = QFontMetricsF(font).horizontalAdvance(text);
    if (textWidth > room)
        font.setPixelSize(std::max(1, int(font.pixelSize() * room / textWidth)));
    p.setFont(font);
    p.drawText(counter, Qt::AlignCenter, text);
}

// Pipe stubs left and right of a body.
void DrawPipes(QPainter &p, const QRectF &body, qreal y)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(90, 90, 90));
    p.drawRect(QRectF(body.left() - 14, y - 6, 14, 12));
    p.drawRect(QRectF(body.right(), y - 6, 14, 12));
}

// A corrector: a small electronic box with a display.
void DrawCorrector(QPainter &p, const QRectF &box, bool withPressure)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(230, 230, 240));
    p.drawRect(box);
    p.setBrush(QColor(120, 200, 120));
    p.drawRect(box.adjusted(4, 4, -4, -box.height() * 0.5));
    if (withPressure) {
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(box.center().x() - 6, box.bottom() - 16, 12, 12));
    }
}

void DrawTurbine(QPainter &p, const QRectF &box)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(kSteel);
    p.drawEllipse(box);
    p.setBrush(kBlue);
    const QPointF c = box.center();
    for (int i = 0; i < 6; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 60.0);
        p.drawEllipse(QRectF(-4, -box.height() * 0.45, 8, box.height() * 0.4));
        p.restore();
    }
}

void DrawCabinet(QPainter &p, const QRectF &box)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(200, 205, 210));
    p.drawRect(box);
    p.drawLine(QPointF(box.center().x(), box.top()), QPointF(box.center().x(), box.bottom()));
    p.setBrush(kFlame);
    p.drawRect(QRectF(box.center().x() - 10, box.center().y() - 3, 6, 6));
    p.drawRect(QRectF(box.center().x() + 4, box.center().y() - 3, 6, 6));
    QPolygonF roof;
    roof << QPointF(box.left() - 4, box.top()) << QPointF(box.center().x(), box.top() - 12)
         << QPointF(box.right() + 4, box.top());
    p.setBrush(kBlue);
    p.drawPolygon(roof);
}

} // namespace

QPixmap MakerLogo(const QSize &size)
{
    QPixmap pix(size);
    pix.fill(Qt::white);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal h = size.height();
    DrawFlame(p, QRectF(4, 4, h * 0.6, h - 8));
    QFont font;
    font.setPixelSize(int(h * 0.42));
    font.setBold(true);
    p.setFont(font);
    p.setPen(kBlue);
    p.drawText(QRectF(h * 0.75, 0, size.width() - h * 0.75, h * 0.62), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("ГАЗОМЕТРИКА"));
    font.setPixelSize(int(h * 0.2));
    font.setBold(false);
    p.setFont(font);
    p.setPen(Qt::darkGray);
    p.drawText(QRectF(h * 0.75, h * 0.6, size.width() - h * 0.75, h * 0.35),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("приборы учета газа"));
    return pix;
}

QPixmap CategoryPicture(int mode, const QSize &size)
{
    QPixmap pix(size);
    pix.fill(Qt::white);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size.width() / 105.0, size.height() / 105.0);
    const QRectF body(22, 40, 61, 50);
    switch (mode) {
    case 1:
        DrawPipes(p, body, 78);
        DrawMeter(p, body, 5);
        DrawCorrector(p, QRectF(32, 6, 40, 32), true);
        break;
    case 2:
        DrawPipes(p, body, 78);
        DrawMeter(p, body, 5);
        DrawCorrector(p, QRectF(32, 6, 40, 32), false);
        break;
    case 3:
        DrawPipes(p, QRectF(20, 20, 65, 65), 52);
        DrawTurbine(p, QRectF(20, 20, 65, 65));
        break;
    case 4:
        DrawMeter(p, QRectF(25, 15, 55, 75), 4);
        break;
    default:
        DrawCabinet(p, QRectF(20, 25, 65, 70));
        break;
    }
    return pix;
}
