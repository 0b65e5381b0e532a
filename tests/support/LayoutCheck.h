#pragma once

// What a user sees of a window's layout, as checks: every visible control lies inside the window
// and inside the widget it sits in, no two visible controls overlap, and no caption is cut short.
// A screen's test asserts it for the screen at both window sizes in one line:
//
//     VERIFY_SCREEN_LAYOUT(form, "menu_EditProduto");
//
// Controls are labels, buttons, check and radio boxes, line edits, lists, scroll bars and grids;
// the parts inside a compound control (a list's editor, a grid's header) count as that control. A
// control hidden behind another widget (a screen covering the main window's title) is not seen.

#include <QSize>
#include <QString>
#include <QStringList>
#include <QTest>

class QMenuBar;
class QWidget;
class TForm1;

namespace testsupport {

// The sizes every screen is checked at: the usual desktop and the smallest main window.
inline const QSize kLargeWindow{1280, 800};
inline const QSize kSmallWindow{640, 460};

// The rows "English" and "Portuguese" of a test's column "language" (a QByteArray), for a layout
// test run in each language.
inline void AddLanguageRows()
{
    QTest::addColumn<QByteArray>("language");
    QTest::newRow("English") << QByteArray("English");
    QTest::newRow("Portuguese") << QByteArray("Portuguese");
}

// One line per problem ("Label3 is cut: 'Fornecedor' needs 62 pixels, has 40"); empty when the
// window looks right.
QStringList LayoutProblems(QWidget* window);

// The menus a menu bar cannot show on itself (behind its overflow button), one line each.
QStringList MenuBarProblems(const QMenuBar* bar);

// The main window resized to each size with the screen of the menu item open (opened by that menu
// command when it is not open yet); each problem is prefixed with the size. A menu bar that does
// not show all its menus is a problem too.
QStringList ScreenLayoutProblems(TForm1& form, const QString& menuItem);

} // namespace testsupport

#define VERIFY_LAYOUT(window)                                                                            \
    do {                                                                                                 \
        const QStringList layoutProblems_ = testsupport::LayoutProblems(window);                         \
        QVERIFY2(layoutProblems_.isEmpty(), qPrintable(layoutProblems_.join(QLatin1Char('\n'))));       \
    } while (false)

#define VERIFY_SCREEN_LAYOUT(form, menuItem)                                                             \
    do {                                                                                                 \
        const QStringList layoutProblems_ = testsupport::ScreenLayoutProblems(form, menuItem);           \
        QVERIFY2(layoutProblems_.isEmpty(), qPrintable(layoutProblems_.join(QLatin1Char('\n'))));       \
    } while (false)
