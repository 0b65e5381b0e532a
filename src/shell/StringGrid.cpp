#include "shell/StringGrid.h"

#include "shell/GridRoutines.h"

#include <QFontMetrics>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <array>
#include <cmath>

StringGridModel::StringGridModel(StringGrid* grid) : QAbstractTableModel(grid), m_grid(grid) {}

int StringGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_grid->RowCount() - 1;
}

int StringGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_grid->ColCount();
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int col = index.column();
    const int row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_grid->Cells(col, row);
    case Qt::ForegroundRole: {
        const CellStyle s = m_grid->StyleOf(col, row);
        return s.foreground.isValid() ? QVariant(s.foreground) : QVariant();
    }
    case Qt::BackgroundRole: {
        const CellStyle s = m_grid->StyleOf(col, row);
        return s.background.isValid() ? QVariant(s.background) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return QVariant(m_grid->StyleOf(col, row).alignment);
    case Qt::ToolTipRole: {
        const QString tip = m_grid->CellToolTip(col, row);
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    default:
        return {};
    }
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole)
        return m_grid->Cells(section, 0);
    if (role == Qt::TextAlignmentRole)
        return QVariant(m_grid->StyleOf(section, 0).alignment);
    if (role == Qt::ToolTipRole) {
        const QString tip = m_grid->CellToolTip(section, 0);
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    return {};
}

StringGridDelegate::StringGridDelegate(StringGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

void StringGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int col = index.column();
    const int row = index.row() + 1;
    DrawGridCell(m_grid, painter, col, row, option.rect, m_grid->StyleOf(col, row));
    // The current cell carries a dotted frame while the grid has the focus; selection itself is
    // not shown.
    if ((option.state & QStyle::State_HasFocus) && m_grid->hasFocus()) {
        painter->save();
        QPen pen(option.palette.text().color());
        pen.setStyle(Qt::DotLine);
        painter->setPen(pen);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
}

StringGridHeader::StringGridHeader(StringGrid* grid) : QHeaderView(Qt::Horizontal, grid), m_grid(grid) {}

QSize StringGridHeader::sizeHint() const
{
    return {QHeaderView::sizeHint().width(), m_grid->DefaultRowHeight()};
}

void StringGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    DrawGridCell(m_grid, painter, logicalIndex, 0, rect, m_grid->StyleOf(logicalIndex, 0));
}

void StringGridHeader::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = mapTo(m_grid, event->position().toPoint());
    const int col = logicalIndexAt(event->position().toPoint());
    Q_EMIT m_grid->mousePressed(event->button(), pos, col, col >= 0 ? 0 : -1);
    QHeaderView::mousePressEvent(event);
}

StringGrid::StringGrid(QWidget* parent) : QTableView(parent), m_model(new StringGridModel(this))
{
    m_rows.resize(2);
    m_colWidths.assign(size_t(m_colCount), 64);
    m_alignments.assign(size_t(m_colCount), Qt::AlignLeft | Qt::AlignTop);
    setHorizontalHeader(new StringGridHeader(this));
    setModel(m_model);
    setItemDelegate(new StringGridDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setDefaultRowHeight(fontMetrics().height() + 6);
    QHeaderView* header = horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(0);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignTop);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(header, &QHeaderView::sectionPressed, this, &StringGrid::onTitlePressed);
    // A double click on a column's border fits the column to its texts, title row included.
    disconnect(header, SIGNAL(sectionHandleDoubleClicked(int)), this, SLOT(resizeColumnToContents(int)));
    connect(header, &QHeaderView::sectionHandleDoubleClicked, this, &StringGrid::FitColumnToContents);
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& i) { Q_EMIT cellClicked(i.column(), i.row() + 1); });
    connect(this, &QTableView::doubleClicked, this,
            [this](const QModelIndex& i) { Q_EMIT cellDoubleClicked(i.column(), i.row() + 1); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& i) {
        if (i.isValid())
            Q_EMIT currentCellChanged(i.column(), i.row() + 1);
    });
    // A column the user widens by hand keeps that width as its own.
    connect(header, &QHeaderView::sectionResized, this, [this](int col, int, int newSize) {
        if (m_applyingWidths || col < 0 || col >= m_colCount || newSize <= 0 || isColumnHidden(col))
            return;
        m_colWidths[size_t(col)] = newSize;
        if (col == 0)
            m_firstColumnCut = 0;
    });
    applyColumnWidths();
}

