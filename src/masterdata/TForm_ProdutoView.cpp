#include "masterdata/TForm_ProdutoView.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "report/TForm2.h"
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/ListFillers.h"
#include "shell/MessageBox.h"
#include "shell/ScreenControls.h"
#include "store/AccessPatterns.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString kTrue = QStringLiteral("True");

// The mark of a composite line: a product made of two others.
QPixmap CompositePicture()
{
    QPixmap picture(40, 40);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.drawLine(20, 14, 20, 20);
    p.drawLine(9, 20, 31, 20);
    p.drawLine(9, 20, 9, 25);
    p.drawLine(31, 20, 31, 25);
    p.setBrush(QColor(255, 0, 0));
    p.drawRoundedRect(QRectF(12, 3, 16, 11), 2, 2);
    p.setBrush(QColor(70, 130, 200));
    p.drawRoundedRect(QRectF(2, 25, 14, 11), 2, 2);
    p.drawRoundedRect(QRectF(24, 25, 14, 11), 2, 2);
    return picture;
}

QLineEdit* NewReadOnlyBox(QWidget* parent, const char* name)
{
    QLineEdit* box = NewEdit(parent, name, 10);
    box->setEnabled(false);
    return box;
}

} // namespace

TForm_ProdutoView::TForm_ProdutoView(QWidget* parent) : ScreenForm(parent)
{
    setObjectName(QStringLiteral("TForm_ProdutoView"));
    StringGrid4 = Named(new StringGrid(this), "StringGrid4");
    StringGrid4->setColCount(ColumnCount);
    StringGrid4->setRowTexts(0, {QStringLiteral("Produto"), QStringLiteral("Tipo"), QString::fromUtf8("Matéria Prima"),
                                 QStringLiteral("Qnt/un."), QStringLiteral("un."), QString::fromUtf8("Peças/h"),
                                 QStringLiteral("RawM/dia"), QString(), QStringLiteral("Moldes")});
    StringGrid4->setColWidths(ColQuantDia, 64);
    for (int col : {int(ColPosition), int(ColMoldes), int(ColComposto), ColumnCount - 1})
        StringGrid4->setColWidths(col, 0);
    // Components of composite products stand out in red.
    StringGrid4->setCellStyler([this](int col, int row, CellStyle& style) {
        if (row >= 1 && col == ColMateriaPrima && StringGrid4->Cells(ColComposto, row) == kTrue)
            style.foreground = QColor(255, 0, 0);
    });

    Label22 = NewLabel(this, "Label22", QStringLiteral("Produto"));
    ComboBox_ProdutoView = NewPickList(this, "ComboBox_ProdutoView");
    SetListSorted(ComboBox_ProdutoView);
    Label100 = NewLabel(this, "Label100", QStringLiteral("Moldes"));
    Label23 = NewLabel(this, "Label23", QString::fromUtf8("Peças/h"));
    Label24 = NewLabel(this, "Label24", QStringLiteral("RawM/dia"));
    Edit_ProdutoViewMoldes = NewReadOnlyBox(this, "Edit_ProdutoViewMoldes");
    Edit_ProdutoViewCiclo = NewReadOnlyBox(this, "Edit_ProdutoViewCiclo");
    Edit_ProdutoViewQuantDia = NewReadOnlyBox(this, "Edit_ProdutoViewQuantDia");
    Bevel_ProdutoViewCompst = Named(new QFrame(this), "Bevel_ProdutoViewCompst");
    Bevel_ProdutoViewCompst->setFrameShape(QFrame::Panel);
    Bevel_ProdutoViewCompst->setFrameShadow(QFrame::Sunken);
    Bevel_ProdutoViewCompst->setFixedSize(52, 52);
    Image_ProdutoViewCompst = Named(new QLabel(Bevel_ProdutoViewCompst), "Image_ProdutoViewCompst");
    Image_ProdutoViewCompst->setPixmap(CompositePicture());
    Image_ProdutoViewCompst->setGeometry(6, 6, 40, 40);
    Image_ProdutoViewCompst->hide();
    Button_ProdutoViewFile = NewButton(this, "Button_ProdutoViewFile", Caption::ToFile());
    Button_ProdutoViewClose = NewButton(this, "Button_ProdutoViewClose", Caption::Close());

    // The list on top; the grid with the clicked line's data and the buttons at its right.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 6, 8, 8);
    outer->setSpacing(6);
    auto* top = new QGridLayout;
    top->setHorizontalSpacing(8);
    top->setVerticalSpacing(1);
    top->addWidget(Label22, 0, 0);
    top->addWidget(ComboBox_ProdutoView, 1, 0);
    top->setColumnStretch(1, 1);
    ComboBox_ProdutoView->setMinimumWidth(330);
    outer->addLayout(top);
    auto* body = new QHBoxLayout;
    body->setSpacing(10);
    body->addWidget(StringGrid4, 1);
    auto* side = new QVBoxLayout;
    side->setSpacing(1);
    for (auto [label, box] : {std::pair{Label100, Edit_ProdutoViewMoldes}, std::pair{Label23, Edit_ProdutoViewCiclo},
                              std::pair{Label24, Edit_ProdutoViewQuantDia}}) {
        box->setFixedWidth(80);
        side->addWidget(label);
        side->addWidget(box);
        side->addSpacing(6);
    }
    side->addSpacing(6);
    side->addWidget(Bevel_ProdutoViewCompst, 0, Qt::AlignHCenter);
    side->addStretch(1);
    side->addWidget(Button_ProdutoViewFile);
    side->addSpacing(4);
    side->addWidget(Button_ProdutoViewClose);
    body->addLayout(side);
    outer->addLayout(body, 1);

    setColumnShares({0.23, 0.23, 0.32, 0.11, 0.04, 0.07});
    setInitialSortColumn(ColProduto);
    setFirstInput(ComboBox_ProdutoView);

    connect(ComboBox_ProdutoView, &QComboBox::currentIndexChanged, this, &TForm_ProdutoView::ComboBox_ProdutoViewChange);
    connect(StringGrid4, &StringGrid::cellClicked, this, [this](int, int row) { StringGrid4Click(row); });
    connect(Button_ProdutoViewFile, &QAbstractButton::clicked, this, &TForm_ProdutoView::Button_ProdutoViewFileClick);
}

