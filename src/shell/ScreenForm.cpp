#include "shell/ScreenForm.h"

#include "i18n/Language.h"
#include "shell/GridRoutines.h"
#include "shell/MessageBox.h"
#include "shell/RecordEditing.h"
#include "shell/ShellHost.h"
#include "shell/StringGrid.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

ScreenForm::ScreenForm(QWidget* parent) : QWidget(parent) {}

ScreenForm::~ScreenForm() = default;

void ScreenForm::WireCloseButton()
{
    if (QAbstractButton* button = CloseButton())
        connect(button, &QAbstractButton::clicked, this, &ScreenForm::CloseScreen, Qt::UniqueConnection);
}

void ScreenForm::CloseScreen()
{
    if (m_closing)
        return;
    m_closing = true;
    FormCloseScreen();
    Q_EMIT screenClosing();
    if (ShellHost* shell = Shell())
        shell->ScreenClosed();
    hide();
    deleteLater();
}

void ScreenForm::setColumnShares(const QList<double>& shares)
{
    if (StringGrid* grid = MainGrid())
        grid->setColumnShares(shares);
}

void ScreenForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous() || m_formShown || m_closing)
        return;
    m_formShown = true;
    WireCloseButton();
    FormShow();
}

void ScreenForm::FormShow()
{
    Hourglass hourglass;
    StringGrid* grid = MainGrid();
    ApplyFormLanguage();
    LoadData();
    if (m_closing)
        return;
    if (grid)
        grid->FitFirstColumn();
    FormResize();
    if (m_firstInput)
        m_firstInput->setFocus();
    FillLists();
    if (m_closing)
        return;
    if (grid && m_initialSortColumn >= 0)
        SortGridByColumn(grid, m_initialSortColumn);
    AfterShow();
}

void ScreenForm::ChangeLanguage()
{
    if (!m_formShown || m_closing)
        return;
    ApplyModeCaptions(this);
    ApplyFormLanguage();
    FormResize();
    update();
}

void ScreenForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ChangeLanguage();
    QWidget::changeEvent(event);
}

void ScreenForm::FormResize()
{
    StringGrid* grid = MainGrid();
    if (!grid)
        return;
    if (!grid->ColumnShares().isEmpty())
        grid->ApplyColumnShares();
    else
        grid->FitFirstColumn();
}

void ScreenForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_formShown && !m_closing)
        FormResize();
}

void ScreenForm::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    PaintBlueTheme(this, painter);
    QWidget::paintEvent(event);
}

void ScreenForm::keyReleaseEvent(QKeyEvent* event)
{
    RepaintOnTabOrAlt(this, event->key());
    QWidget::keyReleaseEvent(event);
}

void SetCaption(QWidget* control, const QString& key, const QString& builtIn)
{
    const QString text = LangText(key, builtIn);
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        group->setTitle(text);
}

void SetHeading(StringGrid* grid, int col, const QString& key, const QString& builtIn)
{
    grid->setCells(col, 0, LangText(key, builtIn));
}

void SetHint(QWidget* control, const QString& key, const QString& builtIn)
{
    control->setToolTip(LangText(key, builtIn));
}
