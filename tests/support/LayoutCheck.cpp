#include "support/LayoutCheck.h"

#include "shell/ScreenForm.h"
#include "shell/TForm1.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolButton>

namespace testsupport {

namespace {

// A control whose inner parts (an editor, a header, scroll bars, a page) belong to it.
bool IsCompound(const QWidget* w)
{
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractScrollArea*>(w)
           || qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QMenuBar*>(w);
}

bool IsControl(const QWidget* w)
{
    return IsCompound(w) || qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w)
           || qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSlider*>(w);
}

QString NameOf(const QWidget* w)
{
    QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
    if (const auto* label = qobject_cast<const QLabel*>(w); label && !label->text().isEmpty())
        name += " '" + label->text() + "'";
    else if (const auto* button = qobject_cast<const QAbstractButton*>(w); button && !button->text().isEmpty())
        name += " '" + button->text() + "'";
    return name;
}

QRect RectIn(const QWidget* w, const QWidget* root) { return QRect(w->mapTo(root, QPoint(0, 0)), w->size()); }

void Collect(QWidget* parent, QWidget* root, QList<QWidget*>& controls)
{
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow() || !w->isVisibleTo(root))
            continue;
        if (IsControl(w))
            controls << w;
        if (!IsControl(w))
            Collect(w, root, controls);
    }
}

// Whether a visible widget stacked above the control, or above one of its containers, hides it
// whole (a screen over the main window's title).
bool IsCovered(const QWidget* control, const QWidget* root)
{
    const QRect rect = RectIn(control, root);
    for (const QWidget* w = control; w && w != root; w = w->parentWidget()) {
        const QWidget* parent = w->parentWidget();
        if (!parent)
            break;
        const QObjectList& siblings = parent->children();
        for (qsizetype i = siblings.indexOf(const_cast<QWidget*>(w)) + 1; i < siblings.size(); ++i) {
            const auto* above = qobject_cast<const QWidget*>(siblings[i]);
            if (above && !above->isWindow() && above->isVisibleTo(root) && RectIn(above, root).contains(rect))
                return true;
        }
    }
    return false;
}

QString Stripped(QString text) { return text.remove(QLatin1Char('&')); }

// The caption does not fit the control: the width it needs, or 0 when it fits.
int CutCaption(const QWidget* w)
{
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            return 0;
        if (label->wordWrap())
            return label->heightForWidth(label->width()) > label->height() ? label->heightForWidth(label->width()) : 0;
        return label->sizeHint().width() > label->width() ? label->sizeHint().width() : 0;
    }
    if (const auto* list = qobject_cast<const QComboBox*>(w); list && !list->isEditable() && !list->currentText().isEmpty()) {
        // The chosen item in the closed list.
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.editable = false;
        const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
        const int text = list->fontMetrics().horizontalAdvance(list->currentText());
        return text > field.width() ? text + (list->width() - field.width()) : 0;
    }
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w))
        return w->sizeHint().width() > w->width() ? w->sizeHint().width() : 0;
    if (const auto* button = qobject_cast<const QPushButton*>(w)) {
        if (button->text().isEmpty())
            return 0;
        const int needed = button->fontMetrics().horizontalAdvance(Stripped(button->text())) + 6;
        return needed > button->width() ? needed : 0;
    }
    return 0;
}

} // namespace

QStringList LayoutProblems(QWidget* window)
{
    QStringList problems;
    QList<QWidget*> controls;
    Collect(window, window, controls);
    QList<QWidget*> seen;
    for (QWidget* c : controls)
        if (!IsCovered(c, window))
            seen << c;

    for (QWidget* c : seen) {
        const QRect rect = RectIn(c, window);
        // Inside every widget it sits in, up to the window.
        for (QWidget* holder = c->parentWidget(); holder; holder = holder == window ? nullptr : holder->parentWidget()) {
            if (!RectIn(holder, window).contains(rect)) {
                problems << QStringLiteral("%1 reaches outside %2").arg(NameOf(c), holder == window ? QStringLiteral("the window") : NameOf(holder));
                break;
            }
        }
        if (const int needed = CutCaption(c))
            problems << QStringLiteral("%1 is cut: needs %2 pixels, has %3").arg(NameOf(c)).arg(needed).arg(c->width());
    }
    for (qsizetype i = 0; i < seen.size(); ++i)
        for (qsizetype j = i + 1; j < seen.size(); ++j)
            if (RectIn(seen[i], window).intersects(RectIn(seen[j], window)))
                problems << QStringLiteral("%1 and %2 overlap").arg(NameOf(seen[i]), NameOf(seen[j]));
    return problems;
}

QStringList MenuBarProblems(const QMenuBar* bar)
{
    QStringList problems;
    for (QAction* menu : bar->actions())
        if (menu->isVisible() && !bar->rect().contains(bar->actionGeometry(menu)))
            problems << QStringLiteral("the menu bar does not show ") + Stripped(menu->text());
    return problems;
}

QStringList ScreenLayoutProblems(TForm1& form, const QString& menuItem)
{
    QStringList problems;
    if (!form.isVisible())
        form.show();
    QAction* item = form.MenuItem(menuItem);
    if (!item)
        return {QStringLiteral("no menu item ") + menuItem};
    item->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ScreenForm* screen = form.CurrentScreen();
    if (!screen)
        return {menuItem + QStringLiteral(" opened no screen")};
    for (const QSize& size : {kLargeWindow, kSmallWindow}) {
        form.resize(size);
        QCoreApplication::processEvents();
        const QString prefix = QStringLiteral("%1 at %2 x %3: ").arg(screen->objectName()).arg(size.width()).arg(size.height());
        if (form.size() != size)
            problems << prefix + QStringLiteral("the window could not take this size");
        for (const QString& p : LayoutProblems(&form) + MenuBarProblems(form.menuBar()))
            problems << prefix + p;
    }
    return problems;
}

} // namespace testsupport
