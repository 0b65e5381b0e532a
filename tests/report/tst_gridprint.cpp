// Printing and previewing a grid: the column layout on the report form, the preview panel with its
// zoom, pages and paper options, printing to a PDF file and a printer that fails.

#include "support/LayoutCheck.h"
#include "support/TestSupport.h"
#include "i18n/IniFile.h"
#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "report/AlPreview.h"
#include "report/FileDialog.h"
#include "report/GridPrint.h"
#include "report/RecordingDevice.h"
#include "report/TForm5.h"
#include "accessories/TRe2Buttn.h"
#include "shell/DesktopServices.h"
#include "shell/Globals.h"
#include "shell/MessageBox.h"
#include "shell/PanelDrag.h"
#include "shell/ScreenForm.h"
#include "shell/StringGrid.h"

#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>

using testsupport::RecordingDevice;
using testsupport::TempFolder;

namespace {

class TestScreen : public ScreenForm {
public:
    explicit TestScreen(QWidget* parent) : ScreenForm(parent)
    {
        grid = new StringGrid(this);
        close = new QPushButton(QStringLiteral("Close"), this);
    }
    QAbstractButton* CloseButton() const override { return close; }
    StringGrid* MainGrid() const override { return grid; }
    StringGrid* grid;
    QPushButton* close;
};

// A grid with the given column widths, headings "H0", "H1", ... and rows of "r<row>c<col>".
void fill(StringGrid* grid, const QList<int>& widths, int dataRows, const QString& title = "Stock List")
{
    GridUpdate update(grid);
    grid->setColCount(int(widths.size()));
    grid->setRowCount(dataRows + 1);
    for (int c = 0; c < widths.size(); ++c) {
        grid->setColWidths(c, widths[c]);
        grid->setCells(c, 0, QString("H%1").arg(c));
        for (int r = 1; r <= dataRows; ++r)
            grid->setCells(c, r, QString("r%1c%2").arg(r).arg(c));
    }
    grid->setScreenTitle(title);
}

QList<int> leftsOf(tAlBand* band)
{
    QList<int> lefts;
    for (tAlControl* c : band->Controls())
        lefts << c->x();
    return lefts;
}

QStringList pageTexts(const TDrawMetaFile& page)
{
    RecordingDevice device;
    device.play(page);
    return device.textList();
}

} // namespace

class TestGridPrint : public QObject {
    Q_OBJECT

    TempFolder* m_temp = nullptr;
    QWidget* m_host = nullptr;
    TestScreen* m_screen = nullptr;
    ReportPreviewPanel* m_panel = nullptr;
    ScopedRecordingDesktop* m_desktop = nullptr;
    int m_helpContext = 0;

private Q_SLOTS:
    void init()
    {
        MessageBox::setTestMode(true);
        MessageBox::clearShown();
        FileDialog::setTestMode(true);
        FileDialog::clearAsked();
        m_desktop = new ScopedRecordingDesktop;
        m_temp = new TempFolder;
        ProgramIni = std::make_unique<IniFile>(m_temp->file("Quorvale.ini"));
        PaperSizeIndex = 0;
        PaperOrientation = 0;
        m_host = new QWidget;
        m_host->resize(900, 650);
        m_screen = new TestScreen(m_host);
        m_screen->setGeometry(m_host->rect());
        m_panel = new ReportPreviewPanel(m_host);
        m_panel->SetHelpContext = [this](int context) { m_helpContext = context; };
        m_host->show();
        CurrentGrid = m_screen->grid;
        m_helpContext = 0;
    }

    void cleanup()
    {
        delete m_host;
        m_host = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ProgramIni.reset();
        delete m_temp;
        delete m_desktop;
        FileDialog::setTestMode(false);
    }

