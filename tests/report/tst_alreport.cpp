// The report engine: band classification, page flow, field values, clip modes, shading, margins,
// and the preview's zoom and page navigation.

#include "report/AlPreview.h"
#include "report/AlPrinter.h"
#include "report/AlReport.h"
#include "report/RecordingDevice.h"
#include "store/Clock.h"
#include "store/RegionalSettings.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using testsupport::RecordingDevice;

namespace {

// A report form built in a test: a window with a report and bands added one below the other.
struct Form {
    QWidget window;
    TAlReport* report;
    Form()
    {
        window.setObjectName("TestForm");
        window.resize(810, 1123);
        report = new TAlReport(&window);
    }
    tAlBand* band(const char* name, tAlBandType type, int height)
    {
        auto* b = new tAlBand(&window);
        b->setObjectName(name);
        b->setBandType(type);
        b->resize(810, height);
        tAlBand::RealignBands(&window);
        return b;
    }
    template <class C>
    C* control(tAlBand* band, const QString& name, int left, int top)
    {
        auto* c = new C(band);
        c->setObjectName(name);
        c->move(left, top);
        return c;
    }
    TAlLabel* label(tAlBand* band, const QString& caption, int left = 10, int top = 0)
    {
        auto* l = control<TAlLabel>(band, caption, left, top);
        l->setCaption(caption);
        return l;
    }
    // Groups the rows of detail by the values of source, with a header "GH" and a footer "GF".
    TAlDetailLink* groupBy(tAlBand* detail, TAlField* source)
    {
        tAlBand* gh = band("gh", alr_GroupHeader, 20);
        label(gh, "GH");
        tAlBand* gf = band("gf", alr_GroupFooter, 20);
        label(gf, "GF");
        auto* link = new TAlDetailLink(&window);
        link->GroupHeader = gh;
        link->GroupFooter = gf;
        link->DataSource = source;
        link->setGroupBand(detail);
        return link;
    }
};

std::unique_ptr<RecordingDevice> play(const TDrawMetaFile& page)
{
    auto device = std::make_unique<RecordingDevice>();
    device->play(page);
    return device;
}

// Texts of a page in drawing order.
QStringList textsOf(const TDrawMetaFile& page) { return play(page)->textList(); }

// The recorded drawing commands of each page.
QList<QByteArray> picturesOf(const TDrawMetaFileList& pages)
{
    QList<QByteArray> pictures;
    for (const auto& page : pages)
        pictures << QByteArray(page->data(), int(page->size()));
    return pictures;
}

// A list of rows values: a title, page headers and footers with the page number and the time, a
// heading repeated on every page, shaded rows in groups of ten with group headers and footers,
// and a report footer.
void buildList(Form& f, int rows)
{
    f.label(f.band("title", alr_Title, 40), "TITLE");
    tAlBand* header = f.band("header", alr_PageHeader, 30);
    f.control<TAlSysField>(header, "page", 10, 0)->setDataType(alr_PageNum);
    f.label(f.band("heading", alr_DetailHeader, 20), "HEADING");
    tAlBand* detail = f.band("detail", alr_Detail, 18);
    detail->setAltColor(true);
    detail->setColor(Qt::lightGray);
    f.control<TAlField>(detail, "Value", 10, 0);
    auto* group = f.control<TAlField>(detail, "Group", 300, 0);
    tAlBand* footer = f.band("footer", alr_PageFooter, 25);
    f.control<TAlSysField>(footer, "time", 10, 0)->setDataType(alr_Time);
    f.label(f.band("end", alr_ReportFooter, 30), "END");
    f.groupBy(detail, group);
    for (int r = 1; r <= rows; ++r) {
        f.report->AddFieldValue("Value", QString("row %1").arg(r));
        f.report->AddFieldValue("Group", QString("group %1").arg(r / 10));
    }
}

} // namespace

