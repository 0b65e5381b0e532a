#include "shell/StringGrid.h"

#include <QHeaderView>
#include <QPainter>

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
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

StringGridDelegate::StringGridDelegate(StringGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

void StringGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int col = index.column();
    const int row = index.row() + 1;
    const CellStyle style = m_grid->StyleOf(col, row);
    painter->save();
    painter->fillRect(option.rect, style.background.isValid() ? style.background : option.palette.base().color());
    bool painted = false;
    if (m_grid->m_painter)
        painted = m_grid->m_painter(painter, option.rect, col, row);
    if (!painted) {
        QFont font = option.font;
        if (style.bold)
            font.setBold(true);
        painter->setFont(font);
        painter->setPen(style.foreground.isValid() ? style.foreground : option.palette.text().color());
        const QRect textRect = option.rect.adjusted(2, 0, -2, 0);
        const QString text = m_grid->Cells(col, row);
        painter->drawText(textRect, int(style.alignment) | Qt::TextSingleLine,
                          option.fontMetrics.elidedText(text, Qt::ElideNone, textRect.width()));
    }
    painter->restore();
}

StringGrid::StringGrid(QWidget* parent) : QTableView(parent), m_model(new StringGridModel(this))
{
    m_rows.resize(2);
    m_colWidths.assign(size_t(m_colCount), 64);
    m_alignments.assign(size_t(m_colCount), Qt::AlignLeft | Qt::AlignVCenter);
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
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(header, &QHeaderView::sectionClicked, this, [this](int col) { Q_EMIT titleClicked(col); });
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& i) { Q_EMIT cellClicked(i.column(), i.row() + 1); });
    connect(this, &QTableView::doubleClicked, this,
            [this](const QModelIndex& i) { Q_EMIT cellDoubleClicked(i.column(), i.row() + 1); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& i) {
        if (i.isValid())
            Q_EMIT currentCellChanged(i.column(), i.row() + 1);
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
    }
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
    m_alignments.resize(size_t(cols), Qt::AlignLeft | Qt::AlignVCenter);
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
    if (!m_updating) {
        setColumnHidden(col, width <= 0);
        if (width > 0)
            setColumnWidth(col, width);
    }
}

void StringGrid::applyColumnWidths()
{
    for (int c = 0; c < m_colCount; ++c) {
        const int w = m_colWidths[size_t(c)];
        setColumnHidden(c, w <= 0);
        if (w > 0)
            setColumnWidth(c, w);
    }
}

int StringGrid::DefaultRowHeight() const { return verticalHeader()->defaultSectionSize(); }

void StringGrid::setDefaultRowHeight(int height)
{
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(height);
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
    if (col >= 0 && col < m_colCount)
        s.alignment = m_alignments[size_t(col)];
    if (m_styler)
        m_styler(col, row, s);
    return s;
}
