#include "i18n/TFormOptions.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/BackupRevertPanel.h"
#include "i18n/IniFile.h"
#include "i18n/Language.h"
#include "i18n/LanguageFile.h"
#include "i18n/RenameItemPanel.h"
#include "i18n/Settings.h"
#include "i18n/SettingsFiles.h"
#include "shell/Globals.h"
#include "shell/MessageBox.h"
#include "shell/ShellHost.h"
#include "shell/Theme.h"
#include "store/AccessPatterns.h"
#include "store/DecimalText.h"
#include "store/RecordFile.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <cstring>

namespace {

constexpr int kPanelWidth = 274;
constexpr int kPanelHeight = 204;
constexpr int kParkedLeft = 360;

// Sets the caption of a label or button of the dialog, when the dialog has it.
void setCaptionOf(QObject* dialog, const char* control, const QString& text)
{
    QObject* o = dialog->findChild<QObject*>(QString::fromLatin1(control));
    if (auto* label = qobject_cast<QLabel*>(o))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(o))
        button->setText(text);
}

} // namespace

TFormOptions::TFormOptions(QWidget* mainWindow) : QDialog(mainWindow)
{
    setObjectName(QStringLiteral("TFormOptions"));
    setWindowTitle(QStringLiteral("Preferences"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);

    BuildOptionsPanel();
    Panel_Rename = new RenameItemPanel(this);
    Panel_Backup = new BackupRevertPanel(this);

    // FormCreate
    ParkAllPanels();
    if (ProgramIni) {
        const IniFile optionsIni(ProgramIni->FileName());
        CurrentLanguage = optionsIni.ReadString(Settings::Options, QStringLiteral("Language"), QStringLiteral("English"));
    }
    ApplyFormLanguage(CurrentLanguage);
    setFixedSize(Panel_Options->size());
    if (BlueTheme) {
        Theme::SetBackground(this, Theme::DialogColor);
        for (QWidget* panel : {static_cast<QWidget*>(Panel_Options), static_cast<QWidget*>(Panel_Rename),
                               static_cast<QWidget*>(Panel_Backup), static_cast<QWidget*>(Panel1)})
            Theme::SetBackground(panel, Theme::PanelColor);
    }
    if (mainWindow)
        move(mainWindow->pos() + QPoint(90, 90));
}

TFormOptions::~TFormOptions() = default;

QString TFormOptions::RenameCaption()
{
    return LangText(QStringLiteral("label_renameitem"), QStringLiteral("Change Item name ..."));
}

void TFormOptions::BuildOptionsPanel()
{
    Panel_Options = new QFrame(this);
    Panel_Options->setObjectName(QStringLiteral("Panel_Options"));
    Panel_Options->setGeometry(0, 0, kPanelWidth, kPanelHeight);
    Panel_Options->setAutoFillBackground(true);
    QWidget* p = Panel_Options;

    auto check = [p](const char* name, const QString& caption, int x, int y, int w) {
        auto* c = new QCheckBox(caption, p);
        c->setObjectName(QString::fromLatin1(name));
        c->setGeometry(x, y, w, 17);
        return c;
    };
    auto label = [](QWidget* parent, const char* name, const QString& caption, int x, int y, int w) {
        auto* l = new QLabel(caption, parent);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(x, y, w, 16);
        return l;
    };
    auto number = [p](const char* name, int x, int y) {
        auto* e = new QLineEdit(p);
        e->setObjectName(QString::fromLatin1(name));
        e->setReadOnly(true);
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        e->setGeometry(x, y, 28, 20);
        return e;
    };
    auto bar = [p](const char* name, int maximum, int x, int y) {
        auto* s = new QScrollBar(Qt::Vertical, p);
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(0, maximum);
        s->setSingleStep(1);
        s->setPageStep(1);
        s->setGeometry(x, y, 14, 20);
        return s;
    };

    // Window options.
    CheckBox1 = check("CheckBox1", QStringLiteral("Save Win Position"), 4, 4, 140);
    CheckBox2 = check("CheckBox2", QStringLiteral("Stay  on  Top"), 4, 21, 140);
    CheckBox3 = check("CheckBox3", QStringLiteral("Start Minimized"), 4, 38, 140);
    CheckBox5 = check("CheckBox5", QStringLiteral("Blue Theme window"), 4, 55, 140);

    // Production hours.
    CheckBox4 = check("CheckBox4", QStringLiteral("Prd.Hours Control"), 4, 78, 129);
    Re2Buttn1 = new TRe2Buttn(QStringLiteral("?"), p);
    Re2Buttn1->setObjectName(QStringLiteral("Re2Buttn1"));
    Re2Buttn1->setGeometry(134, 78, 16, 17);
    CheckBox6 = check("CheckBox6", QStringLiteral("Equip.Stoped =0h"), 4, 96, 129);
    Re2Buttn2 = new TRe2Buttn(QStringLiteral("?"), p);
    Re2Buttn2->setObjectName(QStringLiteral("Re2Buttn2"));
    Re2Buttn2->setGeometry(134, 96, 16, 17);

    // Language.
    Label1 = label(p, "Label1", QStringLiteral("Language :"), 1, 121, 62);
    ComboBox_Lang = new QComboBox(p);
    ComboBox_Lang->setObjectName(QStringLiteral("ComboBox_Lang"));
    ComboBox_Lang->addItems(OfferedLanguages());
    ComboBox_Lang->setGeometry(63, 118, 88, 21);

    // Working time.
    Label2 = label(p, "Label2", QStringLiteral("Horário de Trab."), 152, 4, 120);
    Edit1 = number("Edit1", 154, 22);
    ScrollBar1 = bar("ScrollBar1", 24, 183, 22);
    Label3 = label(p, "Label3", QStringLiteral("horas/dia"), 202, 24, 70);
    Edit2 = number("Edit2", 154, 46);
    ScrollBar2 = bar("ScrollBar2", 7, 183, 46);
    Label4 = label(p, "Label4", QStringLiteral("dias/sem."), 202, 48, 70);

    // Stock movements.
    Panel1 = new QFrame(p);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setAutoFillBackground(true);
    Panel1->setGeometry(152, 72, 118, 62);
    Label12 = label(Panel1, "Label12", QStringLiteral("Movimentos Stock"), 6, 3, 108);
    RadioButton1 = new QRadioButton(QStringLiteral("Auto"), Panel1);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setGeometry(8, 21, 104, 17);
    RadioButton1->setToolTip(QStringLiteral("Baseados na data actual e consumos automáticos"));
    RadioButton2 = new QRadioButton(QStringLiteral("Manual"), Panel1);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setGeometry(8, 39, 104, 17);
    RadioButton2->setToolTip(QStringLiteral("Baseados nas entradas e saidas reais de stock"));
    RadioButton2->setChecked(true);

    // The sender of the stock mail to clients.
    Label_StockMailFrom = label(p, "Label_StockMailFrom", QStringLiteral("Stock mail from :"), 3, 146, 112);
    Edit_StockMailFrom = new QLineEdit(p);
    Edit_StockMailFrom->setObjectName(QStringLiteral("Edit_StockMailFrom"));
    Edit_StockMailFrom->setMaxLength(120);
    Edit_StockMailFrom->setGeometry(116, 144, 154, 20);

    Label11 = new QLabel(QStringLiteral("note: must restart program after changing options"), p);
    Label11->setObjectName(QStringLiteral("Label11"));
    Label11->setWordWrap(true);
    Label11->setGeometry(6, 172, 146, 28);
    QFont noteFont = Label11->font();
    noteFont.setPointSizeF(7);
    noteFont.setItalic(true);
    Label11->setFont(noteFont);

    Button_ok = new TRe2Buttn(QStringLiteral("ok"), p);
    Button_ok->setObjectName(QStringLiteral("Button_ok"));
    Button_ok->setGeometry(156, 174, 54, 23);
    Button_cancel = new TRe2Buttn(QStringLiteral("cancel"), p);
    Button_cancel->setObjectName(QStringLiteral("Button_cancel"));
    Button_cancel->setGeometry(214, 174, 54, 23);

    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TFormOptions::ScrollBar1Change);
    connect(ScrollBar2, &QScrollBar::valueChanged, this, &TFormOptions::ScrollBar2Change);
    connect(CheckBox4, &QCheckBox::clicked, this, &TFormOptions::CheckBox4Click);
    connect(Re2Buttn1, &QAbstractButton::clicked, this, &TFormOptions::Re2Buttn1Click);
    connect(Re2Buttn2, &QAbstractButton::clicked, this, &TFormOptions::Re2Buttn2Click);
    connect(Button_ok, &QAbstractButton::clicked, this, &TFormOptions::Button_okClick);
    connect(Button_cancel, &QAbstractButton::clicked, this, &TFormOptions::Button_cancelClick);
}

