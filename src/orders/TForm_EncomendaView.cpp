#include "orders/TForm_EncomendaView.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "orders/OrderColours.h"
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/MessageBox.h"
#include "shell/ScreenControls.h"
#include "shell/StringGrid.h"
#include "store/AccessPatterns.h"
#include "store/Clock.h"
#include "store/DateText.h"
#include "store/DecimalText.h"

#include <QAbstractItemView>
#include <QCollator>
#include <QHash>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>
#include <numeric>

using namespace OrderViews;

namespace {

// Where the second column of a filter item starts: past a product name, or past a material name.
constexpr int kProductOffset = 100;
constexpr int kMaterialOffset = 175;
// The width of a button whose caption is short.
constexpr int kButtonWidth = 80;

QString Today() { return DateText::DateToStr(Clock::today()); }

// The record number of a row (its digits as the list writes them).
qsizetype RecordNumber(const QString& text)
{
    qsizetype n = 0;
    for (const QChar c : text)
        n = n * 10 + (c.unicode() - '0');
    return n;
}

} // namespace

TForm_EncomendaView::TForm_EncomendaView(QWidget* parent, Kind kind) : ScreenForm(parent), m_kind(kind)
{
    setObjectName(QStringLiteral("TForm_EncomendaView"));
    StringGrid15 = Named(new StringGrid(this), "StringGrid15");
    StringGrid15->setColCount(ColumnCount);
    StringGrid15->setRowCount(2);
    for (int c = ColState; c < ColumnCount; ++c)
        StringGrid15->setColWidths(c, 0);
    StringGrid15->setTitleSortColumn(ColDate, ColDateKey); // the date sorts by its key

    Label102 = NewLabel(this, "Label102", QStringLiteral("Produto"));
    ComboBox_EncomendaView = NewPickList(this, "ComboBox_EncomendaView");
    ComboBox_EncomendaView->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBox_EncomendaView->setMinimumContentsLength(24);
    m_itemDelegate = SetTwoColumnItems(ComboBox_EncomendaView, FilterOffset());
    Label120 = NewLabel(this, "Label120", QStringLiteral("Total reservado"));
    Edit_EncomendaViewQuant = NewEdit(this, "Edit_EncomendaViewQuant", 32);
    Edit_EncomendaViewQuant->setReadOnly(true);
    Edit_EncomendaViewQuant->setAlignment(Qt::AlignRight);
    Label103 = NewLabel(this, "Label103", QStringLiteral("Data Encom."));
    Edit_EncomendaViewDate = NewEdit(this, "Edit_EncomendaViewDate", 10);
    Edit_EncomendaViewDate->setReadOnly(true);
    Label104 = NewLabel(this, "Label104", QString::fromUtf8("Refª. Encom."));
    Edit_EncomendaViewRef = NewEdit(this, "Edit_EncomendaViewRef", 6);
    Edit_EncomendaViewRef->setReadOnly(true);
    Label106 = NewLabel(this, "Label106", QStringLiteral("Quant. Exec."));
    Edit_EncomendaViewQuantExec = NewEdit(this, "Edit_EncomendaViewQuantExec", 10);
    Edit_EncomendaViewQuantExec->setReadOnly(true);
    Button_EncomendaViewUndone = NewButton(this, "Button_EncomendaViewUndone", QStringLiteral("Reactivar Encomenda"));
    Button_EncomendaViewUndone->setEnabled(false);
    Button_EncomendaViewDelete = NewButton(this, "Button_EncomendaViewDelete", Caption::Delete());
    Button_EncomendaViewClose = NewButton(this, "Button_EncomendaViewClose", Caption::Close());

    // The filter and the total / the date, reference and delivered quantity of the row.
    const EditorLayout layout = BuildEditorLayout(this, StringGrid15);
    PlaceInput(layout.inputs, 0, 0, Label102, ComboBox_EncomendaView, 2);
    PlaceInput(layout.inputs, 0, 2, Label120, Edit_EncomendaViewQuant);
    PlaceInput(layout.inputs, 1, 0, Label103, Edit_EncomendaViewDate);
    PlaceInput(layout.inputs, 1, 1, Label104, Edit_EncomendaViewRef);
    PlaceInput(layout.inputs, 1, 2, Label106, Edit_EncomendaViewQuantExec);
    for (int col = 0; col < 3; ++col)
        layout.inputs->setColumnStretch(col, 1);
    layout.buttons->addWidget(Button_EncomendaViewUndone);
    layout.buttons->addWidget(Button_EncomendaViewDelete);
    layout.buttons->addStretch(1);
    layout.buttons->addWidget(Button_EncomendaViewClose);

    setColumnShares({0.43, 0.31, 0.14, 0.12});
    setInitialSortColumn(ColDateKey);
    setFirstInput(ComboBox_EncomendaView);

    // Production orders in green whatever their state; otherwise archived in red, on hold in blue.
    StringGrid15->setCellStyler([this](int, int row, CellStyle& s) {
        if (row == 0 || StringGrid15->Cells(ColItem, 1).isEmpty())
            return;
        const QString state = StringGrid15->Cells(ColState, row);
        if (StringGrid15->Cells(ColParty, row) == ProductionClient())
            s.foreground = ProductionOrderColour;
        else if (state == QLatin1String("1"))
            s.foreground = ArchivedOrderColour;
        else if (state == QLatin1String("2"))
            s.foreground = OnHoldOrderColour;
    });

    connect(StringGrid15, &StringGrid::cellClicked, this, [this](int, int row) { StringGrid15Click(row); });
    connect(StringGrid15, &StringGrid::currentCellChanged, this, [this](int, int row) { StringGrid15Click(row); });
    connect(ComboBox_EncomendaView, &QComboBox::currentIndexChanged, this, &TForm_EncomendaView::ComboBox_EncomendaViewChange);
    connect(Button_EncomendaViewUndone, &QAbstractButton::clicked, this, &TForm_EncomendaView::Button_EncomendaViewUndoneClick);
    connect(Button_EncomendaViewDelete, &QAbstractButton::clicked, this, &TForm_EncomendaView::Button_EncomendaViewDeleteClick);
}

