#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

class QAbstractButton;
class StringGrid;

// The base of every working screen hosted by the main window (the TForm_ classes). The main window
// creates a screen as a borderless child filling its client area, registers its Close button and
// main grid, and shows it.
//
// Contract with the main window: clicking CloseButton() closes the screen's files, runs the shell's
// ScreenClosed and releases the screen (deleteLater), exactly once however often it is pressed.
//
// The conventions every screen follows come from here, so that a screen holds its own logic only:
// - Show (once, when first shown): hourglass; ApplyFormLanguage(); LoadData(); FitFirstColumn;
//   FormResize(); focus on FirstInput(); FillLists(); SortGridByColumn on InitialSortColumn();
//   AfterShow(); normal cursor. If the screen is closed on the way (a list filler opened another
//   screen), the remaining steps are skipped.
// - Resize: the main grid's columns take their shares of its width (setColumnShares), rounded to
//   the nearest pixel, then FitFirstColumn. Every StringGrid applies its own shares on its resize.
// - A left-button press on a grid's title row sorts by that column (StringGrid does it).
// - Cells are drawn by DrawGridCell with the screen's own colouring (StringGrid::setCellStyler).
// - Paint: with the BlueTheme setting, the gradient from RGB(197, 228, 252) to white.
// - Key release: RepaintOnTabOrAlt.
class ScreenForm : public QWidget {
    Q_OBJECT
public:
    explicit ScreenForm(QWidget* parent = nullptr);
    ~ScreenForm() override;

    virtual QAbstractButton* CloseButton() const = 0;
    virtual StringGrid* MainGrid() const = 0;

    bool IsClosing() const { return m_closing; }
    // The show handler has run.
    bool IsShown() const { return m_formShown; }

    // Shares of the main grid's width for its first columns (0.41 = 41 %).
    void setColumnShares(const QList<double>& shares);
    // The column the show handler sorts by; -1 for none. Column 0 unless set.
    void setInitialSortColumn(int col) { m_initialSortColumn = col; }
    int InitialSortColumn() const { return m_initialSortColumn; }
    // The input that gets the focus when the screen is shown.
    void setFirstInput(QWidget* input) { m_firstInput = input; }
    QWidget* FirstInput() const { return m_firstInput; }

    // The screen's texts from the language file (LangText): every caption, grid heading, hint and
    // list item that comes from it, the texts of the screen's variant included. Run by the show
    // handler when the screen is first shown, and again by ChangeLanguage whenever the language
    // changes while the screen is open, so it must be safe to run at any time: it sets texts, it
    // never adds list items twice, reads files or changes what the screen holds.
    virtual void ApplyFormLanguage() {}

    // The language changed while the screen is open (QEvent::LanguageChange, which the main window
    // sends to every widget when Preferences change it): the captions of its Add/Edit buttons and
    // ApplyFormLanguage take the language in use, and the columns take their shares again (the
    // shared button captions follow by themselves, see TRe2Buttn). Nothing happens before the screen
    // was shown or once it is closing.
    void ChangeLanguage();

    // Connects the Close button to CloseScreen. Done by itself when the screen is first shown; a
    // constructor may call it as soon as the button exists, for a screen closed before it shows.
    void WireCloseButton();

Q_SIGNALS:
    // Emitted by CloseScreen after the screen's clean-up, before the shell's ScreenClosed.
    void screenClosing();

protected:
    // The show handler (see above); a screen with a different order overrides it and calls the
    // steps itself.
    virtual void FormShow();
    // Reads the screen's data files into its grids.
    virtual void LoadData() {}
    // Fills the screen's drop-down lists.
    virtual void FillLists() {}
    // Steps after the initial sort (a unit column, a date box).
    virtual void AfterShow() {}
    // The resize handler: column shares of the main grid, then FitFirstColumn.
    virtual void FormResize();

    // The Close button's handler: FormCloseScreen() for the screen's own clean-up, then the shell's
    // ScreenClosed, then release.
    void CloseScreen();
    virtual void FormCloseScreen() {}

    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool m_closing = false;
    bool m_formShown = false;
    int m_initialSortColumn = 0;
    QPointer<QWidget> m_firstInput;
};

// Screen texts: the caption of a label, button, check box or group box, or a grid heading (row 0
// of the column), from the language file with the built-in text as fallback.
void SetCaption(QWidget* control, const QString& key, const QString& builtIn);
void SetHeading(StringGrid* grid, int col, const QString& key, const QString& builtIn);
// The hint (tool tip) of a control.
void SetHint(QWidget* control, const QString& key, const QString& builtIn);
