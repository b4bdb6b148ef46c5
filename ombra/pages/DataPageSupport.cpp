#include "ombra/pages/DataPageSupport.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>

namespace norda::ombra {

namespace {
class ColonPainter final : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* label = qobject_cast<QLabel*>(watched);
        if (label == nullptr || event->type() != QEvent::Paint)
            return false;
        QString head = label->text();
        head.chop(1);
        while (head.endsWith(u' '))
            head.chop(1);
        QPainter painter(label);
        painter.setFont(label->font());
        painter.setPen(label->palette().color(
            label->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        const QRect r = label->contentsRect();
        painter.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, head);
        painter.drawText(r, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral(":"));
        return true;
    }
};

}  // namespace

void AlignLabelColons(TDataDlg& page) {
    auto* painter = new ColonPainter(&page);
    for (QLabel* label : page.findChildren<QLabel*>()) {
        if (label->text().endsWith(u':') && label->text().size() > 1)
            label->installEventFilter(painter);
    }
}

void UpperCaseWhileTyping(QLineEdit* edit) {
    if (edit == nullptr)
        return;
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        QString upper = text;
        for (QChar& c : upper) {
            if (c >= u'a' && c <= u'z')
                c = QChar(c.unicode() - u'a' + u'A');
        }
        if (upper != text) {
            const int cursor = edit->cursorPosition();
            edit->setText(upper);
            edit->setCursorPosition(cursor);
        }
    });
}

}  // namespace norda::ombra
