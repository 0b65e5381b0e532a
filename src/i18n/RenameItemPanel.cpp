#include "i18n/RenameItemPanel.h"

#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "shell/Globals.h"
#include "shell/InputChecks.h"
#include "shell/ListFillers.h"
#include "shell/MessageBox.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

constexpr int kWidth = 274;
constexpr int kHeight = 176;

QLabel* newLabel(QWidget* parent, const char* name, const QString& caption, const QRect& place, bool underlined = false)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    if (underlined) {
        QFont f = label->font();
        f.setUnderline(true);
        label->setFont(f);
    }
    return label;
}

QComboBox* newList(QWidget* parent, const char* name, const QRect& place)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setGeometry(place);
    list->setMaxVisibleItems(16);
    return list;
}

QLineEdit* newEdit(QWidget* parent, const char* name, const QRect& place)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(place);
    return edit;
}

// Empties both lists, fills them by fill, then sorts each once; nothing is chosen.
template <class Fill>
void refill(QComboBox* names, QComboBox* types, Fill&& fill)
{
    const QSignalBlocker blockNames(names);
    const QSignalBlocker blockTypes(types);
    for (QComboBox* list : {names, types}) {
        list->clear();
        SetListSorted(list, false);
    }
    fill();
    for (QComboBox* list : {names, types}) {
        SetListSorted(list, true);
        list->setCurrentIndex(-1);
    }
}

} // namespace

RenameItemPanel::RenameItemPanel(QDialog* dialog) : QFrame(dialog), m_dialog(dialog)
{
    setObjectName(QStringLiteral("Panel_Rename"));
    setGeometry(0, 0, kWidth, kHeight);
    setAutoFillBackground(true);

    RadioButton3 = new QRadioButton(QStringLiteral("Product"), this);
    RadioButton3->setObjectName(QStringLiteral("RadioButton3"));
    RadioButton3->setGeometry(8, 5, 120, 17);
    RadioButton3->setChecked(true);
    RadioButton4 = new QRadioButton(QStringLiteral("Raw Material"), this);
    RadioButton4->setObjectName(QStringLiteral("RadioButton4"));
    RadioButton4->setGeometry(132, 5, 136, 17);

    // The name: from an existing one to the new one.
    Label5 = newLabel(this, "Label5", RadioButton3->text(), {44, 28, 222, 15}, true);
    Label7 = newLabel(this, "Label7", QStringLiteral("From"), {6, 47, 36, 15});
    ComboBox1 = newList(this, "ComboBox1", {44, 44, 224, 21});
    Label8 = newLabel(this, "Label8", QStringLiteral("To"), {6, 71, 36, 15});
    Edit4 = newEdit(this, "Edit4", {44, 68, 224, 21});

    // The type, for products.
    Label6 = newLabel(this, "Label6", QStringLiteral("Type"), {44, 96, 104, 15}, true);
    Label9 = newLabel(this, "Label9", QStringLiteral("From"), {6, 115, 36, 15});
    ComboBox2 = newList(this, "ComboBox2", {44, 112, 106, 21});
    Label10 = newLabel(this, "Label10", QStringLiteral("To"), {6, 139, 36, 15});
    Edit6 = newEdit(this, "Edit6", {44, 136, 106, 21});

    Button_rename = new TRe2Buttn(QStringLiteral("ok"), this);
    Button_rename->setObjectName(QStringLiteral("Button_rename"));
    Button_rename->setGeometry(156, 146, 54, 23);
    Button_cancel2 = new TRe2Buttn(QStringLiteral("cancel"), this);
    Button_cancel2->setObjectName(QStringLiteral("Button_cancel2"));
    Button_cancel2->setGeometry(214, 146, 54, 23);

    connect(RadioButton3, &QRadioButton::clicked, this, &RenameItemPanel::RadioButton3Click);
    connect(RadioButton4, &QRadioButton::clicked, this, &RenameItemPanel::RadioButton4Click);
    connect(ComboBox1, &QComboBox::activated, this, &RenameItemPanel::ComboBox1Change);
    connect(ComboBox2, &QComboBox::activated, this, &RenameItemPanel::ComboBox2Change);
    connect(Button_rename, &QAbstractButton::clicked, this, &RenameItemPanel::Button_renameClick);
    connect(Button_cancel2, &QAbstractButton::clicked, this, &RenameItemPanel::Button_cancel2Click);
}

bool RenameItemPanel::ProductsChosen() const { return !RadioButton4->isChecked(); }

