#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class TPieChart;
class TRe2Buttn;

// The chart window of the utilisation screen ("  Util Chart"): the pie of the hours split, a
// legend naming the parts whose slice is too narrow for its label and those left out of the pie
// (negative values), and a close button. A fixed border with only the system menu.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // The pie's data (see TPieChart::LoadItems); the legend follows.
    void LoadItems(const QStringList& texts);
    void Button_closeClick();

    TPieChart* PieChart1;
    QFrame* Bevel1;
    QLabel* Label_legend; // shown only while some part is unlabelled or left out
    TRe2Buttn* Button_close;

protected:
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void PlaceControls();
};
