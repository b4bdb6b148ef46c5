#include "ui/ElidingLabel.h"

#include <QFontMetrics>
#include <QResizeEvent>

namespace norda {

TElidingLabel::TElidingLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    hide();
}

void TElidingLabel::SetFullText(const QString& text) {
    fullText_ = text;
    setToolTip(text);
    setVisible(!text.isEmpty());
    Elide();
}

QSize TElidingLabel::minimumSizeHint() const {
    return {0, QLabel::minimumSizeHint().height()};
}

QSize TElidingLabel::sizeHint() const {
    return {0, QLabel::sizeHint().height()};
}

void TElidingLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Elide();
}

void TElidingLabel::Elide() {
    setText(fontMetrics().elidedText(fullText_, Qt::ElideMiddle, contentsRect().width()));
}

}  // namespace norda