    void fiveColumnsOnPortraitA4()
    {
        fill(m_screen->grid, {100, 50, 50, 200, 100, 0}, 3);
        QCOMPARE(PrintableColumnCount(m_screen->grid), 5);
        QCOMPARE(PrintableWidth(alr_A4, poPortrait, 10, 10), 742);
        auto form = BuildGridReport(m_screen->grid);
        QCOMPARE(leftsOf(form->AlBand_detailheader), QList<int>({16, 160, 232, 304, 592, 1700, 1700, 1700, 1700}));
        QCOMPARE(leftsOf(form->AlBand_detail), QList<int>({16, 160, 232, 304, 592, 1700, 1700, 1700, 1700}));
        QCOMPARE(form->AlField(1)->Lines, QStringList{"H0"});
        QCOMPARE(form->AlField(5)->Lines, QStringList{"H4"});
        QVERIFY(form->AlField(6)->Lines.isEmpty());
        QCOMPARE(form->AlField(10)->Lines, QStringList({"r1c0", "r2c0", "r3c0"}));
        QCOMPARE(form->AlField(14)->Lines, QStringList({"r1c4", "r2c4", "r3c4"}));
        QVERIFY(form->AlField(15)->Lines.isEmpty());
        // Title centred over the printable width, footer rule and page number to its right edge.
        QCOMPARE(form->AlLabel1->Caption(), QString(" Stock List "));
        QCOMPARE(form->AlLabel1->x(), 742 / 2 - form->AlLabel1->AutoWidth() / 2);
        QCOMPARE(form->AlShape1->geometry(), QRect(16, 8, 694, 1));
        QCOMPARE(form->AlSysField2->x(), 742 - form->AlSysField2->width() - 16);
        QCOMPARE(form->AlLabel2->x(), form->AlSysField2->x() - form->AlLabel2->width() - 10);
        QCOMPARE(form->AlReport->LeftMarginMM(), 10);
        QCOMPARE(form->AlReport->RightMarginMM(), 10);

        // A hidden column among them (a record number) is left out; the shown ones close up.
        fill(m_screen->grid, {100, 50, 0, 50, 200, 100}, 1);
        QCOMPARE(PrintableColumns(m_screen->grid), QList<int>({0, 1, 3, 4, 5}));
        form = BuildGridReport(m_screen->grid);
        QCOMPARE(leftsOf(form->AlBand_detail), QList<int>({16, 160, 232, 304, 592, 1700, 1700, 1700, 1700}));
        QCOMPARE(form->AlField(3)->Lines, QStringList{"H3"});
        QCOMPARE(form->AlField(14)->Lines, QStringList{"r1c5"});
    }

    void landscapeWidensThePage()
    {
        QCOMPARE(PrintableWidth(alr_A4, poLandscape, 10, 10), 1071);
        fill(m_screen->grid, {100, 100}, 1);
        PaperOrientation = 1;
        PaperSizeIndex = 3;
        auto form = BuildGridReport(m_screen->grid);
        QCOMPARE(form->AlReport->Orientation(), poLandscape);
        QCOMPARE(form->AlReport->Papersize(), alr_Letter);
        QCOMPARE(form->AlShape1->width(), PrintableWidth(alr_Letter, poLandscape, 10, 10) - 48);
        // A settings value out of range falls back to A4.
        PaperSizeIndex = 9;
        PaperOrientation = 0;
        QCOMPARE(BuildGridReport(m_screen->grid)->AlReport->Papersize(), alr_A4);
    }

    void aWideGridPrintsItsFirstNineColumns()
    {
        QList<int> widths;
        for (int c = 0; c < 11; ++c)
            widths << 60;
        fill(m_screen->grid, widths, 2);
        QCOMPARE(PrintableColumnCount(m_screen->grid), 9);
        auto form = BuildGridReport(m_screen->grid);
        QCOMPARE(form->AlField(9)->Lines, QStringList{"H8"});
        QCOMPARE(form->AlField(10)->Lines, QStringList({"r1c0", "r2c0"}));
        QCOMPARE(form->AlField(18)->Lines, QStringList({"r1c8", "r2c8"}));
        TDrawMetaFileList pages;
        form->AlReport->Preview(pages);
        const QStringList texts = pageTexts(*pages[0]);
        QVERIFY(texts.contains("H8"));
        QVERIFY(!texts.contains("H9") && !texts.contains("r1c9"));
        QVERIFY(!texts.contains("~"));
    }

    void aGridWithoutRowsPrintsOneRowOfTildes()
    {
        fill(m_screen->grid, {80, 80, 80}, 0);
        QCOMPARE(m_screen->grid->RowCount(), 1);
        auto form = BuildGridReport(m_screen->grid);
        TDrawMetaFileList pages;
        form->AlReport->Preview(pages);
        QCOMPARE(pages.size(), size_t(1));
        const QStringList texts = pageTexts(*pages[0]);
        QVERIFY(texts.contains("H0") && texts.contains("H2"));
        QCOMPARE(texts.count("~"), 9 + 6); // one detail row, and the unused heading fields
    }

