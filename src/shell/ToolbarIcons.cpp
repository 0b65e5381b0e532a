#include "shell/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 20;

void page(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(QColor(80, 90, 110), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(150, 160, 180), 1));
    for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2.5)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void draw(QPainter& p, const QString& name)
{
    p.setRenderHint(QPainter::Antialiasing);
    if (name == QLatin1String("OpenSupplier")) {
        p.setPen(QPen(QColor(150, 110, 20), 1));
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(QRectF(2.5, 5.5, 14, 11));
        p.drawRect(QRectF(2.5, 3.5, 6, 2));
        QPainterPath flap;
        flap.moveTo(5.5, 9.5);
        flap.lineTo(18.5, 9.5);
        flap.lineTo(15.5, 16.5);
        flap.lineTo(2.5, 16.5);
        flap.closeSubpath();
        p.setBrush(QColor(252, 224, 130));
        p.drawPath(flap);
    } else if (name == QLatin1String("Calculator")) {
        p.setPen(QPen(QColor(60, 60, 70), 1));
        p.setBrush(QColor(200, 205, 215));
        p.drawRoundedRect(QRectF(4.5, 1.5, 11, 17), 1.5, 1.5);
        p.setBrush(QColor(190, 230, 190));
        p.drawRect(QRectF(6.5, 3.5, 7, 3));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 60, 80));
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                p.drawRect(QRectF(6.5 + c * 2.5, 8.5 + r * 3, 1.6, 1.8));
    } else if (name == QLatin1String("Print")) {
        page(p, QRectF(5.5, 1.5, 9, 7));
        p.setPen(QPen(QColor(60, 60, 70), 1));
        p.setBrush(QColor(170, 175, 190));
        p.drawRoundedRect(QRectF(1.5, 7.5, 17, 7), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 12.5, 9, 6));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 200, 60));
        p.drawEllipse(QPointF(15.5, 9.8), 0.9, 0.9);
    } else if (name == QLatin1String("PrintPreview")) {
        page(p, QRectF(2.5, 1.5, 11, 15));
        p.setPen(QPen(QColor(50, 50, 60), 1.6));
        p.setBrush(QColor(210, 235, 255, 200));
        p.drawEllipse(QPointF(11, 11), 4, 4);
        p.drawLine(QPointF(14, 14), QPointF(18.5, 18.5));
    } else if (name == QLatin1String("CopytoMemory")) {
        page(p, QRectF(1.5, 1.5, 10, 12));
        page(p, QRectF(7.5, 6.5, 10, 12));
    } else if (name == QLatin1String("Feedback")) {
        p.setPen(QPen(QColor(70, 80, 110), 1));
        p.setBrush(QColor(255, 250, 225));
        p.drawRect(QRectF(1.5, 4.5, 17, 12));
        p.drawLine(QPointF(1.5, 4.5), QPointF(10, 11.5));
        p.drawLine(QPointF(18.5, 4.5), QPointF(10, 11.5));
    } else if (name == QLatin1String("Exit")) {
        p.setPen(QPen(QColor(90, 60, 30), 1));
        p.setBrush(QColor(170, 110, 60));
        p.drawRect(QRectF(4.5, 1.5, 10, 17));
        p.setBrush(QColor(250, 210, 80));
        p.drawEllipse(QPointF(12, 10), 1, 1);
        p.setPen(QPen(QColor(200, 30, 30), 2));
        p.drawLine(QPointF(15, 10), QPointF(19, 10));
        p.drawLine(QPointF(17, 8), QPointF(19, 10));
        p.drawLine(QPointF(17, 12), QPointF(19, 10));
    } else if (name == QLatin1String("HelpContext")) {
        p.setPen(QPen(QColor(30, 70, 160), 1));
        p.setBrush(QColor(225, 238, 255));
        p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(13);
        p.setFont(f);
        p.drawText(QRectF(1.5, 1.5, 17, 17), Qt::AlignCenter, QStringLiteral("?"));
    }
}

} // namespace

QIcon ToolbarIcon(const QString& name)
{
    static const QStringList known{"OpenSupplier", "Calculator", "Print", "PrintPreview",
                                   "CopytoMemory", "Feedback", "Exit", "HelpContext"};
    if (!known.contains(name))
        return QIcon();
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pm(kSize * scale, kSize * scale);
        pm.setDevicePixelRatio(scale);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        draw(p, name);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}
