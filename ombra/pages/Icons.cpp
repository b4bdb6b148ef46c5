#include "ombra/pages/Icons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace norda::ombra {

namespace {

// A handheld radio: body, antenna and display, drawn so that no image file is needed.
QPixmap ProgramPixmap(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 48));
    p.drawRoundedRect(QRectF(21, 1, 3, 10), 1.2, 1.2);
    QLinearGradient body(8, 0, 26, 0);
    body.setColorAt(0, QColor(30, 70, 140));
    body.setColorAt(1, QColor(20, 45, 95));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(8, 8, 18, 23), 3, 3);
    p.setBrush(QColor(170, 220, 170));
    p.drawRoundedRect(QRectF(11, 11, 12, 6), 1, 1);
    p.setBrush(QColor(220, 225, 235));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawEllipse(QRectF(11.5 + c * 4, 19.5 + r * 3.5, 2.6, 2.6));
    return pm;
}

}  // namespace

QIcon ResourceIcon(int id) {
    QStyle* style = QApplication::style();
    switch (id) {
        case 1001: {
            QIcon icon;
            for (int s : {16, 24, 32, 48, 64})
                icon.addPixmap(ProgramPixmap(s));
            return icon;
        }
        case 1101:
            return style->standardIcon(QStyle::SP_MessageBoxCritical);
        case 1102:
            return style->standardIcon(QStyle::SP_MessageBoxQuestion);
        case 1103:
            return style->standardIcon(QStyle::SP_MessageBoxWarning);
        case 1104:
            return style->standardIcon(QStyle::SP_MessageBoxInformation);
        default:
            return {};
    }
}

int MessageIconId(int style) {
    switch (style & 0xF0) {
        case 16:
            return 1101;
        case 32:
            return 1102;
        case 48:
            return 1103;
        case 64:
            return 1104;
        default:
            return 0;
    }
}

}  // namespace norda::ombra
