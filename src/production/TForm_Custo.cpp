#include "production/TForm_Custo.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "i18n/ProgramState.h"
#include "production/AnalysisScreens.h"
#include "shell/GridRoutines.h"
#include "shell/ListFillers.h"
#include "shell/MessageBox.h"
#include "shell/ScreenControls.h"
#include "shell/StringGrid.h"
#include "store/AccessPatterns.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Production;

namespace {

QString ShowAll() { return LangText(QStringLiteral("label_108"), QStringLiteral("( show all )")); }

} // namespace

TForm_Custo::TForm_Custo(QWidget* parent) : ScreenForm(parent)
{
    setObjectName(QStringLiteral("TForm_Custo"));
    StringGrid17 = Named(new StringGrid(this), "StringGrid17");
    StringGrid17->setColCount(ColumnCount);
    StringGrid17->setRowCount(2);
    StringGrid17->setRowTexts(0, {QStringLiteral("Produto"), QStringLiteral("Equip."), QStringLiteral("Cycle"),
                                  QStringLiteral("Custo/mq."), QStringLiteral("usto/mP."), QStringLiteral("Total")});
    StringGrid17->setColWidths(ColIndex, 0);
    for (int col = ColCycle; col <= ColTotal; ++col)
        StringGrid17->setColumnAlignment(col, Qt::AlignRight | Qt::AlignTop);
    KeepUndefinedRowsLast(StringGrid17);

    Label114 = NewLabel(this, "Label114", QStringLiteral("Produto"));
    ComboBox_CustoProduto = NewPickList(this, "ComboBox_CustoProduto");
    SetListSorted(ComboBox_CustoProduto);
    Label115 = NewLabel(this, "Label115", QStringLiteral("Custo Unit."));
    Edit_CustoProduto = NewEdit(this, "Edit_CustoProduto", 20);
    Edit_CustoProduto->setReadOnly(true);
    Edit_CustoProduto->setAlignment(Qt::AlignRight);
    Button_CustoClose = NewButton(this, "Button_CustoClose", Caption::Close());

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 6, 8, 8);
    outer->setSpacing(6);
    auto* top = new QGridLayout;
    top->setHorizontalSpacing(10);
    top->setVerticalSpacing(1);
    top->addWidget(Label114, 0, 0);
    top->addWidget(ComboBox_CustoProduto, 1, 0);
    top->addWidget(Label115, 0, 1);
    top->addWidget(Edit_CustoProduto, 1, 1);
    top->addWidget(Button_CustoClose, 1, 3);
    top->setColumnStretch(0, 3);
    top->setColumnStretch(2, 1);
    ComboBox_CustoProduto->setMinimumWidth(260);
    Edit_CustoProduto->setFixedWidth(110);
    outer->addLayout(top);
    outer->addWidget(StringGrid17, 1);

    setColumnShares({0.42, 0.18, 0.08, 0.11, 0.11, 0.10});
    setInitialSortColumn(-1); // in order of first appearance
    setFirstInput(ComboBox_CustoProduto);

    connect(StringGrid17, &StringGrid::cellClicked, this, [this](int, int row) { StringGrid17Click(row); });
    connect(StringGrid17, &StringGrid::currentCellChanged, this, [this](int, int row) { StringGrid17Click(row); });
    connect(ComboBox_CustoProduto, &QComboBox::currentIndexChanged, this, &TForm_Custo::ComboBox_CustoProdutoChange);
}

QAbstractButton* TForm_Custo::CloseButton() const { return Button_CustoClose; }

void TForm_Custo::ApplyFormLanguage()
{
    SetCaption(Label114, QStringLiteral("label_31"), QStringLiteral("Produto"));
    SetCaption(Label115, QStringLiteral("label_72"), QStringLiteral("Custo Unit."));
    StringGrid17->setCells(ColProduto, 0, Label114->text());
    SetHeading(StringGrid17, ColEquip, QStringLiteral("label_equip"), QStringLiteral("Equip."));
    SetHeading(StringGrid17, ColCycle, QStringLiteral("label_2"), QStringLiteral("Cycle"));
    SetHeading(StringGrid17, ColMachine, QStringLiteral("label_9"), QStringLiteral("Custo/mq."));
    SetHeading(StringGrid17, ColMaterial, QStringLiteral("label_8"), QStringLiteral("usto/mP."));
    SetHeading(StringGrid17, ColTotal, QStringLiteral("label_total"), QStringLiteral("Total"));
}

void TForm_Custo::FormShow()
{
    Hourglass hourglass;
    ApplyFormLanguage();
    StringGrid17->setRowCount(2);
    {
        const QSignalBlocker block(ComboBox_CustoProduto);
        AddUniqueItem(ComboBox_CustoProduto, ShowAll());
    }
    const auto entries = ReadAllRecords<HorasProducaoRecord>(DataFilePath(DataFile::HorasProducao));
    if (entries.empty()) {
        MessageBox::information(QStringLiteral("HorasProducao = 0\r") + LangMsg[48]);
        return;
    }
    m_costs = ProductCosts(entries, ReadAllRecords<EquipamentoRecord>(DataFilePath(DataFile::Equipamentos)),
                           ReadAllRecords<ProdutoRecord>(DataFilePath(DataFile::Produtos)),
                           ReadAllRecords<MateriaPrimaRecord>(DataFilePath(DataFile::MateriasPrimas)));
    m_rowTexts.clear();
    m_rowTexts.reserve(m_costs.rows.size());
    for (size_t i = 0; i < m_costs.rows.size(); ++i) {
        QStringList texts = CostRowTexts(m_costs.rows[i]);
        texts << QString::number(i);
        m_rowTexts.emplace_back(texts.begin(), texts.end());
    }
    ListRows(QString());
    {
        const QSignalBlocker block(ComboBox_CustoProduto);
        AddUniqueItems(ComboBox_CustoProduto, m_costs.products);
        ComboBox_CustoProduto->setCurrentIndex(0);
    }
    FormResize();
    if (FirstInput())
        FirstInput()->setFocus();
    if (!m_costs.bad.empty())
        MessageBox::warning(BadTextsMessage(m_costs.bad));
}

void TForm_Custo::ListRows(const QString& product)
{
    const bool all = product.isEmpty() || product == ShowAll();
    {
        GridUpdate update(StringGrid17);
        auto& rows = StringGrid17->rows();
        rows.resize(1);
        rows.reserve(all ? m_costs.rows.size() + 1 : 64);
        // The rows that can be costed first, in order of first appearance, then the others.
        for (const bool undefined : {false, true})
            for (size_t i = 0; i < m_costs.rows.size(); ++i) {
                const CostRow& row = m_costs.rows[i];
                if (row.undefined() != undefined || (!all && row.product != product))
                    continue;
                rows.push_back(m_rowTexts[i]);
            }
        if (rows.size() == 1)
            rows.emplace_back();
    }
    Edit_CustoProduto->clear();
    StringGrid17->FitFirstColumn();
}

void TForm_Custo::ComboBox_CustoProdutoChange()
{
    Hourglass hourglass;
    ListRows(ComboBox_CustoProduto->currentText());
}

void TForm_Custo::StringGrid17Click(int row)
{
    if (row < 1 || row >= StringGrid17->RowCount())
        return;
    bool ok = false;
    const int i = StringGrid17->Cells(ColIndex, row).toInt(&ok);
    if (!ok || i < 0 || size_t(i) >= m_costs.rows.size())
        return;
    Edit_CustoProduto->setText(CostText(m_costs.rows[size_t(i)].total));
}
