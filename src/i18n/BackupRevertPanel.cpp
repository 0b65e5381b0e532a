#include "i18n/BackupRevertPanel.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "shell/Globals.h"
#include "shell/MessageBox.h"
#include "store/DateText.h"

#include <QCheckBox>
#include <QDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace {

// Built-in captions of the check boxes (the dialog's texts replace them).
const char* const kCaptions[Backup::KindCount] = {
    "Definições de Produtos", "Definições de Mat. Primas", "Definições de Clientes", "Definições de Fornecedores",
    "Stocks de Mat. Primas",  "Stocks de Produto",         "Horas de Utilização",    "Encomendas Mat. Prima",
    "Encomendas Produto",     "Movimentos",
};

QString momentText(const QDateTime& t) { return DateText::DateToStr(t.date()) + QLatin1Char(' ') + DateText::TimeToStr(t.time()); }

} // namespace

BackupRevertPanel::BackupRevertPanel(QDialog* dialog) : QFrame(dialog), m_dialog(dialog)
{
    setObjectName(QStringLiteral("Panel_Backup"));
    setAutoFillBackground(true);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(1);
    QFont dateFont = font();
    dateFont.setPointSizeF(7);
    for (int kind = 0; kind < Backup::KindCount; ++kind) {
        CheckBox[kind] = new QCheckBox(QString::fromUtf8(kCaptions[kind]), this);
        CheckBox[kind]->setObjectName(QStringLiteral("CheckBox%1").arg(11 + kind));
        DateLabel[kind] = new QLabel(this);
        DateLabel[kind]->setObjectName(QStringLiteral("Label_Backup%1").arg(11 + kind));
        DateLabel[kind]->setFont(dateFont);
        QPalette grey = DateLabel[kind]->palette();
        grey.setColor(QPalette::WindowText, QColor(80, 80, 80));
        DateLabel[kind]->setPalette(grey);
        grid->addWidget(CheckBox[kind], kind, 0);
        grid->addWidget(DateLabel[kind], kind, 1);
    }
    Button_Backup = new TRe2Buttn(QStringLiteral("Backup ..."), this);
    Button_Backup->setObjectName(QStringLiteral("Button_Backup"));
    Button_cancel1 = new TRe2Buttn(QStringLiteral("cancel"), this);
    Button_cancel1->setObjectName(QStringLiteral("Button_cancel1"));
    for (TRe2Buttn* b : {Button_Backup, Button_cancel1})
        b->setMinimumSize(72, 23);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button_Backup);
    buttons->addWidget(Button_cancel1);
    grid->setRowMinimumHeight(Backup::KindCount, 6);
    grid->addLayout(buttons, Backup::KindCount + 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    connect(Button_Backup, &QAbstractButton::clicked, this, &BackupRevertPanel::Button_BackupClick);
    connect(Button_cancel1, &QAbstractButton::clicked, this, &BackupRevertPanel::Button_cancel1Click);
    ApplyLanguage();
}

void BackupRevertPanel::SetDirection(Backup::Direction direction)
{
    m_direction = direction;
    ApplyLanguage();
}

void BackupRevertPanel::ApplyLanguage()
{
    Button_Backup->setText(m_direction == Backup::Save ? LangText(QStringLiteral("button_backup"), QStringLiteral("Backup ..."))
                                                       : LangText(QStringLiteral("button_revert"), QStringLiteral("Revert ...")));
    ShowBackupDates();
}

void BackupRevertPanel::ShowBackupDates()
{
    const QString folder = DatabaseFolder;
    for (int kind = 0; kind < Backup::KindCount; ++kind) {
        const QList<QDateTime> times = folder.isEmpty() ? QList<QDateTime>() : Backup::BackupTimes(folder, kind);
        // The oldest of its files: a revert brings back data at least that old.
        DateLabel[kind]->setText(times.isEmpty() ? LangText(QStringLiteral("label_nobackup"), QStringLiteral("no backup"))
                                                 : momentText(times.first()));
        QStringList each;
        for (const QString& name : Backup::DataFilesOf(kind)) {
            const QFileInfo backup(folder + Backup::BackupFileName(name));
            if (backup.isFile())
                each << backup.fileName() + QStringLiteral(": ") + momentText(backup.lastModified());
        }
        DateLabel[kind]->setToolTip(each.join(QLatin1Char('\n')));
    }
}

void BackupRevertPanel::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    ShowBackupDates();
}

QList<int> BackupRevertPanel::TickedKinds() const
{
    QList<int> kinds;
    for (int kind = 0; kind < Backup::KindCount; ++kind)
        if (CheckBox[kind]->isChecked())
            kinds << kind;
    return kinds;
}

void BackupRevertPanel::Button_BackupClick()
{
    const QList<int> kinds = TickedKinds();
    if (kinds.isEmpty())
        return; // nothing chosen: the dialog stays open
    if (m_direction == Backup::Revert
        && !MessageBox::confirm(LangText(QStringLiteral("msg_RevertSure"), QStringLiteral("Sure to Replace actual DataFile"))
                                + QLatin1Char('\r')
                                + LangText(QStringLiteral("msg_RevertWith"), QStringLiteral("with BackUp file ??")))) {
        hide();
        m_dialog->accept();
        return;
    }
    Backup::Outcome outcome;
    {
        Hourglass hourglass;
        outcome = Backup::Copy(DatabaseFolder, kinds, m_direction);
    }
    const QString copied = LangText(QStringLiteral("msg_FilesCopied"), QStringLiteral("Files copied: %1")).arg(outcome.copied);
    if (!outcome.failures.isEmpty())
        MessageBox::warning(LangText(QStringLiteral("msg_NotCopied"), QStringLiteral("These files could not be copied:"))
                            + QLatin1Char('\r') + outcome.failures.join(QLatin1Char('\r')) + QStringLiteral("\r\r") + copied);
    else if (outcome.copied == 0)
        MessageBox::information(m_direction == Backup::Save
                                    ? LangText(QStringLiteral("msg_NoDataToBackup"), QStringLiteral("None of the ticked data files exists: nothing was copied."))
                                    : LangText(QStringLiteral("msg_NoBackupToRevert"), QStringLiteral("None of the ticked data files has a backup: nothing was copied.")));
    else
        MessageBox::information(copied);
    hide();
    m_dialog->accept();
}

void BackupRevertPanel::Button_cancel1Click()
{
    hide();
    m_dialog->reject();
}