    void previewShowsPagesAndHidesTheScreen()
    {
        fill(m_screen->grid, {120, 80, 80}, 150);
        m_panel->menu_FilePrintClick(true);
        QVERIFY(m_panel->IsOnScreen());
        QCOMPARE(m_panel->geometry(), m_host->rect());
        QVERIFY(m_screen->isHidden());
        QCOMPARE(m_helpContext, 15);
        tAlPreview* preview = m_panel->tAlPreview1;
        // 62 rows a page: 150 rows make three pages.
        QTRY_VERIFY(preview->AllPagesKnown());
        QCOMPARE(preview->PageCount(), 3);
        QCOMPARE(preview->PageIndex(), 1);
        QCOMPARE(preview->Zoom(), 75);
        QVERIFY(m_panel->Button_RepPreviewBack->isHidden());
        QVERIFY(!m_panel->Button_RepPreviewNext->isHidden());
        QVERIFY(m_panel->ReportForm());
        const QStringList second = pageTexts(*preview->Pages[1]);
        QVERIFY(second.contains("H0"));   // headings repeated
        QVERIFY(second.contains("r63c0")); // first row of page 2
        QVERIFY(second.contains("2"));     // page number

        QTest::mouseClick(m_panel->Button_RepPreviewNext, Qt::LeftButton);
        QVERIFY(!m_panel->Button_RepPreviewBack->isHidden());
        QVERIFY(!m_panel->Button_RepPreviewNext->isHidden());
        QTest::mouseClick(m_panel->Button_RepPreviewNext, Qt::LeftButton);
        QCOMPARE(preview->PageIndex(), 3);
        QVERIFY(m_panel->Button_RepPreviewNext->isHidden());
        QTest::mouseClick(m_panel->Button_RepPreviewBack, Qt::LeftButton);
        QTest::mouseClick(m_panel->Button_RepPreviewBack, Qt::LeftButton);
        QCOMPARE(preview->PageIndex(), 1);
        QVERIFY(m_panel->Button_RepPreviewBack->isHidden());

        QTest::mouseClick(m_panel->Button_RepPreviewClose, Qt::LeftButton);
        QVERIFY(!m_panel->IsOnScreen());
        QVERIFY(!m_screen->isHidden());
        QCOMPARE(ProgramIni->ReadString("Options", "Papersize", ""), QString("A4"));
        QCOMPARE(ProgramIni->ReadString("Options", "Paperorient", ""), QString("Portrait"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!m_panel->ReportForm());
    }

    // A long list shows its first page while the rest is recorded: "next >" is there meanwhile,
    // the page count shows once known; closing the preview while it records stops it.
    void aLongListShowsItsFirstPageAtOnce()
    {
        fill(m_screen->grid, {120, 80, 80}, 400);
        m_panel->menu_FilePrintClick(true);
        tAlPreview* preview = m_panel->tAlPreview1;
        QCOMPARE(preview->PageCount(), 1);
        QVERIFY(!m_panel->Button_RepPreviewNext->isHidden());
        QCOMPARE(m_panel->Label_RepPreviewPage->text(), QString("1 / 1 …"));
        QTest::mouseClick(m_panel->Button_RepPreviewNext, Qt::LeftButton);
        QCOMPARE(preview->PageIndex(), 2);
        QVERIFY(m_panel->Label_RepPreviewPage->text().startsWith("2 / "));
        QTRY_VERIFY(preview->AllPagesKnown());
        QCOMPARE(m_panel->Label_RepPreviewPage->text(), QString("2 / 7"));
        for (int i = 0; i < 5; ++i)
            QTest::mouseClick(m_panel->Button_RepPreviewNext, Qt::LeftButton);
        QVERIFY(m_panel->Button_RepPreviewNext->isHidden());

        m_panel->menu_FilePrintClick(true);
        QCOMPARE(preview->PageCount(), 1);
        QTest::mouseClick(m_panel->Button_RepPreviewClose, Qt::LeftButton);
        QVERIFY(preview->AllPagesKnown());
        QTest::qWait(50);
        QCOMPARE(preview->PageCount(), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!m_panel->ReportForm());
    }

    void onePageKeepsNextHidden()
    {
        fill(m_screen->grid, {100}, 5);
        m_panel->menu_FilePrintClick(true);
        QCOMPARE(m_panel->tAlPreview1->PageCount(), 1);
        QVERIFY(m_panel->Button_RepPreviewNext->isHidden());
    }

    void zoomBoxAndClicks()
    {
        fill(m_screen->grid, {100}, 5);
        m_panel->menu_FilePrintClick(true);
        tAlPreview* preview = m_panel->tAlPreview1;
        m_panel->ComboBox_Scale->setEditText("abc");
        QCOMPARE(preview->Zoom(), 100);
        m_panel->ComboBox_Scale->setEditText("150");
        QCOMPARE(preview->Zoom(), 150);
        m_panel->ComboBox_Scale->setEditText("300");
        QCOMPARE(preview->Zoom(), 150);
        m_panel->ComboBox_Scale->setCurrentIndex(m_panel->ComboBox_Scale->findText("75"));
        QCOMPARE(preview->Zoom(), 75);
        QTest::mouseClick(preview->PaintBox(), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(preview->Zoom(), 100);
        QCOMPARE(m_panel->ComboBox_Scale->currentText(), QString("100"));
        m_panel->ComboBox_Scale->setEditText("50");
        QTest::mouseClick(preview->PaintBox(), Qt::RightButton, {}, QPoint(20, 20));
        QCOMPARE(preview->Zoom(), 50);
        QCOMPARE(m_panel->ComboBox_Scale->currentText(), QString("50"));
        // A zoom text that is not a number when the preview opens gives 100.
        m_panel->ComboBox_Scale->setEditText("x");
        m_panel->menu_FilePrintClick(true);
        QCOMPARE(preview->Zoom(), 100);
    }

    void paperOptionsRebuildThePreviewAndAreStored()
    {
        fill(m_screen->grid, {100, 100}, 20);
        m_panel->menu_FilePrintClick(true);
        QTest::mouseClick(m_panel->Button_RepPreviewOptions, Qt::LeftButton);
        QVERIFY(!m_panel->Panel_RepPreviewOptions->isHidden());
        QVERIFY(m_panel->tAlPreview1->isHidden());
        QCOMPARE(m_panel->Panel_RepPreviewOptions->x(), 307);
        QCOMPARE(m_panel->ComboBox_PaperSize->currentText(), QString("A4"));
        QVERIFY(m_panel->RadioButton_PaperP->isChecked());
        QCOMPARE(m_panel->ComboBox_Printer->currentText(), QString("PDF"));

        // Cancel changes nothing.
        m_panel->ComboBox_PaperSize->setEditText("A5");
        QTest::mouseClick(m_panel->Button_RepPreviewOptCancel, Qt::LeftButton);
        QVERIFY(m_panel->Panel_RepPreviewOptions->isHidden());
        QVERIFY(!m_panel->tAlPreview1->isHidden());
        QCOMPARE(PaperSizeIndex, 0);

        QTest::mouseClick(m_panel->Button_RepPreviewOptions, Qt::LeftButton);
        m_panel->ComboBox_PaperSize->setCurrentIndex(m_panel->ComboBox_PaperSize->findText("Letter"));
        m_panel->RadioButton_PaperL->setChecked(true);
        QTest::mouseClick(m_panel->Button_RepPreviewOptOk, Qt::LeftButton);
        QCOMPARE(PaperSizeIndex, 3);
        QCOMPARE(PaperOrientation, 1);
        QVERIFY(m_panel->IsOnScreen());
        QVERIFY(m_panel->Panel_RepPreviewOptions->isHidden());
        QCOMPARE(m_panel->ReportForm()->AlReport->Papersize(), alr_Letter);
        const TDrawMetaFile& page = *m_panel->tAlPreview1->Pages[0];
        QCOMPARE(QSize(page.Width, page.Height), QSize(1054, 813));

        // A paper name that is not known leaves the size.
        QTest::mouseClick(m_panel->Button_RepPreviewOptions, Qt::LeftButton);
        QCOMPARE(m_panel->ComboBox_PaperSize->currentText(), QString("Letter"));
        QVERIFY(m_panel->RadioButton_PaperL->isChecked());
        m_panel->ComboBox_PaperSize->setEditText("B5");
        QTest::mouseClick(m_panel->Button_RepPreviewOptOk, Qt::LeftButton);
        QCOMPARE(PaperSizeIndex, 3);

        QTest::mouseClick(m_panel->Button_RepPreviewClose, Qt::LeftButton);
        QCOMPARE(ProgramIni->ReadString("Options", "Papersize", ""), QString("Letter"));
        QCOMPARE(ProgramIni->ReadString("Options", "Paperorient", ""), QString("Landscape"));
    }

    void theOptionsPanelStaysInsideWhenDragged()
    {
        fill(m_screen->grid, {100}, 2);
        m_panel->menu_FilePrintClick(true);
        QTest::mouseClick(m_panel->Button_RepPreviewOptions, Qt::LeftButton);
        QWidget* bar = m_panel->Label131;
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(10, 5));
        QVERIFY(Dragging);
        QMouseEvent move(QEvent::MouseMove, QPointF(-30, 25), bar->mapToGlobal(QPointF(-30, 25)), Qt::NoButton,
                         Qt::LeftButton, {});
        QCoreApplication::sendEvent(bar, &move);
        QCOMPARE(m_panel->Panel_RepPreviewOptions->pos(), QPoint(307 - 40, 48 + 20));
        QMouseEvent far(QEvent::MouseMove, QPointF(-500, 5), bar->mapToGlobal(QPointF(-500, 5)), Qt::NoButton,
                        Qt::LeftButton, {});
        QCoreApplication::sendEvent(bar, &far);
        QCOMPARE(m_panel->Panel_RepPreviewOptions->x(), 1);
        QVERIFY(!Dragging);
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(10, 5));
    }

