#include "shell/GridRoutines.h"

#include "i18n/Language.h"
#include "i18n/Settings.h"
#include "shell/Globals.h"
#include "shell/MessageBox.h"
#include "store/DecimalText.h"
#include "store/StoreError.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCollator>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QHash>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStylePainter>
#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <optional>

// --- Sizing -------------------------------------------------------------------------------------

void FitFirstColumn(StringGrid* grid, int flag)
{
    if (grid && flag != 0)
        grid->FitFirstColumn();
}

void WidenForScrollBar(StringGrid* grid, int flag)
{
    if (!grid)
        return;
    int width = grid->width();
    if (flag == 1 && grid->VisibleRowCount() < grid->RowCount() - 1)
        width += 16;
    if (grid->minimumWidth() == grid->maximumWidth())
        grid->setFixedWidth(width);
    else
        grid->resize(width, grid->height());
}

// --- Sorting ------------------------------------------------------------------------------------

const QCollator& TextCollator()
{
    static const QCollator collator = [] {
        QLocale locale;
        if (locale.language() == QLocale::C)
            locale = QLocale(QLocale::English, QLocale::UnitedStates);
        QCollator c(locale);
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        c.setIgnorePunctuation(false);
        return c;
    }();
    return collator;
}

int CompareText(const QString& a, const QString& b) { return TextCollator().compare(a, b); }

namespace {

const QString& cellOf(const std::vector<QString>& row, int col)
{
    static const QString empty;
    return size_t(col) < row.size() ? row[size_t(col)] : empty;
}

// Dense ranks of the texts of one column for the given rows, in the order of TextCollator (texts
// that compare equal share a rank). Each distinct text gets one sort key.
void rankRows(const std::vector<std::vector<QString>>& rows, int col, const std::vector<int>& subset,
              std::vector<int>& rank)
{
    QHash<QString, int> index;
    index.reserve(qsizetype(subset.size()));
    std::vector<const QString*> distinct;
    std::vector<int> textOf(subset.size());
    for (size_t i = 0; i < subset.size(); ++i) {
        const QString& text = cellOf(rows[size_t(subset[i])], col);
        auto it = index.constFind(text);
        if (it == index.constEnd()) {
            it = index.insert(text, int(distinct.size()));
            distinct.push_back(&text);
        }
        textOf[i] = it.value();
    }
    const QCollator& collator = TextCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(distinct.size());
    for (const QString* text : distinct)
        keys.push_back(collator.sortKey(*text));
    std::vector<int> byKey(distinct.size());
    std::iota(byKey.begin(), byKey.end(), 0);
    std::sort(byKey.begin(), byKey.end(), [&](int a, int b) { return keys[size_t(a)].compare(keys[size_t(b)]) < 0; });
    std::vector<int> rankOf(distinct.size());
    int r = 0;
    for (size_t i = 0; i < byKey.size(); ++i) {
        if (i > 0 && keys[size_t(byKey[i - 1])].compare(keys[size_t(byKey[i])]) != 0)
            ++r;
        rankOf[size_t(byKey[i])] = r;
    }
    for (size_t i = 0; i < subset.size(); ++i)
        rank[size_t(subset[i])] = rankOf[size_t(textOf[i])];
}

} // namespace

void SetDataRows(StringGrid* grid, const std::vector<QStringList>& rows)
{
    GridUpdate update(grid);
    auto& cells = grid->rows();
    cells.resize(1);
    cells.reserve(rows.size() + 1);
    for (const QStringList& r : rows)
        cells.emplace_back(r.begin(), r.end());
    if (cells.size() < 2)
        cells.emplace_back(); // a title row and one empty row
}

void SortGridByColumn(StringGrid* grid, int column)
{
    if (!grid || column < 0 || column >= grid->ColCount())
        return;
    const auto& rows = grid->rows();
    const int n = int(rows.size()) - 1;
    if (n < 2)
        return;
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 1);
    std::vector<int> rank(rows.size());
    rankRows(rows, column, order, rank);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return rank[size_t(a)] < rank[size_t(b)]; });

    // Rows whose keys compare equal are ordered by their cells from the first column on; rows
    // equal in every cell keep their order.
    struct Run {
        size_t begin, end;
    };
    auto tiesIn = [&](const std::vector<Run>& within) {
        std::vector<Run> runs;
        for (const Run& w : within)
            for (size_t i = w.begin; i < w.end;) {
                size_t j = i + 1;
                while (j < w.end && rank[size_t(order[j])] == rank[size_t(order[i])])
                    ++j;
                if (j - i > 1)
                    runs.push_back({i, j});
                i = j;
            }
        return runs;
    };
    std::vector<Run> runs = tiesIn({{0, order.size()}});
    for (int col = 0; col < grid->ColCount() && !runs.empty(); ++col) {
        if (col == column)
            continue;
        std::vector<int> tied;
        for (const Run& run : runs)
            tied.insert(tied.end(), order.begin() + qsizetype(run.begin), order.begin() + qsizetype(run.end));
        rankRows(rows, col, tied, rank);
        for (const Run& run : runs)
            std::stable_sort(order.begin() + qsizetype(run.begin), order.begin() + qsizetype(run.end),
                             [&](int a, int b) { return rank[size_t(a)] < rank[size_t(b)]; });
        runs = tiesIn(runs);
    }
    grid->ReorderRows(order);
}

