#pragma once

// The preview control of the report engine: shows the recorded pages of a report one at a time,
// with zoom and page navigation. A click on the page zooms in (left button) or out (right button)
// one step of the ladder 50, 75, 100, 150, 200.

#include "report/AlPrinter.h"

#include <QPointer>
#include <QScrollArea>
#include <QTimer>

class TAlReport;
class tAlPreview;

// The page area inside the preview: white, magnifier cursor.
class TAlPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TAlPaintBox(tAlPreview* preview, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    tAlPreview* m_preview;
};

class tAlPreview : public QScrollArea {
    Q_OBJECT
public:
    explicit tAlPreview(QWidget* parent = nullptr);
    ~tAlPreview() override;

    QString Title; // not used by the engine

    int PageIndex() const { return m_pageIndex; } // 1-based
    int Zoom() const { return m_zoom; }           // percent
    TAlPaintBox* PaintBox() const { return m_paintBox; }
    TDrawMetaFileList Pages;

    // Records a report into Pages: the first page at once, the others in short steps from the
    // event loop, or sooner when a page not yet recorded is asked for. A recording still running is
    // abandoned first.
    void Record(TAlReport* report);
    // Records every page still missing now.
    void RecordAll();
    // Stops recording where it stands (the report is going away).
    void StopRecording();
    // Whether every page of the report is recorded: only then is PageCount the report's page count.
    bool AllPagesKnown() const { return !m_recording; }

    // Beyond the pages recorded, SetPage and Next record on up to the page asked for while the
    // recording runs.
    void SetPage(int n);
    void First();
    void Next();
    void Prior();
    // Ignored when z equals the zoom or lies outside 25 ... 200.
    void SetZoom(int z);
    int PageCount() const { return int(Pages.size()); }
    // Sizes the page area to the page and the zoom, and repaints it.
    void Repaint();

    // The size of the page area at the current zoom.
    QSize PageAreaSize() const;

    // The next zoom of the ladder for a click with that button (the same zoom when off the ladder
    // or at its end).
    static int LadderStep(int zoom, Qt::MouseButton button);

Q_SIGNALS:
    // Raised when pages were added to Pages by the recording, and once more when it ends.
    void PagesRecorded();
    // Raised when the report failed while recording (the recording stops).
    void RecordingFailed(const QString& message);

    // Raised after the page's own click zoom, with the same arguments.
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& position);

protected:
    void showEvent(QShowEvent* event) override;

private:
    friend class TAlPaintBox;
    void PageMousePress(QMouseEvent* event);
    TDrawMetaFile* ShownPage() const;
    // Records until n pages are recorded or the report ends; false when it failed.
    bool RecordUpTo(int n);
    void RecordStep();
    void FinishRecording();

    QWidget* m_sheet;
    TAlPaintBox* m_paintBox;
    int m_pageIndex = 1;
    int m_zoom = 100;

    QPointer<TAlReport> m_report;
    bool m_recording = false;
    QTimer m_recordTimer;
};
