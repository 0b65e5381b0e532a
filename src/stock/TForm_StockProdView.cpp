#include "stock/TForm_StockProdView.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/IniFile.h"
#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "i18n/SettingsFiles.h"
#include "shell/DesktopServices.h"
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/ListFillers.h"
#include "shell/MessageBox.h"
#include "shell/PopupPanel.h"
#include "shell/ScreenControls.h"
#include "stock/StockLists.h"
#include "store/AccessPatterns.h"
#include "store/Clock.h"
#include "store/DateText.h"
#include "store/DecimalText.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

using namespace StockLists;

namespace {

constexpr int kChooserWidth = 305;
constexpr int kChooserHeight = 196;
constexpr int kClientGridWidth = 273;
constexpr int kClientGridWide = 289; // room for the scroll bar

} // namespace

TForm_StockProdView::TForm_StockProdView(QWidget* parent) : ScreenForm(parent)
{
    setObjectName(QStringLiteral("TForm_StockProdView"));
    StringGrid13 = Named(new StringGrid(this), "StringGrid13");
    StringGrid13->setColCount(ProductColumns);
    StringGrid13->setRowTexts(0, {QStringLiteral("Produto"), QStringLiteral("Stock"), QStringLiteral("Disponivel"),
                                  QStringLiteral("Encomendas")});
    StringGrid13->setColWidths(ProdDate, 0);
    StringGrid13->setColWidths(ProdRecord, 0);
    // A shortfall in red.
    StringGrid13->setCellStyler([this](int col, int row, CellStyle& style) {
        if (row < 1 || col != ProdAvailable || StringGrid13->Cells(0, 1).isEmpty())
            return;
        const auto value = DecimalText::parse(StringGrid13->Cells(col, row));
        if (value && *value < 0)
            style.foreground = QColor(255, 0, 0);
    });

    Label79 = NewLabel(this, "Label79", QStringLiteral("Produto"));
    ComboBox_StockProdView = NewPickList(this, "ComboBox_StockProdView");
    SetListSorted(ComboBox_StockProdView);
    Label80 = NewLabel(this, "Label80", QStringLiteral("Ultimo Movim."));
    Edit_StockProdViewDate = NewEdit(this, "Edit_StockProdViewDate", 10);
    Edit_StockProdViewDate->setReadOnly(true);
    Button_StockProdViewEmail = NewButton(this, "Button_StockProdViewEmail", QStringLiteral("e-mail  stocks"));
    Button_StockProdViewClose = NewButton(this, "Button_StockProdViewClose", Caption::Close());
    Button_StockProdViewEmail->setFixedWidth(100);
    Button_StockProdViewClose->setFixedWidth(100);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 6, 8, 8);
    outer->setSpacing(6);
    auto* top = new QGridLayout;
    top->setHorizontalSpacing(10);
    top->setVerticalSpacing(1);
    top->addWidget(Label79, 0, 0);
    top->addWidget(ComboBox_StockProdView, 1, 0);
    top->addWidget(Label80, 0, 1);
    top->addWidget(Edit_StockProdViewDate, 1, 1);
    top->setColumnStretch(2, 1);
    ComboBox_StockProdView->setMinimumWidth(330);
    Edit_StockProdViewDate->setFixedWidth(90);
    outer->addLayout(top);
    auto* body = new QHBoxLayout;
    body->setSpacing(10);
    body->addWidget(StringGrid13, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(Button_StockProdViewEmail);
    side->addStretch(1);
    side->addWidget(Button_StockProdViewClose);
    body->addLayout(side);
    outer->addLayout(body, 1);

    // The client chooser, parked until the mail is asked for.
    m_chooser = PopupPanel::Create(this, "Panel_StockProdView_Clients", "Panel_StockProdView_ClientsCaption",
                                                  "Label116", "SpeedButton_StockProdView_ClientsClose",
                                                  QStringLiteral("Choose Client to email to :"),
                                                  QSize(kChooserWidth, kChooserHeight));
    Panel_StockProdView_Clients = m_chooser.panel;
    Panel_StockProdView_ClientsCaption = m_chooser.captionBar;
    Label116 = m_chooser.caption;
    SpeedButton_StockProdView_ClientsClose = m_chooser.closeButton;
    StringGrid_StockProdView_Clients = Named(new StringGrid(Panel_StockProdView_Clients), "StringGrid_StockProdView_Clients");
    StringGrid_StockProdView_Clients->setColCount(3);
    StringGrid_StockProdView_Clients->setGeometry(16, 30, kClientGridWidth, 122);
    StringGrid_StockProdView_Clients->setColWidths(0, 110);
    StringGrid_StockProdView_Clients->setColWidths(1, 75);
    StringGrid_StockProdView_Clients->setColWidths(2, 84);
    Button_StockProdView_ClientsCancel = Named(new TRe2Buttn(Caption::PanelCancel(), Panel_StockProdView_Clients),
                                               "Button_StockProdView_ClientsCancel");
    Button_StockProdView_ClientsCancel->setGeometry(58, 162, 80, 25);
    Button_StockProdView_ClientsOk = Named(new TRe2Buttn(Caption::PanelOk(), Panel_StockProdView_Clients),
                                           "Button_StockProdView_ClientsOk");
    Button_StockProdView_ClientsOk->setGeometry(166, 162, 80, 25);

    setColumnShares({0.54, 0.17, 0.16, 0.13});
    setInitialSortColumn(ProdProduct);
    setFirstInput(ComboBox_StockProdView);

    connect(ComboBox_StockProdView, &QComboBox::currentIndexChanged, this, &TForm_StockProdView::ComboBox_StockProdViewChange);
    connect(StringGrid13, &StringGrid::currentCellChanged, this, [this](int, int row) { StringGrid13Click(row); });
    connect(StringGrid13, &StringGrid::cellClicked, this, [this](int, int row) { StringGrid13Click(row); });
    connect(Button_StockProdViewEmail, &QAbstractButton::clicked, this, &TForm_StockProdView::Button_StockProdViewEmailClick);
    connect(StringGrid_StockProdView_Clients, &StringGrid::cellDoubleClicked, this,
            [this](int, int row) {
                if (row >= 1)
                    StringGrid_StockProdView_ClientsDblClick();
            });
    connect(Button_StockProdView_ClientsOk, &QAbstractButton::clicked, this,
            &TForm_StockProdView::StringGrid_StockProdView_ClientsDblClick);
    connect(Button_StockProdView_ClientsCancel, &QAbstractButton::clicked, this,
            &TForm_StockProdView::Button_StockProdView_ClientsCancelClick);
    connect(SpeedButton_StockProdView_ClientsClose, &QToolButton::clicked, this,
            &TForm_StockProdView::Button_StockProdView_ClientsCancelClick);
}