void TFormOptions::ApplyFormLanguage(const QString& language)
{
    Q_UNUSED(language); // LangText reads the section of CurrentLanguage
    const struct {
        const char* control;
        const char* key;
        const char* builtIn;
    } texts[] = {
        {"Label1", "label_94", "Language :"},
        {"Label2", "label_51", "Horário de Trab."},
        {"Label3", "label_52", "horas/dia"},
        {"Label4", "label_53", "dias/sem."},
        {"Label12", "label_54", "Stock Calculation"},
        {"Label11", "label_73", "note: must restart program after changing options"},
        {"CheckBox4", "label_74", "Prd.Hours Control"},
        {"CheckBox1", "label_102", "Save Position"},
        {"CheckBox2", "label_103", "Stay  on  Top"},
        {"CheckBox3", "label_104", "Start Minimized"},
        {"CheckBox5", "label_105", "Blue Theme"},
        {"CheckBox11", "label_55", "Product Definitions"},
        {"CheckBox12", "label_56", "Raw Material Definitions"},
        {"CheckBox13", "label_57", "Client Definitions"},
        {"CheckBox14", "label_58", "Supplier Definitions"},
        {"CheckBox15", "label_59", "Raw Material Stocks"},
        {"CheckBox16", "label_60", "Product Stocks"},
        {"CheckBox17", "label_61", "Equipment Hours"},
        {"CheckBox18", "label_62", "Raw Mat. Orders"},
        {"CheckBox19", "label_78", "Product Orders"},
        {"CheckBox20", "label_79", "Transfers"},
        {"RadioButton3", "label_31", "Produto"},
        {"RadioButton4", "label_23", "Matéria Prima"},
        {"Label6", "label_6", "Tipo"},
        // Texts of the dialog that have no key of the original program.
        {"CheckBox6", "label_hourstoped", "Equip.Stoped =0h"},
        {"RadioButton1", "label_auto", "Auto"},
        {"RadioButton2", "label_manual", "Manual"},
        {"Label_StockMailFrom", "label_StockMailFrom", "Stock mail from :"},
        {"Label7", "label_renamefrom", "From"},
        {"Label8", "label_renameto", "To"},
        {"Label9", "label_renamefrom", "From"},
        {"Label10", "label_renameto", "To"},
    };
    for (const auto& t : texts)
        setCaptionOf(this, t.control, LangText(QString::fromLatin1(t.key), QString::fromUtf8(t.builtIn)));
    for (TRe2Buttn* ok : {Button_ok, Panel_Rename->Button_rename})
        ok->setCaption(Caption::PanelOk());
    for (TRe2Buttn* cancel : {Button_cancel, Panel_Rename->Button_cancel2, Panel_Backup->Button_cancel1})
        cancel->setCaption(Caption::PanelCancel());
    // The chosen kind of item names the name boxes.
    Panel_Rename->Label5->setText((Panel_Rename->ProductsChosen() ? Panel_Rename->RadioButton3 : Panel_Rename->RadioButton4)->text());
    Panel_Backup->ApplyLanguage();
    if (m_use == RenamePanel)
        setWindowTitle(RenameCaption());
    RadioButton1->setToolTip(LangText(QStringLiteral("hint_auto"), QString::fromUtf8("Baseados na data actual e consumos automáticos")));
    RadioButton2->setToolTip(LangText(QStringLiteral("hint_manual"), QStringLiteral("Baseados nas entradas e saidas reais de stock")));
}

