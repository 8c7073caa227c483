#include "Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Draws art in a 16 x 16 design grid scaled to size.
void Paint(QPainter& p, EArt art) {
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 40, 40);
    const QPen outline(ink, 1.0);
    switch (art) {
    case EArt::App: {
        // A mast with waves.
        p.setPen(QPen(QColor(30, 60, 120), 1.4));
        p.drawLine(QPointF(8, 5), QPointF(4.5, 15));
        p.drawLine(QPointF(8, 5), QPointF(11.5, 15));
        p.drawLine(QPointF(6, 10.5), QPointF(10, 10.5));
        p.setBrush(QColor(200, 40, 40));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(8, 4.5), 1.6, 1.6);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(200, 40, 40), 1.2));
        p.drawArc(QRectF(3.5, 0.5, 9, 8), 30 * 16, 120 * 16);
        p.drawArc(QRectF(1, -1.5, 14, 11), 35 * 16, 110 * 16);
        break;
    }
    case EArt::New: {
        QPainterPath page;
        page.moveTo(3.5, 1.5);
        page.lineTo(10, 1.5);
        page.lineTo(12.5, 4);
        page.lineTo(12.5, 14.5);
        page.lineTo(3.5, 14.5);
        page.closeSubpath();
        p.setPen(outline);
        p.setBrush(Qt::white);
        p.drawPath(page);
        p.drawLine(QPointF(10, 1.5), QPointF(10, 4));
        p.drawLine(QPointF(10, 4), QPointF(12.5, 4));
        break;
    }
    case EArt::Open: {
        p.setPen(outline);
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(QRectF(1.5, 4.5, 11, 9));
        p.setBrush(QColor(250, 225, 130));
        QPainterPath lid;
        lid.moveTo(1.5, 13.5);
        lid.lineTo(4, 7.5);
        lid.lineTo(15, 7.5);
        lid.lineTo(12.5, 13.5);
        lid.closeSubpath();
        p.drawPath(lid);
        break;
    }
    case EArt::Save: {
        p.setPen(outline);
        p.setBrush(QColor(60, 90, 170));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 1.5, 8, 5));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(4.5, 9.5, 7, 5));
        break;
    }
    case EArt::Undo:
    case EArt::Redo: {
        // A curved arrow turning back (Undo) or on (Redo, the mirror image).
        if (art == EArt::Redo) {
            p.translate(16, 0);
            p.scale(-1, 1);
        }
        const QColor arrow(30, 80, 160);
        QPainterPath bend;
        bend.moveTo(4.5, 6.5);
        bend.lineTo(10, 6.5);
        bend.cubicTo(15, 6.5, 15, 14, 10, 14);
        bend.lineTo(6, 14);
        p.setPen(QPen(arrow, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(bend);
        QPainterPath head;
        head.moveTo(0.5, 6.5);
        head.lineTo(5.5, 2);
        head.lineTo(5.5, 11);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(arrow);
        p.drawPath(head);
        break;
    }
    case EArt::Com1:
    case EArt::Com2:
    case EArt::Com3:
    case EArt::Com4: {
        // A connector with its number.
        p.setPen(outline);
        p.setBrush(QColor(210, 210, 210));
        QPainterPath shell;
        shell.moveTo(1.5, 3.5);
        shell.lineTo(14.5, 3.5);
        shell.lineTo(12.5, 12.5);
        shell.lineTo(3.5, 12.5);
        shell.closeSubpath();
        p.drawPath(shell);
        QFont font = p.font();
        font.setPixelSize(9);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(20, 20, 120));
        const int n = static_cast<int>(art) - static_cast<int>(EArt::Com1) + 1;
        p.drawText(QRectF(1, 3, 14, 10), Qt::AlignCenter, QString::number(n));
        break;
    }
    case EArt::Read:
    case EArt::Write: {
        // Repeater box and an arrow to or from it.
        p.setPen(outline);
        p.setBrush(QColor(90, 90, 90));
        p.drawRect(QRectF(9.5, 3.5, 5, 9));
        p.setBrush(QColor(120, 220, 120));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(10.5, 5, 3, 1.5));
        const QColor arrow = art == EArt::Read ? QColor(30, 130, 30) : QColor(190, 60, 20);
        p.setPen(QPen(arrow, 1.8));
        p.drawLine(QPointF(1.5, 8), QPointF(7.5, 8));
        QPainterPath head;
        if (art == EArt::Read) {
            head.moveTo(0.5, 8);
            head.lineTo(4, 4.8);
            head.lineTo(4, 11.2);
        } else {
            head.moveTo(8.5, 8);
            head.lineTo(5, 4.8);
            head.lineTo(5, 11.2);
        }
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(arrow);
        p.drawPath(head);
        break;
    }
    case EArt::Information: {
        p.setPen(QPen(QColor(20, 70, 160), 1.0));
        p.setBrush(QColor(60, 120, 210));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(8, 4.8), 1.2, 1.2);
        p.drawRect(QRectF(7, 7, 2, 5.5));
        break;
    }
    case EArt::TreeGroup:
    case EArt::TreeGroupCollapsed: {
        p.setPen(outline);
        p.setBrush(art == EArt::TreeGroup ? QColor(250, 215, 110) : QColor(225, 185, 80));
        QPainterPath folder;
        folder.moveTo(1.5, 3.5);
        folder.lineTo(6, 3.5);
        folder.lineTo(7.5, 5);
        folder.lineTo(14.5, 5);
        folder.lineTo(14.5, 13.5);
        folder.lineTo(1.5, 13.5);
        folder.closeSubpath();
        p.drawPath(folder);
        break;
    }
    case EArt::TreeRoot: {
        p.setPen(outline);
        p.setBrush(QColor(70, 70, 70));
        p.drawRoundedRect(QRectF(2.5, 4.5, 11, 9), 1.5, 1.5);
        p.setBrush(QColor(120, 220, 120));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(4, 6, 5, 2.5));
        p.setPen(QPen(ink, 1.2));
        p.drawLine(QPointF(11, 4.5), QPointF(12.5, 0.8));
        break;
    }
    case EArt::TreeLeaf: {
        p.setPen(outline);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 1.5, 9, 13));
        p.setPen(QPen(QColor(110, 110, 110), 1.0));
        for (double y : {4.5, 7.0, 9.5, 12.0})
            p.drawLine(QPointF(5, y), QPointF(11, y));
        break;
    }
    }
}

QPixmap Render(EArt art, int size, const QColor& background) {
    QPixmap pixmap(size, size);
    pixmap.fill(background);
    QPainter p(&pixmap);
    p.scale(size / 16.0, size / 16.0);
    Paint(p, art);
    return pixmap;
}

} // namespace

QIcon ArtIcon(EArt art) {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(Render(art, size, Qt::transparent));
    return icon;
}

QIcon TreeIcon(int image, const QColor& background) {
    EArt art = EArt::TreeLeaf;
    switch (image) {
    case 0: art = EArt::TreeGroup; break;
    case 1: art = EArt::TreeGroupCollapsed; break;
    case 3: art = EArt::TreeRoot; break;
    default: break;
    }
    QIcon icon;
    for (int size : {16, 32})
        icon.addPixmap(Render(art, size, background));
    return icon;
}