// --- Drawing ------------------------------------------------------------------------------------

QFont CellFont(const StringGrid* grid, const CellStyle& style)
{
    QFont font = style.font ? *style.font : grid->font();
    if (style.bold)
        font.setBold(true);
    if (style.italic)
        font.setItalic(true);
    return font;
}

QRect CellTextRect(const QRect& cell, const CellStyle& style)
{
    return (style.alignment & Qt::AlignVCenter) ? cell.adjusted(2, 0, -2, 0) : cell.adjusted(2, 2, -2, 0);
}

QString SingleLineText(const QString& text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

QString ElidedCellText(const QFontMetrics& metrics, const QString& text, int width)
{
    const QString line = SingleLineText(text);
    if (metrics.horizontalAdvance(line) <= width)
        return line;
    return metrics.elidedText(line, Qt::ElideRight, qMax(0, width));
}

void DrawCellText(StringGrid* grid, QPainter* painter, const QRect& rect, const QString& text, const CellStyle& style)
{
    if (text.isEmpty())
        return;
    const QFont font = CellFont(grid, style);
    painter->save();
    painter->setClipRect(rect, Qt::IntersectClip);
    painter->setFont(font);
    painter->setPen(style.foreground.isValid() ? style.foreground : grid->palette().color(QPalette::Text));
    const bool vcentre = style.alignment & Qt::AlignVCenter;
    const QRect textRect = CellTextRect(rect, style);
    const Qt::Alignment h = style.alignment & Qt::AlignHorizontal_Mask;
    // A text longer than its cell ends in "…"; the whole of it is the cell's tool tip.
    painter->drawText(textRect, int(h ? h : Qt::AlignLeft) | int(vcentre ? Qt::AlignVCenter : Qt::AlignTop) | Qt::TextSingleLine,
                      ElidedCellText(QFontMetrics(font, painter->device()), text, textRect.width()));
    painter->restore();
}

void DrawGridCell(StringGrid* grid, QPainter* painter, int col, int row, const QRect& rect)
{
    DrawGridCell(grid, painter, col, row, rect, grid->StyleOf(col, row));
}

void DrawGridCell(StringGrid* grid, QPainter* painter, int col, int row, const QRect& rect, const CellStyle& style)
{
    const QPalette& palette = grid->palette();
    painter->save();
    const QColor background = style.background.isValid()
                                  ? style.background
                                  : palette.color(row == 0 ? QPalette::Button : QPalette::Base);
    painter->fillRect(rect, background);
    if (row == 0) {
        // The fixed title row: raised edges.
        painter->setPen(palette.color(QPalette::Light));
        painter->drawLine(rect.topLeft(), rect.topRight());
        painter->drawLine(rect.topLeft(), rect.bottomLeft());
        painter->setPen(palette.color(QPalette::Dark));
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->drawLine(rect.topRight(), rect.bottomRight());
    }
    bool painted = false;
    if (row >= 1 && grid->cellPainter())
        painted = grid->cellPainter()(painter, rect, col, row);
    if (!painted)
        DrawCellText(grid, painter, rect, grid->Cells(col, row), style);
    if (style.frame.isValid()) {
        painter->setPen(style.frame);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

void DrawCellPicture(QPainter* painter, const QRect& rect, const QPixmap& picture, int dx)
{
    if (picture.isNull())
        return;
    painter->save();
    painter->setClipRect(rect, Qt::IntersectClip);
    const QSize size = picture.deviceIndependentSize().toSize();
    painter->drawPixmap(QPoint(rect.left() + dx, rect.top() + (rect.height() - size.height()) / 2), picture);
    painter->restore();
}

namespace {

// The pieces of an item at their places: piece i at x[i]; pieces beyond the positions stay with the
// last one (a two-column item is its first part and everything after its first tab).
void DrawItemPieces(QComboBox* list, QPainter* painter, int index, const QRect& rect, QStyle::State state,
                    const QList<int>& positions, int margin, const char* who)
{
    Q_ASSERT_X(list, who, "the list must be a drop-down list");
    const QPalette& palette = list->palette();
    const bool highlighted = state & (QStyle::State_Selected | QStyle::State_HasFocus);
    const bool enabled = list->isEnabled() && (state & QStyle::State_Enabled);
    QColor background, text;
    if (highlighted) {
        background = palette.color(QPalette::Active, QPalette::Highlight);
        text = palette.color(QPalette::Active, QPalette::HighlightedText);
    } else {
        background = palette.color(QPalette::Active, QPalette::Base);
        text = enabled ? palette.color(QPalette::Active, QPalette::Text) : palette.color(QPalette::Disabled, QPalette::Text);
    }
    painter->save();
    painter->fillRect(rect, background);
    painter->setFont(list->font());
    painter->setPen(text);
    QStringList pieces = list->itemText(index).split(QLatin1Char('\t'));
    const qsizetype places = std::max<qsizetype>(1, positions.size());
    while (pieces.size() > places) {
        const QString last = pieces.takeLast();
        pieces.last() += QLatin1Char('\t') + last;
    }
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    painter->setClipRect(rect, Qt::IntersectClip);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const int x = rect.left() + positions.value(i, margin);
        // Up to 2 pixels before the next piece that is written, or to the end of the item.
        int right = rect.right() + 1;
        if (i + 1 < pieces.size() && !pieces[i + 1].isEmpty())
            right = rect.left() + positions.value(i + 1) - 2;
        if (pieces[i].isEmpty() || right <= x)
            continue;
        painter->drawText(QRect(x, rect.top() + margin, right - x, rect.height() - margin), flags, pieces[i]);
    }
    painter->restore();
}

// The closed list shows its current item as the drop-down draws it.
bool PaintClosedList(QComboBox* list, const std::function<void(QPainter*, const QRect&, QStyle::State)>& draw)
{
    QStylePainter painter(list);
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = false;
    option.frame = list->hasFrame();
    option.subControls = QStyle::SC_All;
    if (list->view() && list->view()->isVisible())
        option.state |= QStyle::State_On;
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
    if (list->currentIndex() >= 0) {
        QStyle::State state = option.state & QStyle::State_Enabled;
        if (list->hasFocus())
            state |= QStyle::State_Selected | QStyle::State_HasFocus;
        draw(&painter, field, state);
    }
    return true;
}

} // namespace

void DrawTwoColumnItem(QComboBox* list, QPainter* painter, int index, const QRect& rect, QStyle::State state,
                       int offset, int margin)
{
    DrawItemPieces(list, painter, index, rect, state, {margin, margin + offset}, margin, "DrawTwoColumnItem");
}

void DrawTabbedItem(QComboBox* list, QPainter* painter, int index, const QRect& rect, QStyle::State state,
                    const QList<int>& positions, int margin)
{
    DrawItemPieces(list, painter, index, rect, state, positions, margin, "DrawTabbedItem");
}

TwoColumnItemDelegate::TwoColumnItemDelegate(QComboBox* list, int offset, int margin)
    : QStyledItemDelegate(list), m_list(list), m_offset(offset), m_margin(margin)
{
    list->installEventFilter(this);
}

void TwoColumnItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    DrawTwoColumnItem(m_list, painter, index.row(), option.rect, option.state, m_offset, m_margin);
}

QSize TwoColumnItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QFontMetrics fm(m_list->font());
    const QString item = index.data().toString();
    const qsizetype tab = item.indexOf('\t');
    const int width = tab < 0 ? fm.horizontalAdvance(item)
                              : m_offset + fm.horizontalAdvance(item.mid(tab + 1));
    return {width + 2 * m_margin + 4, fm.height() + 2 * m_margin};
}

