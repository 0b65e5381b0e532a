#pragma once

#include "i18n/Backup.h"

#include <QFrame>

class QCheckBox;
class QDialog;
class QLabel;
class TRe2Buttn;

// The backup panel of the multi-purpose dialog (objectName "Panel_Backup"): one check box per kind
// of data (CheckBox11 to CheckBox20), beside each the date and time of its backup files or "no
// backup", and Button_Backup, which makes the backup or, after a confirmation, puts it back. Which
// of the two is a setting of the panel (its caption "Backup ..." or "Revert ..." only tells the
// user). The check boxes' captions are set by the dialog's ApplyFormLanguage.
class BackupRevertPanel : public QFrame {
    Q_OBJECT
public:
    explicit BackupRevertPanel(QDialog* dialog);

    void SetDirection(Backup::Direction direction);
    Backup::Direction Direction() const { return m_direction; }
    // The caption of Button_Backup for the direction, and the dates beside the check boxes, in the
    // language in use.
    void ApplyLanguage();
    // Beside each check box: when its backup files were made, or "no backup".
    void ShowBackupDates();
    QList<int> TickedKinds() const;

    QCheckBox* CheckBox[Backup::KindCount];  // CheckBox11 ... CheckBox20
    QLabel* DateLabel[Backup::KindCount];    // Label_Backup11 ... Label_Backup20
    TRe2Buttn* Button_Backup;
    TRe2Buttn* Button_cancel1;

public slots:
    void Button_BackupClick();
    void Button_cancel1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QDialog* m_dialog;
    Backup::Direction m_direction = Backup::Save;
};
