#include "masterdata/TForm_Fornecedor.h"

#include "store/Records.h"

namespace {

AddressBookForm::Names SupplierBook()
{
    return {
        DataFile::Fornecedores,
        "StringGrid2",
        "Label10",
        {"Edit_Fornecedor", "Edit_FornecedorContacto", "Edit_FornecedorTelefone", "Edit_FornecedorFax",
         "Edit_FornecedorEmail", "Edit_FornecedorMorada"},
        {"Label6", "Label7", "Label8", "Label9", "Label11", "Label18"},
        "label_19",
        "Fornecedor",
        "Button_ForneceAdd",
        "Button_ForneceDelete",
        "Button_ForneceClose",
        true,
    };
}

} // namespace

TForm_Fornecedor::TForm_Fornecedor(QWidget* parent) : AddressBookForm(SupplierBook(), parent)
{
    setObjectName(QStringLiteral("TForm_Fornecedor"));
}
