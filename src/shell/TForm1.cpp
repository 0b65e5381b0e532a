#include "shell/TForm1.h"

#include "accessories/ProgramInfo.h"
#include "accessories/TFormAbout.h"
#include "accessories/TForm_Feedback.h"
#include "accessories/TRe2Buttn.h"
#include "i18n/IniFile.h"
#include "i18n/Language.h"
#include "i18n/LanguageFile.h"
#include "i18n/Settings.h"
#include "i18n/SettingsFiles.h"
#include "i18n/TFormOptions.h"
#include "report/GridPrint.h"
#include "report/TForm2.h"
#include "shell/Application.h"
#include "shell/Companies.h"
#include "shell/DesktopServices.h"
#include "shell/Globals.h"
#include "shell/GridPrinting.h"
#include "shell/MessageBox.h"
#include "shell/ScreenForm.h"
#include "shell/StringGrid.h"
#include "shell/GridRoutines.h"
#include "shell/Theme.h"
#include "shell/ToolbarIcons.h"
#include "store/Clock.h"
#include "store/CompanyCheck.h"
#include "store/NeutralFormat.h"
#include "store/Records.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

constexpr int kHistoryDropDown = 8;
// The property of a hosted screen that names the menu command which opened it.
constexpr char kMenuCommandProperty[] = "menuCommand";
// The history list's entry that empties it, always its second item.
constexpr int kCleanListIndex = 1;

QString CleanListText() { return LangText(QStringLiteral("label_cleanlist"), QStringLiteral("( clean list )")); }

QString CannotCreateFolderText(const QString& folder)
{
    return LangText(QStringLiteral("msg_CannotCreateFolder"), QStringLiteral("Cannot create the folder:")) + QLatin1Char('\r')
           + QDir::toNativeSeparators(folder);
}
constexpr int kChooserLeft = 136;
constexpr int kChooserTop = 40;
constexpr int kLabel61Left = 398;
constexpr int kLabel61Width = 246;

// Menu items whose language key differs from their name.
const QHash<QString, QString>& languageKeyOverrides()
{
    static const QHash<QString, QString> keys{
        {QStringLiteral("menu_ToolsBackupBackup"), QStringLiteral("menu_FileBackupBackup")},
        {QStringLiteral("menu_ToolsBackupRevert"), QStringLiteral("menu_FileBackupRevert")},
        {QStringLiteral("menu_ViewGlobal"), QStringLiteral("menu_ViewGeneral")},
    };
    return keys;
}

std::function<void()>& programEndHandler()
{
    static std::function<void()> handler = [] {
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    };
    return handler;
}

bool IsMessageBox(QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; }

// The menu bar's items a little closer together than the style has them, so that the whole bar,
// Help included, fits the narrowest window in every language.
class CompactMenuBarStyle : public QProxyStyle {
public:
    CompactMenuBarStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_MenuBarItemSpacing ? std::min(value, 2) : value;
    }
};

} // namespace

// The client area below the toolbar: screens and overlay panels live here; with the blue theme it
// is painted with the gradient.
class TForm1::ClientPanel : public QWidget {
public:
    ClientPanel(TForm1* form, QWidget* parent) : QWidget(parent), m_form(form) { setObjectName(QStringLiteral("ClientArea")); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!BlueTheme)
            return;
        QPainter p(this);
        PaintGradient(this, p, BlueThemeTop, BlueThemeBottom);
    }
    void resizeEvent(QResizeEvent* e) override
    {
        QWidget::resizeEvent(e);
        const QRect fill(0, 1, width(), qMax(0, height() - 1));
        for (QObject* child : children()) {
            auto* w = qobject_cast<QWidget*>(child);
            if (!w)
                continue;
            if (qobject_cast<ScreenForm*>(w) || w->objectName() == QLatin1String("Panel_ReportPreview")
                || w->objectName() == QLatin1String("Panel_EncomProduto_temp"))
                w->setGeometry(fill);
        }
        m_form->PlaceLabel61();
        update();
    }

private:
    TForm1* m_form;
};

// ---------------------------------------------------------------------------------------------
// Creation

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TForm1"));
    ProgramFolder = ComputeProgramFolder();
    CurrentCompany.clear();
    PreviousDatabaseFolder.clear();
    SetShell(this);

    if (!InstallationComplete(ProgramFolder)) {
        MessageBox::information(InstallationMessage());
        RequestProgramEnd();
    }

    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("Central"));
    auto* layout = new QVBoxLayout(m_central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(m_central);

    BuildMenus();
    BuildToolbar();
    layout->addWidget(Panel_Toolbar);
    m_client = new ClientPanel(this, m_central);
    layout->addWidget(m_client, 1);

    Label61 = new QLabel(QStringLiteral("Quorvale"), m_client);
    Label61->setObjectName(QStringLiteral("Label61"));
    QFont big = Label61->font();
    big.setPointSize(30);
    big.setBold(true);
    Label61->setFont(big);
    QPalette lp = Label61->palette();
    lp.setColor(QPalette::WindowText, QColor(170, 170, 170));
    Label61->setPalette(lp);
    Label61->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label61->setGeometry(kLabel61Left, 200, kLabel61Width, 56);

    BuildChooser();
    BuildOverlayPanels();

    // Overlay panels wait out of sight.
    ParkChooser();
    ParkOverlayPanels();
    CurrentCloseButton = nullptr;
    CurrentGrid = nullptr;

    // The design size: the client area fits the large title with a margin; the window can never
    // be smaller than 640 x 460.
    const int captionHeight = style()->pixelMetric(QStyle::PM_TitleBarHeight);
    setMinimumSize(640, 460);
    resize(kLabel61Left + kLabel61Width + 56, menuBar()->sizeHint().height() + captionHeight + 315);
    move(Settings::DefaultLeft, Settings::DefaultTop);

    qApp->installEventFilter(this); // the main window previews keys
    RunGuarded([this] { ReadStartupSettings(); });
    SetHelpContext(12);
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
    if (Shell() == this)
        SetShell(nullptr);
    CurrentCloseButton = nullptr;
    CurrentGrid = nullptr;
    // The settings files close with the main window.
    ProgramIni.reset();
    DataIni.reset();
}

bool TForm1::InstallationComplete(const QString& programFolder)
{
    return QFileInfo::exists(programFolder + Settings::FileName)
           && QFileInfo::exists(programFolder + QStringLiteral("Test_database/") + DataFile::Produtos);
}

QString TForm1::InstallationMessage()
{
    return QStringLiteral("Software was not extracted correctly.\rPlease re-install it from archive\r"
                          "(don't forget to extract with paths...)");
}

void TForm1::SetProgramEndHandler(std::function<void()> handler) { programEndHandler() = std::move(handler); }

void TForm1::RequestProgramEnd()
{
    m_terminateRequested = true;
    if (programEndHandler())
        programEndHandler()();
}

QMenu* TForm1::AddMenu(QMenu* parentMenu, const char* name, const QString& caption)
{
    QMenu* menu = parentMenu ? parentMenu->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    m_items.insert(QString::fromLatin1(name), menu->menuAction());
    m_designCaptions.insert(QString::fromLatin1(name), caption);
    return menu;
}

