#pragma once

#include "shell/MenuTable.h"
#include "shell/ShellHost.h"

#include <QHash>
#include <QMainWindow>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QToolButton;
class ScreenForm;
class TRe2Buttn;

// The main window: menus, toolbar, history list, the company chooser and the overlay panels. It
// decides which company's folder is in use, hosts one working screen at a time in its client area
// and writes its settings at shutdown.
class TForm1 : public QMainWindow, public ShellHost {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // ShellHost
    QWidget* MainWindow() override { return this; }
    void ScreenClosed() override;
    void RunMenuCommand(const QString& menuItemName) override;
    void ParkOverlayPanels() override;
    void SetMenuItemEnabled(const QString& menuItemName, bool enabled) override;
    // The first half of the order calculation (with the hourglass) and the clearing of its working
    // table, which the calculating screens run.
    std::optional<OrderCalculation::CalcError> Button_calcClick() override;
    void Button_clsClick() override;

    // Hosting of screens.
    ScreenForm* OpenScreen(const ScreenFactory& factory, const QString& title, int helpContext);
    void CloseCurrentScreen();
    void ScreenOpened();
    ScreenForm* CurrentScreen() const;

    // The company chooser.
    void ShowCompanyChooser();
    bool ChooserOnScreen() const;
    bool ChooserInAddMode() const { return m_addMode; }

    // Texts and settings.
    void ReadStartupSettings();
    void ApplyLanguage(const QString& language);
    void ApplyToolbarHints(const QString& language);
    // Preferences were accepted with a new language: the main window's texts, the history list,
    // the hosted screen and its title take it; the caption then names the company.
    void ChangeLanguage(const QString& language, const QString& company);
    // The menu command that opened the hosted screen (its item name); empty for none.
    QString HostedCommand() const;

    int HelpContext() const { return m_helpContext; }
    void SetHelpContext(int context);
    // The help context of a window: the main window's own, or a dialog's "HelpContext" property.
    int HelpContextOf(QWidget* window) const;

    // A menu item or menu by objectName (a menu answers with its menu action).
    QAction* MenuItem(const QString& name) const;
    QWidget* ClientArea() const { return m_client; }

    // Start-up found the installation or the language file missing: the program ends as soon as
    // the event loop runs.
    bool TerminateRequested() const { return m_terminateRequested; }
    void RequestProgramEnd();
    // What ending the program does (by default: quit the application's event loop).
    static void SetProgramEndHandler(std::function<void()> handler);

    // The application message hook: mouse wheel as arrow keys, F1 opens the help.
    bool MessageHookInstalled() const { return m_hookInstalled; }

