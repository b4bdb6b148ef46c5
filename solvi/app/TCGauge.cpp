#include "solvi/app/TCGauge.h"

#include <QPainter>

#include <algorithm>

namespace norda::solvi {

TCGauge::TCGauge(QWidget* parent, const QString& format) : QWidget(parent), format_(format) {}

void TCGauge::SetValue(int value) {
    value = std::clamp(value, 0, 100);
    if (value != value_) {
        value_ = value;
        update();
    }
}

void TCGauge::SetColors(const QColor& bar, const QColor& background) {
    bar_ = bar;
    background_ = background;
    update();
}

void TCGauge::SetBarColor(const QColor& bar) {
    bar_ = bar;
    update();
}

QString TCGauge::Text() const {
    return FormatValue(format_, value_);
}

QString TCGauge::FormatValue(const QString& format, int value) {
    QString out;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == u'%' && i + 1 < format.size()) {
            if (format[i + 1] == u'%') {
                out += u'%';
                ++i;
                continue;
            }
            if (format[i + 1] == u'd') {
                out += QString::number(value);
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

void TCGauge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect all = rect();
    const QRect inner = all.adjusted(1, 1, -1, -1);
    p.fillRect(inner, background_);
    const int filled = inner.width() * value_ / 100;
    if (filled > 0)
        p.fillRect(QRect(inner.left(), inner.top(), filled, inner.height()), bar_);
    // A sunken edge, as the other controls of the panel have.
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(all.topLeft(), all.topRight());
    p.drawLine(all.topLeft(), all.bottomLeft());
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(all.bottomLeft(), all.bottomRight());
    p.drawLine(all.topRight(), all.bottomRight());
    p.setPen(Qt::black);
    p.drawText(inner, Qt::AlignCenter, Text());
}

}  // namespace norda::solvi
