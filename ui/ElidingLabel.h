#pragma once

#include <QLabel>
#include <QString>

namespace norda {

// A one-line label for the status bar: a text longer than the room it gets (a backup's
// path, say) is shortened in the middle, so that its beginning and its file name stay
// readable, and the whole text is its tool tip. The label never asks for the width of its
// text, so a long note cannot widen the window, and takes no room while it is empty.
class TElidingLabel : public QLabel {
    Q_OBJECT
  public:
    explicit TElidingLabel(QWidget* parent = nullptr);

    void SetFullText(const QString& text);
    QString FullText() const { return fullText_; }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Elide();

    QString fullText_;
};

}  // namespace norda