class TestAlReport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { Clock::setFixed(QDateTime(QDate(2024, 3, 15), QTime(10, 20, 30))); }
    void cleanup() { Clock::clearFixed(); }

    void controlsRefuseWrongParents()
    {
        QWidget window;
        QWidget child(&window);
        try {
            tAlBand band(&child);
            QFAIL("a band on a plain widget was accepted");
        } catch (const ReportError& e) {
            QCOMPARE(e.message(), QString("This component must be placed on a tForm."));
        }
        try {
            TAlLabel label(&window);
            QFAIL("a label on a form was accepted");
        } catch (const ReportError& e) {
            QCOMPARE(e.message(), QString("This component must be placed on a tAlBand."));
        }
        tAlBand band(&window);
        TAlField field(&band); // fine
        QCOMPARE(field.Band(), &band);
    }

    void roundingAndDeviceUnits()
    {
        QCOMPARE(RoundHalfEven(2.5), 2);
        QCOMPARE(RoundHalfEven(3.5), 4);
        QCOMPARE(RoundHalfEven(-0.5), 0);
        QCOMPARE(RoundHalfEven(1122.52), 1123);
        TAlPrinter& printer = AlPrinter();
        printer.Preview = true;
        printer.Papersize = alr_A4;
        printer.SetOrientation(poPortrait);
        QCOMPARE(printer.PageWidthPx, 794);
        QCOMPARE(printer.PageHeightPx, 1123);
        // A design length becomes R(v + 0.5) on the screen: odd lengths round up, even ones stay.
        QCOMPARE(TAlReport::ToDeviceY(65), 66);
        QCOMPARE(TAlReport::ToDeviceY(24), 24);
        printer.SetOrientation(poLandscape);
        QCOMPARE(printer.PageWidthPx, 1123);
        QCOMPARE(printer.PageHeightPx, 794);
        printer.Papersize = alr_Letter;
        printer.UpdateMetrics();
        QCOMPARE(printer.PageWidthPx, 1054);
        QCOMPARE(printer.PageHeightPx, 813);
        printer.SetOrientation(poPortrait);
    }

    void marginsMustBeInsideThePaper()
    {
        Form f;
        f.report->setLeftMarginMM(209);
        QCOMPARE(f.report->LeftMarginMM(), 209);
        f.report->setLeftMarginMM(210);
        QCOMPARE(f.report->LeftMarginMM(), 209);
        f.report->setLeftMarginMM(-1);
        QCOMPARE(f.report->LeftMarginMM(), 209);
        f.report->setRightMarginMM(0);
        QCOMPARE(f.report->RightMarginMM(), 0);
        f.report->setPapersize(alr_A5);
        f.report->setRightMarginMM(148);
        QCOMPARE(f.report->RightMarginMM(), 0);
        f.report->setRightMarginMM(147);
        QCOMPARE(f.report->RightMarginMM(), 147);
    }

    void fieldValuesAndAdvance()
    {
        Form f;
        tAlBand* detail = f.band("detail", alr_Detail, 20);
        auto* a = f.control<TAlField>(detail, "AlFieldA", 10, 0);
        auto* b = f.control<TAlField>(detail, "AlFieldB", 200, 0);
        auto* c = f.control<TAlField>(detail, "AlFieldC", 400, 0);
        for (const char* v : {"a1", "a2", "a3"})
            f.report->AddFieldValue("alfielda", v);
        f.report->AddFieldValue("ALFIELDB", "x");
        f.report->AddFieldValue("AlFieldC", "c1");
        f.report->AddFieldValue("AlFieldC", "c2");
        f.report->AddFieldValue("NoSuchField", "ignored");
        QCOMPARE(a->Lines, QStringList({"a1", "a2", "a3"}));
        QCOMPARE(b->Lines, QStringList({"x"}));

        TDrawMetaFileList pages;
        f.report->Preview(pages);
        QCOMPARE(pages.size(), size_t(1));
        QCOMPARE(textsOf(*pages[0]), QStringList({"a1", "x", "c1", "a2", "x", "c2", "a3", "x", "~"}));

        // Lines stay until cleared; a new run starts again at the first row.
        QCOMPARE(a->Index, 3);
        f.report->Preview(pages);
        QCOMPARE(textsOf(*pages[0]).first(), QString("a1"));
        f.report->ClearFields();
        QVERIFY(a->Lines.isEmpty() && c->Lines.isEmpty());
    }

    void aDetailWithoutValuesPrintsOnceWithTildes()
    {
        Form f;
        tAlBand* detail = f.band("detail", alr_Detail, 20);
        f.control<TAlField>(detail, "AlField10", 10, 0);
        f.control<TAlField>(detail, "AlField11", 100, 0);
        TDrawMetaFileList pages;
        f.report->Preview(pages);
        QCOMPARE(textsOf(*pages[0]), QStringList({"~", "~"}));
    }

    void addFieldValueIgnoresCaseAndMirrorsUnderscoreFields()
    {
        Form f;
        tAlBand* detail = f.band("detail", alr_Detail, 20);
        auto* field3 = f.control<TAlField>(detail, "AlField3", 10, 0);
        auto* mirror = f.control<TAlField>(detail, "AlField3__", 200, 0);
        f.report->AddFieldValue("alfield3", "seven");
        QCOMPARE(field3->Lines, QStringList{"seven"});
        QCOMPARE(mirror->GetValue(), QString("seven"));
        auto* orphan = f.control<TAlField>(detail, "Nothing_", 300, 0);
        QCOMPARE(orphan->GetValue(), NoValueText);
    }

    void systemFields()
    {
        ScopedRegionalSettings point(RegionalSettings::pointLocale());
        Form f;
        tAlBand* title = f.band("title", alr_Title, 20);
        auto* sys = f.control<TAlSysField>(title, "Sys", 10, 0);
        QCOMPARE(sys->Caption(), QString("#hh:mm:ss#"));
        sys->setDataType(alr_FormName);
        QCOMPARE(sys->Caption(), QString("#TestForm#"));
        QCOMPARE(sys->GetValue(), QString("TestForm"));
        sys->setDataType(alr_Date);
        QCOMPARE(sys->GetValue(), QString("15/03/2024"));
        sys->setDataType(alr_DateTime);
        QCOMPARE(sys->GetValue(), QString("15/03/2024 10:20:30"));
        sys->setDataType(alr_Count);
        QCOMPARE(sys->GetValue(), QString("E"));
        sys->setDataType(alr_Counter);
        QCOMPARE(sys->GetValue(), QString("1"));
        QVERIFY(!sys->Next());
        QCOMPARE(sys->GetValue(), QString("2"));
    }

    void bandsAreClassifiedIntoGroups()
    {
        Form f;
        tAlBand* bands[12];
        const tAlBandType types[12] = {alr_Title,        alr_PageHeader,   alr_DetailHeader, alr_Detail,
                                       alr_DetailFooter, alr_DetailHeader, alr_DetailHeader, alr_Detail,
                                       alr_DetailFooter, alr_DetailFooter, alr_Detail,       alr_PageFooter};
        for (int i = 0; i < 12; ++i) {
            bands[i] = f.band(qPrintable(QString("band%1").arg(i + 1)), types[i], 20);
            f.label(bands[i], QString("B%1").arg(i + 1));
        }
        TDrawMetaFileList pages;
        f.report->Preview(pages);
        const int expectedTags[12] = {0, 0, 3, 3, 3, 6, 7, 7, 7, 0, 11, 0};
        for (int i = 0; i < 12; ++i)
            QCOMPARE(bands[i]->Tag, expectedTags[i]);
        // The header at position 6 and the second footer never print.
        QCOMPARE(textsOf(*pages[0]), QStringList({"B2", "B1", "B3", "B4", "B5", "B7", "B8", "B9", "B11", "B12"}));
    }

    void pagesBreakWithHeadersAndFooters()
    {
        Form f;
        tAlBand* head = f.band("head", alr_PageHeader, 40);
        f.label(head, "HEAD");
        tAlBand* cols = f.band("cols", alr_DetailHeader, 24);
        f.label(cols, "COLS");
        tAlBand* detail = f.band("detail", alr_Detail, 20);
        f.control<TAlField>(detail, "Row", 10, 0);
        tAlBand* foot = f.band("foot", alr_PageFooter, 30);
        f.control<TAlSysField>(foot, "Page", 10, 0)->setDataType(alr_PageNum);
        tAlBand* end = f.band("end", alr_ReportFooter, 20);
        f.label(end, "END");
        for (int i = 1; i <= 100; ++i)
            f.report->AddFieldValue("Row", QString("r%1").arg(i));

        TDrawMetaFileList pages;
        f.report->Preview(pages);
        // 1123 - 30 of footer = 1093; header 40 and column heads 24 leave room for 51 rows of 20.
        QCOMPARE(f.report->PageBottom, 1093);
        QCOMPARE(pages.size(), size_t(2));
        QCOMPARE(AlPrinter().PageCount(), 2);

        auto first = play(*pages[0]);
        QCOMPARE(first->count("HEAD"), 1);
        QCOMPARE(first->count("COLS"), 1);
        QVERIFY(first->find("r51"));
        QVERIFY(!first->find("r52"));
        QCOMPARE(first->count("1"), 1); // the page footer, once
        QVERIFY(!first->find("END"));
        const auto* row51 = first->find("r51");
        QVERIFY(row51->pos.y() < 1093);

        auto second = play(*pages[1]);
        QCOMPARE(second->count("HEAD"), 1);
        QCOMPARE(second->count("COLS"), 1); // the detail header again after the break
        QCOMPARE(second->textList().at(2), QString("r52"));
        QVERIFY(second->find("r100"));
        QVERIFY(second->find("END"));
        QCOMPARE(second->count("2"), 1);
        // The column heads of the second page sit right below its page header.
        QVERIFY(qAbs(second->find("COLS")->pos.y() - first->find("COLS")->pos.y()) < 0.5);
        // The footer starts at the page bottom.
        QVERIFY(second->find("2")->pos.y() > 1093 && second->find("2")->pos.y() < 1093 + 30);
    }

    void aBandThatExactlyFitsStaysOnThePage()
    {
        Form f;
        tAlBand* detail = f.band("detail", alr_Detail, 16);
        f.control<TAlField>(detail, "Row", 10, 0);
        tAlBand* foot = f.band("foot", alr_PageFooter, 35); // 36 device pixels
        Q_UNUSED(foot);
        // 1123 - 36 = 1087 = 67 rows of 16 + 15: row 68 would end at 1088.
        for (int i = 1; i <= 68; ++i)
            f.report->AddFieldValue("Row", QString("r%1").arg(i));
        TDrawMetaFileList pages;
        f.report->Preview(pages);
        QCOMPARE(f.report->PageBottom, 1087);
        QCOMPARE(pages.size(), size_t(2));
        QCOMPARE(textsOf(*pages[1]), QStringList({"r68"}));

        // With a footer one pixel lower the 68th row fits exactly (1088 = PageBottom).
        foot->resize(810, 34);
        f.report->Preview(pages);
        QCOMPARE(f.report->PageBottom, 1089);
        QCOMPARE(pages.size(), size_t(1));
    }

    void forcedPageBreak()
    {
        Form f;
        tAlBand* one = f.band("one", alr_Detail, 20);
        f.label(one, "ONE");
        f.band("break", alr_NewPage, 5);
        tAlBand* two = f.band("two", alr_Detail, 20);
        f.label(two, "TWO");
        tAlBand* foot = f.band("foot", alr_PageFooter, 20);
        f.control<TAlSysField>(foot, "Page", 10, 0)->setDataType(alr_PageNum);
        TDrawMetaFileList pages;
        f.report->Preview(pages);
        QCOMPARE(pages.size(), size_t(2));
        QCOMPARE(textsOf(*pages[0]), QStringList({"ONE", "1"}));
        QCOMPARE(textsOf(*pages[1]), QStringList({"TWO", "2"}));
    }

    void expandPushesTheNextBandDownAndClipCuts()
    {
        auto run = [](tClipMode mode, std::unique_ptr<RecordingDevice>& out) {
            Form f;
            tAlBand* first = f.band("first", alr_Title, 20);
            first->setClipMode(mode);
            TAlLabel* tall = f.label(first, "TALL", 10, 0);
            tall->setAutoSize(false);
            tall->setTransparent(false);
            tall->setColor(QColor(255, 255, 0));
            tall->resize(100, 50);
            tAlBand* second = f.band("second", alr_Title, 20);
            f.label(second, "NEXT", 10, 0);
            TDrawMetaFileList pages;
            f.report->Preview(pages);
            out = play(*pages[0]);
        };
        std::unique_ptr<RecordingDevice> clip, expand, overwrite;
        run(cm_Clip, clip);
        run(cm_Expand, expand);
        run(cm_Overwrite, overwrite);
        const double clipNext = clip->find("NEXT")->pos.y();
        const double expandNext = expand->find("NEXT")->pos.y();
        // The band covers 0 ... 19; expanded to the label's bottom (50) the next band starts at 51.
        QCOMPARE(expandNext - clipNext, 31.0);
        QCOMPARE(overwrite->find("NEXT")->pos.y(), clipNext);
        auto fillHeight = [](const RecordingDevice& d) {
            for (const auto& r : d.engine.rectangles)
                if (r.filled && r.color == QColor(255, 255, 0))
                    return r.rect.height();
            return -1.0;
        };
        QCOMPARE(fillHeight(*clip), 19.0);
        QCOMPARE(fillHeight(*expand), 50.0);
        QCOMPARE(fillHeight(*overwrite), 50.0);
    }

    void alternateShadingShadesEverySecondRow()
    {
        Form f;
        tAlBand* detail = f.band("detail", alr_Detail, 20);
        detail->setAltColor(true);
        detail->setColor(QColor(220, 220, 220));
        f.control<TAlField>(detail, "Row", 10, 0);
        for (int i = 1; i <= 4; ++i)
            f.report->AddFieldValue("Row", QString::number(i));
        TDrawMetaFileList pages;
        f.report->Preview(pages);
        auto page = play(*pages[0]);
        QList<double> shadedTops;
        for (const auto& r : page->engine.rectangles)
            if (r.filled && r.color == QColor(220, 220, 220))
                shadedTops << r.rect.top();
        QCOMPARE(shadedTops, QList<double>({20.0, 60.0})); // rows 2 and 4
        // A second run shades the same rows.
        f.report->Preview(pages);
        int shaded = 0;
        for (const auto& r : play(*pages[0])->engine.rectangles)
            shaded += r.filled && r.color == QColor(220, 220, 220) ? 1 : 0;
        QCOMPARE(shaded, 2);
    }

    void marginsShiftBandsAndNarrowThem()
    {
        Form f;
        tAlBand* title = f.band("title", alr_Title, 20);
        TAlLabel* right = f.label(title, "RIGHT", 700, 0);
        right->setAlignment(taRightJustify);
        right->setAutoSize(false);
        right->resize(100, 16);
        f.label(title, "LEFT", 0, 0);
        f.report->setLeftMarginMM(10);  // R(96 * 10 / 25.4 + 0.5) = 38
        TDrawMetaFileList pages;
        f.report->Preview(pages);
        auto page = play(*pages[0]);
        QCOMPARE(page->find("LEFT")->pos.x(), 38.0);
        QVERIFY(page->find("RIGHT")->pos.x() > 700);
    }

    void groupLinksPrintHeadersAndFootersPerGroup()
    {
        Form f;
        tAlBand* detail = f.band("detail", alr_Detail, 20);
        auto* group = f.control<TAlField>(detail, "Grp", 10, 0);
        TAlDetailLink* link = f.groupBy(detail, group);
        QCOMPARE(detail->Link(), link);
        for (const char* v : {"a", "a", "b"})
            f.report->AddFieldValue("Grp", v);
        TDrawMetaFileList pages;
        f.report->Preview(pages);
        QCOMPARE(textsOf(*pages[0]), QStringList({"GH", "a", "a", "GF", "GH", "b", "GF"}));
        // Moving the link to another band clears the first band's link.
        tAlBand* other = f.band("other", alr_Detail, 20);
        link->setGroupBand(other);
        QVERIFY(!detail->Link());
    }

    void shapesKeepTheirGeometry()
    {
        Form f;
        tAlBand* title = f.band("title", alr_Title, 100);
        auto* square = f.control<TAlShape>(title, "Square", 0, 0);
        square->setShape(stSquare);
        square->resize(80, 40);
        auto* rule = f.control<TAlShape>(title, "Rule", 0, 60);
        rule->resize(200, 1);
        rule->setBrush(Qt::NoBrush);
        f.control<TAlShape>(title, "Circle", 300, 0)->setShape(stCircle);
        TDrawMetaFileList pages;
        f.report->Preview(pages);
        auto page = play(*pages[0]);
        // The square is centred in its 80 x 40 rectangle (device: 80 x 40 from 0,0).
        bool squareFound = false;
        for (const auto& r : page->engine.rectangles)
            if (r.rect.width() >= 38 && r.rect.width() <= 40 && r.rect.left() >= 19 && r.rect.left() <= 21)
                squareFound = true;
        QVERIFY(squareFound);
        QVERIFY(!page->engine.ellipses.empty() || !page->engine.paths.empty());
    }

    void imagesFillTheirRectangle()
    {
        Form f;
        tAlBand* title = f.band("title", alr_Title, 120);
        auto* image = f.control<tAlImage>(title, "Logo", 10, 0);
        QCOMPARE(image->size(), QSize(100, 100));
        QImage picture(10, 10, QImage::Format_RGB32);
        picture.fill(Qt::red);
        image->setPicture(picture);
        auto* fixed = f.control<tAlImage>(title, "Fixed", 200, 0);
        fixed->setStretch(false);
        fixed->setPicture(picture);
        TDrawMetaFileList pages;
        f.report->Preview(pages);
        auto page = play(*pages[0]);
        QCOMPARE(page->engine.images.size(), size_t(2));
        QCOMPARE(page->engine.images[0], QRectF(10, 0, 100, 100));
        QCOMPARE(page->engine.images[1], QRectF(200, 0, 100, 100));
        image->setAutosize(true);
        QCOMPARE(image->size(), QSize(10, 10));
    }

    void thePreviewNeedsAPageList()
    {
        TAlPrinter& printer = AlPrinter();
        printer.Preview = true;
        printer.Pages = nullptr;
        printer.CurrentPage = nullptr;
        try {
            printer.Canvas();
            QFAIL("a canvas without pages");
        } catch (const ReportError& e) {
            QCOMPARE(e.message(), QString("AlPrinter could not assign the Canvas"));
        }
    }

    void zoomLimitsAndLadder()
    {
        tAlPreview preview;
        QCOMPARE(preview.Zoom(), 100);
        preview.SetZoom(24);
        QCOMPARE(preview.Zoom(), 100);
        preview.SetZoom(201);
        QCOMPARE(preview.Zoom(), 100);
        preview.SetZoom(25);
        QCOMPARE(preview.Zoom(), 25);
        preview.SetZoom(200);
        QCOMPARE(preview.Zoom(), 200);

        QCOMPARE(tAlPreview::LadderStep(75, Qt::LeftButton), 100);
        QCOMPARE(tAlPreview::LadderStep(200, Qt::LeftButton), 200);
        QCOMPARE(tAlPreview::LadderStep(150, Qt::RightButton), 100);
        QCOMPARE(tAlPreview::LadderStep(50, Qt::RightButton), 50);
        QCOMPARE(tAlPreview::LadderStep(60, Qt::RightButton), 60);
        QCOMPARE(tAlPreview::LadderStep(25, Qt::LeftButton), 25);

        QSignalSpy spy(&preview, &tAlPreview::MouseDown);
        preview.SetZoom(75);
        QTest::mouseClick(preview.PaintBox(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(preview.Zoom(), 100);
        QTest::mouseClick(preview.PaintBox(), Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(preview.Zoom(), 75);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    }

    void pageNavigation()
    {
        Form f;
        tAlBand* one = f.band("one", alr_Detail, 20);
        f.label(one, "ONE");
        f.band("break1", alr_NewPage, 5);
        tAlBand* two = f.band("two", alr_Detail, 20);
        f.label(two, "TWO");
        f.band("break2", alr_NewPage, 5);
        tAlBand* three = f.band("three", alr_Detail, 20);
        f.label(three, "THREE");
        tAlPreview preview;
        f.report->Preview(preview.Pages);
        QCOMPARE(preview.PageCount(), 3);
        preview.First();
        QCOMPARE(preview.PageIndex(), 1);
        preview.Prior();
        QCOMPARE(preview.PageIndex(), 1);
        preview.SetPage(0);
        QCOMPARE(preview.PageIndex(), 1);
        preview.SetPage(4);
        QCOMPARE(preview.PageIndex(), 1);
        preview.Next();
        preview.Next();
        QCOMPARE(preview.PageIndex(), 3);
        preview.Next();
        QCOMPARE(preview.PageIndex(), 3);
        preview.SetPage(2);
        QCOMPARE(preview.PageIndex(), 2);
        // The page area follows the zoom.
        preview.SetZoom(50);
        QCOMPARE(preview.PaintBox()->size(), QSize(397, 562));
    }

    // A preview recorded page by page, with other reports run between the steps, records the same
    // pages as one whole run, for a one-page and a many-page list.
    void steppedRecordingGivesTheSamePages()
    {
        for (const int rows : {3, 300}) {
            Form f;
            buildList(f, rows);
            TDrawMetaFileList whole;
            f.report->Preview(whole);
            QVERIFY(!f.report->PreviewPending());

            TDrawMetaFileList stepped;
            f.report->BeginPreview(stepped);
            QVERIFY(stepped.empty() && f.report->PreviewPending(&stepped));
            int steps = 0;
            // A step stops at the first page break of a row once its goal is met (a break inside a
            // group header or footer does not stop it).
            for (int goal = 1; !f.report->ContinuePreview(goal); goal = int(stepped.size()) + 1) {
                ++steps;
                QVERIFY(int(stepped.size()) >= goal);
                QCOMPARE(picturesOf(stepped), picturesOf(whole).mid(0, int(stepped.size())));
                // Another report on other paper meanwhile.
                Form other;
                other.label(other.band("d", alr_Detail, 20), "OTHER");
                other.report->setPapersize(alr_A5);
                TDrawMetaFileList otherPages;
                other.report->Preview(otherPages);
            }
            QVERIFY2(rows < 100 ? steps == 0 : steps > 2, qPrintable(QString("%1 steps, %2 pages").arg(steps).arg(whole.size())));
            QCOMPARE(picturesOf(stepped), picturesOf(whole));
            QVERIFY(!f.report->PreviewPending());
        }
    }

    // The preview control shows the first page at once, records on demand and in the background,
    // and neither the preview nor the report going away mid-way leaves anything behind.
    void thePreviewRecordsTheRestAfterTheFirstPage()
    {
        Form f;
        buildList(f, 300);
        TDrawMetaFileList whole;
        f.report->Preview(whole);
        QVERIFY(whole.size() > 5);

        tAlPreview preview;
        QSignalSpy recorded(&preview, &tAlPreview::PagesRecorded);
        preview.Record(f.report);
        QCOMPARE(preview.PageCount(), 1);
        QVERIFY(!preview.AllPagesKnown());
        preview.SetPage(3);
        QCOMPARE(preview.PageIndex(), 3);
        QVERIFY(preview.PageCount() >= 3 && !preview.AllPagesKnown());
        preview.Next();
        QCOMPARE(preview.PageIndex(), 4);
        QTRY_VERIFY(preview.AllPagesKnown());
        QCOMPARE(picturesOf(preview.Pages), picturesOf(whole));
        QVERIFY(recorded.count() >= 3);
        preview.SetPage(int(whole.size()) + 1);
        QCOMPARE(preview.PageIndex(), 4);

        // Recording again starts over; printing meanwhile completes the recording first.
        preview.Record(f.report);
        QCOMPARE(preview.PageCount(), 1);
        QTemporaryDir folder;
        AlPrinter().PrinterName = TAlPrinter::PdfPrinterName;
        AlPrinter().OutputFileName = folder.filePath("list.pdf");
        f.report->Print();
        QCOMPARE(picturesOf(preview.Pages), picturesOf(whole));
        QTRY_VERIFY(preview.AllPagesKnown());
        QCOMPARE(preview.PageCount(), int(whole.size()));

        // The preview goes away while recording: the report stops and can run again.
        {
            tAlPreview gone;
            gone.Record(f.report);
            QVERIFY(f.report->PreviewPending(&gone.Pages));
        }
        QVERIFY(!f.report->PreviewPending());
        // The report goes away while recording: the preview keeps what it has.
        auto* form = new Form;
        buildList(*form, 300);
        preview.Record(form->report);
        delete form;
        QTRY_VERIFY(preview.AllPagesKnown());
        QCOMPARE(preview.PageCount(), 1);
        TDrawMetaFileList again;
        f.report->Preview(again);
        QCOMPARE(picturesOf(again), picturesOf(whole));
    }
};

QTEST_MAIN(TestAlReport)
#include "tst_alreport.moc"