    void printingToPdfWritesTheFile()
    {
        fill(m_screen->grid, {150, 80, 80, 80}, 130, "Printed List");
        const QString pdf = m_temp->file("list.pdf");
        FileDialog::setNextFileName(pdf);
        menu_FilePrintClick(false);
        QCOMPARE(FileDialog::asked(), QStringList{"Print to PDF"});
        QVERIFY(FileDialog::lastSuggestion().endsWith("/Printed List.pdf"));
        QVERIFY(!m_panel->IsOnScreen());
        QVERIFY(MessageBox::shown().isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!m_panel->ReportForm());
        QCOMPARE(ProgramIni->ReadString("Options", "Papersize", ""), QString("A4"));
        const QByteArray bytes = testsupport::readFile(pdf);
        QVERIFY(bytes.startsWith("%PDF"));

        // The pages as pictures: three pages of 62 rows.
        const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
        if (pdftoppm.isEmpty())
            QSKIP("pdftoppm is not installed");
        QProcess convert;
        convert.start(pdftoppm, {"-png", "-r", "60", pdf, m_temp->file("page")});
        QVERIFY(convert.waitForFinished(30000));
        QCOMPARE(convert.exitCode(), 0);
        QStringList pngs;
        for (QDirIterator it(m_temp->path(), {"page*.png"}); it.hasNext();)
            pngs << it.next();
        QCOMPARE(pngs.size(), 3);
        QImage first(pngs.first());
        QCOMPARE(first.size(), QSize(496, 702)); // A4 at 60 pixels per inch
    }

