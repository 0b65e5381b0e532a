#include "i18n/Language.h"

#include "i18n/IniFile.h"

#include <memory>

QString LangMsg[LangMsgCount];
QString LangTitle[LangTitleCount];
QString CurrentLanguage = QStringLiteral("English");

namespace {

const char* const kBuiltInMsg[73] = {
    /* 0 */ "New data file !",
    /* 1 */ "Missing Data... check again ",
    /* 2 */ "Can't compose Product from/with itself... try again!!",
    /* 3 */ "  is not a valid Quantity ..!  Please correct.",
    /* 4 */ "  is not a valid Value ..!  Please correct.",
    /* 5 */ "  is a negative (not logical) Value ..!  Please correct.",
    /* 6 */ "No Supplier... exiting program  :(",
    /* 7 */ "Production Entries should be done elsewere ...",
    /* 8 */ "   note: this is the only warning you'll get..  :-/",
    /* 9 */ "Product does not exist... try again  :)",
    /* 10 */ "'To' date is lower than 'From' date ..!  Please correct.",
    /* 11 */ "  is not a valid Date ..!  Please correct.",
    /* 12 */ "Create 'Suppliers' first !",
    /* 13 */ "Create 'Raw Materials' first !",
    /* 14 */ "Create 'Products' first !",
    /* 15 */ "Create 'Clients' first !",
    /* 16 */ "No 'Products' to view !",
    /* 17 */ "No 'Stocks' to view, yet !",
    /* 18 */ "No 'Raw Material Orders' yet !",
    /* 19 */ "No 'Product Orders' yet !",
    /* 20 */ "Sure to add only the hour control ?",
    /* 21 */ "No  'Transfer Movm.s'  yet !",
    /* 22 */ "No record selected !",
    /* 23 */ "No 'Orders' to chart !",
    /* 24 */ "No Companies yet !  Please create one...",
    /* 25 */ "Create 'Equipments' first !",
    /* 26 */ "No 'Production Hours' to view !",
    /* 27 */ "No 'Production' to view !",
    /* 28 */ "Option 'Control Prod. Hours' is 'On' :",
    /* 29 */ "Help file not found",
    /* 30 */ "Choose Company to work with :",
    /* 31 */ "Create a new Company :",
    /* 32 */ "Sure to delete this Company ??",
    /* 33 */ "Sure to add new 'Supplier' ?",
    /* 34 */ "Sure to add new 'Raw Material' ?",
    /* 35 */ "Sure to add new 'Client' ?",
    /* 36 */ "The 'Order' does not correspond to 'Raw Material' !",
    /* 37 */ "The 'Order' does not correspond to 'Product' !",
    /* 38 */ "Can only delete unused records (=0) !",
    /* 39 */ "No Name. Please check !",
    /* 40 */ "No Name. Please select !",
    /* 41 */ "Record in use by some 'Orders' !",
    /* 42 */ "Sure to add new 'Resource (equipment)' ?",
    /* 43 */ "Sure to Re-activate this 'Order' ?",
    /* 44 */ "Quantity is more than needed for this 'Order',",
    /* 45 */ "Want to apply all to this 'Order' anyway ?",
    /* 46 */ "Not enough 'Data files' to calculate !",
    /* 47 */ "Equipments, Raw Materials and Production Hours",
    /* 48 */ "Not enough 'Data ' to calculate !",
    /* 49 */ "Record in use by some 'Products' !",
    /* 50 */ "Ilegal characters in product designation * : / | \\ ;",
    /* 51 */ "already exists. Want to modify it ?",
    /* 52 */ "re-calculate all 'Product Orders' !",
    /* 53 */ "Too many hours for this shift! Please correct.",
    /* 54 */ "Too few hours for this shift! Accept ?",
    /* 55 */ "Nothing to change ..",
    /* 56 */ "Sure to change this ?",
    /* 57 */ "Sure to add new 'Operation' ?",
    /* 58 */ "Not enough Stock for this operation !",
    /* 59 */ "Can only delete inactive orders !",
    /* 60 */ "Material-Supplier pair does not exist yet...",
    /* 61 */ "Order quantity has already been delivered totaly.",
    /* 62 */ "Rejected quantity is larger than total - please check...",
    /* 63 */ "This equipment has already used up all daily available hours !",
    /* 64 */ "If you change the path and already had data previously,",
    /* 65 */ "you won't be able to access it again, any more.",
    /* 66 */ "If you also want to control production and equipment hours",
    /* 67 */ "to have statistical data and costs, click this option.",
    /* 68 */ "All hours that you do not input but are in defect from the working",
    /* 69 */ "timetable hours will be considered as 'no work' hours and not ignored.",
    /* 70 */ "'Stock calculation' option is in 'Manual' :",
    /* 71 */ "Transfers in 'Automatic' !",
    /* 72 */ "Can't edit 'production' orders.",
};
const char* const kBuiltInTitle[24] = {
    /* 0 */ "Definições de Matéria Prima",
    /* 1 */ "Definições de Produtos",
    /* 2 */ "Definições de Fornecedores",
    /* 3 */ "Definições de Clientes",
    /* 4 */ "Definições de Equipamentos",
    /* 5 */ "Stocks de Matéria Prima",
    /* 6 */ "Stocks de Produto",
    /* 7 */ "Entradas de Produção",
    /* 8 */ "Encomendas de Mat. Prima",
    /* 9 */ "Encomendas de Produto",
    /* 10 */ "Planeamento de Matérias Primas",
    /* 11 */ "Planeamento de Encomendas",
    /* 12 */ "Planeamento de Produção",
    /* 13 */ "Composição de Produto",
    /* 14 */ "Movimentos de Matérias Primas",
    /* 15 */ "Movimentos de Produtos",
    /* 16 */ "Índices de Utilização",
    /* 17 */ "Quantidades Produzidas",
    /* 18 */ "Custos de Produção",
    /* 19 */ "Produção",
    /* 20 */ " Necessidades de Mat. Primas",
    /* 21 */ " Datas de Entrega",
    /* 22 */ " Utiliz. (%)  - by month",
    /* 23 */ "Global View",
};

std::unique_ptr<IniFile>& languageFile()
{
    static std::unique_ptr<IniFile> file;
    return file;
}

// The tables hold their built-in texts from the start.
const bool kTablesReady = [] {
    ResetLanguageTables();
    return true;
}();

} // namespace

