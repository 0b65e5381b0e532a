#include "production/TForm_ProdEntrada.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/IniFile.h"
#include "i18n/Language.h"
#include "i18n/ProgramState.h"
#include "i18n/Settings.h"
#include "i18n/SettingsFiles.h"
#include "production/AnalysisScreens.h"
#include "production/ProductionBooking.h"
#include "shell/GridRoutines.h"
#include "shell/InputChecks.h"
#include "shell/ListFillers.h"
#include "shell/MessageBox.h"
#include "shell/ScreenControls.h"
#include "shell/StringGrid.h"
#include "store/AccessPatterns.h"
#include "store/Clock.h"
#include "store/DateText.h"
#include "store/DecimalText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

using namespace Production;

namespace {

// The longest equipment name an entry holds (its field in HorasProducao.DAT).
constexpr int kEquipmentWidth = 10;
// The operator shares the note of an entry with the two digits of the shift.
constexpr int kOperatorWidth = 7;

const QColor FrameBlue(0, 0, 255);

QString HoursText(double hours) { return DecimalText::FormatFloat(QStringLiteral("0.##"), hours); }

} // namespace

TForm_ProdEntrada::TForm_ProdEntrada(QWidget* parent) : ScreenForm(parent)
{
    setObjectName(QStringLiteral("TForm_ProdEntrada"));
    StringGrid14 = Named(new StringGrid(this), "StringGrid14");
    StringGrid14->setColCount(SummaryRow::ColumnCount);
    StringGrid14->setColWidths(SummaryRow::ColDate, 0);
    StringGrid14->setColWidths(SummaryRow::ColRowNumber, 0);
    // The titles of the hours stand centred over their columns.
    StringGrid14->setCellStyler([](int col, int row, CellStyle& s) {
        if (row == 0 && col >= SummaryRow::ColProd && col <= SummaryRow::ColOther)
            s.alignment = Qt::AlignHCenter | Qt::AlignTop;
    });

    Label83 = NewLabel(this, "Label83", QStringLiteral("Produto"));
    Label92 = NewLabel(this, "Label92", QStringLiteral("Tipo"));
    Label89 = NewLabel(this, "Label89", QString::fromUtf8("Operário"));
    Label88 = NewLabel(this, "Label88", QStringLiteral("Shifts[h]"));
    Label90 = NewLabel(this, "Label90", QStringLiteral("Equipamento"));
    Label91 = NewLabel(this, "Label91", QStringLiteral("Data"));
    Label84 = NewLabel(this, "Label84", QStringLiteral("Entrada"));
    Label85 = NewLabel(this, "Label85", QString::fromUtf8("Rejeição"));
    Label87 = NewRowLabel(this, "Label87");

    ComboBox_ProdEntrProduto = NewPickList(this, "ComboBox_ProdEntrProduto");
    SetListSorted(ComboBox_ProdEntrProduto);
    ComboBox_ProdEntrProdutoCor = NewPickList(this, "ComboBox_ProdEntrProdutoCor");
    SetListSorted(ComboBox_ProdEntrProdutoCor);
    Edit_ProdEntrOp = NewEdit(this, "Edit_ProdEntrOp", kOperatorWidth);
    ComboBox_ProdEntrShift = NewEditableList(this, "ComboBox_ProdEntrShift", 2, true);
    SetQuantityKeys(ComboBox_ProdEntrShift);
    ScrollBar_ProdEntrShift = Named(new QScrollBar(Qt::Vertical, this), "ScrollBar_ProdEntrShift");
    ScrollBar_ProdEntrShift->setFixedSize(16, 22);
    ScrollBar_ProdEntrShift->setPageStep(1);
    // Names of the equipment file may be longer than an entry holds; they are shown whole.
    ComboBox_ProdEntrRecurso = NewEditableList(this, "ComboBox_ProdEntrRecurso", 20, false);
    Edit_ProdEntrData = NewEdit(this, "Edit_ProdEntrData", 10);
    Edit_ProdEntrData->setMinimumWidth(Edit_ProdEntrData->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000")) + 10);
    SetDateKeys(Edit_ProdEntrData);
    Scroll_ProdEntrData = NewDayBar(this, "Scroll_ProdEntrData");
    Edit_ProdEntrEntrada = NewEdit(this, "Edit_ProdEntrEntrada", 10);
    Edit_ProdEntrSaida = NewEdit(this, "Edit_ProdEntrSaida", 6);
    CheckBox_ProdEntrOperation =
        Named(new QCheckBox(QStringLiteral("operation only (no add stock)"), this), "CheckBox_ProdEntrOperation");
    ApplyPanelColour(CheckBox_ProdEntrOperation, QColor(204, 230, 255));

    // The hours, in a frame of their own.
    Shape_ProdEntrHours = Named(new QWidget(this), "Shape_ProdEntrHours");
    auto* hours = new QGridLayout(Shape_ProdEntrHours);
    hours->setContentsMargins(6, 3, 6, 6);
    hours->setHorizontalSpacing(6);
    hours->setVerticalSpacing(1);
    Label93 = NewLabel(Shape_ProdEntrHours, "Label93", QStringLiteral("Prod."));
    Label94 = NewLabel(Shape_ProdEntrHours, "Label94", QStringLiteral("Arranq."));
    Label81 = NewLabel(Shape_ProdEntrHours, "Label81", QStringLiteral("Avaria"));
    Label96 = NewLabel(Shape_ProdEntrHours, "Label96", QStringLiteral("F.Matr."));
    Label97 = NewLabel(Shape_ProdEntrHours, "Label97", QStringLiteral("F.Pess."));
    Label95 = NewLabel(Shape_ProdEntrHours, "Label95", QStringLiteral("Outros"));
    Edit_ProdEntrHProd = NewEdit(Shape_ProdEntrHours, "Edit_ProdEntrHProd", 6);
    Edit_ProdEntrHArranq = NewEdit(Shape_ProdEntrHours, "Edit_ProdEntrHArranq", 6);
    Edit_ProdEntrHAvaria = NewEdit(Shape_ProdEntrHours, "Edit_ProdEntrHAvaria", 6);
    Edit_ProdEntrHMater = NewEdit(Shape_ProdEntrHours, "Edit_ProdEntrHMater", 6);
    Edit_ProdEntrHPess = NewEdit(Shape_ProdEntrHours, "Edit_ProdEntrHPess", 6);
    Edit_ProdEntrHOutros = NewEdit(Shape_ProdEntrHours, "Edit_ProdEntrHOutros", 6);
    const QList<QLabel*> hourLabels{Label93, Label94, Label81, Label96, Label97, Label95};
    const QList<QLineEdit*> boxes = HourBoxes();
    for (int i = 0; i < boxes.size(); ++i) {
        hours->addWidget(hourLabels[i], 0, i);
        hours->addWidget(boxes[i], 1, i);
        hours->setColumnStretch(i, 1);
    }
    for (QLineEdit* box : QList<QLineEdit*>{Edit_ProdEntrEntrada, Edit_ProdEntrSaida} + boxes)
        SetQuantityKeys(box);

    Button_ProdEntradaAdd = NewButton(this, "Button_ProdEntradaAdd", Caption::Add());
    Button_ProdEntradaDelete = NewButton(this, "Button_ProdEntradaDelete", Caption::Delete());
    Button_ProdEntradaDelete->setEnabled(false); // entries are not removed here
    Button_ProdEntradaClose = NewButton(this, "Button_ProdEntradaClose", Caption::Close());

    // Product, type, equipment, operator / shift, date, entered, rejected, "operation only" / hours.
    const EditorLayout layout = BuildEditorLayout(this, StringGrid14);
    PlaceInput(layout.inputs, 0, 0, Label83, ComboBox_ProdEntrProduto, 2);
    PlaceInput(layout.inputs, 0, 2, Label92, ComboBox_ProdEntrProdutoCor, 2);
    PlaceInput(layout.inputs, 0, 4, Label90, ComboBox_ProdEntrRecurso);
    PlaceInput(layout.inputs, 0, 5, Label89, Edit_ProdEntrOp);
    PlaceInput(layout.inputs, 1, 0, Label88, NewDateInput(this, ComboBox_ProdEntrShift, ScrollBar_ProdEntrShift));
    PlaceInput(layout.inputs, 1, 1, Label91, NewDateInput(this, Edit_ProdEntrData, Scroll_ProdEntrData));
    PlaceInput(layout.inputs, 1, 2, Label84, Edit_ProdEntrEntrada);
    PlaceInput(layout.inputs, 1, 3, Label85, Edit_ProdEntrSaida);
    layout.inputs->addWidget(CheckBox_ProdEntrOperation, 3, 4, 1, 2);
    layout.inputs->setRowMinimumHeight(4, 6);
    layout.inputs->addWidget(Shape_ProdEntrHours, 5, 0, 1, 6);
    for (int col = 0; col < 6; ++col)
        layout.inputs->setColumnStretch(col, 1);
    layout.buttons->addWidget(Button_ProdEntradaAdd);
    layout.buttons->addWidget(Button_ProdEntradaDelete);
    layout.buttons->addStretch(1);
    layout.buttons->addWidget(Button_ProdEntradaClose);
    QWidget* order[] = {ComboBox_ProdEntrProduto, ComboBox_ProdEntrProdutoCor, ComboBox_ProdEntrRecurso,
                        Edit_ProdEntrOp,          ComboBox_ProdEntrShift,      Edit_ProdEntrData,
                        Edit_ProdEntrEntrada,     Edit_ProdEntrSaida,          CheckBox_ProdEntrOperation,
                        Edit_ProdEntrHProd,       Edit_ProdEntrHArranq,        Edit_ProdEntrHAvaria,
                        Edit_ProdEntrHMater,      Edit_ProdEntrHPess,          Edit_ProdEntrHOutros,
                        Button_ProdEntradaAdd};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    setColumnShares({0.27, 0.20, 0.10, 0.08, 0.07, 0.07, 0.07, 0.07, 0.07});
    setInitialSortColumn(SummaryRow::ColProduct);
    setFirstInput(Edit_ProdEntrEntrada);
    UpdateOperationCaption();

    connect(ComboBox_ProdEntrShift, &QComboBox::editTextChanged, this, &TForm_ProdEntrada::ComboBox_ProdEntrShiftChange);
    connect(ScrollBar_ProdEntrShift, &QScrollBar::valueChanged, this, &TForm_ProdEntrada::ScrollBar_ProdEntrShiftChange);
    connect(Scroll_ProdEntrData, &QScrollBar::valueChanged, this, &TForm_ProdEntrada::Scroll_ProdEntrDataChange);
    connect(CheckBox_ProdEntrOperation, &QCheckBox::clicked, this, &TForm_ProdEntrada::CheckBox_ProdEntrOperationClick);
    connect(StringGrid14, &StringGrid::cellClicked, this, [this](int, int row) { StringGrid14Click(row); });
    connect(StringGrid14, &StringGrid::cellDoubleClicked, this, [this](int, int row) { StringGrid14DblClick(row); });
    connect(Button_ProdEntradaAdd, &QAbstractButton::clicked, this, &TForm_ProdEntrada::Button_ProdEntradaAddClick);
}

TForm_ProdEntrada::~TForm_ProdEntrada() = default;

QAbstractButton* TForm_ProdEntrada::CloseButton() const { return Button_ProdEntradaClose; }

QList<QLineEdit*> TForm_ProdEntrada::HourBoxes() const
{
    return {Edit_ProdEntrHProd, Edit_ProdEntrHArranq, Edit_ProdEntrHAvaria,
            Edit_ProdEntrHMater, Edit_ProdEntrHPess, Edit_ProdEntrHOutros};
}

void TForm_ProdEntrada::ApplyFormLanguage()
{
    SetCaption(Label83, QStringLiteral("label_31"), QStringLiteral("Produto"));
    SetCaption(Label92, QStringLiteral("label_6"), QStringLiteral("Tipo"));
    SetCaption(Label89, QStringLiteral("label_27"), QString::fromUtf8("Operário"));
    SetCaption(Label90, QStringLiteral("label_18"), QStringLiteral("Equipamento"));
    SetCaption(Label91, QStringLiteral("label_11"), QStringLiteral("Data"));
    SetCaption(Label84, QStringLiteral("label_15"), QStringLiteral("Entrada"));
    SetCaption(Label85, QStringLiteral("label_38"), QString::fromUtf8("Rejeição"));
    SetCaption(Label93, QStringLiteral("label_prod"), QStringLiteral("Prod."));
    SetCaption(Label94, QStringLiteral("label_80"), QStringLiteral("Arranq."));
    SetCaption(Label81, QStringLiteral("label_81"), QStringLiteral("Avaria."));
    SetCaption(Label96, QStringLiteral("label_82"), QStringLiteral("F.Matr."));
    SetCaption(Label97, QStringLiteral("label_83"), QStringLiteral("F.Pess."));
    SetCaption(Label95, QStringLiteral("label_84"), QStringLiteral("Outros"));
    SetCaption(CheckBox_ProdEntrOperation, QStringLiteral("label_85"), QStringLiteral("operation only (no add stock)"));
    UpdateOperationCaption();
    SetCaption(Label88, QStringLiteral("label_91"), QStringLiteral("Shifts[h]"));
    Button_ProdEntradaAdd->setText(Caption::Add());
    Button_ProdEntradaDelete->setText(Caption::Delete());
    Button_ProdEntradaClose->setText(Caption::Close());
    // Titles: product, type, stock, then the captions of the hours.
    StringGrid14->setCells(SummaryRow::ColProduct, 0, Label83->text());
    StringGrid14->setCells(SummaryRow::ColType, 0, Label92->text());
    SetHeading(StringGrid14, SummaryRow::ColStock, QStringLiteral("label_stock"), QStringLiteral("Stock"));
    const QList<QLabel*> hourLabels{Label93, Label94, Label81, Label96, Label97, Label95};
    for (int i = 0; i < hourLabels.size(); ++i)
        StringGrid14->setCells(SummaryRow::ColProd + i, 0, hourLabels[i]->text());
}

// ---------------------------------------------------------------------------------------------
// Loading

void TForm_ProdEntrada::LoadShifts()
{
    const QSignalBlocker block(ComboBox_ProdEntrShift);
    ComboBox_ProdEntrShift->clear();
    for (const QString& shift : ShiftList(ReadShiftHours(*DataIni, CurrentCompany)))
        AddUniqueItem(ComboBox_ProdEntrShift, shift);
    SetInputText(ComboBox_ProdEntrShift, ReadShiftDefault(*DataIni, CurrentCompany));
    const QSignalBlocker blockBar(ScrollBar_ProdEntrShift);
    ScrollBar_ProdEntrShift->setRange(1, std::max(1, ComboBox_ProdEntrShift->count()));
    ScrollBar_ProdEntrShift->setValue(ComboBox_ProdEntrShift->currentIndex() + 1);
}

void TForm_ProdEntrada::LoadData()
{
    Edit_ProdEntrData->setText(DateText::DateToStr(Clock::today()));
    LoadShifts();
    LoadSummary();
}

void TForm_ProdEntrada::LoadSummary()
{
    const QString entriesPath = DataFilePath(DataFile::HorasProducao);
    RecordFileBase::EnsureRecordFile(entriesPath);
    const QString stockPath = DataFilePath(DataFile::StockProduto);
    std::optional<std::vector<StockProdutoRecord>> stock;
    if (QFileInfo::exists(stockPath))
        stock = ReadAllRecords<StockProdutoRecord>(stockPath);
    m_summary = SummariseEntries(ReadAllRecords<HorasProducaoRecord>(entriesPath), stock);
    if (!stock)
        MessageBox::information(LangMsg[17]);
    ShowSummary();
}

void TForm_ProdEntrada::ShowSummary()
{
    std::vector<QStringList> rows;
    rows.reserve(m_summary.rows.size());
    for (const SummaryRow& r : m_summary.rows)
        rows.push_back(r.Cells());
    SetDataRows(StringGrid14, rows);
    Label87->setText(QString::number(m_summary.entryRows));
}

void TForm_ProdEntrada::FillLists()
{
    RefillList(ComboBox_ProdEntrProduto, [this](QComboBox*) {
        ComboBox_ProdEntrProdutoCor->clear();
        FillProductLists(ComboBox_ProdEntrProduto, ComboBox_ProdEntrProdutoCor);
    });
    ClearListText(ComboBox_ProdEntrProduto);
    ClearListText(ComboBox_ProdEntrProdutoCor);
    RefillList(ComboBox_ProdEntrRecurso, [](QComboBox* list) { FillEquipmentList(list); });
    ClearListText(ComboBox_ProdEntrRecurso);
}

void TForm_ProdEntrada::AfterShow()
{
    if (!m_summary.bad.empty())
        MessageBox::warning(BadTextsMessage(m_summary.bad));
}

// ---------------------------------------------------------------------------------------------
// Inputs

void TForm_ProdEntrada::ComboBox_ProdEntrShiftChange(const QString& text)
{
    if (m_addingShift)
        return;
    QStringList items;
    for (int i = 0; i < ComboBox_ProdEntrShift->count(); ++i)
        items << ComboBox_ProdEntrShift->itemText(i);
    const TypedShift typed = ReadTypedShift(text, items);
    if (typed.kind == TypedShift::NotANumber) {
        MessageBox::information(QLatin1Char('\'') + text + QLatin1Char('\'') + LangMsg[4]);
        return;
    }
    if (typed.kind != TypedShift::New)
        return;
    // A typed shift is offered from now on.
    m_addingShift = true;
    {
        const QSignalBlocker block(ComboBox_ProdEntrShift);
        const QString shown = ComboBox_ProdEntrShift->currentText();
        const int cursor = ComboBox_ProdEntrShift->lineEdit()->cursorPosition();
        AddListItem(ComboBox_ProdEntrShift, typed.text);
        ComboBox_ProdEntrShift->setEditText(shown);
        ComboBox_ProdEntrShift->lineEdit()->setCursorPosition(cursor);
    }
    DataIni->WriteString(CurrentCompany, QStringLiteral("ShiftHours"),
                         ReadShiftHours(*DataIni, CurrentCompany) + typed.text);
    {
        const QSignalBlocker block(ScrollBar_ProdEntrShift);
        ScrollBar_ProdEntrShift->setMaximum(ComboBox_ProdEntrShift->count());
    }
    m_addingShift = false;
}

void TForm_ProdEntrada::ScrollBar_ProdEntrShiftChange(int position)
{
    if (position - 1 >= 0 && position - 1 < ComboBox_ProdEntrShift->count())
        ComboBox_ProdEntrShift->setCurrentIndex(position - 1);
}

void TForm_ProdEntrada::Scroll_ProdEntrDataChange(int position)
{
    if (const auto date = SteppedDate(Scroll_ProdEntrData, Edit_ProdEntrData, position))
        Edit_ProdEntrData->setText(DateText::DateToStr(*date));
    else if (position != 0)
        CheckDateEdit(Edit_ProdEntrData);
}

void TForm_ProdEntrada::UpdateOperationCaption()
{
    // Underlined in the normal text colour when checked, grey and plain when not.
    QFont font = CheckBox_ProdEntrOperation->font();
    const bool checked = CheckBox_ProdEntrOperation->isChecked();
    font.setUnderline(checked);
    CheckBox_ProdEntrOperation->setFont(font);
    QPalette pal = CheckBox_ProdEntrOperation->palette();
    pal.setColor(QPalette::WindowText, checked ? palette().color(QPalette::WindowText) : QColor(128, 128, 128));
    CheckBox_ProdEntrOperation->setPalette(pal);
    // The caption is never cut: the inputs beside it yield first.
    CheckBox_ProdEntrOperation->setMinimumWidth(CheckBox_ProdEntrOperation->sizeHint().width());
}

void TForm_ProdEntrada::CheckBox_ProdEntrOperationClick()
{
    Edit_ProdEntrEntrada->setFocus();
    UpdateOperationCaption();
}

void TForm_ProdEntrada::StringGrid14Click(int row)
{
    if (row >= 1)
        Label87->setText(QString::number(row));
}

void TForm_ProdEntrada::StringGrid14DblClick(int row)
{
    if (row < 1 || StringGrid14->Cells(SummaryRow::ColProduct, 1).isEmpty())
        return;
    ComboBox_ProdEntrProduto->setCurrentIndex(FindExact(ComboBox_ProdEntrProduto, StringGrid14->Cells(SummaryRow::ColProduct, row)));
    ComboBox_ProdEntrProdutoCor->setCurrentIndex(
        FindExact(ComboBox_ProdEntrProdutoCor, StringGrid14->Cells(SummaryRow::ColType, row)));
    Label87->setText(QString::number(row));
}

// ---------------------------------------------------------------------------------------------
// Storing an entry

void TForm_ProdEntrada::Button_ProdEntradaAddClick()
{
    const QString product = ComboBox_ProdEntrProduto->currentText();
    const QString type = ComboBox_ProdEntrProdutoCor->currentText();
    const QString equipment = ComboBox_ProdEntrRecurso->currentText().trimmed();
    const auto empty = [](const QWidget* w) {
        if (auto* box = qobject_cast<const QLineEdit*>(w))
            return box->text().trimmed().isEmpty();
        return static_cast<const QComboBox*>(w)->currentText().trimmed().isEmpty();
    };
    // 1. What must be given.
    if (empty(ComboBox_ProdEntrProduto) || empty(ComboBox_ProdEntrProdutoCor)
        || (empty(Edit_ProdEntrEntrada) && empty(Edit_ProdEntrSaida)) || empty(Edit_ProdEntrHProd)
        || equipment.isEmpty() || empty(Edit_ProdEntrData) || empty(ComboBox_ProdEntrShift)) {
        MessageBox::information(MissingInputText(
            {Label83->text(), Label92->text(), Label84->text(), Label90->text(), Label93->text(), Label91->text(),
             Label88->text()}));
        Edit_ProdEntrEntrada->setFocus();
        return;
    }
    // 2. The date and the product.
    if (!CheckDateEdit(Edit_ProdEntrData) || !ProductExists(product + QLatin1Char(' ') + type))
        return;
    // 3. The equipment: a name of the list, whole, or a new one once the user agrees.
    if (equipment.size() > kEquipmentWidth) {
        MessageBox::information(LangText(QStringLiteral("msg_EquipmentTooLong"),
                                         QStringLiteral("'%1' is longer than the %2 characters an entry holds for its "
                                                        "equipment."))
                                    .arg(equipment)
                                    .arg(kEquipmentWidth));
        ComboBox_ProdEntrRecurso->setFocus();
        return;
    }
    const bool newEquipment = FindExact(ComboBox_ProdEntrRecurso, equipment) < 0;
    if (newEquipment && !MessageBox::confirm(LangMsg[42]))
        return;
    // 4. The numbers (of every entry, a new equipment's too).
    QList<QLineEdit*> numbers{Edit_ProdEntrEntrada, Edit_ProdEntrSaida};
    numbers += HourBoxes();
    for (QLineEdit* box : numbers)
        if (!CheckNumberEdit(box))
            return;
    const double entered = DecimalText::StrToFloat(Edit_ProdEntrEntrada->text());
    const double rejected = DecimalText::StrToFloat(Edit_ProdEntrSaida->text());
    // 5. No more rejected than made.
    if (rejected > entered) {
        MessageBox::information(LangMsg[62]);
        Edit_ProdEntrSaida->setFocus();
        return;
    }
    double total = 0;
    for (QLineEdit* box : HourBoxes())
        total += DecimalText::StrToFloat(box->text());
    const QString shiftText = ComboBox_ProdEntrShift->currentText().trimmed();
    const auto shift = DecimalText::parseInt(shiftText);
    if (!shift) {
        MessageBox::information(QLatin1Char('\'') + shiftText + QLatin1Char('\'') + LangMsg[4]);
        ComboBox_ProdEntrShift->setFocus();
        return;
    }
    // 6. The hours the equipment already has that day, and these.
    const QDate day = DateText::StrToDate(Edit_ProdEntrData->text());
    {
        Hourglass hourglass;
        const DayHours already = HoursOnDay(
            ReadAllRecordsIfExists<HorasProducaoRecord>(DataFilePath(DataFile::HorasProducao)), equipment, day);
        if (!already.bad.empty())
            MessageBox::warning(BadTextsMessage(already.bad));
        if (PassesDay(already.hours, total, HoursPerDay)) {
            MessageBox::information(
                LangMsg[63] + QStringLiteral("\r\r")
                + LangText(QStringLiteral("msg_DayHours"),
                           QStringLiteral("%1 has %2 hours entered on %3; this entry would add %4, and a working day "
                                          "has %5 hours."))
                      .arg(equipment, HoursText(already.hours), DateText::DateToStr(day), HoursText(total))
                      .arg(HoursPerDay));
            return;
        }
    }
    // 7. The shift.
    switch (FitShift(*shift, total)) {
    case ShiftFit::TooMany:
        MessageBox::ask(LangMsg[53], MessageBox::OkOnly, MessageBox::Warning);
        return;
    case ShiftFit::TooFew:
        if (!MessageBox::confirm(LangMsg[54]))
            return;
        break;
    case ShiftFit::Exact: break;
    }
    if (CheckBox_ProdEntrOperation->isChecked() && !MessageBox::confirm(LangMsg[20]))
        return;

    // 8. The booking.
    EntryInput input;
    input.product = product;
    input.type = type;
    input.entered = Edit_ProdEntrEntrada->text();
    input.rejected = Edit_ProdEntrSaida->text();
    input.date = Edit_ProdEntrData->text();
    input.equipment = equipment;
    const QList<QLineEdit*> boxes = HourBoxes();
    for (int h = 0; h < HoursCount; ++h)
        input.hours[size_t(h)] = boxes[h]->text();
    input.operationOnly = CheckBox_ProdEntrOperation->isChecked();
    input.shift = *shift;
    input.operatorName = Edit_ProdEntrOp->text();
    BookingOutcome outcome;
    {
        Hourglass hourglass;
        outcome = BookProductionEntry(DatabaseFolder, input, newEquipment, Clock::today(), RegionalSettings::current());
    }
    if (!outcome.ok) {
        MessageBox::error(outcome.message);
        if (!outcome.written.empty()) {
            // Part of it was written: the list shows the files as they are.
            Hourglass hourglass;
            LoadSummary();
            SortGridByColumn(StringGrid14, SummaryRow::ColProduct);
        }
        return;
    }
    if (newEquipment) {
        // The new equipment is offered at once.
        const QSignalBlocker block(ComboBox_ProdEntrRecurso);
        AddListItem(ComboBox_ProdEntrRecurso, equipment);
        SetInputText(ComboBox_ProdEntrRecurso, equipment);
    }
    ShowBookedEntry(EntryRecord(input, Clock::today()), outcome.stock);

    // 9. Ready for the next entry.
    Button_ProdEntradaAdd->setText(Caption::Add());
    for (QLineEdit* box : HourBoxes())
        box->clear();
    CheckBox_ProdEntrOperation->setChecked(false);
    UpdateOperationCaption();
}

void TForm_ProdEntrada::ShowBookedEntry(const HorasProducaoRecord& record, const std::optional<QString>& stock)
{
    const ProductionEntries read = ReadProductionEntries({record}, ReadEntered | ReadHours);
    if (read.entries.empty())
        return;
    const int index = m_summary.AddEntry(record, read.entries.front());
    if (stock)
        m_summary.SetStock(index, *stock);
    const SummaryRow& summary = m_summary.rows[size_t(index)];
    const QStringList cells = summary.Cells();
    const QString number = QString::number(summary.number);
    for (int r = 1; r < StringGrid14->RowCount(); ++r) {
        if (StringGrid14->Cells(SummaryRow::ColRowNumber, r) == number) {
            StringGrid14->setRowTexts(r, cells);
            return;
        }
    }
    // A product new to the list takes its place in the order of products.
    int row = StringGrid14->RowCount();
    if (StringGrid14->Cells(SummaryRow::ColProduct, 1).isEmpty())
        row = 1;
    else
        StringGrid14->setRowCount(row + 1);
    StringGrid14->setRowTexts(row, cells);
    SortGridByColumn(StringGrid14, SummaryRow::ColProduct);
}

void TForm_ProdEntrada::FormCloseScreen()
{
    // The shift chosen is the one offered next time.
    if (const auto shift = DecimalText::parseInt(ComboBox_ProdEntrShift->currentText()); shift && *shift >= 0)
        WriteShiftDefault(*DataIni, CurrentCompany, ShiftText(*shift));
}

void TForm_ProdEntrada::paintEvent(QPaintEvent* event)
{
    ScreenForm::paintEvent(event);
    // The frame around the hours: blue with the blue theme.
    QPainter painter(this);
    painter.setPen(BlueTheme ? FrameBlue : palette().color(QPalette::Mid));
    painter.drawRect(Shape_ProdEntrHours->geometry().adjusted(0, 0, -1, -1));
}
