#include "masterdata/TForm_Cliente.h"

#include "store/Records.h"

namespace {

AddressBookForm::Names ClientBook()
{
    return {
        DataFile::Clientes,
        "StringGrid8",
        "Label45",
        {"Edit_Cliente", "Edit_ClienteContacto", "Edit_ClienteTelefone", "Edit_ClienteFax", "Edit_ClienteEmail",
         "Edit_ClienteMorada"},
        {"Label41", "Label42", "Label43", "Label44", "Label46", "Label47"},
        "label_4",
        "Cliente",
        "Button_ClienteAdd",
        "Button_ClienteDelete",
        "Button_ClienteClose",
        false,
    };
}

} // namespace

TForm_Cliente::TForm_Cliente(QWidget* parent) : AddressBookForm(ClientBook(), parent)
{
    setObjectName(QStringLiteral("TForm_Cliente"));
}