QAction* TForm1::AddItem(QMenu* menu, const char* name, const QString& caption, void (TForm1::*handler)())
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    m_items.insert(QString::fromLatin1(name), a);
    m_designCaptions.insert(QString::fromLatin1(name), caption);
    if (handler)
        connect(a, &QAction::triggered, this, [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
    return a;
}

void TForm1::BuildMenus()
{
    auto* compact = new CompactMenuBarStyle;
    compact->setParent(menuBar());
    menuBar()->setStyle(compact);

    auto separatorItem = [this](const char* name) {
        QAction* a = menuBar()->addAction(QStringLiteral("|"));
        a->setObjectName(QString::fromLatin1(name));
        a->setEnabled(false);
        m_items.insert(QString::fromLatin1(name), a);
    };

    QMenu* file = AddMenu(nullptr, "menu_File", QStringLiteral("&File"));
    AddItem(file, "menu_FileNew", QStringLiteral("&New Company..."), &TForm1::menu_FileNewClick);
    AddItem(file, "menu_FileOpen", QStringLiteral("&Open Company..."), &TForm1::menu_FileOpenClick);
    AddItem(file, "menu_FileDelete", QStringLiteral("&Delete Company"), &TForm1::menu_FileDeleteClick);
    file->addSeparator();
    AddItem(file, "menu_FileOptions", QStringLiteral("Op&tions..."), &TForm1::menu_FileOptionsClick);
    file->addSeparator();
    QAction* print = AddItem(file, "menu_FilePrint", QStringLiteral("&Print Grid..."), nullptr);
    connect(print, &QAction::triggered, this, [this, print] { RunGuarded([&] { menu_FilePrintClick(print); }); });
    QAction* preview = AddItem(file, "menu_PrintPreview", QStringLiteral("Print Pre&view..."), nullptr);
    connect(preview, &QAction::triggered, this, [this, preview] { RunGuarded([&] { menu_FilePrintClick(preview); }); });
    AddItem(file, "menu_CopytoMemory", QStringLiteral("&Copy to Memory"), &TForm1::menu_CopytoMemoryClick);
    file->addSeparator();
    AddItem(file, "menu_FileExit", QStringLiteral("E&xit"), &TForm1::menu_FileExitClick);

    separatorItem("menu_N1");

    QMenu* defs = AddMenu(nullptr, "menu_EditDefinicoes", QStringLiteral("&Definitions"));
    AddItem(defs, "menu_EditMateriaPrima", QStringLiteral("Raw &Material"), &TForm1::menu_EditMateriaPrimaClick);
    AddItem(defs, "menu_EditProduto", QStringLiteral("&Products"), &TForm1::menu_EditProdutoClick);
    AddItem(defs, "menu_EditFornecedor", QStringLiteral("&Suppliers"), &TForm1::menu_EditFornecedorClick);
    AddItem(defs, "menu_EditCliente", QStringLiteral("&Clients"), &TForm1::menu_EditClienteClick);
    AddItem(defs, "menu_EditEquip", QStringLiteral("&Equipments"), &TForm1::menu_EditEquipClick);
    QAction* moldes = AddItem(defs, "menu_EditTools", QStringLiteral("M&oldes"), nullptr);
    moldes->setEnabled(false);
    moldes->setVisible(false);

    QMenu* stocks = AddMenu(nullptr, "menu_EditStocks", QStringLiteral("&Stocks"));
    AddItem(stocks, "menu_EditStockMatPrima", QStringLiteral("Raw &Material"), &TForm1::menu_EditStockMatPrimaClick);
    AddItem(stocks, "menu_EditStockProduto", QStringLiteral("&Product"), &TForm1::menu_EditStockProdutoClick);

    QMenu* production = AddMenu(nullptr, "menu_EditProducao", QStringLiteral("Prod&uction"));
    AddItem(production, "menu_EditProducaoEntradas", QStringLiteral("&Entries"), &TForm1::menu_EditProducaoEntradasClick);

    QMenu* orders = AddMenu(nullptr, "menu_EditEncomendas", QStringLiteral("&Orders"));
    AddItem(orders, "menu_EditEncomMatPrima", QStringLiteral("Raw &Material"), &TForm1::menu_EditEncomMatPrimaClick);
    AddItem(orders, "menu_EditEncomProduto", QStringLiteral("&Product"), &TForm1::menu_EditEncomProdutoClick);

    separatorItem("menu_N2");

    QMenu* plan = AddMenu(nullptr, "menu_Plan", QStringLiteral("[ &Plan ]"));
    AddItem(plan, "menu_PlanStockMatPrima", QStringLiteral("Raw Mat. &Stock"), &TForm1::menu_PlanStockMatPrimaClick);
    AddItem(plan, "menu_PlanEncomenda", QStringLiteral("&Orders"), &TForm1::menu_PlanEncomendaClick);
    AddItem(plan, "menu_PlanProducao", QStringLiteral("&Production (graph)"), &TForm1::menu_PlanProducaoClick);
    plan->addSeparator();
    AddItem(plan, "menu_ViewGlobal", QStringLiteral("&Global View"), &TForm1::menu_ViewGlobalClick);

    QMenu* view = AddMenu(nullptr, "menu_View", QStringLiteral("&View"));
    QMenu* viewStock = AddMenu(view, "menu_ViewStock", QStringLiteral("&Stock"));
    AddItem(viewStock, "menu_ViewStockMatPrima", QStringLiteral("Raw &Material"), &TForm1::menu_ViewStockMatPrimaClick);
    AddItem(viewStock, "menu_ViewStockProduto", QStringLiteral("&Product"), &TForm1::menu_ViewStockProdutoClick);
    QMenu* viewProduct = AddMenu(view, "menu_ViewProduto", QStringLiteral("&Product"));
    AddItem(viewProduct, "menu_ViewProdDefinicao", QStringLiteral("&Composição"), &TForm1::menu_ViewProdDefinicaoClick);
    QMenu* viewMoves = AddMenu(view, "menu_ViewMovimentos", QStringLiteral("&Transfering"));
    AddItem(viewMoves, "menu_ViewMovimMatPrima", QStringLiteral("Raw &Material"), &TForm1::menu_ViewMovimMatPrimaClick);
    AddItem(viewMoves, "menu_ViewMovimProduto", QStringLiteral("&Product"), &TForm1::menu_ViewMovimProdutoClick);
    QMenu* viewOrders = AddMenu(view, "menu_ViewEncomendas", QStringLiteral("&Orders"));
    AddItem(viewOrders, "menu_ViewEncomMatPrima", QStringLiteral("Raw &Material"), &TForm1::menu_ViewEncomMatPrimaClick);
    AddItem(viewOrders, "menu_ViewEncomProduto", QStringLiteral("&Product"), &TForm1::menu_ViewEncomProdutoClick);
    QMenu* viewProduction = AddMenu(view, "menu_ViewProducao", QStringLiteral("Prod&uction"));
    AddItem(viewProduction, "menu_ViewProducIndicesUtil", QStringLiteral("Equipment &Hours"),
            &TForm1::menu_ViewProducIndicesUtilClick);
    AddItem(viewProduction, "menu_ViewProducQuantidades", QStringLiteral("&Quantities"),
            &TForm1::menu_ViewProducQuantidadesClick);
    QMenu* costs = AddMenu(view, "menu_ToolsCustos", QStringLiteral("Costs"));
    AddItem(costs, "menu_ToolsCustosProduto", QStringLiteral("&Product"), &TForm1::menu_ToolsCustosProdutoClick);

    separatorItem("menu_N3");

    QMenu* tools = AddMenu(nullptr, "menu_Tools", QStringLiteral("&Tools"));
    AddItem(tools, "menu_ToolsCalculator", QStringLiteral("&Calculator"), &TForm1::menu_ToolsCalculatorClick);
    AddItem(tools, "menu_ToolsNotepad", QStringLiteral("&Notepad"), &TForm1::menu_ToolsNotepadClick);
    tools->addSeparator();
    QMenu* backup = AddMenu(tools, "menu_ToolsBackup", QStringLiteral("&Backup"));
    AddItem(backup, "menu_ToolsBackupBackup", QStringLiteral("&Backup (save)"), &TForm1::menu_ToolsBackupBackupClick);
    AddItem(backup, "menu_ToolsBackupRevert", QStringLiteral("&Revert  (open)"), &TForm1::menu_ToolsBackupRevertClick);
    AddItem(tools, "menu_ToolsRename", QStringLiteral("Rename &Item..."), &TForm1::menu_ToolsRenameClick);
    AddItem(tools, "menu_ToolsCheckFiles", QStringLiteral("Check company &files ..."), &TForm1::menu_ToolsCheckFilesClick);
    tools->addSeparator();
    QMenu* archive = AddMenu(tools, "menu_ToolsArchive", QStringLiteral("&Archive"));
    archive->menuAction()->setEnabled(false);
    AddItem(archive, "menu_ToolsArchiveSave", QStringLiteral("&Archive  Year..."), nullptr);
    QAction* calc = AddItem(tools, "menu_ToolsCalc", QStringLiteral("calc ......"), nullptr);
    calc->setEnabled(false);
    calc->setVisible(false);

    QMenu* help = AddMenu(nullptr, "menu_Help", QStringLiteral("&Help"));
    AddItem(help, "menu_HelpContents", QStringLiteral("&Contents"), &TForm1::menu_HelpContentsClick);
    AddItem(help, "menu_HelpKeywordSearch", QStringLiteral("&Keyword search"), &TForm1::menu_HelpKeywordSearchClick);
    AddItem(help, "menu_HelpTopic", QStringLiteral("Help &Topic"), &TForm1::menu_HelpTopicClick);
    help->addSeparator();
    AddItem(help, "menu_HelpFeedback", QStringLiteral("&Feedback form"), &TForm1::menu_HelpFeedbackClick);
    help->addSeparator();
    AddItem(help, "menu_HelpAbout", QStringLiteral("&About..."), &TForm1::menu_HelpAboutClick);
}

void TForm1::BuildToolbar()
{
    Panel_Toolbar = new QFrame(m_central);
    Panel_Toolbar->setObjectName(QStringLiteral("Panel_Toolbar"));
    Panel_Toolbar->setFixedHeight(32);
    Panel_Toolbar->setFrameShape(QFrame::NoFrame);
    Panel_Toolbar->setAutoFillBackground(true);

    int x = 4;
    auto button = [&](const char* name, const char* icon, const QString& hint, int gapAfter) {
        auto* b = new QToolButton(Panel_Toolbar);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoRaise(true);
        b->setIcon(ToolbarIcon(QString::fromLatin1(icon)));
        b->setIconSize(QSize(20, 20));
        b->setGeometry(x, 3, 26, 26);
        b->setToolTip(hint);
        b->setFocusPolicy(Qt::NoFocus);
        x += 26 + gapAfter;
        return b;
    };
    SpeedButton_OpenSupplier = button("SpeedButton_OpenSupplier", "OpenSupplier", QStringLiteral("Open Company"), 8);
    SpeedButton_Calculator = button("SpeedButton_Calculator", "Calculator", QStringLiteral("Calculator "), 8);
    SpeedButton_Print = button("SpeedButton_Print", "Print", QStringLiteral("Print Listing"), 1);
    SpeedButton_PrintPreview = button("SpeedButton_PrintPreview", "PrintPreview", QStringLiteral("Print Preview"), 1);
    SpeedButton_CopytoMemory = button("SpeedButton_CopytoMemory", "CopytoMemory", QStringLiteral("Copy to Memory"), 8);
    SpeedButton_Feedback = button("SpeedButton_Feedback", "Feedback", QStringLiteral("Email support"), 1);
    SpeedButton_HelpContext = button("SpeedButton_HelpContext", "HelpContext", QStringLiteral("Help..."), 8);
    SpeedButton_Exit = button("SpeedButton_Exit", "Exit", QStringLiteral("Close Program "), 12);

    ComboBox_Historic = new QComboBox(Panel_Toolbar);
    ComboBox_Historic->setObjectName(QStringLiteral("ComboBox_Historic"));
    ComboBox_Historic->addItems({QString(), CleanListText()});
    ComboBox_Historic->setMaxVisibleItems(kHistoryDropDown);
    ComboBox_Historic->setGeometry(x, 5, 230, 22);
    ComboBox_Historic->setToolTip(LangText(QStringLiteral("hint_history"), QStringLiteral("History")));

    auto guarded = [this](void (TForm1::*handler)()) {
        return [this, handler] { RunGuarded([&] { (this->*handler)(); }); };
    };
    connect(SpeedButton_OpenSupplier, &QToolButton::clicked, this, guarded(&TForm1::menu_FileOpenClick));
    connect(SpeedButton_Calculator, &QToolButton::clicked, this, guarded(&TForm1::SpeedButton_CalculatorClick));
    connect(SpeedButton_Print, &QToolButton::clicked, this,
            [this] { RunGuarded([&] { menu_FilePrintClick(MenuItem(QStringLiteral("menu_FilePrint"))); }); });
    connect(SpeedButton_PrintPreview, &QToolButton::clicked, this,
            [this] { RunGuarded([&] { menu_FilePrintClick(MenuItem(QStringLiteral("menu_PrintPreview"))); }); });
    connect(SpeedButton_CopytoMemory, &QToolButton::clicked, this, guarded(&TForm1::menu_CopytoMemoryClick));
    connect(SpeedButton_Feedback, &QToolButton::clicked, this, guarded(&TForm1::menu_HelpFeedbackClick));
    connect(SpeedButton_Exit, &QToolButton::clicked, this, guarded(&TForm1::menu_FileExitClick));
    connect(SpeedButton_HelpContext, &QToolButton::clicked, this, guarded(&TForm1::SpeedButton_HelpContextClick));
    connect(ComboBox_Historic, &QComboBox::activated, this, guarded(&TForm1::ComboBox_HistoricChange));

    // The print buttons work whenever their menu items do.
    for (const auto& [button, name] : {std::pair{SpeedButton_Print, "menu_FilePrint"},
                                       std::pair{SpeedButton_PrintPreview, "menu_PrintPreview"}}) {
        QAction* item = MenuItem(QString::fromLatin1(name));
        QToolButton* b = button;
        b->setEnabled(item->isEnabled());
        connect(item, &QAction::changed, b, [item, b] { b->setEnabled(item->isEnabled()); });
    }
}

void TForm1::BuildChooser()
{
    Panel_Suplier = new QFrame(m_client);
    Panel_Suplier->setObjectName(QStringLiteral("Panel_Suplier"));
    Panel_Suplier->setFrameShape(QFrame::Panel);
    Panel_Suplier->setFrameShadow(QFrame::Raised);
    Panel_Suplier->setLineWidth(2);
    Panel_Suplier->setAutoFillBackground(true);
    Panel_Suplier->setGeometry(kChooserLeft, kChooserTop, 321, 121);

    Label66 = new QLabel(Panel_Suplier);
    Label66->setObjectName(QStringLiteral("Label66"));
    Label66->setGeometry(12, 8, 297, 20);
    QFont bold = Label66->font();
    bold.setBold(true);
    Label66->setFont(bold);

    ComboBox_Suplier = new QComboBox(Panel_Suplier);
    ComboBox_Suplier->setObjectName(QStringLiteral("ComboBox_Suplier"));
    ComboBox_Suplier->setGeometry(12, 30, 297, 24);
    ComboBox_Suplier->setInsertPolicy(QComboBox::NoInsert);

    CheckBox_SuplierCopy = new QCheckBox(QStringLiteral("Copy main files .."), Panel_Suplier);
    CheckBox_SuplierCopy->setObjectName(QStringLiteral("CheckBox_SuplierCopy"));
    CheckBox_SuplierCopy->setGeometry(12, 58, 305, 20);

    Button_SuplierCancel = new TRe2Buttn(Caption::Cancel(), Panel_Suplier);
    Button_SuplierCancel->setObjectName(QStringLiteral("Button_SuplierCancel"));
    Button_SuplierCancel->setGeometry(142, 86, 75, 25);
    Button_Suplier = new TRe2Buttn(Caption::Start(), Panel_Suplier);
    Button_Suplier->setObjectName(QStringLiteral("Button_Suplier"));
    Button_Suplier->setGeometry(234, 86, 75, 25);

    connect(Button_Suplier, &QAbstractButton::clicked, this, [this] { RunGuarded([&] { Button_SuplierClick(); }); });
    connect(Button_SuplierCancel, &QAbstractButton::clicked, this,
            [this] { RunGuarded([&] { Button_SuplierCancelClick(); }); });
    connect(ComboBox_Suplier, &QComboBox::activated, this, [this] { RunGuarded([&] { ComboBox_SuplierChange(); }); });
}

void TForm1::BuildOverlayPanels()
{
    auto overlay = [this](const char* name) {
        auto* panel = new QFrame(m_client);
        panel->setObjectName(QString::fromLatin1(name));
        panel->setFrameShape(QFrame::NoFrame); // tall panels have no bevels
        panel->setAutoFillBackground(true);
        panel->setGeometry(0, 1, 640, 400);
        return panel;
    };
    // The print preview is the grid printing's own panel; the print commands go to it.
    auto* preview = new ReportPreviewPanel(m_client);
    preview->setGeometry(0, 1, 640, 400);
    preview->SetHelpContext = [this](int context) { SetHelpContext(context); };
    Panel_ReportPreview = preview;
    if (!InstalledGridPrintHandler())
        SetGridPrintHandler([](bool showPreview) { ::menu_FilePrintClick(showPreview); });
    Panel_EncomProduto_temp = overlay("Panel_EncomProduto_temp");
}

void TForm1::ApplyTheme()
{
    if (BlueTheme) {
        Theme::SetBackground(this, Theme::PanelColor);
        Theme::SetBackground(Panel_Toolbar, Theme::PanelColor);
        Theme::SetBackground(Panel_Suplier, Theme::PanelColor);
        Theme::SetBackground(Panel_ReportPreview, Theme::PanelColor);
        Theme::SetBackground(Panel_EncomProduto_temp, Theme::PanelColor);
    } else {
        for (QWidget* w : std::initializer_list<QWidget*>{this, Panel_Toolbar, Panel_Suplier, Panel_ReportPreview,
                                                          Panel_EncomProduto_temp})
            w->setPalette(QPalette());
    }
    m_client->update();
}

void TForm1::PlaceLabel61()
{
    if (Label61 && m_client)
        Label61->move(m_client->width() - 302, m_client->height() - 97);
}

// ---------------------------------------------------------------------------------------------
// Settings and language

void TForm1::ReadStartupSettings()
{
    ProgramIni = std::make_unique<IniFile>(ProgramFolder + Settings::FileName);
    const ProgramOptions o = ReadProgramOptions(*ProgramIni, ProgramFolder, width(), height());
    m_savePositionAtStart = o.savePosition;
    if (o.savePosition) {
        const QRect stored(o.left, o.top, qMax(o.width, minimumWidth()), qMax(o.height, minimumHeight()));
        // A place on a screen that is no longer there would leave the window out of sight.
        bool onScreen = QGuiApplication::screens().isEmpty();
        for (QScreen* s : QGuiApplication::screens())
            if (s->availableVirtualGeometry().intersects(stored))
                onScreen = true;
        if (onScreen) {
            move(stored.topLeft());
            resize(stored.size());
        }
    }
    setWindowFlag(Qt::WindowStaysOnTopHint, o.stayOnTop);
    if (o.minimized)
        setWindowState(windowState() | Qt::WindowMinimized);
    ApplyTheme();
    DatabaseFolder = o.dataRoot;
    DataIni = std::make_unique<IniFile>(o.dataRoot + Settings::FileName);
    ApplyLanguage(CurrentLanguage);
    ApplyToolbarHints(CurrentLanguage);
}

void TForm1::ApplyLanguage(const QString& language)
{
    if (!OpenLanguage(language, [](const QString& text) { MessageBox::error(text); }))
        RequestProgramEnd();
    SetCaption(LangText(QStringLiteral("main_caption"), QStringLiteral("Quorvale")));
    for (auto it = m_designCaptions.cbegin(); it != m_designCaptions.cend(); ++it) {
        const QString key = languageKeyOverrides().value(it.key(), it.key());
        m_items.value(it.key())->setText(LangText(key, it.value()));
        if (auto* menu = findChild<QMenu*>(it.key()))
            menu->setTitle(m_items.value(it.key())->text());
    }
    CheckBox_SuplierCopy->setText(LangText(QStringLiteral("label_49"), QStringLiteral("Copy main definition files from ")));
    // The texts of the chooser, the history list and the preview, which live as long as the window.
    Button_SuplierCancel->setCaption(Caption::Cancel());
    Button_Suplier->setCaption(m_addMode ? Caption::Add() : Caption::Start());
    ComboBox_Historic->setItemText(kCleanListIndex, CleanListText());
    ComboBox_Historic->setToolTip(LangText(QStringLiteral("hint_history"), QStringLiteral("History")));
    if (auto* preview = qobject_cast<ReportPreviewPanel*>(Panel_ReportPreview))
        preview->ApplyLanguage();
}

void TForm1::ApplyToolbarHints(const QString& language)
{
    Q_UNUSED(language); // LangText reads the section of CurrentLanguage
    SpeedButton_OpenSupplier->setToolTip(LangText(QStringLiteral("label_63"), QStringLiteral("Open Company")));
    SpeedButton_Calculator->setToolTip(LangText(QStringLiteral("label_76"), QStringLiteral("Calculator")));
    SpeedButton_Print->setToolTip(LangText(QStringLiteral("label_75"), QStringLiteral("Print - preview")));
    SpeedButton_PrintPreview->setToolTip(LangText(QStringLiteral("label_75"), QStringLiteral("Print - preview")));
    SpeedButton_Exit->setToolTip(LangText(QStringLiteral("label_77"), QStringLiteral("Close Program")));
    SpeedButton_Feedback->setToolTip(LangText(QStringLiteral("label_88"), QStringLiteral("Email support")));
    SpeedButton_CopytoMemory->setToolTip(LangText(QStringLiteral("label_107"), QStringLiteral("Copy to Memory")));
}

void TForm1::SetHelpContext(int context)
{
    m_helpContext = context;
    setProperty("HelpContext", context);
}

int TForm1::HelpContextOf(QWidget* window) const
{
    if (!window || window == this)
        return m_helpContext;
    return window->property("HelpContext").toInt();
}

QAction* TForm1::MenuItem(const QString& name) const { return m_items.value(name); }

// ---------------------------------------------------------------------------------------------
// First show and shutdown

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    RunGuarded([this] { FormShow(); });
}