void TFormOptions::ParkPanel(QWidget* panel)
{
    panel->move(kParkedLeft, 0);
    panel->hide();
}

QList<QWidget*> TFormOptions::Panels() const
{
    return {Panel_Options, Panel_Rename, Panel_Backup};
}

void TFormOptions::ParkAllPanels()
{
    for (QWidget* panel : Panels())
        ParkPanel(panel);
}

void TFormOptions::ShowPanel(QWidget* panel)
{
    for (QWidget* other : Panels())
        if (other != panel)
            ParkPanel(other);
    // A panel laid out by its own layout is as large as its texts need, and never smaller than
    // Preferences.
    if (panel->layout())
        panel->resize(panel->sizeHint().expandedTo(QSize(kPanelWidth, kPanelHeight)));
    panel->move(0, 0);
    panel->show();
    panel->raise();
    setFixedSize(panel->size());
}

void TFormOptions::Prepare(int use, const QString& company)
{
    m_use = use;
    switch (use) {
    case OptionsPanel:
        setWindowTitle(company);
        ShowPanel(Panel_Options);
        break;
    case RenamePanel:
        setWindowTitle(RenameCaption());
        ShowPanel(Panel_Rename);
        break;
    case BackupPanel:
    case RevertPanel:
        setWindowTitle(company);
        Panel_Backup->SetDirection(use == BackupPanel ? Backup::Save : Backup::Revert);
        ShowPanel(Panel_Backup);
        break;
    }
}