QAbstractButton* TForm_EncomendaView::CloseButton() const { return Button_EncomendaViewClose; }

QString TForm_EncomendaView::OrderPath() const { return DataFilePath(OrderFileName(m_kind)); }

int TForm_EncomendaView::FilterOffset() const { return m_itemDelegate ? m_itemDelegate->Offset() : kProductOffset; }

void TForm_EncomendaView::ApplyFormLanguage()
{
    SetCaption(Button_EncomendaViewUndone, QStringLiteral("label_68"), QStringLiteral("Reactivar Encomenda"));
    SetCaption(Label120, QStringLiteral("label_69"), QStringLiteral("Total reservado"));
    SetCaption(Label106, QStringLiteral("label_70"), QStringLiteral("Quant. Exec."));
    SetCaption(Label104, QStringLiteral("label_36"), QString::fromUtf8("Refª. Encom."));
    SetCaption(Label103, QStringLiteral("label_71"), QStringLiteral("Data Encom."));
    Button_EncomendaViewDelete->setText(Caption::Delete());
    Button_EncomendaViewClose->setText(Caption::Close());
    // The buttons are as wide as the longest caption.
    const int width = Button_EncomendaViewUndone->fontMetrics().horizontalAdvance(Button_EncomendaViewUndone->text()) + 24;
    for (TRe2Buttn* button : {Button_EncomendaViewUndone, Button_EncomendaViewDelete, Button_EncomendaViewClose})
        button->setFixedWidth(std::max(kButtonWidth, width));

    // The texts of the raw-material or the product orders.
    if (m_kind == Kind::MaterialOrders) {
        SetCaption(Label102, QStringLiteral("label_23"), QString::fromUtf8("Matéria Prima"));
        SetHeading(StringGrid15, ColItem, QStringLiteral("label_23"), QString::fromUtf8("Matéria Prima"));
        SetHeading(StringGrid15, ColParty, QStringLiteral("label_19"), QStringLiteral("Fornecedor"));
        SetHeading(StringGrid15, ColQuantity, QStringLiteral("label_33"), QStringLiteral("Quant/un."));
        SetHeading(StringGrid15, ColDate, QStringLiteral("label_11"), QStringLiteral("Data"));
    } else {
        SetCaption(Label102, QStringLiteral("label_31"), QStringLiteral("Produto"));
        SetHeading(StringGrid15, ColItem, QStringLiteral("label_31"), QStringLiteral("Produto"));
        SetHeading(StringGrid15, ColParty, QStringLiteral("label_4"), QStringLiteral("Cliente"));
        SetHeading(StringGrid15, ColQuantity, QStringLiteral("label_33"), QStringLiteral("Quant/un."));
        SetHeading(StringGrid15, ColDate, QStringLiteral("label_11"), QStringLiteral("Date"));
    }
}

// ---------------------------------------------------------------------------------------------
// Loading and filtering

void TForm_EncomendaView::FormShow()
{
    Hourglass hourglass;
    Button_EncomendaViewUndone->setEnabled(false);
    ApplyFormLanguage();
    LoadOrders();
    FormResize();
    ComboBox_EncomendaView->setFocus();
    // The first load lists every order; the date box shows today until a row is clicked.
    Edit_EncomendaViewDate->setText(Today());
    const QString bad = BadQuantitiesMessage(m_kind, m_selection.bad);
    if (!bad.isEmpty())
        MessageBox::warning(bad);
}

