#pragma once

// The preview control of the report engine: shows the recorded pages of a report one at a time,
// with zoom and page navigation. A click on the page zooms in (left button) or out (right button)
// one step of the ladder 50, 75, 100, 150, 200.

#include "report/AlPrinter.h"

#include <QScrollArea>

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
    // Raised after the page's own click zoom, with the same arguments.
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& position);

protected:
    void showEvent(QShowEvent* event) override;

private:
    friend class TAlPaintBox;
    void PageMousePress(QMouseEvent* event);
    TDrawMetaFile* ShownPage() const;

    QWidget* m_sheet;
    TAlPaintBox* m_paintBox;
    int m_pageIndex = 1;
    int m_zoom = 100;
};
