#pragma once

#include <QDialog>

class QLabel;

// The About window: the program's picture, name, maker and version, and the support address as a
// mail link. A click anywhere closes it; closing releases it.
class TFormAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbout(QWidget* parent = nullptr);

    // The window caption: the application title, "   (v", the version, ")".
    static QString AboutCaption(const QString& title, const QString& version);

public slots:
    void Label_lnk1Click();

protected:
    void FormCreate();
    void FormShow();
    void FormClick();
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label_lnk1;
};
