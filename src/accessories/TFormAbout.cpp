#include "accessories/TFormAbout.h"

#include "accessories/ProgramIcon.h"
#include "accessories/ProgramInfo.h"
#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "shell/DesktopServices.h"
#include "shell/Theme.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

constexpr int kPicture = 64;
constexpr int kMargin = 14;

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->adjustSize();
    return label;
}

} // namespace

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(QStringLiteral(" About..."));
    setWindowIcon(ProgramIcon());

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(ProgramIcon().pixmap(kPicture, kPicture));
    Image1->setGeometry(kMargin, kMargin, kPicture, kPicture);

    Label1 = NewLabel(this, "Label1", QStringLiteral("Quorvale"));
    QFont big = Label1->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    Label1->setFont(big);
    Label1->adjustSize();
    Label2 = NewLabel(this, "Label2", LangText(QStringLiteral("about_what"), QStringLiteral("Production, stock and orders of a small factory")));
    Label3 = NewLabel(this, "Label3", LangText(QStringLiteral("about_maker"), QStringLiteral("made by Quorvale Software")));
    Label4 = NewLabel(this, "Label4", LangText(QStringLiteral("about_question"), QStringLiteral("if you have any questions, sugestions or just")));
    Label5 = NewLabel(this, "Label5", LangText(QStringLiteral("about_support"), QStringLiteral("need software support,  please e-mail us at:")));
    Label_lnk1 = NewLabel(this, "Label_lnk1", QString());
    Label_lnk1->setCursor(Qt::PointingHandCursor);
    QFont link = Label_lnk1->font();
    link.setUnderline(true);
    Label_lnk1->setFont(link);
    QPalette p = Label_lnk1->palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Label_lnk1->setPalette(p);
    Label_lnk1->installEventFilter(this);

    FormCreate();
}

QString TFormAbout::AboutCaption(const QString& title, const QString& version)
{
    return title + QStringLiteral("   (v") + version + QStringLiteral(")");
}

void TFormAbout::FormCreate()
{
    Label_lnk1->setText(SupportAddress());
    Label_lnk1->adjustSize();
    setWindowTitle(AboutCaption(QStringLiteral("Quorvale"), ProgramVersionText()));

    // The texts stand to the right of the picture, one under the other; the address sits below
    // them, flush with their right edge, so that the window's width (the right edge of the address
    // and a margin) shows every text whole.
    const int left = kMargin + kPicture + 16;
    int top = kMargin;
    int right = left;
    for (QLabel* l : {Label1, Label2, Label3}) {
        l->move(left, top);
        top += l->height() + 2;
        right = qMax(right, left + l->width());
    }
    top = qMax(top + 10, kMargin + kPicture + 10);
    for (QLabel* l : {Label4, Label5}) {
        l->move(kMargin, top);
        top += l->height() + 1;
        right = qMax(right, kMargin + l->width());
    }
    Label_lnk1->move(qMax(kMargin, right - Label_lnk1->width()), top + 4);

    if (BlueTheme)
        Theme::SetBackground(this, Theme::DialogColor);
    const int width = Label_lnk1->geometry().right() + 1 + 52;
    setFixedSize(width, Label_lnk1->geometry().bottom() + 1 + 5);
}

void TFormAbout::FormShow() { setFixedSize(width(), Label_lnk1->geometry().bottom() + 1 + 6); }

void TFormAbout::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TFormAbout::FormClick() { close(); }

void TFormAbout::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        FormClick();
        return;
    }
    QDialog::mousePressEvent(event);
}

bool TFormAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label_lnk1 && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label_lnk1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFormAbout::Label_lnk1Click() { DesktopServices::instance().openUrl(QStringLiteral("mailto:") + SupportAddress()); }
