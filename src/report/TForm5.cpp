#include "report/TForm5.h"

#include "i18n/Language.h"

#include <algorithm>

namespace {

// The word before the page number.
QString PageText() { return LangText(QStringLiteral("label_page"), QStringLiteral("Page #")); }

QFont arial(int points, bool bold = false, bool underline = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(points);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

tAlBand* makeBand(TForm5* form, const char* name, tAlBandType type, int height)
{
    auto* band = new tAlBand(form);
    band->setObjectName(QLatin1String(name));
    band->setBandType(type);
    band->resize(810, height);
    band->setClipMode(cm_Overwrite);
    band->setAltColor(false);
    band->setAlign(alTop);
    return band;
}

template <class Control>
Control* makeControl(tAlBand* band, const QString& name, int left, int top)
{
    auto* control = new Control(band);
    control->setObjectName(name);
    control->move(left, top);
    return control;
}

} // namespace

TForm5::TForm5(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("Form_Report"));
    setFont(arial(8));
    // The design area is one A4 page at 96 pixels per inch.
    resize(810, 1123);

    AlReport = new TAlReport(this);
    AlReport->setObjectName(QStringLiteral("AlReport"));
    AlReport->setPapersize(alr_A4);
    AlReport->setOrientation(poPortrait);
    AlReport->setLeftMarginMM(10);
    AlReport->setRightMarginMM(10);

    AlBand_title = makeBand(this, "AlBand_title", alr_PageHeader, 65);
    AlLabel1 = makeControl<TAlLabel>(AlBand_title, QStringLiteral("AlLabel1"), 256, 24);
    AlLabel1->setFont(arial(16, true, true));
    AlLabel1->setCaption(QStringLiteral("AlLabel1"));
    AlLabel3 = makeControl<TAlLabel>(AlBand_title, QStringLiteral("AlLabel3"), 16, 32);
    AlLabel3->setCaption(PageText());
    // The page number follows its word, which is longer in some languages.
    AlSysField3 = makeControl<TAlSysField>(AlBand_title, QStringLiteral("AlSysField3"),
                                           std::max(56, AlLabel3->x() + AlLabel3->AutoWidth() + 4), 32);
    AlSysField3->setDataType(alr_PageNum);

    static constexpr int headerLefts[ColumnCount] = {16, 88, 168, 248, 336, 424, 520, 600, 680};
    static constexpr int detailLefts[ColumnCount] = {16, 88, 168, 248, 336, 424, 520, 608, 680};

    AlBand_detailheader = makeBand(this, "AlBand_detailheader", alr_DetailHeader, 24);
    for (int k = 1; k <= ColumnCount; ++k) {
        const QString name = QStringLiteral("AlField%1").arg(k);
        TAlField* field = makeControl<TAlField>(AlBand_detailheader, name, headerLefts[k - 1], 8);
        field->setFont(arial(8, true));
        field->setCaption(name);
        m_fields[size_t(k)] = field;
    }

    AlBand_detail = makeBand(this, "AlBand_detail", alr_Detail, 16);
    for (int k = ColumnCount + 1; k <= 2 * ColumnCount; ++k) {
        const QString name = QStringLiteral("AlField%1").arg(k);
        TAlField* field = makeControl<TAlField>(AlBand_detail, name, detailLefts[k - ColumnCount - 1], 0);
        field->setFont(arial(8));
        field->setCaption(name);
        m_fields[size_t(k)] = field;
    }

    AlBand_footer = makeBand(this, "AlBand_footer", alr_PageFooter, 32);
    AlShape1 = makeControl<TAlShape>(AlBand_footer, QStringLiteral("AlShape1"), 16, 8);
    AlShape1->setShape(stRectangle);
    AlShape1->resize(777, 1);
    AlShape1->setPen(QPen(Qt::black, 1, Qt::DotLine));
    AlSysField1 = makeControl<TAlSysField>(AlBand_footer, QStringLiteral("AlSysField1"), 16, 16);
    AlSysField1->setFont(arial(6));
    AlSysField1->setDataType(alr_DateTime);
    AlLabel2 = makeControl<TAlLabel>(AlBand_footer, QStringLiteral("AlLabel2"), 664, 16);
    AlLabel2->setFont(arial(6));
    AlLabel2->setCaption(PageText());
    AlSysField2 = makeControl<TAlSysField>(AlBand_footer, QStringLiteral("AlSysField2"), 696, 16);
    AlSysField2->setFont(arial(6));
    AlSysField2->setDataType(alr_PageNum);

    tAlBand::RealignBands(this);
}

TForm5::~TForm5() = default;
