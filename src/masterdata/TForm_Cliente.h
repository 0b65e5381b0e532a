#pragma once

#include "masterdata/AddressBookForm.h"

// Clients: edits Clientes.DAT. A name that is already there is stored as a further client.
class TForm_Cliente : public AddressBookForm {
    Q_OBJECT
public:
    explicit TForm_Cliente(QWidget* parent = nullptr);
};