    void aFailingPrinterLeavesThePreviewUsable()
    {
        fill(m_screen->grid, {100, 100}, 100);
        m_panel->menu_FilePrintClick(true);
        QTRY_VERIFY(m_panel->tAlPreview1->AllPagesKnown());
        const int pages = m_panel->tAlPreview1->PageCount();
        QCOMPARE(pages, 2);
        const QString bad = m_temp->file("missing/folder/list.pdf");
        FileDialog::setNextFileName(bad);
        QTest::mouseClick(m_panel->Button_RepPreviewPrint, Qt::LeftButton);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().kind, MessageBox::Error);
        QVERIFY(MessageBox::lastText().contains(bad));
        QVERIFY(MessageBox::lastText().contains("No such file or directory"));
        QVERIFY(m_panel->IsOnScreen());
        QVERIFY(m_panel->ReportForm());
        QCOMPARE(m_panel->tAlPreview1->PageCount(), pages);
        QTest::mouseClick(m_panel->Button_RepPreviewNext, Qt::LeftButton);
        QCOMPARE(m_panel->tAlPreview1->PageIndex(), 2);
        m_panel->ComboBox_Scale->setEditText("50");
        QCOMPARE(m_panel->tAlPreview1->PaintBox()->size(), QSize(397, 562));

