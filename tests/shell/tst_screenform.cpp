// The conventions every screen takes from its base: the show handler's order, column shares, the
// Close button, closing from inside the show handler, the blue theme and the screen texts.
#include "accessories/TRe2Buttn.h"
#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "shell/Globals.h"
#include "shell/GridRoutines.h"
#include "shell/ListFillers.h"
#include "shell/ScreenForm.h"
#include "shell/StringGrid.h"
#include "support/ShellTestSupport.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using namespace testsupport;

namespace {

// A small screen as the real ones are written: controls, texts, a load, lists, its own colouring.
class TForm_Demo : public ScreenForm {
public:
    explicit TForm_Demo(QWidget* parent = nullptr) : ScreenForm(parent)
    {
        Label1 = new QLabel(this);
        Label1->setObjectName("Label1");
        Label1->setGeometry(8, 8, 120, 20);
        Edit_DemoQuant = new QLineEdit(this);
        Edit_DemoQuant->setObjectName("Edit_DemoQuant");
        Edit_DemoQuant->setGeometry(8, 30, 100, 22);
        ComboBox_DemoEquip = new QComboBox(this);
        ComboBox_DemoEquip->setObjectName("ComboBox_DemoEquip");
        ComboBox_DemoEquip->setGeometry(120, 30, 150, 22);
        CheckBox_DemoDone = new QCheckBox(this);
        CheckBox_DemoDone->setObjectName("CheckBox_DemoDone");
        CheckBox_DemoDone->setGeometry(290, 30, 180, 22);
        StringGrid1 = new StringGrid(this);
        StringGrid1->setObjectName("StringGrid1");
        StringGrid1->setColCount(4);
        StringGrid1->setColWidths(3, 0); // record number + 1
        StringGrid1->setCellStyler([this](int col, int row, CellStyle& s) {
            if (row >= 1 && col == 2 && StringGrid1->Cells(2, row).startsWith('-'))
                s.foreground = QColor(255, 0, 0);
        });
        Button_DemoClose = new TRe2Buttn("Close", this);
        Button_DemoClose->setObjectName("Button_DemoClose");
        setColumnShares({0.5, 0.25, 0.25});
        setInitialSortColumn(1);
        setFirstInput(Edit_DemoQuant);
    }

    QAbstractButton* CloseButton() const override { return Button_DemoClose; }
    StringGrid* MainGrid() const override { return StringGrid1; }

    QStringList steps;
    bool hourglassDuringLoad = false;
    bool useEquipment = false;

    QLabel* Label1;
    QLineEdit* Edit_DemoQuant;
    QComboBox* ComboBox_DemoEquip;
    QCheckBox* CheckBox_DemoDone;
    StringGrid* StringGrid1;
    TRe2Buttn* Button_DemoClose;

protected:
    void ApplyFormLanguage() override
    {
        steps << "texts";
        SetCaption(Label1, "label_31", "Produto");
        SetCaption(CheckBox_DemoDone, "label_46", "Arquivar Encomenda");
        SetHeading(StringGrid1, 0, "label_31", "Produto");
        SetHeading(StringGrid1, 1, "label_6", "Tipo");
        SetHeading(StringGrid1, 2, "label_96", "Disponivel");
    }
    void LoadData() override
    {
        steps << "load";
        hourglassDuringLoad = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        GridUpdate update(StringGrid1);
        const QStringList types{"Verde", "azul", "Branco", "Amarelo"};
        StringGrid1->setRowCount(9);
        for (int k = 1; k <= 8; ++k)
            StringGrid1->setRowTexts(k, {QString("Copo %1").arg(k), types[k % 4], QString::number(k * 7 % 5 - 2), QString::number(k)});
    }
    void FormResize() override
    {
        steps << "resize";
        ScreenForm::FormResize();
    }
    void FillLists() override
    {
        steps << "lists";
        if (useEquipment)
            FillEquipmentList(ComboBox_DemoEquip);
    }
    void AfterShow() override { steps << "after"; }
    void FormCloseScreen() override { steps << "close"; }
    void resizeEvent(QResizeEvent* event) override
    {
        StringGrid1->setGeometry(8, 60, width() - 16, height() - 100);
        Button_DemoClose->setGeometry(width() - 90, height() - 34, 75, 25);
        ScreenForm::resizeEvent(event);
    }
};

QStringList column(const StringGrid* grid, int col)
{
    QStringList texts;
    for (int r = 1; r < grid->RowCount(); ++r)
        texts << grid->Cells(col, r);
    return texts;
}

} // namespace

