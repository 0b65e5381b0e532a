#include "shell/PopupPanel.h"

#include "shell/GridRoutines.h"
#include "shell/PanelDrag.h"
#include "i18n/Settings.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

PopupPanel PopupPanel::Create(QWidget* screen, const char* panelName, const char* barName, const char* captionName,
                              const char* closeName, const QString& caption, const QSize& size)
{
    PopupPanel p;
    p.panel = new QFrame(screen);
    p.panel->setObjectName(QLatin1String(panelName));
    p.panel->setFrameShape(QFrame::Panel);
    p.panel->setFrameShadow(QFrame::Raised);
    p.panel->setLineWidth(2);
    p.panel->setAutoFillBackground(true);
    p.panel->resize(size);
    if (BlueTheme)
        ApplyPanelColour(p.panel);

    p.captionBar = new QFrame(p.panel);
    p.captionBar->setObjectName(QLatin1String(barName));
    p.captionBar->setGeometry(2, 2, size.width() - 4, CaptionHeight);
    p.captionBar->setAutoFillBackground(true);
    QPalette pal = p.captionBar->palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 128));
    pal.setColor(QPalette::WindowText, Qt::white);
    p.captionBar->setPalette(pal);
    p.captionBar->setCursor(Qt::SizeAllCursor);

    p.caption = new QLabel(caption, p.captionBar);
    p.caption->setObjectName(QLatin1String(captionName));
    p.caption->setGeometry(6, 2, size.width() - 34, CaptionHeight - 4);
    p.caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont bold = p.caption->font();
    bold.setBold(true);
    p.caption->setFont(bold);

    p.closeButton = new QToolButton(p.captionBar);
    p.closeButton->setObjectName(QLatin1String(closeName));
    p.closeButton->setText(QStringLiteral("x"));
    p.closeButton->setGeometry(size.width() - 24, 2, 17, CaptionHeight - 4);
    p.closeButton->setAutoRaise(true);
    p.closeButton->setStyleSheet(QStringLiteral("QToolButton { color: white; font-weight: bold; border: 0px; }"));
    p.closeButton->setCursor(Qt::ArrowCursor);

    PanelDrag::attach(p.captionBar, p.panel, screen);
    p.panel->hide();
    return p;
}

void PopupPanel::Show(int left, int top) const
{
    panel->move(left, top);
    // A small screen still shows the whole panel.
    if (QWidget* screen = panel->parentWidget())
        if (screen->width() > 0 && screen->height() > 0)
            KeepPanelInside(screen, panel);
    panel->show();
    panel->raise();
}

void PopupPanel::Park() const { panel->hide(); }

bool PopupPanel::IsShown() const { return panel && !panel->isHidden(); }
