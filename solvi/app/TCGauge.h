#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace norda::solvi {

// A progress bar drawn by the program itself: the filled part in the bar colour, the rest
// in the background colour, and the value written in the middle through the control's
// text used as a format ("%%%d" shows "%45").
class TCGauge : public QWidget {
    Q_OBJECT

  public:
    explicit TCGauge(QWidget* parent = nullptr, const QString& format = QStringLiteral("%%%d"));

    void SetValue(int value);
    int Value() const { return value_; }
    void SetColors(const QColor& bar, const QColor& background);
    void SetBarColor(const QColor& bar);
    QColor BarColor() const { return bar_; }
    QColor BackgroundColor() const { return background_; }
    QString Text() const;

    // Applies a printf-like format to the value: "%%" is a percent sign and "%d" the
    // value; anything else is copied, so a text from a language library cannot make the
    // gauge read arguments that are not there.
    static QString FormatValue(const QString& format, int value);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString format_;
    int value_ = 0;
    QColor bar_{Qt::white};
    QColor background_{Qt::white};
};

}  // namespace norda::solvi