void RenameItemPanel::RadioButton3Click() { Prepare(true); }
void RenameItemPanel::RadioButton4Click() { Prepare(false); }

void RenameItemPanel::Prepare(bool products)
{
    (products ? RadioButton3 : RadioButton4)->setChecked(true);
    Label5->setText((products ? RadioButton3 : RadioButton4)->text());
    for (QWidget* w : {static_cast<QWidget*>(ComboBox2), static_cast<QWidget*>(Edit6), static_cast<QWidget*>(Label6),
                       static_cast<QWidget*>(Label9), static_cast<QWidget*>(Label10)})
        w->setVisible(products);
    Edit4->clear();
    Edit6->clear();
    Edit4->setMaxLength(products ? RenameLimits::ProductName : RenameLimits::RawMaterialName);
    Edit6->setMaxLength(RenameLimits::ProductType);
    refill(ComboBox1, ComboBox2, [this, products] {
        if (products)
            FillProductLists(ComboBox1, ComboBox2);
        else
            FillRawMaterialList(ComboBox1);
    });
    ComboBox1->setFocus();
}

void RenameItemPanel::ComboBox1Change() { Edit4->setText(ComboBox1->currentText()); }
void RenameItemPanel::ComboBox2Change() { Edit6->setText(ComboBox2->currentText()); }

RenameRequest RenameItemPanel::Request() const
{
    RenameRequest r;
    r.kind = ProductsChosen() ? RenameRequest::Product : RenameRequest::RawMaterial;
    r.oldName = ComboBox1->currentText();
    r.newName = Edit4->text();
    if (r.kind == RenameRequest::Product) {
        r.oldType = ComboBox2->currentText();
        r.newType = Edit6->text();
    }
    return r;
}

void RenameItemPanel::Button_renameClick()
{
    const RenameRequest request = Request();
    if (RenameHasNothingToChange(request)) {
        MessageBox::information(LangMsg[55]);
        return;
    }
    // The item to rename is one of the lists' own.
    if (request.oldName.isEmpty() || (request.kind == RenameRequest::Product && request.oldType.isEmpty())) {
        MessageBox::information(LangMsg[40]);
        return;
    }
    if (HasIllegalCharacters(request.newName + request.newType))
        return;
    auto refused = [](const RenameResult& r) {
        switch (r.status) {
        case RenameResult::NotFound:
            MessageBox::information(LangText(QStringLiteral("msg_RenameNotFound"),
                                             QStringLiteral("No data file names '%1': nothing was renamed."))
                                        .arg(r.oldItem));
            return true;
        case RenameResult::AlreadyExists:
            MessageBox::warning(LangText(QStringLiteral("msg_RenameExists"),
                                         QStringLiteral("'%1' already exists: renaming would make two items one. Nothing was renamed."))
                                    .arg(r.newItem));
            return true;
        case RenameResult::Failed:
            if (r.replacedFiles.isEmpty())
                MessageBox::error(LangText(QStringLiteral("msg_RenameFailed"), QStringLiteral("Nothing was renamed:"))
                                  + QLatin1Char('\r') + r.error);
            else
                MessageBox::error(LangText(QStringLiteral("msg_RenamePartly"),
                                           QStringLiteral("The rename stopped; only these files hold the new name:"))
                                  + QLatin1Char('\r') + r.replacedFiles.join(QStringLiteral(", ")) + QLatin1Char('\r')
                                  + r.error);
            return true;
        default:
            return false;
        }
    };
    RenameResult check;
    {
        Hourglass hourglass;
        check = CheckRename(DatabaseFolder, request);
    }
    if (refused(check))
        return;
    if (MessageBox::ask(LangMsg[56] + QStringLiteral("\r\r'") + check.oldItem + QStringLiteral("'  >  '") + check.newItem
                            + QLatin1Char('\''),
                        MessageBox::YesCancel)
        != MessageBox::Yes)
        return;
    RenameResult done;
    {
        Hourglass hourglass;
        done = RenameItem(DatabaseFolder, request);
    }
    if (refused(done))
        return;
    MessageBox::information(LangText(QStringLiteral("msg_Renamed"), QStringLiteral("'%1' is now '%2': %3 records changed in %4 files."))
                                .arg(done.oldItem, done.newItem)
                                .arg(done.changedRecords)
                                .arg(done.changes.size()));
    hide();
    m_dialog->accept();
}

void RenameItemPanel::Button_cancel2Click()
{
    hide();
    m_dialog->reject();
}