QAbstractButton* TForm_ProdutoView::CloseButton() const { return Button_ProdutoViewClose; }

void TForm_ProdutoView::ApplyFormLanguage()
{
    SetCaption(Label22, QStringLiteral("label_31"), QStringLiteral("Produto"));
    SetCaption(Label100, QStringLiteral("label_24"), QStringLiteral("Moldes"));
    SetCaption(Label23, QStringLiteral("label_3"), QString::fromUtf8("Peças/h"));
    SetCaption(Label24, QStringLiteral("label_34"), QStringLiteral("RawM/dia"));
    // The columns of the boxes take the boxes' captions.
    StringGrid4->setCells(ColProduto, 0, Label22->text());
    StringGrid4->setCells(ColCiclo, 0, Label23->text());
    StringGrid4->setCells(ColQuantDia, 0, Label24->text());
    StringGrid4->setCells(ColMoldes, 0, Label100->text());
    SetHeading(StringGrid4, ColTipo, QStringLiteral("label_6"), QStringLiteral("Tipo"));
    SetHeading(StringGrid4, ColMateriaPrima, QStringLiteral("label_23"), QString::fromUtf8("Matéria Prima"));
    SetHeading(StringGrid4, ColQuant, QStringLiteral("label_33"), QStringLiteral("Qnt/un."));
    SetHeading(StringGrid4, ColUn, QStringLiteral("label_unit"), QStringLiteral("un."));
    SetHint(Image_ProdutoViewCompst, QStringLiteral("hint_composite"), QStringLiteral("Composite product"));
}