QAbstractButton* TForm_StockProdView::CloseButton() const { return Button_StockProdViewClose; }

void TForm_StockProdView::ApplyFormLanguage()
{
    SetCaption(Label79, QStringLiteral("label_31"), QStringLiteral("Produto"));
    SetCaption(Label116, QStringLiteral("label_67"), QStringLiteral("Choose Client to email to :"));
    SetCaption(Label80, QStringLiteral("label_45"), QStringLiteral("Ultimo Movim."));
    StringGrid13->setCells(ProdProduct, 0, Label79->text());
    SetHeading(StringGrid13, ProdAvailable, QStringLiteral("label_96"), QStringLiteral("Disponivel"));
    SetHeading(StringGrid13, ProdOrdered, QStringLiteral("label_14"), QStringLiteral("Encomendas"));
    SetCaption(Button_StockProdViewEmail, QStringLiteral("button_StockMail"), QStringLiteral("e-mail  stocks"));
}

bool TForm_StockProdView::ChooserShown() const { return m_chooser.IsShown(); }

void TForm_StockProdView::ListRecords(const QString& item)
{
    const auto records = ReadAllRecordsIfExists<StockProdutoRecord>(DataFilePath(DataFile::StockProduto));
    m_items = ProductItems(records);
    SetDataRows(StringGrid13, ProductStockRows(records, item));
}

