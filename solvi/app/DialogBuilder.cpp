#include "solvi/app/DialogBuilder.h"

#include <QPainter>
#include <QPixmap>

#include "resources/ResourceModule.h"
#include "resources/SolviResources.h"

namespace norda::solvi {

QIcon SolviIcon(int) {
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A handheld radio with its aerial and a flash bolt on the display.
    p.setPen(QPen(QColor(30, 30, 30), 2));
    p.drawLine(31, 3, 31, 14);
    p.setBrush(QColor(40, 70, 120));
    p.drawRoundedRect(QRectF(13, 12, 24, 33), 4, 4);
    p.setBrush(QColor(200, 230, 255));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(17, 16, 16, 11));
    p.setBrush(QColor(255, 200, 0));
    const QPointF bolt[] = {{26, 17}, {21, 22.5}, {25, 22.5}, {23, 27}, {29, 21}, {25, 21}};
    p.drawPolygon(bolt, 6);
    p.setBrush(QColor(180, 190, 205));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRect(QRectF(17 + col * 6, 31 + row * 4.5, 4, 3));
    return QIcon(pixmap);
}

const DialogTemplate& DialogOf(const ResourceModule& module, int id) {
    if (const DialogTemplate* d = module.Dialog(id))
        return *d;
    return BuiltinDialog(id);
}

const DialogTemplate& BuiltinDialog(int id) {
    for (const DialogTemplate& d : SolviBuiltinResources().dialogs)
        if (d.id == id)
            return d;
    static const DialogTemplate kEmpty{0, "", 0, 0, {}};
    return kEmpty;
}

}  // namespace norda::solvi