void TForm1::FormShow()
{
    SetStartMode();
    ShowCompanyChooser();
    SetHelpContext(12);
    FillCompanyChooser();
    Button_Suplier->setFocus();
    RunGuarded([] {
        const NeutralConversion c = ConvertNeutralFormat(*ProgramIni, ProgramFolder + QStringLiteral("Test_database/"));
        if (!c.problems.isEmpty()) {
            QStringList lines = c.problems.mid(0, 20);
            if (c.problems.size() > 20)
                lines << QStringLiteral("... (+%1)").arg(c.problems.size() - 20);
            MessageBox::warning(LangText(QStringLiteral("msg_SampleNotConverted"),
                                         QStringLiteral("Some fields of the sample company could not be converted:"))
                                + QLatin1Char('\r')
                                + lines.join(QLatin1Char('\r')));
        }
    });
    ScreenClosed();
    InstallMessageHook();
    OfferAddWhenNoCompany();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    RunGuarded([this] { Shutdown(); });
    QMainWindow::closeEvent(event);
}

void TForm1::Shutdown()
{
    if (m_shutDown || !ProgramIni)
        return;
    m_shutDown = true;
    if (m_savePositionAtStart) {
        const QRect r = (isMinimized() || isMaximized()) ? normalGeometry() : QRect(pos(), size());
        ProgramIni->WriteInteger(Settings::Options, QStringLiteral("SavePosLeft"), r.left());
        ProgramIni->WriteInteger(Settings::Options, QStringLiteral("SavePosTop"), r.top());
        ProgramIni->WriteInteger(Settings::Options, QStringLiteral("SavePosHeight"), r.height());
        ProgramIni->WriteInteger(Settings::Options, QStringLiteral("SavePosWidth"), r.width());
    }
    ProgramIni->WriteString(Settings::Options, QStringLiteral("LastSuplier"), CurrentCompany);
    ProgramIni->WriteString(Settings::Options, QStringLiteral("Version"), ProgramVersionText());
    CloseLanguageFile();
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    PlaceLabel61();
    update();
}