bool TwoColumnItemDelegate::eventFilter(QObject* watched, QEvent* event)
{
    // The closed list shows its current item in the same two columns.
    if (watched == m_list && event->type() == QEvent::Paint && !m_list->isEditable())
        return PaintClosedList(m_list, [this](QPainter* painter, const QRect& field, QStyle::State state) {
            DrawTwoColumnItem(m_list, painter, m_list->currentIndex(), field, state, m_offset, m_margin);
        });
    // The list is no editor of the delegate: its keys and focus changes are its own (the item
    // delegate's filter would take Tab and a focus loss for the end of an edit).
    return false;
}

TwoColumnItemDelegate* SetTwoColumnItems(QComboBox* list, int offset, int margin)
{
    auto* delegate = new TwoColumnItemDelegate(list, offset, margin);
    list->setItemDelegate(delegate);
    return delegate;
}

TabbedItemDelegate::TabbedItemDelegate(QComboBox* list, const QList<int>& positions, int margin)
    : QStyledItemDelegate(list), m_list(list), m_positions(positions), m_margin(margin)
{
    list->installEventFilter(this);
}

QList<int> TabbedItemDelegate::PixelPositions() const
{
    const double scale = std::max(1.0, QFontMetrics(m_list->font()).horizontalAdvance(QLatin1Char('0')) / 5.0);
    QList<int> pixels;
    for (int x : m_positions)
        pixels << int(std::lround(x * scale));
    return pixels;
}

void TabbedItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    DrawTabbedItem(m_list, painter, index.row(), option.rect, option.state, PixelPositions(), m_margin);
}

QSize TabbedItemDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const
{
    const QFontMetrics fm(m_list->font());
    const QList<int> positions = PixelPositions();
    const QStringList pieces = index.data().toString().split(QLatin1Char('\t'));
    const int last = int(std::min<qsizetype>(pieces.size(), positions.size())) - 1;
    const int width = last < 0 ? fm.horizontalAdvance(pieces.value(0))
                               : positions[last] + fm.horizontalAdvance(pieces.mid(last).join(QLatin1Char(' ')));
    return {width + 2 * m_margin + 4, fm.height() + 2 * m_margin};
}

bool TabbedItemDelegate::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::Paint && !m_list->isEditable())
        return PaintClosedList(m_list, [this](QPainter* painter, const QRect& field, QStyle::State state) {
            DrawTabbedItem(m_list, painter, m_list->currentIndex(), field, state, PixelPositions(), m_margin);
        });
    return false;
}

TabbedItemDelegate* SetTabbedItems(QComboBox* list, const QList<int>& positions, int margin)
{
    auto* delegate = new TabbedItemDelegate(list, positions, margin);
    list->setItemDelegate(delegate);
    return delegate;
}

// --- Clipboard ----------------------------------------------------------------------------------

QString GridText(const StringGrid* grid)
{
    if (!grid)
        return QString();
    const QList<int> cols = grid->VisibleColumns();
    QString text;
    for (int r = 0; r < grid->RowCount(); ++r) {
        const auto& row = grid->rows()[size_t(r)];
        for (qsizetype i = 0; i < cols.size(); ++i) {
            text += cellOf(row, cols[i]);
            if (i + 1 < cols.size())
                text += '\t';
        }
        text += QLatin1String("\r\n");
    }
    return text;
}

void CopyGridToClipboard(const StringGrid* grid)
{
    QGuiApplication::clipboard()->setText(GridText(grid));
}

void CopyToMemory()
{
    if (CurrentGrid)
        CopyGridToClipboard(CurrentGrid);
}

// --- Window background --------------------------------------------------------------------------

std::vector<GradientBand> GradientBands(int width, int height, const QColor& top, const QColor& bottom, int depth)
{
    std::vector<GradientBand> bands;
    if (height <= 0)
        return bands; // no bands for a window of no height
    int n = qMin(height, 250);
    if (depth == 8 && n >= 51)
        n = 50;
    else if (depth < 8)
        n = 4;
    const int bandHeight = height / n + 1;
    auto channel = [](int t, int b, int p) { return t + (b - t) * p / 100; }; // truncates toward zero
    bands.reserve(size_t(n) + 1);
    for (int i = 0; i <= n; ++i) {
        const int p = i * 100 / n;
        const QColor c(channel(top.red(), bottom.red(), p), channel(top.green(), bottom.green(), p),
                       channel(top.blue(), bottom.blue(), p));
        bands.push_back({QRect(0, i * bandHeight, width, bandHeight), c});
    }
    return bands;
}

void PaintGradient(QWidget* window, QPainter& painter, const QColor& top, const QColor& bottom)
{
    const int height = window->height();
    for (const GradientBand& band : GradientBands(window->width(), height, top, bottom, window->depth()))
        if (band.rect.top() < height)
            painter.fillRect(band.rect, band.color);
}

void PaintGradient(QWidget* window, const QColor& top, const QColor& bottom)
{
    QPainter painter(window);
    PaintGradient(window, painter, top, bottom);
}

bool PaintBlueTheme(QWidget* window, QPainter& painter)
{
    if (!BlueTheme)
        return false;
    PaintGradient(window, painter, BlueThemeTop, BlueThemeBottom);
    return true;
}

