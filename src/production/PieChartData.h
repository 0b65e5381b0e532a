#pragma once

// What the pie chart shows and where: a list of texts, each a number, a space and a label, read
// into values sorted largest first, then the slices (angles, colours) and the places of their
// labels. The drawing itself is TPieChart's.

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

// One chart item's payload: the object that came with the input text (may be empty) and its value.
struct TObjectAndDouble {
    QVariant object;
    double value = 0;
};

struct PieChartItem {
    QString text; // the whole input text, trimmed
    TObjectAndDouble data;
};

// The chart items: unsorted as built, duplicates accepted.
using TStringListWithDouble = std::vector<PieChartItem>;

namespace PieChart {

inline constexpr int ColourCount = 6;
inline constexpr double LabelMinimumSweep = 0.13; // radians: narrower slices get no label
inline constexpr double HiddenSliceSweep = 0.15;  // radians: see PieSlices

// Reads the texts: the number is the part before the first space (the whole text without a space)
// in the local format; a text whose number does not read is skipped. Sorted by value, largest
// first. objects[i] (when given) goes with texts[i].
TStringListWithDouble LoadItems(const QStringList& texts, const QList<QVariant>& objects = {});

// The item's label: its text after the first space, trimmed; empty without a space.
QString LabelOf(const PieChartItem& item);

// The sum of the values that are drawn (the negative ones are left out).
double DrawnTotal(const TStringListWithDouble& items);

// The point at `angle` (radians, counter-clockwise from pointing right; screen y points down) and
// `distance` from c, each coordinate rounded to the nearest integer (halves to the even neighbour).
QPoint PointAt(const QPoint& c, double angle, double distance);

struct Slice {
    int item = 0;       // index into the items
    double start = 0;   // radians
    double sweep = 0;   // radians, counter-clockwise
    int colour = -1;    // 0 .. ColourCount - 1, or -1 when the slice is not drawn
    bool negative = false; // a negative value: no slice, no label, named in the legend
    bool drawn() const { return colour >= 0; }
    bool labelled = false; // its label is written (sweep above LabelMinimumSweep, label not empty)
    double middle() const { return start + sweep / 2; }
};

// The slices of the items around centre c: from angle 0, each sweeping 2 pi x value / total (the
// total of DrawnTotal). A slice whose start and end points at distance 1000 are the same point and
// whose sweep is at most HiddenSliceSweep is not drawn and takes no colour; the others take the
// colours in turn. Negative items sweep nothing. None when the total is 0 or less.
std::vector<Slice> Slices(const TStringListWithDouble& items, const QPoint& c);

// Where a label of half width w2 and half height h2 goes (its top-left corner) for a slice whose
// middle angle is m, in a pie of radius r around c: from P, the point at m and distance r, d is
// the largest distance (rounded) from c to a corner of the label's box centred on P; the box is
// pulled in to distance 2r - d, so that its outer corner lies on the circle.
QPoint LabelTopLeft(const QPoint& c, int r, double m, int w2, int h2);

// Whether a label's box lies inside its slice: every corner within the circle of radius r around c
// and on the slice's side of both its edges, give or take `tolerance` pixels (the rounding of the
// places above).
bool LabelInsideSlice(const QPoint& c, int r, const Slice& slice, const QRect& box, double tolerance = 2);

// The texts of the items left out because they are negative, for the legend below the pie.
QStringList LeftOutTexts(const TStringListWithDouble& items);

} // namespace PieChart