class TestScreenForm : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TempFolder> m_folder;

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempFolder>();
        DatabaseFolder = m_folder->path();
        BlueTheme = true;
    }
    void cleanup() { m_folder.reset(); }

    void showFollowsTheConvention()
    {
        FakeShell shell;
        auto* screen = new TForm_Demo(&shell.window);
        shell.window.resize(640, 400);
        screen->resize(640, 400);
        shell.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&shell.window));
        QCOMPARE(screen->steps, QStringList({"texts", "load", "resize", "lists", "after"}));
        QVERIFY(screen->hourglassDuringLoad);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(screen->Edit_DemoQuant->hasFocus());
        QCOMPARE(screen->Label1->text(), QString("Produto"));
        QCOMPARE(screen->StringGrid1->Cells(2, 0), QString("Disponivel"));
        QCOMPARE(column(screen->StringGrid1, 1),
                 QStringList({"Amarelo", "Amarelo", "azul", "azul", "Branco", "Branco", "Verde", "Verde"}));

        StringGrid* grid = screen->StringGrid1;
        const int inner = grid->width() - 2 * grid->frameWidth();
        QCOMPARE(grid->ColWidths(1), qRound(inner * 0.25));
        QCOMPARE(grid->ColWidths(3), 0);
        // The screen grows: the shares follow.
        screen->resize(800, 400);
        QCOMPARE(grid->ColWidths(1), qRound((grid->width() - 2 * grid->frameWidth()) * 0.25));
        // Showing again does not load again.
        screen->hide();
        screen->show();
        QCOMPARE(screen->steps.count("load"), 1);
        delete screen;
    }

    void closeButtonReleasesTheScreenOnce()
    {
        FakeShell shell;
        QPointer<TForm_Demo> screen = new TForm_Demo(&shell.window);
        shell.window.show();
        QSignalSpy closing(screen.data(), &ScreenForm::screenClosing);
        click(screen->Button_DemoClose);
        click(screen->Button_DemoClose);
        QCOMPARE(screen->steps.count("close"), 1);
        QCOMPARE(closing.count(), 1);
        QCOMPARE(shell.calls, QStringList({"ScreenClosed"}));
        QVERIFY(screen->IsClosing());
        QVERIFY(screen->isHidden());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(screen.isNull());
    }

    void closeButtonWorksBeforeTheFirstShow()
    {
        FakeShell shell;
        QPointer<TForm_Demo> screen = new TForm_Demo(&shell.window);
        screen->WireCloseButton();
        screen->Button_DemoClose->click();
        QCOMPARE(shell.count("ScreenClosed"), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(screen.isNull());
    }

    void closedWhileShowingStopsTheShow()
    {
        // No equipment yet: the list filler has the main window open the equipment screen, which
        // first presses the current screen's Close button.
        FakeShell shell;
        QPointer<TForm_Demo> screen = new TForm_Demo(&shell.window);
        screen->useEquipment = true;
        shell.onMenuCommand = [&](const QString&) { screen->CloseButton()->click(); };
        shell.window.show();
        QCOMPARE(shell.calls, QStringList({"ParkOverlayPanels", "RunMenuCommand menu_EditEquip", "ScreenClosed"}));
        QCOMPARE(screen->steps, QStringList({"texts", "load", "resize", "lists", "close"}));
        QCOMPARE(column(screen->StringGrid1, 0).first(), QString("Copo 1")); // not sorted
        QVERIFY(!QApplication::overrideCursor());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(screen.isNull());
    }

    void blueThemePaintsTheGradient()
    {
        FakeShell shell;
        auto* screen = new TForm_Demo(&shell.window);
        shell.window.resize(640, 400);
        screen->resize(640, 400);
        shell.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shell.window));
        QImage image = screen->grab().toImage();
        QCOMPARE(image.pixelColor(400, 2), QColor(197, 228, 252));
        const auto bands = GradientBands(640, 400, BlueThemeTop, BlueThemeBottom, screen->depth());
        QCOMPARE(image.pixelColor(630, 399), bands[size_t(399 / bands[0].rect.height())].color);

        BlueTheme = false;
        image = screen->grab().toImage();
        QVERIFY(image.pixelColor(400, 2) != QColor(197, 228, 252));
        delete screen;
    }

    void textsComeFromTheLanguageFile()
    {
        FakeShell shell;
        const QString lng = m_folder->file("Quorvale.LNG");
        writeFile(lng, "[English]\r\nlabel_31=Product\r\nlabel_96=Available\r\n");
        OpenLanguageFile(lng);
        auto* screen = new TForm_Demo(&shell.window);
        shell.window.show();
        QCOMPARE(screen->Label1->text(), QString("Product"));
        QCOMPARE(screen->CheckBox_DemoDone->text(), QString("Arquivar Encomenda"));
        QCOMPARE(screen->StringGrid1->Cells(0, 0), QString("Product"));
        QCOMPARE(screen->StringGrid1->Cells(2, 0), QString("Available"));
        CloseLanguageFile();
        delete screen;
    }
};

QTEST_MAIN(TestScreenForm)
#include "tst_screenform.moc"