// ---------------------------------------------------------------------------------------------
// Company chooser

bool TForm1::ChooserOnScreen() const { return Panel_Suplier && !Panel_Suplier->isHidden(); }

void TForm1::SetStartMode()
{
    m_addMode = false;
    Label66->setText(LangMsg[30]);
    Button_Suplier->setCaption(Caption::Start());
    ComboBox_Suplier->setEditable(false);
    CheckBox_SuplierCopy->hide();
}

void TForm1::SetAddMode()
{
    m_addMode = true;
    Label66->setText(LangMsg[31]);
    Button_Suplier->setCaption(Caption::Add());
    ComboBox_Suplier->setEditable(true);
    ComboBox_Suplier->setInsertPolicy(QComboBox::NoInsert);
    ComboBox_Suplier->setCompleter(nullptr); // a new name is typed as it is, never completed to an old one
    ComboBox_Suplier->setCurrentIndex(-1);
    ComboBox_Suplier->setEditText(QString());
    // The master files can be copied from the company that was open.
    const bool fromCompany = !PreviousDatabaseFolder.isEmpty() && PreviousDatabaseFolder != DatabaseFolder
                             && QFileInfo(PreviousDatabaseFolder).isDir();
    const QString from = fromCompany ? QDir(PreviousDatabaseFolder).dirName() : QString();
    // A long company name is cut with "…" to fit the box; the tool tip holds the whole caption.
    const QString caption = LangText(QStringLiteral("label_49"), QStringLiteral("Copy main definition files from "));
    CheckBox_SuplierCopy->setText(caption + from);
    CheckBox_SuplierCopy->setToolTip(QString());
    if (const int excess = CheckBox_SuplierCopy->sizeHint().width() - CheckBox_SuplierCopy->width(); excess > 0) {
        const QFontMetrics metrics = CheckBox_SuplierCopy->fontMetrics();
        CheckBox_SuplierCopy->setText(caption + metrics.elidedText(from, Qt::ElideRight, metrics.horizontalAdvance(from) - excess));
        CheckBox_SuplierCopy->setToolTip(caption + from);
    }
    CheckBox_SuplierCopy->setEnabled(fromCompany);
    if (!fromCompany)
        CheckBox_SuplierCopy->setChecked(false);
    CheckBox_SuplierCopy->show();
    ComboBox_Suplier->setFocus();
}

