// Every screen in each language: the keys it reads are in both sections of the shipped language
// file, and a caption and a heading of it show the file's text. In Portuguese no window keeps an
// English caption: every screen of the menu table, the company chooser, the print preview and its
// printed page, Preferences and the buttons of a message box; the Add/Edit mode still works under
// its Portuguese captions; and a language chosen while a screen is open shows on it at once.
#include "accessories/TRe2Buttn.h"
#include "i18n/IniFile.h"
#include "i18n/Language.h"
#include "i18n/TFormOptions.h"
#include "masterdata/MasterTestSupport.h"
#include "masterdata/TForm_MateriaPrima.h"
#include "masterdata/TForm_Produto.h"
#include "shell/Globals.h"
#include "report/AlPreview.h"
#include "report/GridPrint.h"
#include "report/RecordingDevice.h"
#include "shell/MenuTable.h"
#include "shell/MessageBox.h"
#include "shell/ScreenForm.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScopeGuard>
#include <QSet>
#include <QTest>
#include <QTimer>

using namespace testsupport;

namespace {

// The built-in English captions that must not be left on a Portuguese window ("ok" and "OK" are
// Portuguese too).
const QSet<QString> kEnglish{"Add",    "Edit",    "Delete", "Close",  "Duplicate", "To File", "Start",
                             "Cancel", "cancel",  "Yes",    "No",     "Print",     "Options", "< back",
                             "next >", "Send",    "Page #", "Paper",  "Printer",   "Copy",    "File"};

// The English captions among the visible buttons, labels and grid headings of a window.
QStringList englishCaptions(QWidget* window)
{
    QStringList found;
    auto check = [&](const QString& where, const QString& text) {
        if (kEnglish.contains(QString(text).remove('&').trimmed()))
            found << where + ": " + text;
    };
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        check(b->objectName(), b->text());
    for (QLabel* l : window->findChildren<QLabel*>())
        check(l->objectName(), l->text());
    for (StringGrid* g : window->findChildren<StringGrid*>())
        for (int c = 0; c < g->ColCount(); ++c)
            check(g->objectName() + " heading", g->Cells(c, 0));
    return found;
}

// One caption and one grid heading of the screen that a menu command opens, with their keys.
struct Sample {
    const char* item;
    const char* control;
    const char* captionKey;
    const char* grid;
    int col;
    const char* headingKey;
    bool lowerCase = false; // the heading is the text in lower case
};

const Sample kSamples[] = {
    {"menu_EditMateriaPrima", "Label1", "label_23", "StringGrid1", 0, "label_23"},
    {"menu_EditProduto", "CheckBox_ProdutoComposto", "label_32", "StringGrid3", 1, "label_6"},
    {"menu_EditFornecedor", "Label18", "label_25", "StringGrid2", 0, "label_19"},
    {"menu_EditCliente", "Label42", "label_5", "StringGrid8", 0, "label_4"},
    {"menu_EditEquip", "Label99", "label_7", "StringGrid12", 3, "label_33"},
    {"menu_EditStockMatPrima", "Label101", "label_16", "StringGrid5", 3, "label_39"},
    {"menu_EditStockProduto", "Label82", "label_41", "StringGrid9", 3, "label_96"},
    {"menu_EditProducaoEntradas", "CheckBox_ProdEntrOperation", "label_85", "StringGrid14", 0, "label_31"},
    {"menu_EditEncomMatPrima", "CheckBox_CompraHold", "label_48", "StringGrid19", 0, "label_23"},
    {"menu_EditEncomProduto", "CheckBox_EncomendaDone", "label_46", "StringGrid6", 0, "label_31"},
    {"menu_PlanStockMatPrima", "Button_StockCalculate", "label_65", "StringGrid5", 5, "label_14"},
    {"menu_PlanEncomenda", "Button_EncomendaCalculate", "label_65", "StringGrid6", 2, "label_4"},
    {"menu_PlanProducao", "Label73", "label_22", "StringGrid11", 2, "label_99"},
    {"menu_ViewGlobal", "Button_GeralViewDetail", "label_64", "StringGrid21", 1, "label_14"},
    {"menu_ViewStockMatPrima", "Label40", "label_45", "StringGrid7", 3, "label_39"},
    {"menu_ViewStockProduto", "Label116", "label_67", "StringGrid13", 2, "label_96"},
    {"menu_ViewProdDefinicao", "Label100", "label_24", "StringGrid4", 2, "label_23"},
    {"menu_ViewMovimMatPrima", "Label59", "label_23", "StringGrid10", 3, "label_12"},
    {"menu_ViewMovimProduto", "Label59", "label_31", "StringGrid10", 0, "label_31"},
    {"menu_ViewEncomMatPrima", "Label102", "label_23", "StringGrid15", 1, "label_19"},
    {"menu_ViewEncomProduto", "Label102", "label_31", "StringGrid15", 1, "label_4"},
    {"menu_ToolsCustosProduto", "Label115", "label_72", "StringGrid17", 3, "label_9"},
    {"menu_ViewProducIndicesUtil", "RadioButton_UtilizEquip", "label_28", "StringGrid16", 5, "label_81", true},
    {"menu_ViewProducQuantidades", "Button_ViewProducQuantDate", "button_change", "StringGrid18", 0, "label_31"},
};

const Sample* sampleOf(const QString& item)
{
    for (const Sample& s : kSamples)
        if (item == QLatin1String(s.item))
            return &s;
    return nullptr;
}

// What is wrong with the sample caption and heading of a screen in the language (empty: nothing);
// the texts expected are those of the shipped language file.
QString sampleMismatch(ScreenForm* screen, const Sample& s, const QString& language)
{
    const IniFile lng(QStringLiteral(QUORVALE_SOURCE_DIR "/data/Quorvale.LNG"));
    QString caption;
    if (auto* label = screen->findChild<QLabel*>(s.control))
        caption = label->text();
    else if (auto* button = screen->findChild<QAbstractButton*>(s.control))
        caption = button->text();
    else
        return QStringLiteral("no control ") + s.control;
    const QString wantCaption = lng.ReadString(language, s.captionKey, QString());
    if (caption != wantCaption)
        return QStringLiteral("%1 '%2' instead of '%3'").arg(s.control, caption, wantCaption);
    auto* grid = screen->findChild<StringGrid*>(s.grid);
    if (!grid)
        return QStringLiteral("no grid ") + s.grid;
    QString wantHeading = lng.ReadString(language, s.headingKey, QString());
    if (s.lowerCase)
        wantHeading = wantHeading.toLower();
    if (grid->Cells(s.col, 0) != wantHeading)
        return QStringLiteral("%1 heading %2 '%3' instead of '%4'").arg(s.grid).arg(s.col).arg(grid->Cells(s.col, 0), wantHeading);
    return {};
}

} // namespace

class TestScreenTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every screen of the menu, opened by its command in the language: every key it reads while it is
    // shown is in both sections of the shipped file, and its sample caption and heading show the
    // file's text. A screen that joins the menu without a sample fails here.
    void everyScreenTakesItsTextsFromTheFile_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "English";
        QTest::newRow("Portuguese") << "Portuguese";
    }
    void everyScreenTakesItsTextsFromTheFile()
    {
        QFETCH(QString, language);
        MasterScreens app("Language=" + language.toLatin1() + "\r\n");
        copySampleCompany(app.companyFolder());
        const IniFile lng(QStringLiteral(QUORVALE_SOURCE_DIR "/data/Quorvale.LNG"));
        QSet<QString> keys;
        RecordRequestedKeys(&keys);
        const auto stop = qScopeGuard([] { RecordRequestedKeys(nullptr); });
        for (const MenuCommand& c : MenuTable()) {
            QVERIFY2(c.factory, qPrintable(c.item));
            const Sample* sample = sampleOf(c.item);
            QVERIFY2(sample, qPrintable("no sample of " + c.item));
            auto* screen = app.open<ScreenForm>(qPrintable(c.item));
            QVERIFY2(screen, qPrintable(c.item));
            const QString wrong = sampleMismatch(screen, *sample, language);
            QVERIFY2(wrong.isEmpty(), qPrintable(c.item + ": " + wrong));
        }
        QVERIFY2(keys.size() > 100, qPrintable(QString::number(keys.size())));
        for (const QString& key : std::as_const(keys))
            for (const QString section : {"English", "Portuguese"})
                QVERIFY2(!lng.ReadString(section, key, QString()).isEmpty(), qPrintable(section + " lacks " + key));
    }

    void everyWindowSpeaksPortuguese()
    {
        MasterScreens app("Language=Portuguese\r\n");
        copySampleCompany(app.companyFolder());
        TForm1& form = *app.form;
        QVERIFY2(englishCaptions(&form).isEmpty(), qPrintable(englishCaptions(&form).join(", ")));

        int screens = 0;
        for (const MenuCommand& c : MenuTable()) {
            if (!c.factory)
                continue;
            ScreenForm* screen = app.open<ScreenForm>(qPrintable(c.item));
            QVERIFY2(screen, qPrintable(c.item));
            ++screens;
            QVERIFY2(englishCaptions(screen).isEmpty(), qPrintable(c.item + ": " + englishCaptions(screen).join(", ")));

            // The preview of the screen's grid and its printed page.
            form.MenuItem("menu_PrintPreview")->trigger();
            ReportPreviewPanel* preview = ReportPreviewPanel::current();
            QVERIFY(preview && preview->IsOnScreen());
            QCOMPARE(englishCaptions(preview), QStringList());
            RecordingDevice page;
            page.play(*preview->tAlPreview1->Pages.at(0));
            QVERIFY(!page.find("Page #"));
            // The page number stands after its word, not over it.
            const auto& texts = page.engine.texts;
            const auto word = std::find_if(texts.begin(), texts.end(), [](const DrawnText& d) { return d.text == LangText("label_page", "?"); });
            QVERIFY(word != texts.end() && word + 1 != texts.end());
            QCOMPARE((word + 1)->text, QString("1"));
            QVERIFY(word->pos.x() + QFontMetrics(word->font).horizontalAdvance(word->text) < (word + 1)->pos.x());
            preview->Button_RepPreviewCloseClick();
        }
        QVERIFY(screens >= 6);

        // The chooser in both of its modes.
        form.MenuItem("menu_FileOpen")->trigger();
        QCOMPARE(englishCaptions(&form), QStringList());
        form.MenuItem("menu_FileNew")->trigger();
        QCOMPARE(englishCaptions(&form), QStringList());
        control<QAbstractButton>(&form, "Button_SuplierCancel")->click();

        // Preferences.
        QStringList inPreferences{"not shown"};
        QTimer::singleShot(0, &form, [&] {
            if (auto* dialog = form.findChild<TFormOptions*>()) {
                inPreferences = englishCaptions(dialog);
                dialog->reject();
            }
        });
        form.MenuItem("menu_FileOptions")->trigger();
        QCOMPARE(inPreferences, QStringList());
    }

    // A language chosen in Preferences shows at once on the open screen (captions, headings, shared
    // buttons, the Add/Edit mode), on its title and on the history list; choosing it again is safe.
    void anOpenScreenTakesTheNewLanguageAtOnce()
    {
        MasterScreens app;
        copySampleCompany(app.companyFolder());
        TForm1& form = *app.form;
        auto choose = [&](const char* language) {
            QTimer::singleShot(0, &form, [&] {
                auto* dialog = form.findChild<TFormOptions*>();
                dialog->findChild<QComboBox*>("ComboBox_Lang")->setCurrentText(language);
                dialog->findChild<QAbstractButton*>("Button_ok")->click();
            });
            form.MenuItem("menu_FileOptions")->trigger();
        };
        int screens = 0;
        for (const MenuCommand& c : MenuTable()) {
            if (!c.factory)
                continue;
            ScreenForm* screen = app.open<ScreenForm>(qPrintable(c.item));
            QVERIFY2(screen, qPrintable(c.item));
            ++screens;
            const QString englishTitle = c.ScreenTitle();
            QVERIFY(!englishCaptions(screen).isEmpty()); // its Close button at least
            choose("Portuguese");
            choose("Portuguese"); // twice: nothing is added or lost
            QCOMPARE(form.CurrentScreen(), screen);
            QVERIFY2(englishCaptions(screen).isEmpty(), qPrintable(c.item + ": " + englishCaptions(screen).join(", ")));
            const Sample* sample = sampleOf(c.item);
            QVERIFY2(sample, qPrintable(c.item));
            QString wrong = sampleMismatch(screen, *sample, "Portuguese");
            QVERIFY2(wrong.isEmpty(), qPrintable(c.item + ": " + wrong));
            QCOMPARE(form.windowTitle(), "Quorvale - Firma : " + c.ScreenTitle());
            QVERIFY(c.ScreenTitle() != englishTitle || c.item == "menu_ViewGlobal");
            QCOMPARE(CurrentGrid->ScreenTitle(), c.ScreenTitle());
            choose("English");
            QCOMPARE(screen->CloseButton()->text(), QString("Close"));
            wrong = sampleMismatch(screen, *sample, "English");
            QVERIFY2(wrong.isEmpty(), qPrintable(c.item + " back in English: " + wrong));
        }
        QVERIFY(screens >= 6);

        // The mode button in Edit mode says so in the new language.
        auto* s = app.open<TForm_MateriaPrima>("menu_EditMateriaPrima");
        doubleClickCell(s->StringGrid1, 0, 1);
        choose("Portuguese");
        QCOMPARE(s->Button_MateriaAdd->text(), QString("Editar"));
        QCOMPARE(s->Button_MateriaDelete->text(), LangText("button_delete", ""));
        QCOMPARE(s->StringGrid1->Cells(0, 0), QString::fromUtf8("Matéria Prima"));
        click(s->Button_MateriaAdd); // still edits: the mode is no caption
        QCOMPARE(s->Button_MateriaAdd->text(), QString("Adicionar"));

        // The history list names the screens closed before in the new language, and opens them.
        auto* history = form.findChild<QComboBox*>("ComboBox_Historic");
        const QString products = FindMenuCommand("menu_EditProduto")->ScreenTitle();
        const int entry = history->findText(products);
        QVERIFY2(entry > 1, qPrintable(products));
        history->setCurrentIndex(entry);
        emit history->activated(entry);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(qobject_cast<TForm_Produto*>(form.CurrentScreen()));
        choose("English");
        QVERIFY(history->findText(FindMenuCommand("menu_EditProduto")->ScreenTitle()) > 1);

        // The feedback screen too.
        form.MenuItem("menu_HelpFeedback")->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(form.CurrentScreen() && form.CurrentScreen()->objectName() == "TForm_Feedback");
        choose("Portuguese");
        QCOMPARE(form.CurrentScreen()->findChild<QLabel*>("Label141")->text(), QString("Assunto :"));
        QVERIFY(englishCaptions(form.CurrentScreen()).isEmpty());
    }

    void messageBoxButtonsSpeakPortuguese()
    {
        MasterScreens app("Language=Portuguese\r\n");
        MessageBox::setTestMode(false);
        QStringList captions;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            for (QAbstractButton* b : box->buttons())
                captions << b->text();
            box->buttons().first()->click();
        });
        MessageBox::ask("?", MessageBox::OkCancel);
        MessageBox::setTestMode(true);
        captions.sort();
        QCOMPARE(captions, QStringList({"Cancelar", "OK"}));
    }

    // The mode is not read from the caption: under Portuguese captions Edit still replaces the
    // record in place, and Add appends.
    void editModeWorksUnderTranslatedCaptions()
    {
        MasterScreens app("Language=Portuguese\r\n");
        copySampleCompany(app.companyFolder());
        auto* s = app.open<TForm_MateriaPrima>("menu_EditMateriaPrima");
        const QString file = app.path(DataFile::MateriasPrimas);
        const size_t count = recordsOf<MateriaPrimaRecord>(file).size();
        QCOMPARE(s->Button_MateriaAdd->text(), QString("Adicionar"));
        const int row = 1;
        const qint64 record = s->StringGrid1->Cells(TForm_MateriaPrima::ColRecord, row).toLongLong() - 1;
        doubleClickCell(s->StringGrid1, 0, row);
        QCOMPARE(s->Button_MateriaAdd->text(), QString("Editar"));
        replaceText(s->Edit_MatPrimaRef, "PT-1");
        click(s->Button_MateriaAdd);
        const auto records = recordsOf<MateriaPrimaRecord>(file);
        QCOMPARE(records.size(), count);
        QCOMPARE(records[size_t(record)].Referencia.text(), QString("PT-1"));
        QCOMPARE(s->Button_MateriaAdd->text(), QString("Adicionar"));
    }
};

QTEST_MAIN(TestScreenTexts)
#include "tst_screentexts.moc"
