#pragma once

// Pictures of windows for the documentation, with their captions.

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QLinearGradient>
#include <QMainWindow>
#include <QPainter>
#include <QString>
#include <QWidget>

namespace norda::test {

// Neither the offscreen platform nor a bare X server draws window decorations; a plain
// title bar with the icon and caption stands in for them so that the pictures show the
// captions too.
inline QImage Framed(QWidget& w, const QImage& content) {
    constexpr int kBar = 26;
    QImage out(content.width() + 2, content.height() + kBar + 1, QImage::Format_ARGB32);
    out.fill(QColor(60, 60, 70));
    QPainter p(&out);
    QLinearGradient g(0, 0, out.width(), 0);
    g.setColorAt(0, QColor(24, 52, 110));
    g.setColorAt(1, QColor(70, 110, 170));
    p.fillRect(QRect(1, 1, out.width() - 2, kBar - 1), g);
    const QIcon icon = w.windowIcon();
    int x = 7;
    if (!icon.isNull() && w.isWindow() && qobject_cast<QMainWindow*>(&w) != nullptr) {
        p.drawPixmap(x, 5, icon.pixmap(16, 16));
        x += 22;
    }
    QFont f = w.font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(x, 1, out.width() - x - 4, kBar - 1), Qt::AlignVCenter | Qt::AlignLeft,
               w.windowTitle());
    p.drawImage(1, kBar, content);
    return out;
}

inline QImage Framed(QWidget& w) {
    return Framed(w, w.grab().toImage());
}

// `w` framed as `name`.png in the folder NORDA_SCREENSHOT_DIR names; nothing without it.
inline bool ShootWhenAsked(QWidget& w, const QString& name) {
    const QString dir = qEnvironmentVariable("NORDA_SCREENSHOT_DIR");
    return dir.isEmpty() || Framed(w).save(dir + "/" + name + ".png");
}

}  // namespace norda::test
