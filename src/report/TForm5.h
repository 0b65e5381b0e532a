#pragma once

// The report form of grid printing: a page header with the title and the page number, a detail
// header with nine heading fields (AlField1 ... AlField9), a detail band with nine data fields
// (AlField10 ... AlField18) and a page footer with a dotted rule, the date and time and the page
// number. Laid out in code at the design positions (96 pixels per inch, Arial).

#include "report/AlReport.h"

#include <QWidget>
#include <array>

class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
    ~TForm5() override;

    // Columns the form has room for.
    static constexpr int ColumnCount = 9;

    TAlReport* AlReport;
    tAlBand* AlBand_title;
    TAlLabel* AlLabel1;
    TAlLabel* AlLabel3;
    TAlSysField* AlSysField3;
    tAlBand* AlBand_detailheader;
    tAlBand* AlBand_detail;
    tAlBand* AlBand_footer;
    TAlShape* AlShape1;
    TAlSysField* AlSysField1;
    TAlLabel* AlLabel2;
    TAlSysField* AlSysField2;

    // The data field named "AlField" + k, k = 1 ... 18.
    TAlField* AlField(int k) const { return k >= 1 && k <= 18 ? m_fields[size_t(k)] : nullptr; }

private:
    std::array<TAlField*, 19> m_fields{};
};