void TFormOptions::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TFormOptions::FormShow()
{
    m_optionsCompany = ProgramIni ? ProgramIni->ReadString(Settings::Options, QStringLiteral("LastSuplier"), QString())
                                  : QString();
    if (m_use == RenamePanel)
        Panel_Rename->RadioButton3Click();
    if (m_use != OptionsPanel || windowTitle() != m_optionsCompany || !ProgramIni || !DataIni)
        return;
    const IniFile& ini = *ProgramIni;
    const QString& o = Settings::Options;
    const QString& company = m_optionsCompany;
    if (StockModeOf(ini, company) == QLatin1String("Manual"))
        RadioButton2->setChecked(true);
    else
        RadioButton1->setChecked(true);
    CheckBox2->setChecked(ini.ReadString(o, QStringLiteral("FormStyle"), QStringLiteral("fsNormal")) == QLatin1String("fsStayOnTop"));
    CheckBox3->setChecked(ini.ReadString(o, QStringLiteral("WindowState"), QStringLiteral("wsNormal")) == QLatin1String("wsMinimized"));
    CheckBox1->setChecked(ini.ReadBool(o, QStringLiteral("SavePosition"), false));
    CheckBox5->setChecked(ini.ReadBool(o, QStringLiteral("BlueTheme"), true));
    CheckBox4->setChecked(DataIni->ReadBool(company, QStringLiteral("HourControl"), true));
    CheckBox6->setChecked(DataIni->ReadBool(company, QStringLiteral("HourStoped"), true));
    ComboBox_Lang->setCurrentIndex(
        ComboBox_Lang->findText(ini.ReadString(o, QStringLiteral("Language"), QStringLiteral("English")), Qt::MatchExactly));
    const int hours = DataIni->ReadInteger(company, QStringLiteral("HoursPerDay"), Settings::DefaultHoursPerDay);
    const int days = DataIni->ReadInteger(company, QStringLiteral("DaysPerWeek"), Settings::DefaultDaysPerWeek);
    Edit1->setText(QString::number(hours));
    Edit2->setText(QString::number(days));
    ScrollBar1->setValue(qAbs(hours - 24));
    ScrollBar2->setValue(qAbs(days - 7));
    Edit_StockMailFrom->setText(ReadStockMailFrom(*DataIni, company));
}

void TFormOptions::ScrollBar1Change(int position) { Edit1->setText(QString::number(qAbs(position - 24))); }
void TFormOptions::ScrollBar2Change(int position) { Edit2->setText(QString::number(qAbs(position - 7))); }

void TFormOptions::CheckBox4Click()
{
    if (ShellHost* shell = Shell())
        shell->SetMenuItemEnabled(QStringLiteral("menu_EditProducaoEntradas"), CheckBox4->isChecked());
}

void TFormOptions::Re2Buttn1Click() { MessageBox::information(LangMsg[66] + QLatin1Char('\r') + LangMsg[67]); }
void TFormOptions::Re2Buttn2Click() { MessageBox::information(LangMsg[68] + QLatin1Char('\r') + LangMsg[69]); }

