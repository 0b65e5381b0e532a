#pragma once

#include <QColor>
#include <QPushButton>

// The flat push button of every screen: a single-bordered flat panel with a centred caption that
// raises its bevel while the mouse is over it, sinks it while pressed, is pressed by Enter when it
// has the focus (the same clicked() as a mouse click) and greys its caption when disabled.
class TRe2Buttn : public QPushButton {
    Q_OBJECT
public:
    enum class Bevel { None, Raised, Lowered };

    explicit TRe2Buttn(QWidget* parent = nullptr);
    TRe2Buttn(const QString& caption, QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }
    // The caption colour (the font colour) while enabled.
    QColor FontColor() const { return m_fontColor; }
    void setFontColor(const QColor& color);
    QColor Color() const { return m_color; }
    void setColor(const QColor& color);

    Bevel CurrentBevel() const { return m_bevel; }
    bool MouseOutside() const { return m_mouseOutside; }
    QColor EnabledFontColor() const { return m_enabledFontColor; }

    QSize sizeHint() const override { return {75, 25}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setBevel(Bevel bevel);

    Bevel m_bevel = Bevel::None;
    bool m_mouseOutside = true;
    QColor m_fontColor;
    QColor m_enabledFontColor;
    QColor m_color;
};
