#pragma once

#include "masterdata/AddressBookForm.h"

// Suppliers: edits Fornecedores.DAT. Adding a name that is already there asks whether to replace
// that supplier.
class TForm_Fornecedor : public AddressBookForm {
    Q_OBJECT
public:
    explicit TForm_Fornecedor(QWidget* parent = nullptr);
};
