#include "support/ShellTestSupport.h"

#include "shell/StringGrid.h"
#include "shell/TForm1.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>

namespace testsupport {

FakeShell::FakeShell() : m_previous(Shell()) { SetShell(this); }

FakeShell::~FakeShell() { SetShell(m_previous); }

void FakeShell::ScreenClosed() { calls << QStringLiteral("ScreenClosed"); }

void FakeShell::RunMenuCommand(const QString& menuItemName)
{
    calls << "RunMenuCommand " + menuItemName;
    if (onMenuCommand)
        onMenuCommand(menuItemName);
}

void FakeShell::ParkOverlayPanels() { calls << QStringLiteral("ParkOverlayPanels"); }

void FakeShell::SetMenuItemEnabled(const QString& menuItemName, bool enabled)
{
    calls << QStringLiteral("SetMenuItemEnabled %1 %2").arg(menuItemName).arg(enabled ? 1 : 0);
}

ScriptedMessages::ScriptedMessages() : m_previous(MessageBox::testMode())
{
    MessageBox::setTestMode(true);
    MessageBox::clearAnswers();
    MessageBox::clearShown();
}

ScriptedMessages::~ScriptedMessages()
{
    MessageBox::clearAnswers();
    MessageBox::clearShown();
    MessageBox::setTestMode(m_previous);
}

ScriptedMessages& ScriptedMessages::answer(MessageBox::Answer a)
{
    MessageBox::setNextAnswer(a);
    return *this;
}

namespace {

QWidget* typingTarget(QWidget* control)
{
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->isEditable() ? static_cast<QWidget*>(combo->lineEdit()) : combo;
    return control;
}

} // namespace

void typeInto(QWidget* control, const QString& text)
{
    control->setFocus();
    QTest::keyClicks(typingTarget(control), text);
}

void replaceText(QWidget* control, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(typingTarget(control)))
        edit->clear();
    typeInto(control, text);
}

void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

void pressTitle(StringGrid* grid, int col)
{
    QHeaderView* header = grid->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(col) + header->sectionSize(col) / 2, header->height() / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, at);
}

void clickCell(StringGrid* grid, int col, int row)
{
    const QRect r = grid->visualRect(grid->model()->index(row - 1, col));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
}

void doubleClickCell(StringGrid* grid, int col, int row)
{
    // As the mouse does it: a click, then the second press that the system reports as a double
    // click (QTest sends only the latter, which a view takes for a first press elsewhere).
    const QRect r = grid->visualRect(grid->model()->index(row - 1, col));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, r.center());
}

void PrepareMainWindowTests()
{
    MessageBox::setTestMode(true);
    QApplication::setQuitOnLastWindowClosed(false);
    TForm1::SetProgramEndHandler({});
}

} // namespace testsupport