StringGrid::~StringGrid() = default;

void StringGrid::beginUpdate()
{
    if (m_updating++ == 0)
        m_model->beginResetModel();
}

void StringGrid::endUpdate()
{
    if (--m_updating == 0) {
        m_model->endResetModel();
        applyColumnWidths();
        rowCountChanged();
    }
}

void StringGrid::CellsChanged()
{
    if (m_updating)
        return;
    Q_EMIT m_model->headerDataChanged(Qt::Horizontal, 0, m_colCount - 1);
    if (RowCount() > 1)
        Q_EMIT m_model->dataChanged(m_model->index(0, 0), m_model->index(RowCount() - 2, m_colCount - 1));
}

void StringGrid::setRowCount(int rows)
{
    rows = qMax(1, rows);
    const int old = RowCount();
    if (rows == old)
        return;
    if (m_updating) {
        m_rows.resize(size_t(rows));
        return;
    }
    if (rows > old) {
        m_model->beginInsertRows(QModelIndex(), old - 1, rows - 2);
        m_rows.resize(size_t(rows));
        m_model->endInsertRows();
    } else {
        m_model->beginRemoveRows(QModelIndex(), rows - 1, old - 2);
        m_rows.resize(size_t(rows));
        m_model->endRemoveRows();
    }
    rowCountChanged();
}

void StringGrid::setColCount(int cols)
{
    cols = qMax(1, cols);
    if (cols == m_colCount)
        return;
    if (!m_updating)
        m_model->beginResetModel();
    m_colCount = cols;
    for (auto& r : m_rows)
        if (int(r.size()) > cols)
            r.resize(size_t(cols));
    m_colWidths.resize(size_t(cols), 64);
    m_alignments.resize(size_t(cols), Qt::AlignLeft | Qt::AlignTop);
    if (!m_updating) {
        m_model->endResetModel();
        applyColumnWidths();
    }
}

QString StringGrid::Cells(int col, int row) const
{
    if (row < 0 || row >= RowCount() || col < 0 || col >= m_colCount)
        return QString();
    const auto& r = m_rows[size_t(row)];
    return size_t(col) < r.size() ? r[size_t(col)] : QString();
}

void StringGrid::setCells(int col, int row, const QString& text)
{
    if (col < 0 || col >= m_colCount || row < 0)
        return;
    if (row >= RowCount())
        setRowCount(row + 1);
    auto& r = m_rows[size_t(row)];
    if (size_t(col) >= r.size())
        r.resize(size_t(col) + 1);
    r[size_t(col)] = text;
    if (m_updating)
        return;
    if (row == 0)
        Q_EMIT m_model->headerDataChanged(Qt::Horizontal, col, col);
    else {
        const QModelIndex i = m_model->index(row - 1, col);
        Q_EMIT m_model->dataChanged(i, i);
    }
}

QStringList StringGrid::RowTexts(int row) const
{
    QStringList texts;
    texts.reserve(m_colCount);
    for (int c = 0; c < m_colCount; ++c)
        texts << Cells(c, row);
    return texts;
}

void StringGrid::setRowTexts(int row, const QStringList& texts)
{
    if (row < 0)
        return;
    if (row >= RowCount())
        setRowCount(row + 1);
    auto& r = m_rows[size_t(row)];
    r.assign(texts.begin(), texts.begin() + qMin<qsizetype>(texts.size(), m_colCount));
    if (m_updating)
        return;
    if (row == 0)
        Q_EMIT m_model->headerDataChanged(Qt::Horizontal, 0, m_colCount - 1);
    else
        Q_EMIT m_model->dataChanged(m_model->index(row - 1, 0), m_model->index(row - 1, m_colCount - 1));
}

int StringGrid::ColWidths(int col) const
{
    return col >= 0 && col < m_colCount ? m_colWidths[size_t(col)] : 0;
}

void StringGrid::setColWidths(int col, int width)
{
    if (col < 0 || col >= m_colCount)
        return;
    m_colWidths[size_t(col)] = qMax(0, width);
    if (col == 0)
        m_firstColumnCut = 0; // a new width of its own
    if (!m_updating)
        applyColumnWidth(col);
}

void StringGrid::applyColumnWidth(int col)
{
    const int w = m_colWidths[size_t(col)];
    const bool applying = m_applyingWidths;
    m_applyingWidths = true;
    setColumnHidden(col, w <= 0);
    if (w > 0)
        setColumnWidth(col, w);
    m_applyingWidths = applying;
}