        // Cancelling the file name leaves the preview too; a good name prints and closes it.
        QTest::mouseClick(m_panel->Button_RepPreviewPrint, Qt::LeftButton);
        QVERIFY(m_panel->IsOnScreen());
        QCOMPARE(MessageBox::shown().size(), 1);
        FileDialog::setNextFileName(m_temp->file("good"));
        QTest::mouseClick(m_panel->Button_RepPreviewPrint, Qt::LeftButton);
        QVERIFY(!m_panel->IsOnScreen());
        QVERIFY(testsupport::readFile(m_temp->file("good.pdf")).startsWith("%PDF"));
    }

    // A text longer than its column prints cut with "…" and ends before the next column starts,
    // headings as data; the last column may use the rest of the page; the columns stay where the
    // layout puts them.
    void longTextsEndBeforeTheNextColumn()
    {
        const QString name = "Caixa Organizadora Transparente";
        const QString mail = "encomendas@coresaditivos-industria.example.pt";
        fill(m_screen->grid, {40, 100, 60}, 2);
        m_screen->grid->setCells(0, 0, "Operação de montagem e embalagem");
        m_screen->grid->setCells(0, 1, name);
        m_screen->grid->setCells(1, 1, "60");
        m_screen->grid->setCells(2, 2, mail + mail);
        auto form = BuildGridReport(m_screen->grid);
        QCOMPARE(leftsOf(form->AlBand_detail).mid(0, 3), QList<int>({16, 16 + RoundHalfEven(40 * 742.0 / 216), 16 + RoundHalfEven(140 * 742.0 / 216)}));
        TDrawMetaFileList pages;
        form->AlReport->Preview(pages);
        RecordingDevice device;
        device.play(*pages[0]);
        auto drawnStarting = [&](const QString& start) -> const testsupport::DrawnText* {
            for (const auto& d : device.engine.texts)
                if (d.text.startsWith(start))
                    return &d;
            return nullptr;
        };
        auto end = [](const testsupport::DrawnText* d) { return d->pos.x() + QFontMetrics(d->font).horizontalAdvance(d->text); };
        const auto* cut = drawnStarting("Caixa");
        const auto* next = device.find("60");
        QVERIFY(cut && next);
        QVERIFY2(cut->text.endsWith(QChar(0x2026)) && cut->text.size() < name.size(), qPrintable(cut->text));
        QVERIFY(end(cut) < next->pos.x());
        const auto* heading = drawnStarting("Opera");
        const auto* nextHeading = device.find("H1");
        QVERIFY(heading && nextHeading);
        QVERIFY2(heading->text.endsWith(QChar(0x2026)), qPrintable(device.textList().join("|")));
        QVERIFY(end(heading) < nextHeading->pos.x());
        // Short texts print whole; the last column runs to the page's printable edge, no further.
        QVERIFY(device.find("r2c1") && device.find("H2"));
        const auto* last = drawnStarting("encomendas@");
        QVERIFY(last && last->text.endsWith(QChar(0x2026)));
        const double leftMargin = 96 * 10 / 25.4;
        QVERIFY(end(last) <= leftMargin + PageRight(alr_A4, poPortrait, 10, 10) + 1);
        QVERIFY(end(last) > leftMargin + PageRight(alr_A4, poPortrait, 10, 10) - 40);
    }

    // The preview with its options as a user sees them, in both languages at both window sizes.
    void previewFitsInBothLanguages()
    {
        fill(m_screen->grid, {120, 80, 80}, 150);
        for (const QString language : {"English", "Portuguese"}) {
            CurrentLanguage = language;
            OpenLanguageFile(QStringLiteral(QUORVALE_SOURCE_DIR "/data/Quorvale.LNG"));
            m_panel->ApplyLanguage();
            m_panel->menu_FilePrintClick(true);
            QTest::mouseClick(m_panel->Button_RepPreviewNext, Qt::LeftButton); // both page buttons shown
            for (const QSize& size : {testsupport::kLargeWindow, testsupport::kSmallWindow}) {
                m_host->resize(size - QSize(0, 60)); // the main window's work area
                for (bool options : {false, true}) {
                    if (options)
                        QTest::mouseClick(m_panel->Button_RepPreviewOptions, Qt::LeftButton);
                    QCoreApplication::processEvents();
                    const QStringList problems = testsupport::LayoutProblems(m_host);
                    QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1 %2 x %3: ").arg(language).arg(size.width()).arg(size.height())
                                                            + problems.join('\n')));
                }
                QTest::mouseClick(m_panel->Button_RepPreviewOptCancel, Qt::LeftButton);
            }
            m_panel->Button_RepPreviewCloseClick();
            CloseLanguageFile();
        }
        CurrentLanguage = QStringLiteral("English");
        m_panel->ApplyLanguage();
    }

    void nothingToPrintWithoutAGrid()
    {
        CurrentGrid = nullptr;
        m_panel->menu_FilePrintClick(true);
        QVERIFY(!m_panel->IsOnScreen());
        menu_FilePrintClick(false);
        QVERIFY(FileDialog::asked().isEmpty());
    }
};

QTEST_MAIN(TestGridPrint)
#include "tst_gridprint.moc"
