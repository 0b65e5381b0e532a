#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class BackupRevertPanel;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class RenameItemPanel;
class TRe2Buttn;

// The multi-purpose dialog: Preferences (Panel_Options), renaming an item (Panel_Rename) and backup
// or revert of data files (Panel_Backup). The three panels have the same size; the one in use sits
// at left 0 and is shown, the others wait at left 360, out of sight. The caption tells the dialog
// its use: the company name for Preferences, backup and revert, "Change Item name ..." for renaming.
// The dialog takes the size of the panel it shows.
class TFormOptions : public QDialog {
    Q_OBJECT
public:
    enum Use { OptionsPanel, RenamePanel, BackupPanel, RevertPanel };

    explicit TFormOptions(QWidget* mainWindow);
    ~TFormOptions() override;

    // Sets the caption for the use (company for Preferences and backup, "Change Item name ..." for
    // renaming), places its panel and, for backup and revert, the caption of Button_Backup.
    void Prepare(int use, const QString& company);
    // Places one panel at left 0 and shows it; the others go to left 360 and are hidden.
    void ShowPanel(QWidget* panel);

    // The Preferences texts of the dialog (every control of the three panels that exists).
    void ApplyFormLanguage(const QString& language);

    QString OptionsCompany() const { return m_optionsCompany; }

    // Rewrites QuantDia of every product line of the file as Ciclo x Quant x Moldes x hours (empty
    // fields count 0), in the local number format with up to 15 significant digits, as many as its
    // 10 characters hold (never cut inside the digits or the exponent). The whole file is replaced
    // at once. A line whose fields are not numbers, or whose quantity no text of 10 characters
    // holds, keeps its value and is named in the result.
    static QStringList RewriteDailyQuantities(const QString& produtosPath, int hours);

    // The caption of the dialog for renaming, in the language in use.
    static QString RenameCaption();
    int Use() const { return m_use; }

    QFrame* Panel_Options = nullptr;
    RenameItemPanel* Panel_Rename = nullptr;
    BackupRevertPanel* Panel_Backup = nullptr;

signals:
    // Preferences were accepted with this language: the main window applies it and appends " - "
    // and the company to its caption.
    void LanguageAccepted(const QString& language, const QString& company);

public slots:
    void Button_okClick();
    void Button_cancelClick();
    void ScrollBar1Change(int position);
    void ScrollBar2Change(int position);
    void CheckBox4Click();
    void Re2Buttn1Click();
    void Re2Buttn2Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildOptionsPanel();
    void FormShow();
    QList<QWidget*> Panels() const;
    void ParkAllPanels();
    void ParkPanel(QWidget* panel);

    QString m_optionsCompany;
    int m_use = OptionsPanel;

    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QScrollBar* ScrollBar2 = nullptr;
    QLabel* Label4 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    TRe2Buttn* Re2Buttn1 = nullptr;
    TRe2Buttn* Re2Buttn2 = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Label12 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* ComboBox_Lang = nullptr;
    QLabel* Label_StockMailFrom = nullptr;
    QLineEdit* Edit_StockMailFrom = nullptr;
    QLabel* Label11 = nullptr;
    TRe2Buttn* Button_ok = nullptr;
    TRe2Buttn* Button_cancel = nullptr;
};
