#include "stock/TForm_StockView.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "report/TForm2.h"
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/ListFillers.h"
#include "shell/MessageBox.h"
#include "shell/ScreenControls.h"
#include "stock/StockLists.h"
#include "store/AccessPatterns.h"
#include "store/Clock.h"
#include "store/DateText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace StockLists;

TForm_StockView::TForm_StockView(QWidget* parent) : ScreenForm(parent)
{
    setObjectName(QStringLiteral("TForm_StockView"));
    StringGrid7 = Named(new StringGrid(this), "StringGrid7");
    StringGrid7->setColCount(MaterialColumns);
    StringGrid7->setRowTexts(0, {QString::fromUtf8("Matéria Prima"), QStringLiteral("Stock"), QStringLiteral("un."),
                                 QStringLiteral("Reservado"), QStringLiteral("Encomendas")});
    StringGrid7->setColWidths(MatDate, 0);
    StringGrid7->setColWidths(MatRecord, 0);
    // The unit in grey.
    StringGrid7->setCellStyler([this](int col, int row, CellStyle& style) {
        if (row >= 1 && col == MatUnit && !StringGrid7->Cells(0, 1).isEmpty())
            style.foreground = QColor(128, 128, 128);
    });

    Label39 = NewLabel(this, "Label39", QString::fromUtf8("Matéria Prima"));
    ComboBox_MateriaView = NewPickList(this, "ComboBox_MateriaView");
    SetListSorted(ComboBox_MateriaView);
    Label40 = NewLabel(this, "Label40", QStringLiteral("Ultimo Movim."));
    Edit_StockViewDate = NewEdit(this, "Edit_StockViewDate", 10);
    Edit_StockViewDate->setReadOnly(true);
    Button_StockViewFile = NewButton(this, "Button_StockViewFile", Caption::ToFile());
    Button_StockViewClose = NewButton(this, "Button_StockViewClose", Caption::Close());

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 6, 8, 8);
    outer->setSpacing(6);
    auto* top = new QGridLayout;
    top->setHorizontalSpacing(10);
    top->setVerticalSpacing(1);
    top->addWidget(Label39, 0, 0);
    top->addWidget(ComboBox_MateriaView, 1, 0);
    top->addWidget(Label40, 0, 1);
    top->addWidget(Edit_StockViewDate, 1, 1);
    top->setColumnStretch(2, 1);
    ComboBox_MateriaView->setMinimumWidth(300);
    Edit_StockViewDate->setFixedWidth(90);
    outer->addLayout(top);
    auto* body = new QHBoxLayout;
    body->setSpacing(10);
    body->addWidget(StringGrid7, 1);
    auto* side = new QVBoxLayout;
    side->addStretch(1);
    side->addWidget(Button_StockViewFile);
    side->addSpacing(4);
    side->addWidget(Button_StockViewClose);
    body->addLayout(side);
    outer->addLayout(body, 1);

    setColumnShares({0.52, 0.15, 0.05, 0.14, 0.14});
    setInitialSortColumn(MatMaterial);
    setFirstInput(ComboBox_MateriaView);

    connect(ComboBox_MateriaView, &QComboBox::currentIndexChanged, this, &TForm_StockView::ComboBox_MateriaViewChange);
    connect(StringGrid7, &StringGrid::currentCellChanged, this, [this](int, int row) { StringGrid7Click(row); });
    connect(StringGrid7, &StringGrid::cellClicked, this, [this](int, int row) { StringGrid7Click(row); });
    connect(Button_StockViewFile, &QAbstractButton::clicked, this, &TForm_StockView::Button_StockViewFileClick);
}

QAbstractButton* TForm_StockView::CloseButton() const { return Button_StockViewClose; }

void TForm_StockView::ApplyFormLanguage()
{
    SetCaption(Label39, QStringLiteral("label_23"), QString::fromUtf8("Matéria Prima"));
    SetCaption(Label40, QStringLiteral("label_45"), QStringLiteral("Ultimo Movim."));
    StringGrid7->setCells(MatMaterial, 0, Label39->text());
    SetHeading(StringGrid7, MatReserved, QStringLiteral("label_39"), QStringLiteral("Reservado"));
    SetHeading(StringGrid7, MatOnOrder, QStringLiteral("label_14"), QStringLiteral("Encomendas"));
}

void TForm_StockView::ListRecords(const QString& material)
{
    const auto records = ReadAllRecordsIfExists<StockMateriaRecord>(DataFilePath(DataFile::StockMateria));
    m_materials = MaterialItems(records);
    SetDataRows(StringGrid7, MaterialStockRows(records, material));
}

void TForm_StockView::LoadData() { ListRecords(ShowAll); }

void TForm_StockView::FillLists()
{
    const QSignalBlocker block(ComboBox_MateriaView);
    ComboBox_MateriaView->clear();
    AddUniqueItems(ComboBox_MateriaView, m_materials);
    AddListItem(ComboBox_MateriaView, ShowAll);
    // The grid holds every record: the list says so, wherever "( show all )" sorts.
    ComboBox_MateriaView->setCurrentIndex(ComboBox_MateriaView->findText(ShowAll));
}

void TForm_StockView::AfterShow()
{
    Edit_StockViewDate->setText(DateText::DateToStr(Clock::today()));
    FillUnitColumn(StringGrid7, MatUnit);
}

void TForm_StockView::ComboBox_MateriaViewChange()
{
    Hourglass hourglass;
    const QString chosen = ComboBox_MateriaView->currentText();
    ListRecords(chosen.isEmpty() ? ShowAll : chosen);
    StringGrid7->FitFirstColumn();
    SortGridByColumn(StringGrid7, MatMaterial);
    FillUnitColumn(StringGrid7, MatUnit);
}

void TForm_StockView::StringGrid7Click(int row)
{
    if (row >= 1 && row < StringGrid7->RowCount() && !StringGrid7->Cells(MatMaterial, row).isEmpty())
        Edit_StockViewDate->setText(StringGrid7->Cells(MatDate, row));
}

void TForm_StockView::Button_StockViewFileClick() { TForm2::ExportGridText(StringGrid7); }