void ApplyPanelColour(QWidget* panel, const QColor& colour)
{
    if (!BlueTheme || !panel)
        return;
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
}

int RepaintOnTabOrAlt(QWidget* window, int key)
{
    if (!window || (key != Qt::Key_Tab && key != Qt::Key_Backtab && key != Qt::Key_Alt))
        return 0;
    int repainted = 0;
    for (QObject* child : window->children()) {
        if (qobject_cast<QPushButton*>(child) || qobject_cast<QRadioButton*>(child) || qobject_cast<QCheckBox*>(child)) {
            static_cast<QWidget*>(child)->update();
            ++repainted;
        }
    }
    return repainted;
}

// --- Totals -------------------------------------------------------------------------------------

bool AddGridTotals(StringGrid* grid, int decimals)
{
    if (!grid)
        return false;
    const int rows = grid->RowCount(); // the totals row will be row `rows`
    const int cols = grid->ColCount(); // the totals column will be column `cols`
    std::vector<std::optional<double>> columnSum(static_cast<size_t>(cols));
    std::vector<std::optional<double>> rowSum(static_cast<size_t>(rows) + 1);
    auto add = [](std::optional<double>& sum, double v) { sum = sum.value_or(0.0) + v; };
    try {
        for (int r = 1; r < rows; ++r)
            for (int c = 1; c < cols; ++c) {
                const QString text = grid->Cells(c, r);
                if (text == QLatin1String(" "))
                    continue;
                const double v = DecimalText::StrToFloat(text);
                add(columnSum[size_t(c)], v);
                add(rowSum[size_t(r)], v);
            }
    } catch (const ConversionError& e) {
        MessageBox::error(e.message());
        return false;
    }
    // A sum over no cell stays "0"; the grand total adds the column totals as written.
    auto written = [decimals](const std::optional<double>& sum) {
        return sum ? DecimalText::FormatFixed(*sum, decimals) : QStringLiteral("0");
    };
    GridUpdate update(grid);
    grid->setRowCount(rows + 1);
    grid->setColCount(cols + 1);
    grid->setCells(0, rows, LangText(QStringLiteral("label_totalsrow"), QStringLiteral("Totals  -")));
    for (int c = 1; c < cols; ++c) {
        const QString total = written(columnSum[size_t(c)]);
        grid->setCells(c, rows, total);
        add(rowSum[size_t(rows)], DecimalText::StrToFloat(total));
    }
    grid->setCells(cols, 0, LangText(QStringLiteral("label_totals"), QStringLiteral("Totals")));
    for (int r = 1; r <= rows; ++r)
        grid->setCells(cols, r, written(rowSum[size_t(r)]));
    return true;
}

// --- Column widths of a list -------------------------------------------------------------------

int FitColumnsToRoom(StringGrid* grid, const QList<ColumnRoom>& columns, int room)
{
    QFont bold = grid->font();
    bold.setBold(true);
    const QFontMetrics titleMetrics(bold);
    const QFontMetrics metrics(grid->font());
    const auto& rows = grid->rows();
    const qsizetype n = columns.size();
    std::vector<int> want(static_cast<size_t>(n)), least(static_cast<size_t>(n));
    for (qsizetype i = 0; i < n; ++i) {
        const int c = columns[i].col;
        int texts = 0;
        for (size_t r = 1; r < rows.size(); ++r)
            if (size_t(c) < rows[r].size())
                texts = std::max(texts, metrics.horizontalAdvance(rows[r][size_t(c)]) + 8);
        least[size_t(i)] = std::max(columns[i].minimum, texts);
        const QString title = rows.empty() || size_t(c) >= rows[0].size() ? QString() : rows[0][size_t(c)];
        want[size_t(i)] = std::max(least[size_t(i)], titleMetrics.horizontalAdvance(title) + 8);
    }
    auto widthAt = [&](size_t i, int cap) { return std::max(least[i], std::min(want[i], cap)); };
    auto total = [&](int cap) {
        int sum = 0;
        for (size_t i = 0; i < size_t(n); ++i)
            sum += widthAt(i, cap);
        return sum;
    };
    int cap = n > 0 ? *std::max_element(want.begin(), want.end()) : 0;
    while (cap > 0 && total(cap) > room)
        --cap;
    int used = 0;
    for (size_t i = 0; i < size_t(n); ++i) {
        grid->setColWidths(columns[qsizetype(i)].col, widthAt(i, cap));
        used += widthAt(i, cap);
    }
    return used;
}
