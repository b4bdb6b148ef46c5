#include "ombra/pages/DataPageSupport.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>

#include "ombra/pages/DialogBuilder.h"
#include "ombra/pages/TMessageDlg.h"
#include "resources/OmbraDataPageLayouts.h"

namespace norda {

namespace {
constexpr int kCaptionError = 602;
constexpr int kStyleExclamation = 48;
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

void EmphasizeHeading(TDataDlg& page) {
    if (auto* heading = page.Item<QLabel>(datapages::kHeadingId)) {
        QFont font = heading->font();
        font.setBold(true);
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * 1.15);
        heading->setFont(font);
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

void ShowPageError(TDataDlg& page, int textId) {
    const ResourceModule& module = page.Module();
    TMessageDlg::Show(&page, module, ToQString(module.Text(textId)),
                      ToQString(module.Text(kCaptionError)), kStyleExclamation);
}

}  // namespace norda