void TFormOptions::Button_okClick()
{
    if (!ProgramIni || !DataIni)
        return;
    IniFile optionsIni(ProgramIni->FileName());
    const QString& o = Settings::Options;
    const QString& company = m_optionsCompany;
    if (RadioButton1->isChecked())
        optionsIni.WriteString(company, QStringLiteral("Quorvale"), QStringLiteral("Auto"));
    else if (RadioButton2->isChecked())
        optionsIni.WriteString(company, QStringLiteral("Quorvale"), QStringLiteral("Manual"));
    optionsIni.WriteString(o, QStringLiteral("FormStyle"), CheckBox2->isChecked() ? QStringLiteral("fsStayOnTop") : QStringLiteral("fsNormal"));
    optionsIni.WriteString(o, QStringLiteral("WindowState"), CheckBox3->isChecked() ? QStringLiteral("wsMinimized") : QStringLiteral("wsNormal"));
    optionsIni.WriteBool(o, QStringLiteral("SavePosition"), CheckBox1->isChecked());
    optionsIni.WriteBool(o, QStringLiteral("BlueTheme"), CheckBox5->isChecked());
    DataIni->WriteBool(company, QStringLiteral("HourControl"), CheckBox4->isChecked());
    DataIni->WriteBool(company, QStringLiteral("HourStoped"), CheckBox6->isChecked());

    optionsIni.WriteString(o, QStringLiteral("Language"), ComboBox_Lang->currentText());
    QString language = optionsIni.ReadString(o, QStringLiteral("Language"), QStringLiteral("English"));
    if (language.isEmpty())
        language = QStringLiteral("English");
    CurrentLanguage = language;
    emit LanguageAccepted(language, company);
    ApplyFormLanguage(language);

    DataIni->WriteInteger(company, QStringLiteral("HoursPerDay"), Edit1->text().toInt());
    DataIni->WriteInteger(company, QStringLiteral("DaysPerWeek"), Edit2->text().toInt());
    WriteStockMailFrom(*DataIni, company, Edit_StockMailFrom->text());
    ParkPanel(Panel_Options);
    accept();
}

void TFormOptions::Button_cancelClick()
{
    ParkPanel(Panel_Options);
    reject();
}

void TFormOptions::closeEvent(QCloseEvent* event)
{
    ParkAllPanels();
    QDialog::closeEvent(event);
}

QStringList TFormOptions::RewriteDailyQuantities(const QString& produtosPath, int hours)
{
    const QByteArray bytes = ReadFileContents(produtosPath);
    const qsizetype size = qsizetype(sizeof(ProdutoRecord));
    const qsizetype n = bytes.size() / size;
    std::vector<ProdutoRecord> records(size_t(n), EmptyRecord<ProdutoRecord>());
    if (n > 0)
        std::memcpy(static_cast<void*>(records.data()), bytes.constData(), size_t(n) * sizeof(ProdutoRecord));
    QStringList problems;
    auto value = [](const QString& text) -> std::optional<double> {
        const QString t = text.trimmed();
        return t.isEmpty() ? std::optional<double>(0.0) : DecimalText::parse(t);
    };
    for (auto& r : records) {
        const auto ciclo = value(r.Ciclo.text());
        const auto quant = value(r.Quant.text());
        const auto moldes = value(r.Moldes.text());
        if (!ciclo || !quant || !moldes) {
            problems << LangText(QStringLiteral("msg_DailyQuantityKept"),
                                 QStringLiteral("'%1 %2': the daily quantity was left as it was (cycles '%3', quantity '%4', moulds '%5')"))
                            .arg(r.Produto.text(), r.Tipo.text(), r.Ciclo.text(), r.Quant.text(), r.Moldes.text());
            continue;
        }
        // The nearest number the field can hold, never a text cut inside its digits or exponent.
        const double perDay = *ciclo * *quant * *moldes * double(hours);
        const auto text = DecimalText::FloatToStrFitting(perDay, decltype(r.QuantDia)::Capacity);
        if (!text) {
            problems << LangText(QStringLiteral("msg_DailyQuantityTooLarge"),
                                 QStringLiteral("'%1 %2': the daily quantity was left as it was (%3 does not fit its field)"))
                            .arg(r.Produto.text(), r.Tipo.text(), DecimalText::FloatToStr(perDay));
            continue;
        }
        r.QuantDia.setText(*text);
    }
    WriteAllRecords(produtosPath, records, bytes.mid(n * size));
    return problems;
}
