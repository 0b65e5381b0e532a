#include "production/TForm4.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "production/TPieChart.h"
#include "shell/GridRoutines.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>

namespace {

// The pie fills its control, which is square so that the pie is round and its labels find room
// inside their slices.
constexpr int PieLeft = 8, PieTop = 8, PieWidth = 260, PieHeight = 260;

} // namespace

TForm4::TForm4(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(LangText(QStringLiteral("label_chartCaption"), QStringLiteral("  Util Chart")));

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Panel);
    Bevel1->setFrameShadow(QFrame::Sunken);
    PieChart1 = new TPieChart(this);
    PieChart1->setObjectName(QStringLiteral("PieChart1"));
    QFont labels = PieChart1->font();
    labels.setPointSize(8);
    PieChart1->setFont(labels);
    Label_legend = new QLabel(this);
    Label_legend->setObjectName(QStringLiteral("Label_legend"));
    Label_legend->setWordWrap(true);
    Label_legend->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label_legend->hide();
    Button_close = new TRe2Buttn(Caption::Close(), this);
    Button_close->setObjectName(QStringLiteral("Button_close"));
    connect(Button_close, &QAbstractButton::clicked, this, &TForm4::Button_closeClick);
    FormCreate();
}

void TForm4::FormCreate()
{
    PieChart1->setGeometry(PieLeft, PieTop, PieWidth, PieHeight);
    Bevel1->setGeometry(PieLeft - 4, PieTop - 4, PieWidth + 8, PieHeight + 8);
    PlaceControls();
    if (BlueTheme) {
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(205, 235, 255));
        setPalette(pal);
    }
}

void TForm4::PlaceControls()
{
    int top = PieTop + PieHeight + 8;
    if (!Label_legend->isHidden()) {
        Label_legend->setFixedWidth(PieWidth);
        Label_legend->setGeometry(PieLeft, top, PieWidth, Label_legend->heightForWidth(PieWidth));
        top = Label_legend->geometry().bottom() + 6;
    }
    Button_close->setGeometry(PieLeft + PieWidth - 75, top, 75, 25);
    // The window fits its close button.
    setFixedSize(Button_close->geometry().right() + 1 + 8, Button_close->geometry().bottom() + 1 + 3);
}

void TForm4::LoadItems(const QStringList& texts)
{
    PieChart1->LoadItems(texts);
    // The parts the pie does not show, or shows without their label.
    QStringList legend;
    if (const QStringList unlabelled = PieChart1->UnlabelledTexts(); !unlabelled.isEmpty())
        legend << LangText(QStringLiteral("label_chartUnlabelled"), QStringLiteral("Too narrow for a label:")) + QLatin1Char(' ')
                      + unlabelled.join(QStringLiteral("; "));
    if (const QStringList leftOut = PieChart1->LeftOutTexts(); !leftOut.isEmpty())
        legend << LangText(QStringLiteral("label_chartLeftOut"), QStringLiteral("Not drawn, negative:")) + QLatin1Char(' ')
                      + leftOut.join(QStringLiteral("; "));
    Label_legend->setText(legend.join(QLatin1Char('\n')));
    Label_legend->setVisible(!legend.isEmpty());
    PlaceControls();
}

void TForm4::Button_closeClick() { accept(); }

void TForm4::keyReleaseEvent(QKeyEvent* event)
{
    RepaintOnTabOrAlt(this, event->key());
    QDialog::keyReleaseEvent(event);
}
