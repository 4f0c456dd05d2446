#include "gui/app/icons.h"

#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace corvane::gui::Icons {

namespace {

QImage Blank(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Two network nodes joined by a line with a switch arrow over it: the program
// moves a connection from one configuration to another.
void PaintEmblem(QPainter& p, const QRectF& r) {
    const qreal s = r.width();
    QLinearGradient bg(r.topLeft(), r.bottomRight());
    bg.setColorAt(0, QColor(40, 110, 200));
    bg.setColorAt(1, QColor(10, 50, 120));
    p.setPen(QPen(QColor(5, 30, 80), s / 32));
    p.setBrush(bg);
    p.drawRoundedRect(r.adjusted(s / 32, s / 32, -s / 32, -s / 32), s / 6, s / 6);

    const QPointF a(r.left() + s * 0.27, r.top() + s * 0.68);
    const QPointF b(r.left() + s * 0.73, r.top() + s * 0.68);
    p.setPen(QPen(Qt::white, s / 14, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 230, 120));
    p.drawEllipse(a, s * 0.11, s * 0.11);
    p.setBrush(QColor(255, 210, 80));
    p.drawEllipse(b, s * 0.11, s * 0.11);

    QPainterPath arc;
    arc.moveTo(r.left() + s * 0.25, r.top() + s * 0.42);
    arc.quadTo(r.left() + s * 0.5, r.top() + s * 0.12, r.left() + s * 0.72, r.top() + s * 0.38);
    p.setPen(QPen(Qt::white, s / 14, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    QPolygonF head;
    head << QPointF(r.left() + s * 0.80, r.top() + s * 0.46)
         << QPointF(r.left() + s * 0.62, r.top() + s * 0.42)
         << QPointF(r.left() + s * 0.76, r.top() + s * 0.28);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(head);
}

// A network card: a board with contacts, tinted by state.
QImage Card(const QColor& board, bool cross) {
    QImage image = Blank(16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(board.darker(160), 1));
    p.setBrush(board);
    p.drawRect(QRectF(1.5, 3.5, 13, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 180, 60));
    for (int x = 3; x < 14; x += 3)
        p.drawRect(QRectF(x, 12, 2, 2));
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(QRectF(9, 5, 4, 4));
    if (cross) {
        p.setPen(QPen(QColor(210, 20, 20), 2));
        p.drawLine(QPointF(3, 4), QPointF(8, 10));
        p.drawLine(QPointF(8, 4), QPointF(3, 10));
    }
    return image;
}

QImage Bullet() {
    QImage image = Blank(16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(QRectF(3.5, 2.5, 9, 11));
    p.setPen(QPen(QColor(90, 90, 160), 1));
    for (int y = 5; y <= 11; y += 3)
        p.drawLine(QPointF(5, y), QPointF(11, y));
    return image;
}

QImage Group() {
    QImage image = Blank(16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.setBrush(QColor(240, 200, 90));
    QPolygonF folder;
    folder << QPointF(1.5, 4.5) << QPointF(6, 4.5) << QPointF(7.5, 6) << QPointF(14.5, 6)
           << QPointF(14.5, 13.5) << QPointF(1.5, 13.5);
    p.drawPolygon(folder);
    return image;
}

QImage GlyphImage(Glyph glyph) {
    QImage image = Blank(16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    auto pen = [&](QColor c, qreal w) {
        p.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
    };
    switch (glyph) {
    case Glyph::Add:
        pen(QColor(20, 140, 40), 3);
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case Glyph::Edit:
        pen(QColor(40, 40, 40), 1);
        p.setBrush(QColor(250, 200, 60));
        p.drawPolygon(QPolygonF(
            {QPointF(3, 13), QPointF(4, 10), QPointF(11, 3), QPointF(13, 5), QPointF(6, 12)}));
        break;
    case Glyph::Delete:
        pen(QColor(200, 20, 20), 3);
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case Glyph::Ping:
        pen(QColor(20, 90, 180), 1.5);
        p.drawEllipse(QPointF(4, 12), 1.5, 1.5);
        p.drawArc(QRectF(-2, 6, 12, 12), 0, 90 * 16);
        p.drawArc(QRectF(-6, 2, 20, 20), 0, 90 * 16);
        break;
    case Glyph::Stick:
        pen(QColor(120, 20, 20), 1.5);
        p.drawLine(QPointF(8, 9), QPointF(8, 15));
        p.setBrush(QColor(220, 40, 40));
        p.drawEllipse(QPointF(8, 5), 4, 4);
        break;
    case Glyph::Setup: {
        pen(QColor(70, 70, 70), 1);
        p.setBrush(QColor(160, 160, 170));
        QPolygonF gear;
        for (int i = 0; i < 16; ++i) {
            const double angle = i * M_PI / 8;
            const double radius = (i % 2) ? 7 : 5;
            gear << QPointF(8 + radius * std::cos(angle), 8 + radius * std::sin(angle));
        }
        p.drawPolygon(gear);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(8, 8), 2, 2);
        break;
    }
    case Glyph::Help:
    case Glyph::About: {
        pen(QColor(20, 70, 160), 1);
        p.setBrush(QColor(50, 110, 210));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        QFont font("Sans", 9, QFont::Bold);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, glyph == Glyph::Help ? "?" : "i");
        break;
    }
    case Glyph::Exit:
        pen(QColor(90, 60, 30), 1);
        p.setBrush(QColor(170, 120, 70));
        p.drawRect(QRectF(2.5, 1.5, 7, 13));
        pen(QColor(200, 20, 20), 2);
        p.drawLine(QPointF(8, 8), QPointF(14, 8));
        p.drawLine(QPointF(11, 5), QPointF(14, 8));
        p.drawLine(QPointF(11, 11), QPointF(14, 8));
        break;
    case Glyph::Go:
        pen(QColor(10, 100, 20), 1);
        p.setBrush(QColor(40, 180, 60));
        p.drawPolygon(QPolygonF({QPointF(4, 2), QPointF(14, 8), QPointF(4, 14)}));
        break;
    case Glyph::Up:
    case Glyph::Down: {
        pen(QColor(20, 20, 90), 1);
        p.setBrush(QColor(60, 90, 200));
        QPolygonF arrow({QPointF(8, 2), QPointF(14, 9), QPointF(10.5, 9), QPointF(10.5, 14),
                         QPointF(5.5, 14), QPointF(5.5, 9), QPointF(2, 9)});
        if (glyph == Glyph::Down)
            arrow = QTransform(1, 0, 0, -1, 0, 16).map(arrow);
        p.drawPolygon(arrow);
        break;
    }
    case Glyph::Refresh:
        pen(QColor(20, 130, 40), 2);
        p.drawArc(QRectF(3, 3, 10, 10), 30 * 16, 300 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 130, 40));
        p.drawPolygon(QPolygonF({QPointF(10, 1), QPointF(15, 5), QPointF(10, 7)}));
        break;
    }
    return image;
}

} // namespace

QImage ApplicationImage(int size) {
    QImage image = Blank(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    PaintEmblem(p, QRectF(0, 0, size, size));
    return image;
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(QPixmap::fromImage(ApplicationImage(size)));
    return icon;
}

QIcon TreeImage(int number) {
    switch (number) {
    case 0:
        return QIcon(QPixmap::fromImage(Card(QColor(40, 150, 60), false)));
    case 1:
        return QIcon(QPixmap::fromImage(Card(QColor(150, 150, 150), false)));
    case 2:
        return QIcon(QPixmap::fromImage(Bullet()));
    case 3:
        return QIcon(QPixmap::fromImage(Group()));
    case 4:
        return QIcon(QPixmap::fromImage(Card(QColor(40, 150, 60), true)));
    default:
        return {};
    }
}

QIcon GlyphIcon(Glyph glyph) {
    return QIcon(QPixmap::fromImage(GlyphImage(glyph)));
}

QImage Banner(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, width, height);
    bg.setColorAt(0, QColor(15, 60, 130));
    bg.setColorAt(1, QColor(60, 140, 220));
    p.fillRect(image.rect(), bg);
    // a faint network of nodes behind the name
    p.setPen(QPen(QColor(255, 255, 255, 60), 1.5));
    const int step = std::max(height / 2, 1);
    for (int x = step / 2; x < width; x += step) {
        p.drawLine(QPointF(x, height * 0.3), QPointF(x + step, height * 0.7));
        p.drawEllipse(QPointF(x, height * 0.3), 3, 3);
    }
    const int icon = height * 3 / 4;
    PaintEmblem(p, QRectF(height / 8.0, height / 8.0, icon, icon));
    QFont font("Sans", std::max(height / 3, 8), QFont::Bold);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(icon + height / 4, 0, width - icon, height), Qt::AlignVCenter | Qt::AlignLeft,
               "Corvane");
    return image;
}

bool WriteApplicationIcon(const QString& path) {
    QImageWriter writer(path, "ico");
    return writer.write(ApplicationImage(32));
}

} // namespace corvane::gui::Icons
