#include "accessories/TForm_Feedback.h"

#include "accessories/ProgramInfo.h"
#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "shell/DesktopServices.h"
#include "shell/MessageBox.h"
#include "shell/GridRoutines.h"
#include "shell/Theme.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>

TForm_Feedback::TForm_Feedback(QWidget* parent) : ScreenForm(parent)
{
    setObjectName(QStringLiteral("TForm_Feedback"));
    Label141 = new QLabel(this);
    Label141->setObjectName(QStringLiteral("Label141"));
    Label141->setGeometry(16, 14, 60, 20);
    Edit8 = new QLineEdit(QStringLiteral("Quorvale  FEEDBACK from"), this);
    Edit8->setObjectName(QStringLiteral("Edit8"));
    Edit8->setGeometry(80, 12, 300, 22);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->move(16, 44);
    Button_FeedbackCancel = new TRe2Buttn(Caption::Cancel(), this);
    Button_FeedbackCancel->setObjectName(QStringLiteral("Button_FeedbackCancel"));
    Button_FeedbackSend = new TRe2Buttn(Caption::Send(), this);
    Button_FeedbackSend->setObjectName(QStringLiteral("Button_FeedbackSend"));
    Panel_note = new QFrame(this);
    Panel_note->setObjectName(QStringLiteral("Panel_note"));
    Panel_note->setFrameShape(QFrame::StyledPanel);
    Panel_note->setAutoFillBackground(true);
    Label2 = new QLabel(Panel_note);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    Label2->setGeometry(8, 8, 164, 104);
    Panel_note->resize(180, 120);
    if (BlueTheme) {
        QPalette p = Panel_note->palette();
        p.setColor(QPalette::Window, Theme::PanelColor);
        Panel_note->setPalette(p);
    }
    connect(Button_FeedbackSend, &QAbstractButton::clicked, this, &TForm_Feedback::Button_FeedbackSendClick);
    connect(Button_FeedbackCancel, &QAbstractButton::clicked, this, &TForm_Feedback::Button_FeedbackCancelClick);
    ApplyFormLanguage();
}

void TForm_Feedback::ApplyFormLanguage()
{
    SetCaption(Label141, QStringLiteral("label_subject"), QStringLiteral("Subject :"));
    SetCaption(Label2, QStringLiteral("label_feedbacknote"),
               QStringLiteral("Please send us your ideas, questions, feedback, and/or suggestions, so that we can "
                              "improve it for everyone."));
}

QAbstractButton* TForm_Feedback::CloseButton() const { return Button_FeedbackCancel; }

void TForm_Feedback::Prepare()
{
    Panel_note->show();
    Memo1->clear();
    Memo1->setFocus();
}

QString TForm_Feedback::MailLink(const QString& address, const QString& subject, const QStringList& lines)
{
    // Each line follows a line break "%0A"; the blanks that end the message are dropped (it starts
    // with the first break, so there are none before it).
    QString body;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (i == lines.size() - 1) {
            while (!line.isEmpty() && line.back().isSpace())
                line.chop(1);
        }
        body += QStringLiteral("%0A") + MailtoText(line);
    }
    return QStringLiteral("mailto:") + address + QStringLiteral("?subject=") + MailtoText(subject) + QStringLiteral("&body=")
           + body + QStringLiteral("&bcc=");
}

void TForm_Feedback::Button_FeedbackSendClick()
{
    if (Memo1->toPlainText().trimmed().isEmpty()) {
        MessageBox::information(LangMsg[1]);
        Memo1->setFocus();
        return;
    }
    const QStringList lines = Memo1->toPlainText().split(QLatin1Char('\n'));
    DesktopServices::instance().openUrl(MailLink(SupportAddress(), Edit8->text(), lines));
    Button_FeedbackCancelClick();
}

void TForm_Feedback::Button_FeedbackCancelClick() { CloseScreen(); }

void TForm_Feedback::paintEvent(QPaintEvent*)
{
    if (!BlueTheme)
        return;
    QPainter p(this);
    PaintGradient(this, p, BlueThemeTop, BlueThemeBottom);
}

void TForm_Feedback::resizeEvent(QResizeEvent* event)
{
    ScreenForm::resizeEvent(event);
    const int h = height();
    const int w = width();
    Button_FeedbackSend->setGeometry(w - 100, h - 83, 75, 22);
    Button_FeedbackCancel->setGeometry(w - 100, h - 107, 75, 22);
    Memo1->resize(qMax(100, w - 16 - 220), qMax(40, h - 94));
    Panel_note->move(w - 200, 44);
    Edit8->resize(qMax(120, qMin(400, w - 96 - 220)), Edit8->height());
}
