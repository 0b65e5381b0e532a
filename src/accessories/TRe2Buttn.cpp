#include "accessories/TRe2Buttn.h"

#include "i18n/Language.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOption>

TRe2Buttn::TRe2Buttn(QWidget* parent) : TRe2Buttn(QString(), parent) {}

TRe2Buttn::TRe2Buttn(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    m_fontColor = palette().color(QPalette::Active, QPalette::ButtonText);
    m_enabledFontColor = m_fontColor;
    m_color = palette().color(QPalette::Button);
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    resize(75, 25);
    setAttribute(Qt::WA_Hover, true);
    if (!caption.isEmpty())
        setSharedCaptionKey(::Caption::KeyOf(caption));
}

void TRe2Buttn::setFontColor(const QColor& color)
{
    if (isEnabled())
        m_fontColor = color;
    m_enabledFontColor = color;
    update();
}

void TRe2Buttn::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void TRe2Buttn::setBevel(Bevel bevel)
{
    if (m_bevel != bevel) {
        m_bevel = bevel;
        update();
    }
}

void TRe2Buttn::enterEvent(QEnterEvent* event)
{
    QPushButton::enterEvent(event);
    m_mouseOutside = false;
    setBevel(Bevel::Raised);
}

void TRe2Buttn::leaveEvent(QEvent* event)
{
    QPushButton::leaveEvent(event);
    m_mouseOutside = true;
    setBevel(Bevel::None);
}

void TRe2Buttn::mousePressEvent(QMouseEvent* event)
{
    QPushButton::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        setBevel(Bevel::Lowered);
}

void TRe2Buttn::mouseReleaseEvent(QMouseEvent* event)
{
    QPointer<TRe2Buttn> self(this);
    QPushButton::mouseReleaseEvent(event); // raises the click
    if (!self)
        return;
    if (event->button() == Qt::LeftButton && !m_mouseOutside)
        setBevel(Bevel::Raised);
}

void TRe2Buttn::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        setBevel(Bevel::Lowered);
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void TRe2Buttn::keyReleaseEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!m_mouseOutside)
        setBevel(Bevel::Raised);
    else if (enter)
        setBevel(Bevel::None);
    if (enter) {
        event->accept();
        return;
    }
    QPushButton::keyReleaseEvent(event);
}

void TRe2Buttn::focusOutEvent(QFocusEvent* event)
{
    QPushButton::focusOutEvent(event);
    if (!hasFocus())
        setBevel(Bevel::None);
}

void TRe2Buttn::setSharedCaptionKey(const QString& key)
{
    m_captionKey = key;
    m_keyedCaption = key.isEmpty() ? QString() : text();
}

void TRe2Buttn::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange && !m_captionKey.isEmpty()) {
        if (text() == m_keyedCaption) {
            setText(::Caption::OfKey(m_captionKey));
            m_keyedCaption = text();
        } else {
            m_captionKey.clear();
        }
    }
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled()) {
            m_enabledFontColor = m_fontColor;
            m_fontColor = palette().color(QPalette::Disabled, QPalette::WindowText);
        } else {
            m_fontColor = m_enabledFontColor;
        }
        update();
    }
    QPushButton::changeEvent(event);
}

void TRe2Buttn::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, m_color);
    // Single border.
    p.setPen(palette().color(QPalette::Shadow));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Mid);
    if (m_bevel != Bevel::None) {
        const QRect b = r.adjusted(1, 1, -2, -2);
        const QColor topLeft = m_bevel == Bevel::Raised ? light : dark;
        const QColor bottomRight = m_bevel == Bevel::Raised ? dark : light;
        p.setPen(topLeft);
        p.drawLine(b.topLeft(), b.topRight());
        p.drawLine(b.topLeft(), b.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(b.bottomLeft(), b.bottomRight());
        p.drawLine(b.topRight(), b.bottomRight());
    }
    QRect textRect = r.adjusted(2, 2, -2, -2);
    if (m_bevel == Bevel::Lowered)
        textRect.translate(1, 1);
    p.setFont(font());
    p.setPen(m_fontColor);
    p.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, text());
    if (hasFocus()) {
        QStyleOptionFocusRect fo;
        fo.initFrom(this);
        fo.rect = r.adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &fo, &p, this);
    }
}
