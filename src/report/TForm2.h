#pragma once

// The result lists window: a pop-up with one panel per kind of computed list (raw-material needs,
// delivery dates, week plan, utilisation by month, global view detail, the findings of the check of
// the company files). The calculating screens
// fill a panel's grid and labels, show that panel and show the window below the main window; the
// window colours the cells, sorts by a heading click, resizes vertically, and prints, exports or
// copies the list.

#include "store/CompanyCheck.h"

#include <QDialog>
#include <QPixmap>
#include <QPointer>

class QFrame;
class QLabel;
class QListWidget;
class QToolButton;
class StringGrid;
class TRe2Buttn;

// A thin line along the bottom of a panel; pressing on it resizes the window by its bottom edge.
class TGripShape : public QWidget {
    Q_OBJECT
public:
    explicit TGripShape(QWidget* parent);

Q_SIGNALS:
    void pressed(const QPoint& globalPosition);
    void dragged(const QPoint& globalPosition);
    void released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    enum ListPanel { PanelStock, PanelEncomenda, PanelProducaoPlan, PanelUtiliz, PanelGeralView, PanelCheck };
    static constexpr int PanelCount = 6;

    // Design measures.
    static constexpr int PanelWidth = 690;
    static constexpr int PanelTop = 17;
    static constexpr int GridWidth = 657;
    static constexpr int GridWidthWithScrollBar = 673;
    static constexpr int ParkedLeft = 860;
    static constexpr int MinimumHeight = 192;

    // --- For the screens that fill the window ---------------------------------------------------
    // Places the panel at left 0 and shows it; the others wait at left 860, hidden.
    void ShowPanel(ListPanel panel);
    // The panel shown now (the one at left 0), or -1.
    int ShownPanel() const;
    QFrame* PanelOf(ListPanel panel) const { return m_panels[panel].panel; }
    StringGrid* GridOf(ListPanel panel) const { return m_panels[panel].grid; }
    // The date label of the panel (the utilisation panel's "from" date; its "to" date is Label10).
    QLabel* DateLabelOf(ListPanel panel) const { return m_panels[panel].dateLabel; }
    void SetCaption(const QString& caption);
    // At the main window's left + 3 and top + 293, moved left or up to stay on the screen.
    void PlaceBelow(QWidget* mainWindow);
    // Shows the window modally; "ok" (QDialog::Accepted) when it closes.
    int ShowModal();

    // The findings of the check of the company files into the check panel: one row per finding with
    // file, record, field and text (a hidden column sorts the records as numbers), the moment of
    // the check and the count in the labels, the company in the caption; the panel is shown.
    void ShowCheckFindings(const CompanyCheck::Result& result, const QString& company);

    // --- Services -------------------------------------------------------------------------------
    // The export file: "stocks.txt" in the temporary folder.
    static QString ExportFilePath();
    // Writes the grid as fixed-width text to the export file and opens it in the text editor.
    static void ExportGridText(StringGrid* grid);

    // --- Handlers -------------------------------------------------------------------------------
    void PanelCloseClick(ListPanel panel);
    void PanelPrintClick(ListPanel panel);
    void PanelFileClick(ListPanel panel);
    void PanelCopyMemClick(ListPanel panel);
    void SpeedButton_CloseClick();
    // What a heading click does (the grid does it itself): the shared sort, the date columns by
    // their hidden keys.
    void GridTitleClick(ListPanel panel, int col);
    // Shows the clients of the order in row row of the delivery-date grid for 1200 ms.
    void ShowClients(int row);
    // The title the list prints with.
    QString PrintTitle(ListPanel panel) const;

    // --- Controls -------------------------------------------------------------------------------
    QFrame* Panel_caption;
    QLabel* Label_caption;
    QToolButton* SpeedButton_Close;

    QFrame* Panel_Stock;
    StringGrid* StringGrid5;
    TRe2Buttn* Button_StockClose;
    TRe2Buttn* Button_StockPrint;
    TRe2Buttn* Button_StockFile;
    TRe2Buttn* Button_StockCopyMem;
    QLabel* Label1; // date
    TGripShape* Shape1;