void StringGrid::applyColumnWidths()
{
    for (int c = 0; c < m_colCount; ++c)
        applyColumnWidth(c);
}

int StringGrid::DefaultRowHeight() const { return verticalHeader()->defaultSectionSize(); }

void StringGrid::setDefaultRowHeight(int height)
{
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(height);
    if (horizontalHeader()) {
        horizontalHeader()->updateGeometry();
        updateGeometries();
    }
}

int StringGrid::Row() const
{
    const QModelIndex i = currentIndex();
    if (i.isValid())
        return i.row() + 1;
    return RowCount() > 1 ? 1 : 0;
}

void StringGrid::setRow(int row)
{
    if (row < 1 || row >= RowCount())
        return;
    const int col = currentIndex().isValid() ? currentIndex().column() : 0;
    setCurrentIndex(m_model->index(row - 1, col));
}

int StringGrid::Col() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : 0;
}

void StringGrid::setCol(int col)
{
    if (col < 0 || col >= m_colCount)
        return;
    const int row = currentIndex().isValid() ? currentIndex().row() : 0;
    if (RowCount() > 1)
        setCurrentIndex(m_model->index(row, col));
}

void StringGrid::ReorderRows(const std::vector<int>& order)
{
    const size_t n = m_rows.size();
    std::vector<bool> used(n, false);
    std::vector<std::vector<QString>> sorted;
    sorted.reserve(n);
    sorted.push_back(std::move(m_rows[0]));
    used[0] = true;
    for (int old : order)
        if (old >= 1 && size_t(old) < n && !used[size_t(old)]) {
            used[size_t(old)] = true;
            sorted.push_back(std::move(m_rows[size_t(old)]));
        }
    // Rows the order does not name keep their relative place after the named ones.
    for (size_t r = 1; r < n; ++r)
        if (!used[r])
            sorted.push_back(std::move(m_rows[r]));
    if (!m_updating)
        Q_EMIT m_model->layoutAboutToBeChanged();
    m_rows = std::move(sorted);
    if (!m_updating)
        Q_EMIT m_model->layoutChanged();
}

void StringGrid::ClearData()
{
    GridUpdate update(this);
    m_rows.resize(2);
    m_rows[1].clear();
}

void StringGrid::setCellStyler(CellStyler styler)
{
    m_styler = std::move(styler);
    viewport()->update();
    horizontalHeader()->viewport()->update();
}

void StringGrid::setCellPainter(CellPainter painter)
{
    m_painter = std::move(painter);
    viewport()->update();
}

void StringGrid::setColumnAlignment(int col, Qt::Alignment alignment)
{
    if (col >= 0 && col < m_colCount) {
        m_alignments[size_t(col)] = alignment;
        viewport()->update();
    }
}

CellStyle StringGrid::StyleOf(int col, int row) const
{
    CellStyle s;
    if (row == 0)
        s.bold = true;
    else if (col >= 0 && col < m_colCount)
        s.alignment = m_alignments[size_t(col)];
    if (m_styler)
        m_styler(col, row, s);
    if (row >= 1 && row == m_markedRow)
        s.background = MarkedRowColour;
    return s;
}

void StringGrid::setMarkedRow(int row)
{
    row = row >= 1 && row < RowCount() ? row : 0;
    if (row == m_markedRow)
        return;
    m_markedRow = row;
    viewport()->update();
}

// The width a cell's text is written in: the cell (a data cell less its grid line) less the
// margins of the text.
static int TextRoom(const StringGrid* grid, int col, int row, const CellStyle& style)
{
    const int cell = row == 0 ? grid->horizontalHeader()->sectionSize(col)
                              : grid->columnWidth(col) - (grid->showGrid() ? 1 : 0);
    return CellTextRect(QRect(0, 0, cell, grid->DefaultRowHeight()), style).width();
}

QString StringGrid::CellToolTip(int col, int row) const
{
    const QString text = Cells(col, row);
    if (text.trimmed().isEmpty() || isColumnHidden(col))
        return {};
    const CellStyle style = StyleOf(col, row);
    const QFontMetrics metrics(CellFont(this, style));
    return metrics.horizontalAdvance(SingleLineText(text)) > TextRoom(this, col, row, style) ? text : QString();
}

