// In Portuguese no window keeps an English caption: every screen of the menu table, the company
// chooser, the print preview and its printed page, Preferences and the buttons of a message box;
// the Add/Edit mode still works under its Portuguese captions; and a language chosen while a screen
// is open shows on it at once.
#include "accessories/TRe2Buttn.h"
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

} // namespace

class TestScreenTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
            QCOMPARE(form.windowTitle(), "Quorvale - Firma : " + c.ScreenTitle());
            QVERIFY(c.ScreenTitle() != englishTitle || c.item == "menu_ViewGlobal");
            QCOMPARE(CurrentGrid->ScreenTitle(), c.ScreenTitle());
            choose("English");
            QCOMPARE(screen->CloseButton()->text(), QString("Close"));
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
