#pragma once

#include "shell/ScreenForm.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QFrame;
class TRe2Buttn;

// The feedback screen, hosted in the main window: the user writes a message that is handed to the
// desktop's mail program as a mailto link to the support address.
class TForm_Feedback : public ScreenForm {
    Q_OBJECT
public:
    explicit TForm_Feedback(QWidget* parent = nullptr);

    QAbstractButton* CloseButton() const override;
    StringGrid* MainGrid() const override { return nullptr; }
    void ApplyFormLanguage() override;

    // The link the message makes: "mailto:" + address + "?subject=" + subject + "&body=" + the
    // lines each preceded by "%0A" (blanks at the end dropped) + "&bcc="; subject and lines are
    // percent-encoded, so "R&D" or "#3" stay in the message.
    static QString MailLink(const QString& address, const QString& subject, const QStringList& lines);

    // Empties the message and puts the focus in it.
    void Prepare();

public slots:
    void Button_FeedbackSendClick();
    void Button_FeedbackCancelClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* Label141;
    QLineEdit* Edit8;
    QPlainTextEdit* Memo1;
    TRe2Buttn* Button_FeedbackCancel;
    TRe2Buttn* Button_FeedbackSend;
    QFrame* Panel_note;
    QLabel* Label2;
};