qint64 TForm_ProdutoView::ListLines(const QString& entry, bool fillList)
{
    const qsizetype tab = entry.indexOf('\t');
    const bool all = entry == ShowAll();
    const QString name = entry.left(tab);
    const QString type = entry.mid(tab + 1);
    const std::vector<ProdutoRecord> records = ReadAllRecordsIfExists<ProdutoRecord>(DataFilePath(DataFile::Produtos));
    QStringList products;
    qint64 listed = 0;
    {
        GridUpdate update(StringGrid4);
        auto& rows = StringGrid4->rows();
        rows.resize(1);
        rows.reserve(records.size() + 1);
        for (const ProdutoRecord& r : records) {
            if (fillList)
                products << r.Produto.text() + '\t' + r.Tipo.text();
            if (!all && !(r.Produto.equals(name) && r.Tipo.equals(type)))
                continue;
            ++listed;
            const QStringList texts{r.Produto.text(), r.Tipo.text(),  r.MateriaPrima.text(),    r.Quant.text(),
                                    r.Un.text(),      r.Ciclo.text(), r.QuantDia.text(),        QString::number(listed),
                                    r.Moldes.text(),  r.Composto == 1 ? kTrue : QStringLiteral("False")};
            rows.emplace_back(texts.begin(), texts.end());
        }
    }
    if (fillList) {
        const QSignalBlocker block(ComboBox_ProdutoView);
        ComboBox_ProdutoView->clear();
        AddUniqueItems(ComboBox_ProdutoView, products);
    }
    return listed;
}

void TForm_ProdutoView::LoadData()
{
    ListLines(ShowAll(), true);
    if (StringGrid4->RowCount() < 2)
        StringGrid4->setRowCount(2); // a title row and one empty row
}

void TForm_ProdutoView::FillLists()
{
    // Names and types in two columns, the types 110 pixels to the right, or further when a name
    // needs the room.
    int offset = 110;
    const QFontMetrics metrics(ComboBox_ProdutoView->font());
    for (int i = 0; i < ComboBox_ProdutoView->count(); ++i)
        offset = qMax(offset, metrics.horizontalAdvance(ComboBox_ProdutoView->itemText(i).section('\t', 0, 0)) + 12);
    SetTwoColumnItems(ComboBox_ProdutoView, offset, 2);
    const QSignalBlocker block(ComboBox_ProdutoView);
    AddListItem(ComboBox_ProdutoView, ShowAll());
    // The grid holds every line: the list says so, even where a name sorts before "( show all )".
    ComboBox_ProdutoView->setCurrentIndex(ComboBox_ProdutoView->findText(ShowAll()));
}

void TForm_ProdutoView::ComboBox_ProdutoViewChange()
{
    Hourglass hourglass;
    const QString entry = ComboBox_ProdutoView->currentText();
    ListLines(entry.isEmpty() ? ShowAll() : entry, false);
    for (QLineEdit* box : {Edit_ProdutoViewMoldes, Edit_ProdutoViewCiclo, Edit_ProdutoViewQuantDia})
        box->clear();
    Image_ProdutoViewCompst->hide();
    StringGrid4->FitFirstColumn();
    SortGridByColumn(StringGrid4, ColProduto);
}

void TForm_ProdutoView::StringGrid4Click(int row)
{
    if (row < 1 || row >= StringGrid4->RowCount())
        return;
    Edit_ProdutoViewMoldes->setText(StringGrid4->Cells(ColMoldes, row));
    Edit_ProdutoViewCiclo->setText(StringGrid4->Cells(ColCiclo, row));
    Edit_ProdutoViewQuantDia->setText(StringGrid4->Cells(ColQuantDia, row));
    Image_ProdutoViewCompst->setVisible(StringGrid4->Cells(ColComposto, row) == kTrue);
}

void TForm_ProdutoView::Button_ProdutoViewFileClick() { TForm2::ExportGridText(StringGrid4); }