int StringGrid::ContentWidth(int col) const
{
    if (col < 0 || col >= m_colCount)
        return 0;
    // What a cell adds around its text: the margins (and, for a data cell, the grid line).
    const int margins = 4;
    const int line = showGrid() ? 1 : 0;
    int widest = QFontMetrics(CellFont(this, StyleOf(col, 0))).horizontalAdvance(SingleLineText(Cells(col, 0))) + margins;

    // Measuring every text is slow on a large grid: the texts in the grid's font are sized by the
    // sum of their letters' widths (kerning moves a text by a pixel or two, mostly narrower), and
    // only the widest few are measured as they are drawn.
    const QFontMetrics plain(font());
    std::array<int, 256> latin;
    latin.fill(-1);
    QHash<char16_t, int> others;
    auto letter = [&](QChar c) {
        const char16_t u = c.unicode();
        if (u < 256) {
            int& w = latin[u];
            if (w < 0)
                w = plain.horizontalAdvance(c);
            return w;
        }
        auto it = others.find(u);
        if (it == others.end())
            it = others.insert(u, plain.horizontalAdvance(c));
        return it.value();
    };
    std::vector<std::pair<int, int>> estimates; // (letters' width, row)
    estimates.reserve(m_rows.size());
    int widestEstimate = 0;
    for (size_t r = 1; r < m_rows.size(); ++r) {
        const auto& cells = m_rows[r];
        if (size_t(col) >= cells.size() || cells[size_t(col)].isEmpty())
            continue;
        const QString& text = cells[size_t(col)];
        const CellStyle style = m_styler ? StyleOf(col, int(r)) : CellStyle{};
        if (style.font || style.bold || style.italic) {
            // A screen's own font: measured at once.
            const int w = QFontMetrics(CellFont(this, style)).horizontalAdvance(SingleLineText(text));
            widest = qMax(widest, w + margins + line);
            continue;
        }
        int sum = 0;
        for (QChar c : text)
            sum += letter(c == QLatin1Char('\r') || c == QLatin1Char('\n') ? QLatin1Char(' ') : c);
        estimates.emplace_back(sum, int(r));
        widestEstimate = qMax(widestEstimate, sum);
    }
    constexpr size_t kMeasured = 256;
    if (estimates.size() > kMeasured) {
        std::nth_element(estimates.begin(), estimates.begin() + kMeasured, estimates.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
        estimates.resize(kMeasured);
    }
    int measured = widestEstimate;
    for (const auto& [sum, r] : estimates)
        measured = qMax(measured, plain.horizontalAdvance(SingleLineText(m_rows[size_t(r)][size_t(col)])));
    return estimates.empty() ? widest : qMax(widest, measured + margins + line);
}

void StringGrid::FitColumnToContents(int col)
{
    if (col < 0 || col >= m_colCount || ColWidths(col) <= 0)
        return;
    setColWidths(col, ContentWidth(col));
}

// --- Sizing ---------------------------------------------------------------------------------------

void StringGrid::setColumnShares(const QList<double>& shares)
{
    m_shares = shares;
    ApplyColumnShares();
}

void StringGrid::ApplyColumnShares()
{
    if (m_shares.isEmpty())
        return;
    const int base = qMax(0, width() - 2 * frameWidth());
    const int n = qMin(int(m_shares.size()), m_colCount);
    std::vector<int> widths(static_cast<size_t>(n));
    int total = 0;
    for (int c = 0; c < n; ++c) {
        // A column with a share never vanishes, however narrow the grid (0 would hide it).
        widths[size_t(c)] = m_shares[c] > 0 ? qMax(1, int(std::lround(base * m_shares[c]))) : 0;
        total += widths[size_t(c)];
    }
    // Rounding each share up must not push the last column past the edge.
    for (int c = n - 1; c >= 0 && total > base; --c) {
        const int cut = qMin(total - base, qMax(0, widths[size_t(c)] - 1));
        if (widths[size_t(c)] > 0) {
            widths[size_t(c)] -= cut;
            total -= cut;
        }
    }
    for (int c = 0; c < n; ++c)
        setColWidths(c, widths[size_t(c)]);
    FitFirstColumn();
}

int StringGrid::ScrollBarWidth() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
}

namespace {

struct Room {
    int height; // for the data rows
    bool vertical;
};

} // namespace

