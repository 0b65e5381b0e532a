#pragma once

// Production entries written by hand for the analysis tests.

#include "store/Records.h"

#include <QStringList>

namespace testsupport {

// An entry of the product "name type" on the equipment, dated as the regional settings write dates,
// with its units and its six hours given as "production setup breakdown material personnel other".
inline HorasProducaoRecord productionEntry(const QString& product, const QString& equipment, const QString& date,
                                           const QString& entered, const QString& hours = "8 0 0 0 0 0",
                                           bool operationOnly = false)
{
    auto r = EmptyRecord<HorasProducaoRecord>();
    r.product = product.section(' ', 0, 0);
    r.type = product.section(' ', 1);
    r.equipment = equipment;
    r.date = date;
    r.entered = entered;
    r.rejected = "0";
    r.operationOnly = operationOnly ? 1 : 0;
    const QStringList h = hours.split(' ');
    FixedString<6>* f[] = {&r.productionHours, &r.setupHours,     &r.breakdownHours,
                           &r.materialHours,   &r.personnelHours, &r.otherHours};
    for (int i = 0; i < 6; ++i)
        f[i]->setText(h.value(i, "0"));
    return r;
}

} // namespace testsupport