void TForm_EncomendaView::LoadOrders()
{
    const QString shown = ComboBox_EncomendaView->currentText();
    m_sorted.clear();
    if (m_kind == Kind::ProductOrders)
        m_list = BuildOrderList(ReadAllRecordsIfExists<EncomProdutoRecord>(OrderPath()));
    else
        m_list = BuildOrderList(ReadAllRecordsIfExists<EncomMateriaRecord>(OrderPath()));

    // The fixed entries first, then every item in the locale's order.
    QStringList items;
    {
        const QCollator& collator = TextCollator();
        std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
        keys.reserve(size_t(m_list.entries.size()));
        for (qsizetype i = 0; i < m_list.entries.size(); ++i)
            keys.emplace_back(collator.sortKey(m_list.entries[i]), i);
        std::stable_sort(keys.begin(), keys.end(),
                         [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
        items.reserve(qsizetype(keys.size()));
        for (const auto& key : keys)
            items << m_list.entries[key.second];
    }
    // The second column starts past the widest item name (at least where the kind wants it), and
    // the drop-down is wide enough for both columns. Each distinct part is measured once.
    const QFontMetrics fm(ComboBox_EncomendaView->font());
    QHash<QString, int> measured;
    auto width = [&](const QString& text) {
        auto it = measured.constFind(text);
        if (it == measured.constEnd())
            it = measured.insert(text, fm.horizontalAdvance(text));
        return it.value();
    };
    int first = 0, second = 0;
    for (const QString& item : std::as_const(items)) {
        const qsizetype tab = item.indexOf(QLatin1Char('\t'));
        first = std::max(first, width(item.left(tab)));
        second = std::max(second, width(item.mid(tab + 1)));
    }
    const int offset = std::max(m_kind == Kind::ProductOrders ? kProductOffset : kMaterialOffset, first + 12);
    if (offset != FilterOffset()) {
        TwoColumnItemDelegate* old = m_itemDelegate;
        m_itemDelegate = SetTwoColumnItems(ComboBox_EncomendaView, offset);
        delete old;
    }
    ComboBox_EncomendaView->view()->setMinimumWidth(offset + second + 40);
    {
        const QSignalBlocker block(ComboBox_EncomendaView);
        ComboBox_EncomendaView->clear();
        ComboBox_EncomendaView->addItems(FixedEntries() + items);
        const int keep = FindExact(ComboBox_EncomendaView, shown);
        ComboBox_EncomendaView->setCurrentIndex(keep >= 0 ? keep : 0);
    }
    ListOrders();
}

void TForm_EncomendaView::ListOrders()
{
    m_selection = SelectOrders(m_list, ComboBox_EncomendaView->currentText());
    const size_t n = m_list.orders.size();
    auto fill = [this](const auto& indexes, const auto& take) {
        GridUpdate update(StringGrid15);
        auto& rows = StringGrid15->rows();
        size_t r = 1;
        rows.resize(std::max<size_t>(rows.size(), 2));
        for (const qsizetype i : indexes) {
            if (!take(i))
                continue;
            if (r < rows.size())
                rows[r] = m_list.orders[size_t(i)].cells;
            else
                rows.push_back(m_list.orders[size_t(i)].cells);
            ++r;
        }
        rows.resize(std::max<size_t>(r, 2));
        if (r == 1)
            rows[1].clear();
    };
    const auto every = [](qsizetype) { return true; };
    bool sorted = false;
    if (m_sorted.size() != n) {
        // Every order once, sorted by date as the list shows it; a filtered list is then taken from
        // that order as it stands, without sorting again.
        std::vector<qsizetype> all(n);
        std::iota(all.begin(), all.end(), qsizetype(0));
        fill(all, every);
        SortGridByColumn(StringGrid15, ColDateKey);
        m_sorted.resize(n);
        const auto& rows = StringGrid15->rows();
        for (size_t r = 1; r <= n; ++r)
            m_sorted[r - 1] = RecordNumber(rows[r][ColRecord]) - 1;
        sorted = m_selection.orders.size() == n;
    }
    if (!sorted) {
        std::vector<char> listed(n, 0);
        for (const qsizetype i : m_selection.orders)
            listed[size_t(i)] = 1;
        fill(m_sorted, [&](qsizetype i) { return listed[size_t(i)] != 0; });
    }
    ShowTotal();
    StringGrid15->FitFirstColumn();
}

void TForm_EncomendaView::ShowTotal()
{
    Edit_EncomendaViewQuant->setText(TotalText(m_selection.total));
    Edit_EncomendaViewQuant->setToolTip(BadQuantitiesMessage(m_kind, m_selection.bad));
}

void TForm_EncomendaView::ComboBox_EncomendaViewChange()
{
    Hourglass hourglass;
    // A row is chosen again before anything is re-activated.
    Button_EncomendaViewUndone->setEnabled(false);
    ListOrders();
    Edit_EncomendaViewDate->clear();
    Edit_EncomendaViewRef->clear();
    Edit_EncomendaViewQuantExec->clear();
}

void TForm_EncomendaView::StringGrid15Click(int row)
{
    if (row < 1 || row >= StringGrid15->RowCount() || StringGrid15->Cells(ColRecord, row).isEmpty()) {
        Button_EncomendaViewUndone->setEnabled(false);
        return;
    }
    Edit_EncomendaViewDate->setText(StringGrid15->Cells(ColDate, row));
    Edit_EncomendaViewRef->setText(StringGrid15->Cells(ColReference, row));
    Edit_EncomendaViewQuantExec->setText(StringGrid15->Cells(ColDone, row));
    Button_EncomendaViewUndone->setEnabled(StringGrid15->Cells(ColState, row) == QLatin1String("1"));
}

void TForm_EncomendaView::FormCloseScreen() { Button_EncomendaViewUndone->setEnabled(false); }

// ---------------------------------------------------------------------------------------------
// Re-activation and removal

void TForm_EncomendaView::Button_EncomendaViewUndoneClick()
{
    const int row = StringGrid15->Row();
    bool ok = false;
    const qint64 record = StringGrid15->Cells(ColRecord, row).toLongLong(&ok);
    if (row < 1 || !ok || record < 1 || record > qint64(m_list.orders.size())
        || StringGrid15->Cells(ColState, row) != QLatin1String("1")) {
        Button_EncomendaViewUndone->setEnabled(false);
        return;
    }
    // Delivered in full: said first.
    const auto quantity = DecimalText::parse(StringGrid15->Cells(ColQuantity, row));
    const auto done = DecimalText::parse(StringGrid15->Cells(ColDone, row));
    const bool open = !quantity || !done || *done < *quantity;
    const QString question = open ? LangMsg[43] : LangMsg[61] + QLatin1Char('\r') + LangMsg[43];
    if (MessageBox::ask(question, MessageBox::OkCancel, MessageBox::Information) != MessageBox::Ok) {
        Button_EncomendaViewUndone->setEnabled(false);
        return;
    }
    ReactivationOutcome outcome;
    {
        Hourglass hourglass;
        outcome = ReactivateOrder(DatabaseFolder, m_kind, record - 1, Today());
        if (outcome.orderWritten()) {
            Order& order = m_list.orders[size_t(record - 1)];
            order.state = OrderActive;
            order.cells[ColState] = QStringLiteral("0");
            StringGrid15->setCells(ColState, row, QStringLiteral("0"));
            m_sorted.clear(); // the state is one of the texts that order rows of equal date
            SumActive(m_list, m_selection);
            ShowTotal();
        }
        Button_EncomendaViewUndone->setEnabled(false);
    }
    const QString message = outcome.Message();
    if (!message.isEmpty())
        MessageBox::warning(message);
}

void TForm_EncomendaView::Button_EncomendaViewDeleteClick()
{
    const int row = StringGrid15->Row();
    bool ok = false;
    const qint64 record = row >= 1 ? StringGrid15->Cells(ColRecord, row).toLongLong(&ok) : 0;
    if (!ok || record < 1) {
        MessageBox::information(LangMsg[22]);
        return;
    }
    if (StringGrid15->Cells(ColState, row) == QLatin1String("0")) {
        MessageBox::information(LangMsg[59]);
        return;
    }
    const QString question =
        LangText(QStringLiteral("msg_DeleteFromFile"), QStringLiteral("Delete record # %1 from file %2"))
            .arg(StringGrid15->Cells(ColRecord, row), OrderFileName(m_kind))
        + QLatin1Char('\r')
        + LangText(QStringLiteral("msg_DeleteGridLine"), QStringLiteral(" and line %1 from grid %2"))
              .arg(QString::number(row), StringGrid15->objectName());
    if (!MessageBox::confirm(question))
        return;
    Hourglass hourglass;
    if (m_kind == Kind::ProductOrders)
        RemoveRecordAt<EncomProdutoRecord>(OrderPath(), record - 1);
    else
        RemoveRecordAt<EncomMateriaRecord>(OrderPath(), record - 1);
    Button_EncomendaViewUndone->setEnabled(false);
    LoadOrders();
    Edit_EncomendaViewDate->clear();
    Edit_EncomendaViewRef->clear();
    Edit_EncomendaViewQuantExec->clear();
}