    QFrame* Panel_Encomenda;
    StringGrid* StringGrid6;
    TRe2Buttn* Button_EncomendaClose;
    TRe2Buttn* Button_EncomendaPrint;
    TRe2Buttn* Button_EncomendaFile;
    TRe2Buttn* Button_EncomendaCopyMem;
    QLabel* Label4; // date
    TGripShape* Shape2;
    QListWidget* ListBox_Cliente;

    QFrame* Panel_ProducaoPlan;
    StringGrid* StringGrid11;
    TRe2Buttn* Button_ProducaoPlanClose;
    TRe2Buttn* Button_ProducaoPlanPrint;
    TRe2Buttn* Button_ProducaoPlanFile;
    TRe2Buttn* Button_ProducaoPlanCopyMem;
    QLabel* Label6; // date
    QLabel* Label5; // "Semana # ..."
    TGripShape* Shape3;

    QFrame* Panel_Utiliz;
    StringGrid* StringGrid16;
    TRe2Buttn* Button_UtilizClose;
    TRe2Buttn* Button_UtilizPrint;
    TRe2Buttn* Button_UtilizFile;
    TRe2Buttn* Button_UtilizCopyMem;
    QLabel* Label8;  // from date
    QLabel* Label11; // "To"
    QLabel* Label10; // to date
    TGripShape* Shape4;

    QFrame* Panel_GeralView;
    StringGrid* StringGrid201;
    TRe2Buttn* Button_GeralViewClose;
    TRe2Buttn* Button_GeralViewPrint;
    TRe2Buttn* Button_GeralViewFile;
    TRe2Buttn* Button_GeralViewCopyMem;
    QLabel* Label7; // date
    TGripShape* Shape5;

    QFrame* Panel_Check;
    StringGrid* StringGrid_Check; // file, record, field, problem; hidden: record sort key
    TRe2Buttn* Button_CheckClose;
    TRe2Buttn* Button_CheckPrint;
    TRe2Buttn* Button_CheckFile;
    TRe2Buttn* Button_CheckCopyMem;
    QLabel* Label_CheckDate;
    QLabel* Label_CheckCount; // "3 problems in 1,204 records"
    TGripShape* Shape6;

    // The small picture drawn in the delivery-date grid (the clients button).
    QPixmap Image1;

    // Closing the window (any of its close buttons) gives CurrentGrid back to the hosted screen.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A new language: the window's own texts take it (the shared button captions follow by
    // themselves); the lists keep what they were computed with.
    void changeEvent(QEvent* event) override;

private:
    void ApplyLanguage();
    struct PanelParts {
        QFrame* panel = nullptr;
        StringGrid* grid = nullptr;
        QLabel* dateLabel = nullptr;
        TRe2Buttn* close = nullptr;
        TRe2Buttn* print = nullptr;
        TRe2Buttn* file = nullptr;
        TRe2Buttn* copyMem = nullptr;
        TGripShape* grip = nullptr;
    };
    void FormCreate();
    PanelParts BuildPanel(ListPanel which, const char* panelName, const char* gridName, int columns,
                          const char* buttonStem, const char* gripName);
    void SetUpColouring();
    void FormResize();
    void StartResize(const QPoint& globalPosition);
    void DragResize(const QPoint& globalPosition);
    int MaximumHeightOnScreen() const;
    // The print and copy buttons make their list the current grid for a moment; the screen's own
    // grid is remembered and given back when the window closes, so that the screen's printing, copy
    // and history entry are its own again.
    void TakeCurrentGrid(StringGrid* grid);
    void GiveBackCurrentGrid();
    bool OwnsGrid(const StringGrid* grid) const;

    PanelParts m_panels[PanelCount];
    bool m_resizing = false;
    int m_resizeStartY = 0;
    int m_resizeStartHeight = 0;
    bool m_moving = false;
    QPoint m_moveStart;
    QPoint m_moveWindowStart;
    QPointer<StringGrid> m_screenGrid;
    QString m_checkedCompany; // of the findings in the check panel
};