    // The installation check of start-up; false after showing its message.
    static bool InstallationComplete(const QString& programFolder);
    static QString InstallationMessage();

public slots:
    // File
    void menu_FileNewClick();
    void menu_FileOpenClick();
    void menu_FileDeleteClick();
    void menu_FileOptionsClick();
    void menu_FilePrintClick(QObject* sender);
    void menu_CopytoMemoryClick();
    void menu_FileExitClick();
    // DataBase, Stocks, Production, Orders
    void menu_EditMateriaPrimaClick();
    void menu_EditProdutoClick();
    void menu_EditFornecedorClick();
    void menu_EditClienteClick();
    void menu_EditEquipClick();
    void menu_EditStockMatPrimaClick();
    void menu_EditStockProdutoClick();
    void menu_EditProducaoEntradasClick();
    void menu_EditEncomMatPrimaClick();
    void menu_EditEncomProdutoClick();
    // Calculate
    void menu_PlanStockMatPrimaClick();
    void menu_PlanEncomendaClick();
    void menu_PlanProducaoClick();
    void menu_ViewGlobalClick();
    // List
    void menu_ViewStockMatPrimaClick();
    void menu_ViewStockProdutoClick();
    void menu_ViewProdDefinicaoClick();
    void menu_ViewMovimMatPrimaClick();
    void menu_ViewMovimProdutoClick();
    void menu_ViewEncomMatPrimaClick();
    void menu_ViewEncomProdutoClick();
    void menu_ToolsCustosProdutoClick();
    void menu_ViewProducIndicesUtilClick();
    void menu_ViewProducQuantidadesClick();
    // Tools
    void menu_ToolsCalculatorClick();
    void menu_ToolsNotepadClick();
    void menu_ToolsBackupBackupClick();
    void menu_ToolsBackupRevertClick();
    void menu_ToolsRenameClick();
    // The check of the open company's files, its findings in the result lists window.
    void menu_ToolsCheckFilesClick();
    // Help
    void menu_HelpContentsClick();
    void menu_HelpKeywordSearchClick();
    void menu_HelpTopicClick();
    void menu_HelpFeedbackClick();
    void menu_HelpAboutClick();
    // Toolbar and chooser
    void SpeedButton_CalculatorClick();
    void SpeedButton_HelpContextClick();
    void ComboBox_HistoricChange();
    void Button_SuplierClick();
    void Button_SuplierCancelClick();
    void ComboBox_SuplierChange();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildToolbar();
    void BuildChooser();
    void BuildOverlayPanels();
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption, void (TForm1::*handler)());
    QMenu* AddMenu(QMenu* parentMenu, const char* name, const QString& caption);
    void ApplyTheme();
    void FormShow();
    void Shutdown();

    // Chooser modes and steps.
    void SetStartMode();
    void SetAddMode();
    void FillCompanyChooser();
    void OfferAddWhenNoCompany();
    void FinishCompanyChoice();
    void ParkChooser();
    void EnableChooserMenus(bool withFeedbackButton);
    bool StartCompany();
    bool AddCompany();

    // Menu commands.
    void RunScreenCommand(const QString& item);
    void RunOptionsDialog(int panel);
    void ShowHelp(int command);

    // Captions.
    QString CaptionBase() const;
    void SetCaption(const QString& caption) { setWindowTitle(caption); }

    // Message hook and key preview.
    void InstallMessageHook();
    bool HandleWheel(QObject* watched, QEvent* event);
    bool HandleKeyPress(QObject* watched, QEvent* event);
    bool BelongsToMe(QObject* watched) const;

    void PlaceLabel61();

    QWidget* m_central = nullptr;
    QWidget* m_client = nullptr; // where screens and overlay panels live
    QHash<QString, QAction*> m_items;
    QHash<QString, QString> m_designCaptions;

    QFrame* Panel_Toolbar = nullptr;
    QToolButton* SpeedButton_OpenSupplier = nullptr;
    QToolButton* SpeedButton_Calculator = nullptr;
    QToolButton* SpeedButton_Print = nullptr;
    QToolButton* SpeedButton_PrintPreview = nullptr;
    QToolButton* SpeedButton_CopytoMemory = nullptr;
    QToolButton* SpeedButton_Feedback = nullptr;
    QToolButton* SpeedButton_Exit = nullptr;
    QToolButton* SpeedButton_HelpContext = nullptr;
    QComboBox* ComboBox_Historic = nullptr;
    QLabel* Label61 = nullptr;

    QFrame* Panel_Suplier = nullptr;
    QLabel* Label66 = nullptr;
    QComboBox* ComboBox_Suplier = nullptr;
    QCheckBox* CheckBox_SuplierCopy = nullptr;
    TRe2Buttn* Button_SuplierCancel = nullptr;
    TRe2Buttn* Button_Suplier = nullptr;

    QFrame* Panel_ReportPreview = nullptr;
    QFrame* Panel_EncomProduto_temp = nullptr;

    int m_helpContext = 12;
    bool m_addMode = false;
    bool m_shownOnce = false;
    bool m_hookInstalled = false;
    bool m_terminateRequested = false;
    bool m_shutDown = false;
    bool m_savePositionAtStart = false;
    class ClientPanel;
};
