#pragma once

#include <QColor>
#include <QPushButton>

// The flat push button of every screen: a single-bordered flat panel with a centred caption that
// raises its bevel while the mouse is over it, sinks it while pressed, is pressed by Enter when it
// has the focus (the same clicked() as a mouse click) and greys its caption when disabled.
//
// A button made with one of the captions that many windows share (Close, Delete, Print, ...: see
// Caption in i18n/Language.h) keeps that caption's key and takes the caption again when the
// language changes (QEvent::LanguageChange), for as long as nobody gave it another caption.
class TRe2Buttn : public QPushButton {
    Q_OBJECT
public:
    enum class Bevel { None, Raised, Lowered };

    explicit TRe2Buttn(QWidget* parent = nullptr);
    TRe2Buttn(const QString& caption, QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    // The key of the shared caption the button follows; empty for none. A button whose caption
    // follows something else (the mode of an Add/Edit button) is given an empty key.
    QString SharedCaptionKey() const { return m_captionKey; }
    void setSharedCaptionKey(const QString& key);
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
    QString m_captionKey;
    QString m_keyedCaption; // the caption given by the key; another caption lets the key go
};
