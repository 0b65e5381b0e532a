#pragma once

#include <QWidget>

class QAbstractButton;
class StringGrid;

// The base of every working screen hosted by the main window (the TForm_ classes). The main window
// creates a screen as a borderless child filling its client area, registers its Close button and
// main grid, and shows it.
//
// Contract with the main window: clicking CloseButton() closes the screen's files, runs the shell's
// ScreenClosed and releases the screen (deleteLater), exactly once however often it is pressed.
class ScreenForm : public QWidget {
    Q_OBJECT
public:
    explicit ScreenForm(QWidget* parent = nullptr);
    ~ScreenForm() override;

    virtual QAbstractButton* CloseButton() const = 0;
    virtual StringGrid* MainGrid() const = 0;

    bool IsClosing() const { return m_closing; }

protected:
    // The Close button's handler: FormCloseScreen() for the screen's own clean-up, then the shell's
    // ScreenClosed, then release.
    void CloseScreen();
    virtual void FormCloseScreen() {}

private:
    bool m_closing = false;
};