void TForm1::ShowCompanyChooser()
{
    CloseCurrentScreen();
    PreviousDatabaseFolder = DatabaseFolder;
    ProgramFolder = ComputeProgramFolder();
    DatabaseFolder = DataRootFolder(*ProgramIni, ProgramFolder);
    Panel_Suplier->move(kChooserLeft, kChooserTop);
    Panel_Suplier->setEnabled(true);
    Panel_Suplier->show();
    Panel_Suplier->raise();
    for (const char* name : {"menu_File", "menu_EditDefinicoes", "menu_EditStocks", "menu_EditProducao",
                             "menu_EditEncomendas", "menu_Plan", "menu_View", "menu_Tools", "menu_HelpContents",
                             "menu_HelpFeedback"})
        MenuItem(QString::fromLatin1(name))->setEnabled(false);
    SpeedButton_Feedback->setEnabled(false);
}

void TForm1::FillCompanyChooser()
{
    ComboBox_Suplier->clear();
    ComboBox_Suplier->addItems(Companies::ReadList(*DataIni));
    CurrentCompany = ProgramIni->ReadString(Settings::Options, QStringLiteral("LastSuplier"), QString());
    ComboBox_Suplier->setCurrentIndex(ComboBox_Suplier->findText(CurrentCompany, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void TForm1::OfferAddWhenNoCompany()
{
    // Without any company the only way on is to create one.
    if (m_addMode || ComboBox_Suplier->count() > 0)
        return;
    MessageBox::information(LangMsg[24]);
    SetAddMode();
}

void TForm1::ParkChooser()
{
    Panel_Suplier->hide();
    Panel_Suplier->setEnabled(false);
}

void TForm1::EnableChooserMenus(bool withFeedbackButton)
{
    for (const char* name : {"menu_File", "menu_EditDefinicoes", "menu_EditStocks", "menu_EditProducao",
                             "menu_EditEncomendas", "menu_Plan", "menu_View", "menu_Tools", "menu_HelpContents",
                             "menu_HelpFeedback"})
        MenuItem(QString::fromLatin1(name))->setEnabled(true);
    if (withFeedbackButton)
        SpeedButton_Feedback->setEnabled(true);
}

void TForm1::ComboBox_SuplierChange()
{
    if (m_addMode || ComboBox_Suplier->isEditable())
        return;
    CurrentCompany = ComboBox_Suplier->currentText();
    ProgramIni->WriteString(Settings::Options, QStringLiteral("LastSuplier"), CurrentCompany);
    Button_Suplier->setFocus();
}

void TForm1::Button_SuplierClick()
{
    if (!ChooserOnScreen())
        return;
    if (m_addMode ? AddCompany() : StartCompany())
        FinishCompanyChoice();
}

bool TForm1::StartCompany()
{
    const QString name = ComboBox_Suplier->currentText();
    if (name.isEmpty()) {
        MessageBox::information(LangMsg[40]);
        ComboBox_Suplier->setFocus();
        return false;
    }
    if (!Companies::NameProblem(name).isEmpty()) {
        MessageBox::error(Companies::BadNameMessage(name));
        ComboBox_Suplier->setFocus();
        return false;
    }
    const QString folder = DatabaseFolder + name + QLatin1Char('/');
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
        MessageBox::error(CannotCreateFolderText(folder));
        return false;
    }
    CurrentCompany = name;
    ReadCompanySettings(*ProgramIni, *DataIni, CurrentCompany);
    DatabaseFolder = folder;
    return true;
}

bool TForm1::AddCompany()
{
    const QString typed = ComboBox_Suplier->currentText();
    if (typed.trimmed().isEmpty()) {
        MessageBox::information(LangMsg[39]);
        ComboBox_Suplier->setFocus();
        return false;
    }
    const QString name = Companies::Normalize(typed);
    if (!Companies::NameProblem(name).isEmpty()) {
        MessageBox::error(Companies::BadNameMessage(typed.trimmed()));
        ComboBox_Suplier->setFocus();
        return false;
    }
    if (Companies::ListHolds(Companies::ReadList(*DataIni), name)) {
        MessageBox::information(Companies::ExistsMessage(name));
        ComboBox_Suplier->setFocus();
        return false;
    }
    // The folder first: a company whose folder cannot be made does not join the list.
    const QString folder = DatabaseFolder + name + QLatin1Char('/');
    if (!QFileInfo(folder).isDir()) {
        if (!QDir().mkpath(folder)) {
            MessageBox::error(CannotCreateFolderText(folder));
            return false;
        }
        if (QFileInfo(PreviousDatabaseFolder).isDir())
            QFile::setPermissions(folder, QFileInfo(PreviousDatabaseFolder).permissions());
    }
    const int n = DataIni->ReadInteger(Settings::Supliers, QStringLiteral("Number"), 0) + 1;
    DataIni->WriteInteger(Settings::Supliers, QStringLiteral("Number"), n);
    CurrentCompany = name;
    DataIni->WriteString(Settings::Supliers, QStringLiteral("Sup%1").arg(n), CurrentCompany);
    DataIni->WriteString(Settings::Options, QStringLiteral("LastSuplier"), CurrentCompany);
    ReadCompanySettings(*ProgramIni, *DataIni, CurrentCompany);
    DatabaseFolder = folder;

    if (CheckBox_SuplierCopy->isChecked() && CheckBox_SuplierCopy->isEnabled()) {
        // Files already in the folder are kept: copying never overwrites a company's data.
        QStringList failed;
        for (const QString& f : {DataFile::Produtos, DataFile::MateriasPrimas, DataFile::Clientes, DataFile::Fornecedores}) {
            const QString from = PreviousDatabaseFolder + f;
            const QString to = folder + f;
            if (!QFileInfo::exists(from) || QFileInfo::exists(to))
                continue;
            if (!QFile::copy(from, to))
                failed << QDir::toNativeSeparators(from);
        }
        if (!failed.isEmpty())
            MessageBox::error(LangText(QStringLiteral("msg_CannotCopy"), QStringLiteral("Cannot copy:")) + QLatin1Char('\r')
                              + failed.join(QLatin1Char('\r')));
    }
    return true;
}

void TForm1::FinishCompanyChoice()
{
    CheckBox_SuplierCopy->setEnabled(true);
    ParkChooser();
    EnableChooserMenus(true);
    MenuItem(QStringLiteral("menu_EditProducaoEntradas"))->setEnabled(!StockAuto && HourControl);
    ProgramIni->WriteString(Settings::Options, QStringLiteral("LastSuplier"), CurrentCompany);
    const QString caption = windowTitle();
    SetCaption((caption.contains(QStringLiteral(" - ")) ? CaptionBase() : caption) + QStringLiteral(" - ") + CurrentCompany);
    setFocus();
}

void TForm1::Button_SuplierCancelClick()
{
    if (!ChooserOnScreen())
        return;
    if (!m_addMode) {
        // The caption names the company that is open; unless another was picked, it opens again.
        const QString caption = windowTitle();
        const qsizetype dash = caption.indexOf(QStringLiteral(" - "));
        QString open = dash < 0 ? QString() : caption.mid(dash + 3);
        const qsizetype colon = open.indexOf(QStringLiteral(" : "));
        if (colon >= 0)
            open = open.left(colon);
        if (!CurrentCompany.isEmpty() && open == CurrentCompany)
            Button_Suplier->click();
        else
            close();
        return;
    }
    const bool none = DataIni->ReadInteger(Settings::Supliers, QStringLiteral("Number"), 0) == 0;
    if (none)
        MessageBox::information(LangMsg[6]);
    else if (CurrentCompany.isEmpty() || PreviousDatabaseFolder == DatabaseFolder) {
        // No company was open before: back to choosing one.
        SetStartMode();
        FillCompanyChooser();
        return;
    }
    ParkChooser();
    DatabaseFolder = DatabaseFolder + CurrentCompany + QLatin1Char('/');
    EnableChooserMenus(false);
    if (none)
        close();
}

// ---------------------------------------------------------------------------------------------
// Hosting

QString TForm1::CaptionBase() const
{
    const QString caption = windowTitle();
    const qsizetype dash = caption.indexOf(QStringLiteral(" - "));
    return dash < 0 ? caption : caption.left(dash);
}

ScreenForm* TForm1::CurrentScreen() const
{
    for (ScreenForm* s : m_client->findChildren<ScreenForm*>(QString(), Qt::FindDirectChildrenOnly))
        if (!s->IsClosing())
            return s;
    return nullptr;
}

ScreenForm* TForm1::OpenScreen(const ScreenFactory& factory, const QString& title, int helpContext)
{
    CloseCurrentScreen();
    if (!factory)
        return nullptr;
    ScreenForm* screen = factory(m_client);
    if (!screen)
        return nullptr;
    if (screen->parentWidget() != m_client)
        screen->setParent(m_client);
    screen->setWindowFlags(Qt::Widget);
    screen->setGeometry(0, 1, m_client->width(), qMax(0, m_client->height() - 1));
    CurrentCloseButton = screen->CloseButton();
    CurrentGrid = screen->MainGrid();
    if (CurrentGrid)
        CurrentGrid->setScreenTitle(title);
    ScreenOpened();
    SetHelpContext(helpContext);
    screen->show();
    screen->raise();
    return screen;
}

void TForm1::CloseCurrentScreen()
{
    if (QAbstractButton* close = CurrentCloseButton.data()) {
        // The screen closes itself: its files, ScreenClosed, release.
        if (close->isEnabled())
            close->click();
        else
            emit close->clicked(false);
    }
    if (Panel_ReportPreview->isVisibleTo(m_client)) {
        Panel_ReportPreview->hide();
        Panel_ReportPreview->setEnabled(false);
    }
}

void TForm1::ScreenOpened()
{
    const QString title = CurrentGrid ? CurrentGrid->ScreenTitle() : QString();
    SetCaption(CaptionBase() + QStringLiteral(" - ") + CurrentCompany + QStringLiteral(" : ") + title);
    SpeedButton_HelpContext->setEnabled(true);
    if (!DesktopServices::instance().printers().isEmpty()) {
        for (const char* name : {"menu_FilePrint", "menu_PrintPreview", "menu_CopytoMemory"})
            MenuItem(QString::fromLatin1(name))->setEnabled(true);
        SpeedButton_CopytoMemory->setEnabled(true);
    }
}

void TForm1::ScreenClosed()
{
    for (const char* name : {"menu_FilePrint", "menu_PrintPreview", "menu_CopytoMemory"})
        MenuItem(QString::fromLatin1(name))->setEnabled(false);
    for (QToolButton* b : {SpeedButton_CopytoMemory, SpeedButton_HelpContext})
        b->setEnabled(false);

    if (CurrentGrid) {
        const QString title = CurrentGrid->ScreenTitle();
        bool held = false;
        for (int i = 0; i < ComboBox_Historic->count() && !held; ++i)
            held = ComboBox_Historic->itemText(i).compare(title, Qt::CaseInsensitive) == 0;
        if (!held) {
            ComboBox_Historic->addItem(title);
            if (ComboBox_Historic->count() > ComboBox_Historic->maxVisibleItems())
                ComboBox_Historic->setMaxVisibleItems(ComboBox_Historic->maxVisibleItems() + 1);
        }
    }

    const QString caption = windowTitle();
    if (caption.contains(QStringLiteral(" - ")))
        SetCaption(CaptionBase() + QStringLiteral(" - ") + CurrentCompany);
    else if (!ChooserOnScreen())
        SetCaption(caption + QStringLiteral(" - ") + CurrentCompany);

    // The screen is being released.
    CurrentCloseButton = nullptr;
    CurrentGrid = nullptr;
}

void TForm1::ComboBox_HistoricChange()
{
    const QString text = ComboBox_Historic->currentText();
    if (ComboBox_Historic->currentIndex() == kCleanListIndex) {
        ComboBox_Historic->clear();
        ComboBox_Historic->addItems({QString(), CleanListText()});
        ComboBox_Historic->setMaxVisibleItems(kHistoryDropDown);
        setFocus();
        return;
    }
    if (!text.isEmpty()) {
        for (const MenuCommand& c : MenuTable()) {
            if (c.ScreenTitle() == text) {
                RunMenuCommand(c.item);
                break;
            }
        }
    }
    ComboBox_Historic->setCurrentIndex(0);
}

void TForm1::RunMenuCommand(const QString& menuItemName)
{
    if (QAction* a = MenuItem(menuItemName))
        a->trigger();
}

void TForm1::ParkOverlayPanels()
{
    for (QFrame* panel : {Panel_ReportPreview, Panel_EncomProduto_temp}) {
        panel->hide();
        panel->setEnabled(false);
    }
}

std::optional<OrderCalculation::CalcError> TForm1::Button_calcClick()
{
    Hourglass hourglass;
    return ShellHost::Button_calcClick();
}

void TForm1::Button_clsClick() { ShellHost::Button_clsClick(); }

void TForm1::SetMenuItemEnabled(const QString& menuItemName, bool enabled)
{
    if (QAction* a = MenuItem(menuItemName))
        a->setEnabled(enabled);
}

void TForm1::RunScreenCommand(const QString& item)
{
    if (ChooserOnScreen())
        return; // no company folder while choosing
    const MenuCommand* c = FindMenuCommand(item);
    if (!c)
        return;
    auto missing = [c] {
        for (const QString& f : c->requiredFiles)
            if (!QFileInfo::exists(DataFilePath(f)))
                return true;
        return false;
    };
    // A missing file leaves the hosted screen open; an empty one (for the views that need a
    // record) is found after it was closed.
    if (missing()) {
        MessageBox::information(c->MissingText());
        return;
    }
    if (!c->factory)
        return; // the screen does not exist yet
    if (c->needsRecord) {
        CloseCurrentScreen();
        const QString first = DataFilePath(c->requiredFiles.value(0));
        const int recordSize = DataFile::recordSizeOf(c->requiredFiles.value(0));
        if (QFileInfo(first).size() < qMax(1, recordSize)) {
            MessageBox::information(c->MissingText());
            return;
        }
    }
    if (ScreenForm* screen = OpenScreen(c->factory, c->ScreenTitle(), c->helpContext))
        screen->setProperty(kMenuCommandProperty, c->item);
}

// ---------------------------------------------------------------------------------------------
// Menu commands

void TForm1::menu_FileNewClick()
{
    ShowCompanyChooser();
    FillCompanyChooser();
    SetAddMode();
}

void TForm1::menu_FileOpenClick()
{
    SetStartMode();
    ShowCompanyChooser();
    FillCompanyChooser();
    Button_Suplier->setFocus();
    OfferAddWhenNoCompany();
}

void TForm1::menu_FileDeleteClick()
{
    const QStringList list = Companies::ReadList(*DataIni);
    if (list.isEmpty() || CurrentCompany.isEmpty() || !list.contains(CurrentCompany)) {
        MessageBox::information(LangMsg[24]);
        return;
    }
    if (!MessageBox::confirm(LangMsg[32] + QStringLiteral("\r\r") + CurrentCompany))
        return;
    CloseCurrentScreen();
    const QString name = CurrentCompany;
    // The sample company's folder stays: the installation check at start-up looks for it.
    const Companies::Removal r = Companies::Remove(*DataIni, DataRootFolder(*ProgramIni, ProgramFolder), name,
                                                   Clock::now(), ProgramFolder + QStringLiteral("Test_database/"));
    if (!r.removed) {
        MessageBox::error(r.error);
        return;
    }
    MessageBox::information(Companies::RemovedMessage(name, r.movedTo, r.keptAt));
    CurrentCompany.clear();
    ProgramIni->WriteString(Settings::Options, QStringLiteral("LastSuplier"), QString());
    SetCaption(CaptionBase());
    menu_FileOpenClick();
}

void TForm1::menu_FileOptionsClick() { RunOptionsDialog(TFormOptions::OptionsPanel); }
void TForm1::menu_ToolsRenameClick() { RunOptionsDialog(TFormOptions::RenamePanel); }
void TForm1::menu_ToolsBackupBackupClick() { RunOptionsDialog(TFormOptions::BackupPanel); }
void TForm1::menu_ToolsBackupRevertClick() { RunOptionsDialog(TFormOptions::RevertPanel); }

void TForm1::RunOptionsDialog(int use)
{
    // Preferences leave the hosted screen open, so that a new language shows on it at once;
    // renaming, backup and revert change the data files under a screen, so it is closed first.
    if (use != TFormOptions::OptionsPanel) {
        if (ChooserOnScreen() || CurrentCompany.isEmpty())
            return; // no company folder to work on
        CloseCurrentScreen();
    }
    const int helpBefore = m_helpContext;
    if (use == TFormOptions::OptionsPanel)
        SetHelpContext(14);
    TFormOptions dialog(this);
    dialog.setProperty("HelpContext", 14);
    dialog.Prepare(use, CurrentCompany);
    const int oldHours = DataIni->ReadInteger(CurrentCompany, QStringLiteral("HoursPerDay"), Settings::DefaultHoursPerDay);
    connect(&dialog, &TFormOptions::LanguageAccepted, this, [this](const QString& language, const QString& company) {
        ChangeLanguage(language, company);
    });
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (CurrentScreen())
        SetHelpContext(helpBefore);
    if (use != TFormOptions::OptionsPanel || !ok)
        return;
    const int newHours = DataIni->ReadInteger(CurrentCompany, QStringLiteral("HoursPerDay"), Settings::DefaultHoursPerDay);
    DaysPerWeek = DataIni->ReadInteger(CurrentCompany, QStringLiteral("DaysPerWeek"), Settings::DefaultDaysPerWeek);
    // The new hours count from now on, also for products entered before the next start.
    HoursPerDay = newHours;
    if (newHours != oldHours && QFileInfo::exists(DataFilePath(DataFile::Produtos))) {
        // A screen open on the products would go on showing the old daily quantities: it is closed
        // while they are rewritten and opened again.
        const QString reopen = HostedCommand();
        CloseCurrentScreen();
        const QStringList problems = TFormOptions::RewriteDailyQuantities(DataFilePath(DataFile::Produtos), newHours);
        if (!problems.isEmpty())
            MessageBox::warning(problems.join(QLatin1Char('\r')));
        if (!reopen.isEmpty())
            RunMenuCommand(reopen);
    }
}

QString TForm1::HostedCommand() const
{
    const ScreenForm* screen = CurrentScreen();
    return screen ? screen->property(kMenuCommandProperty).toString() : QString();
}

void TForm1::ChangeLanguage(const QString& language, const QString& company)
{
    // The history list names screens by their titles, which change with the language: each entry is
    // told by its title in the old language and takes the new one.
    std::vector<const MenuCommand*> history;
    for (int i = kCleanListIndex + 1; i < ComboBox_Historic->count(); ++i) {
        const MenuCommand* titled = nullptr;
        for (const MenuCommand& c : MenuTable())
            if (!titled && c.ScreenTitle() == ComboBox_Historic->itemText(i))
                titled = &c;
        history.push_back(titled);
    }
    ApplyLanguage(language);
    ApplyToolbarHints(language);
    for (int i = kCleanListIndex + 1; i < ComboBox_Historic->count(); ++i)
        if (const MenuCommand* c = history[size_t(i - kCleanListIndex - 1)])
            ComboBox_Historic->setItemText(i, c->ScreenTitle());
    QString caption = windowTitle() + QStringLiteral(" - ") + company;
    // Every other window takes the new language at once (the hosted screen, a result list, the
    // shared button captions), and the hosted screen's title with it.
    QEvent change(QEvent::LanguageChange);
    for (QWidget* w : QApplication::allWidgets())
        if (w != this)
            QCoreApplication::sendEvent(w, &change);
    if (CurrentScreen()) {
        if (const MenuCommand* c = FindMenuCommand(HostedCommand())) {
            if (CurrentGrid)
                CurrentGrid->setScreenTitle(c->ScreenTitle());
            caption += QStringLiteral(" : ") + c->ScreenTitle();
        }
    }
    SetCaption(caption);
}

void TForm1::menu_FilePrintClick(QObject* sender)
{
    const GridPrintHandler& print = InstalledGridPrintHandler();
    if (!print || !CurrentGrid)
        return;
    print(sender != MenuItem(QStringLiteral("menu_FilePrint")));
}

void TForm1::menu_CopytoMemoryClick()
{
    CopyToMemory();
}

void TForm1::menu_FileExitClick() { close(); }

void TForm1::menu_EditMateriaPrimaClick() { RunScreenCommand(QStringLiteral("menu_EditMateriaPrima")); }
void TForm1::menu_EditProdutoClick() { RunScreenCommand(QStringLiteral("menu_EditProduto")); }
void TForm1::menu_EditFornecedorClick() { RunScreenCommand(QStringLiteral("menu_EditFornecedor")); }
void TForm1::menu_EditClienteClick() { RunScreenCommand(QStringLiteral("menu_EditCliente")); }
void TForm1::menu_EditEquipClick() { RunScreenCommand(QStringLiteral("menu_EditEquip")); }
void TForm1::menu_EditStockMatPrimaClick() { RunScreenCommand(QStringLiteral("menu_EditStockMatPrima")); }
void TForm1::menu_EditStockProdutoClick() { RunScreenCommand(QStringLiteral("menu_EditStockProduto")); }
void TForm1::menu_EditProducaoEntradasClick() { RunScreenCommand(QStringLiteral("menu_EditProducaoEntradas")); }
void TForm1::menu_EditEncomMatPrimaClick() { RunScreenCommand(QStringLiteral("menu_EditEncomMatPrima")); }
void TForm1::menu_EditEncomProdutoClick() { RunScreenCommand(QStringLiteral("menu_EditEncomProduto")); }
void TForm1::menu_PlanStockMatPrimaClick() { RunScreenCommand(QStringLiteral("menu_PlanStockMatPrima")); }
void TForm1::menu_PlanEncomendaClick() { RunScreenCommand(QStringLiteral("menu_PlanEncomenda")); }
void TForm1::menu_PlanProducaoClick() { RunScreenCommand(QStringLiteral("menu_PlanProducao")); }
void TForm1::menu_ViewGlobalClick() { RunScreenCommand(QStringLiteral("menu_ViewGlobal")); }
void TForm1::menu_ViewStockMatPrimaClick() { RunScreenCommand(QStringLiteral("menu_ViewStockMatPrima")); }
void TForm1::menu_ViewStockProdutoClick() { RunScreenCommand(QStringLiteral("menu_ViewStockProduto")); }
void TForm1::menu_ViewProdDefinicaoClick() { RunScreenCommand(QStringLiteral("menu_ViewProdDefinicao")); }
void TForm1::menu_ViewMovimMatPrimaClick() { RunScreenCommand(QStringLiteral("menu_ViewMovimMatPrima")); }
void TForm1::menu_ViewMovimProdutoClick() { RunScreenCommand(QStringLiteral("menu_ViewMovimProduto")); }
void TForm1::menu_ViewEncomMatPrimaClick() { RunScreenCommand(QStringLiteral("menu_ViewEncomMatPrima")); }
void TForm1::menu_ViewEncomProdutoClick() { RunScreenCommand(QStringLiteral("menu_ViewEncomProduto")); }
void TForm1::menu_ToolsCustosProdutoClick() { RunScreenCommand(QStringLiteral("menu_ToolsCustosProduto")); }
void TForm1::menu_ViewProducIndicesUtilClick() { RunScreenCommand(QStringLiteral("menu_ViewProducIndicesUtil")); }
void TForm1::menu_ViewProducQuantidadesClick() { RunScreenCommand(QStringLiteral("menu_ViewProducQuantidades")); }

void TForm1::menu_ToolsCalculatorClick() { StartToolOrWarn(DesktopServices::Tool::Calculator); }

void TForm1::SpeedButton_CalculatorClick() { menu_ToolsCalculatorClick(); }

void TForm1::menu_ToolsNotepadClick() { StartToolOrWarn(DesktopServices::Tool::TextEditor); }

void TForm1::menu_ToolsCheckFilesClick()
{
    CompanyCheck::Result result;
    {
        Hourglass wait;
        result = CompanyCheck::Check(DatabaseFolder, true);
    }
    if (!result.error.isEmpty()) {
        MessageBox::error(LangText(QStringLiteral("msg_CheckFailed"), QStringLiteral("The company files could not be read:"))
                          + QLatin1Char('\r') + result.error);
        return;
    }
    if (result.findings.empty()) {
        MessageBox::information(LangText(QStringLiteral("msg_CheckClean"),
                                         QStringLiteral("No problems were found in the %1 records of the company files."))
                                    .arg(result.records));
        return;
    }
    TForm2 lists(this);
    lists.ShowCheckFindings(result, CurrentCompany);
    lists.PlaceBelow(this);
    lists.ShowModal();
}

void TForm1::ShowHelp(int command)
{
    const QString file = ProgramFolder + QStringLiteral("Quorvale.chm");
    if (!QFileInfo::exists(file)) {
        MessageBox::information(LangMsg[29]);
        return;
    }
    const auto cmd = DesktopServices::HelpCommand(command);
    if (cmd != DesktopServices::HelpCommand::Context) {
        DesktopServices::instance().showHelp(file, cmd, 0);
        return;
    }
    if (m_helpContext == 0)
        return;
    QWidget* active = QApplication::activeWindow();
    DesktopServices::instance().showHelp(file, cmd, HelpContextOf(active ? active : this));
}

void TForm1::menu_HelpContentsClick() { ShowHelp(int(DesktopServices::HelpCommand::Contents)); }
void TForm1::menu_HelpKeywordSearchClick() { ShowHelp(int(DesktopServices::HelpCommand::Index)); }
void TForm1::menu_HelpTopicClick() { ShowHelp(int(DesktopServices::HelpCommand::Context)); }

void TForm1::SpeedButton_HelpContextClick()
{
    if (m_helpContext == 0 || IsMessageBox(QApplication::activeWindow()))
        return;
    DesktopServices::instance().showHelp(ProgramFolder + QStringLiteral("Quorvale.chm"),
                                         DesktopServices::HelpCommand::Context, m_helpContext);
}

void TForm1::menu_HelpFeedbackClick()
{
    CloseCurrentScreen();
    auto* screen = new TForm_Feedback(m_client);
    screen->setGeometry(0, 1, m_client->width(), qMax(0, m_client->height() - 1));
    CurrentCloseButton = screen->CloseButton();
    CurrentGrid = nullptr;
    SetHelpContext(63);
    screen->show();
    screen->raise();
    screen->Prepare();
}

void TForm1::menu_HelpAboutClick()
{
    auto* about = new TFormAbout(this);
    about->open();
}

// ---------------------------------------------------------------------------------------------
// Message hook and key preview

void TForm1::InstallMessageHook() { m_hookInstalled = true; }

bool TForm1::BelongsToMe(QObject* watched) const
{
    auto* w = qobject_cast<QWidget*>(watched);
    return w && w->window() == this;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Wheel:
        if (m_hookInstalled && HandleWheel(watched, event))
            return true;
        break;
    case QEvent::KeyPress:
        if (HandleKeyPress(watched, event))
            return true;
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TForm1::HandleWheel(QObject* watched, QEvent* event)
{
    if (!watched->isWidgetType())
        return false;
    auto* wheel = static_cast<QWheelEvent*>(event);
    const int delta = wheel->angleDelta().y() != 0 ? wheel->angleDelta().y() : wheel->pixelDelta().y();
    if (delta == 0 && wheel->angleDelta().x() != 0)
        return false; // a sideways wheel is not turned into keys
    if (delta == 0)
        return false;
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = static_cast<QWidget*>(watched)->window()->focusWidget();
    if (target) {
        QKeyEvent key(QEvent::KeyPress, delta <= 0 ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(target, &key);
    }
    return true;
}

bool TForm1::HandleKeyPress(QObject* watched, QEvent* event)
{
    if (!watched->isWidgetType())
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (m_hookInstalled && key->key() == Qt::Key_F1) {
        QWidget* active = QApplication::activeWindow();
        if (!active)
            active = static_cast<QWidget*>(watched)->window();
        if (IsMessageBox(active))
            return false;
        DesktopServices::instance().showHelp(ProgramFolder + QStringLiteral("Quorvale.chm"),
                                             DesktopServices::HelpCommand::Context, HelpContextOf(active));
        return true;
    }
    if (!BelongsToMe(watched))
        return false;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != this)
        return false;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && key->modifiers() == Qt::NoModifier) {
        if (ChooserOnScreen()) {
            Button_Suplier->click();
            return true;
        }
        // Enter moves on like Tab; buttons and text boxes of several lines keep it.
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
            focus = focusWidget();
        if (qobject_cast<QAbstractButton*>(focus) || qobject_cast<QPlainTextEdit*>(focus) || qobject_cast<QTextEdit*>(focus))
            return false;
        focusNextChild();
        return true;
    }
    if (key->key() == Qt::Key_Escape && ChooserOnScreen()) {
        Button_SuplierCancel->click();
        return true;
    }
    return false;
}
