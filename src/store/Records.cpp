#include "store/Records.h"

namespace DataFile {

const Info* all()
{
    static const Info files[Count] = {
        {Produtos, 142},     {MateriasPrimas, 105}, {Fornecedores, 266},  {Clientes, 266},
        {Equipamentos, 73},  {StockMateria, 85},    {StockProduto, 96},   {MovimMateria, 77},
        {MovimProduto, 77},  {EncomProduto, 135},   {EncomMateria, 151},  {HorasProducao, 156},
    };
    return files;
}

int recordSizeOf(const QString& fileName)
{
    for (int i = 0; i < Count; ++i)
        if (all()[i].name.compare(fileName, Qt::CaseInsensitive) == 0)
            return all()[i].recordSize;
    return 0;
}

} // namespace DataFile