static Room roomFor(const StringGrid* g)
{
    const int frame = 2 * g->frameWidth();
    int height = g->height() - frame - (g->horizontalHeader()->isHidden() ? 0 : g->horizontalHeader()->sizeHint().height());
    const int width = g->width() - frame;
    const qint64 need = qint64(g->RowCount() - 1) * g->DefaultRowHeight();
    const int bar = g->ScrollBarWidth();
    auto verticalFor = [&](int h) {
        switch (g->verticalScrollBarPolicy()) {
        case Qt::ScrollBarAlwaysOff: return false;
        case Qt::ScrollBarAlwaysOn: return true;
        default: return need > h;
        }
    };
    bool vertical = verticalFor(height);
    int columns = 0;
    for (int c = 0; c < g->ColCount(); ++c)
        columns += g->ColWidths(c);
    bool horizontal = false;
    switch (g->horizontalScrollBarPolicy()) {
    case Qt::ScrollBarAlwaysOff: break;
    case Qt::ScrollBarAlwaysOn: horizontal = true; break;
    default: horizontal = columns > width - (vertical ? bar : 0);
    }
    if (horizontal) {
        height -= bar;
        vertical = verticalFor(height);
    }
    return {qMax(0, height), vertical};
}

bool StringGrid::NeedsVerticalScrollBar() const { return roomFor(this).vertical; }

int StringGrid::VisibleRowCount() const
{
    const int rh = qMax(1, DefaultRowHeight());
    return roomFor(this).height / rh;
}

QList<int> StringGrid::VisibleColumns() const
{
    QList<int> cols;
    for (int c = 0; c < m_colCount; ++c)
        if (m_colWidths[size_t(c)] > 0)
            cols << c;
    return cols;
}

void StringGrid::FitFirstColumn()
{
    if (m_colCount < 1)
        return;
    const int base = m_colWidths[0] + m_firstColumnCut;
    if (base <= 0)
        return;
    // Measured with column 0 at its full width.
    m_colWidths[0] = base;
    const int cut = NeedsVerticalScrollBar() ? qMin(ScrollBarWidth(), base - 1) : 0;
    m_colWidths[0] = base - cut;
    m_firstColumnCut = cut;
    if (!m_updating)
        applyColumnWidth(0);
}

void StringGrid::rowCountChanged()
{
    // Once column 0 is fitted it follows the rows: more rows may bring the scroll bar, fewer take
    // it away again.
    if (!m_shares.isEmpty() || m_firstColumnCut > 0)
        FitFirstColumn();
}

void StringGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    if (!m_shares.isEmpty())
        ApplyColumnShares();
    else if (m_firstColumnCut > 0)
        FitFirstColumn();
}

// --- Mouse ----------------------------------------------------------------------------------------

int StringGrid::SortColumnFor(int titleCol) const
{
    const auto it = m_sortRedirect.find(titleCol);
    return it == m_sortRedirect.end() ? titleCol : it->second;
}

void StringGrid::onTitlePressed(int col)
{
    Q_EMIT titleClicked(col);
    if (m_sortOnTitleClick) {
        const int key = SortColumnFor(col);
        SortGridByColumn(this, key);
        Q_EMIT sorted(key);
    }
}

void StringGrid::MouseToCell(const QPoint& pos, int& col, int& row) const
{
    col = -1;
    row = -1;
    const QHeaderView* header = horizontalHeader();
    if (!header->isHidden() && header->geometry().contains(pos)) {
        col = header->logicalIndexAt(header->mapFrom(this, pos));
        row = col >= 0 ? 0 : -1;
        return;
    }
    const QPoint vp = viewport()->mapFrom(this, pos);
    if (!viewport()->rect().contains(vp))
        return;
    const QModelIndex i = indexAt(vp);
    if (i.isValid()) {
        col = i.column();
        row = i.row() + 1;
    }
}

QRect StringGrid::CellRect(int col, int row) const
{
    if (col < 0 || col >= m_colCount || row < 0 || row >= RowCount())
        return {};
    if (row == 0) {
        const QHeaderView* header = horizontalHeader();
        const QRect r(header->sectionViewportPosition(col), 0, header->sectionSize(col), header->height());
        return QRect(header->mapTo(this, r.topLeft()), r.size());
    }
    const QRect r = visualRect(m_model->index(row - 1, col));
    return QRect(viewport()->mapTo(this, r.topLeft()), r.size());
}

void StringGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = viewport()->mapTo(this, event->position().toPoint());
    int col, row;
    MouseToCell(pos, col, row);
    Q_EMIT mousePressed(event->button(), pos, col, row);
    QTableView::mousePressEvent(event);
}