void TForm_StockProdView::LoadData()
{
    ParkChooser();
    ListRecords(ShowAllProducts);
}

void TForm_StockProdView::FillLists()
{
    // Names and types in two columns, the types 100 pixels to the right, or further when a name
    // needs the room.
    int offset = 100;
    const QFontMetrics metrics(ComboBox_StockProdView->font());
    for (const QString& item : m_items)
        offset = qMax(offset, metrics.horizontalAdvance(item.section(QLatin1Char('\t'), 0, 0)) + 12);
    SetTwoColumnItems(ComboBox_StockProdView, offset);
    const QSignalBlocker block(ComboBox_StockProdView);
    ComboBox_StockProdView->clear();
    AddUniqueItems(ComboBox_StockProdView, m_items);
    AddListItem(ComboBox_StockProdView, ShowAllProducts);
    ComboBox_StockProdView->setCurrentIndex(ComboBox_StockProdView->findText(ShowAllProducts));
}

void TForm_StockProdView::AfterShow() { Edit_StockProdViewDate->setText(DateText::DateToStr(Clock::today())); }

void TForm_StockProdView::ComboBox_StockProdViewChange()
{
    Hourglass hourglass;
    const QString chosen = ComboBox_StockProdView->currentText();
    ListRecords(chosen.isEmpty() ? ShowAllProducts : chosen);
    StringGrid13->FitFirstColumn();
    SortGridByColumn(StringGrid13, ProdProduct);
}

void TForm_StockProdView::StringGrid13Click(int row)
{
    if (row >= 1 && row < StringGrid13->RowCount() && !StringGrid13->Cells(ProdProduct, row).isEmpty())
        Edit_StockProdViewDate->setText(StringGrid13->Cells(ProdDate, row));
}

void TForm_StockProdView::Button_StockProdViewEmailClick()
{
    // The products listed now: a filter limits the mail to the product chosen.
    std::vector<ListedStock> listed;
    for (int r = 1; r < StringGrid13->RowCount(); ++r)
        if (!StringGrid13->Cells(ProdProduct, r).isEmpty())
            listed.push_back({StringGrid13->Cells(ProdProduct, r), StringGrid13->Cells(ProdStock, r)});
    m_mailLines = StockMailLines(listed);

    StringGrid* clients = StringGrid_StockProdView_Clients;
    clients->setRowTexts(0, {LangText(QStringLiteral("label_4"), QStringLiteral("Cliente")),
                             LangText(QStringLiteral("label_5"), QStringLiteral("Contacto")), QString()});
    SetDataRows(clients, ClientRows(ReadAllRecordsIfExists<FornecedorRecord>(DataFilePath(DataFile::Clientes))));
    clients->setFixedWidth(clients->RowCount() > 5 ? kClientGridWide : kClientGridWidth);
    clients->setRow(1);
    m_chooser.Show(ChooserLeft, ChooserTop);
    Button_StockProdViewClose->setEnabled(false);
    clients->setFocus();
}

void TForm_StockProdView::ParkChooser()
{
    m_chooser.Park();
    Button_StockProdViewClose->setEnabled(true);
}

void TForm_StockProdView::StringGrid_StockProdView_ClientsDblClick()
{
    ParkChooser();
    const StringGrid* clients = StringGrid_StockProdView_Clients;
    const QString address = clients->Cells(2, clients->Row()).trimmed();
    if (address.isEmpty()) {
        MessageBox::information(LangText(QStringLiteral("msg_NoClientEmail"), QStringLiteral("No 'Email' on this Client !"))
                                + QLatin1Char('\r')
                                + LangText(QStringLiteral("msg_CreateClientEmail"), QStringLiteral("Please  create  it  first ..")));
        return;
    }
    const QString from = DataIni ? ReadStockMailFrom(*DataIni, CurrentCompany) : QString();
    DesktopServices::instance().openUrl(StockMailLink(address, Clock::today(), m_mailLines, from));
}

void TForm_StockProdView::Button_StockProdView_ClientsCancelClick() { ParkChooser(); }