QString BuiltInMsg(int index)
{
    return index >= 0 && index < LangMsgCount ? QString::fromUtf8(kBuiltInMsg[index]) : QString();
}

QString BuiltInTitle(int index)
{
    return index >= 0 && index < LangTitleCount ? QString::fromUtf8(kBuiltInTitle[index]) : QString();
}

void ResetLanguageTables()
{
    for (int i = 0; i < LangMsgCount; ++i)
        LangMsg[i] = BuiltInMsg(i);
    for (int i = 0; i < LangTitleCount; ++i)
        LangTitle[i] = BuiltInTitle(i);
}

void OpenLanguageFile(const QString& path) { languageFile() = std::make_unique<IniFile>(path); }
void CloseLanguageFile() { languageFile().reset(); }
bool LanguageFileIsOpen() { return bool(languageFile()); }

namespace {
QSet<QString>* requestedKeys = nullptr;
}

void RecordRequestedKeys(QSet<QString>* keys) { requestedKeys = keys; }

QString LangText(const QString& key, const QString& builtIn)
{
    if (requestedKeys)
        requestedKeys->insert(key);
    const auto& file = languageFile();
    if (!file)
        return builtIn;
    return file->ReadString(CurrentLanguage, key, builtIn);
}

void LoadLanguageTables()
{
    for (int i = 0; i < LangMsgCount; ++i)
        LangMsg[i] = LangText(QStringLiteral("msg%1").arg(i + 1), BuiltInMsg(i));
    for (int i = 0; i < LangTitleCount; ++i)
        LangTitle[i] = LangText(QStringLiteral("hint%1").arg(i + 1), BuiltInTitle(i));
}

namespace Caption {

namespace {

struct Shared {
    const char* key;
    const char* builtIn;
};

// Every shared caption, in the order of the functions below.
const Shared kShared[] = {
    {"button_add", "Add"},       {"button_edit", "Edit"},         {"button_delete", "Delete"},
    {"button_close", "Close"},   {"button_duplicate", "Duplicate"}, {"button_tofile", "To File"},
    {"button_start", "Start"},   {"button_cancel", "Cancel"},     {"button_send", "Send"},
    {"button_print", "Print"},   {"button_panelok", "ok"},        {"button_panelcancel", "cancel"},
    {"button_file", "File"},     {"button_copy", "Copy"},
};

QString text(const Shared& c) { return LangText(QLatin1String(c.key), QLatin1String(c.builtIn)); }

} // namespace

QString Add() { return text(kShared[0]); }
QString Edit() { return text(kShared[1]); }
QString Delete() { return text(kShared[2]); }
QString Close() { return text(kShared[3]); }
QString Duplicate() { return text(kShared[4]); }
QString ToFile() { return text(kShared[5]); }
QString Start() { return text(kShared[6]); }
QString Cancel() { return text(kShared[7]); }
QString Send() { return text(kShared[8]); }
QString Print() { return text(kShared[9]); }
QString PanelOk() { return text(kShared[10]); }
QString PanelCancel() { return text(kShared[11]); }
QString File() { return text(kShared[12]); }
QString Copy() { return text(kShared[13]); }

QString KeyOf(const QString& caption)
{
    for (const Shared& c : kShared)
        if (text(c) == caption)
            return QLatin1String(c.key);
    return {};
}

QString OfKey(const QString& key)
{
    for (const Shared& c : kShared)
        if (key == QLatin1String(c.key))
            return text(c);
    return {};
}

} // namespace Caption
