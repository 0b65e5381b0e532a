// The pie chart drawn: round, slices in their colours from 0 degrees counter-clockwise, labels
// inside their slices, negative parts named in the chart window's legend.
#include "i18n/Language.h"
#include "production/TForm4.h"
#include "production/TPieChart.h"
#include "store/RegionalSettings.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <cmath>
#include <numbers>

namespace {

QImage render(QWidget* w)
{
    QImage image(w->size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    w->render(&image);
    return image;
}

// Saves the picture for a person to look at when QUORVALE_SHOTS names a folder.
void keep(const QImage& image, const QString& name)
{
    const QString folder = qEnvironmentVariable("QUORVALE_SHOTS");
    if (!folder.isEmpty())
        image.save(folder + '/' + name + ".png");
}

// The colour at angle a (degrees) and distance d from the centre of the pie.
QColor at(const QImage& image, const TPieChart* pie, double degrees, double distance)
{
    const double a = degrees * std::numbers::pi / 180;
    const QPoint c = pie->Centre();
    return image.pixelColor(int(std::lround(c.x() + distance * std::cos(a))), int(std::lround(c.y() - distance * std::sin(a))));
}

const QStringList kUtilisation{QString::fromUtf8("612.5 Produção (78%)"), "41 Avarias (5%)", "131.25 Diversos (17%)"};

} // namespace

class TestPieChart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        ResetLanguageTables();
        RegionalSettings::setCurrent(RegionalSettings::pointLocale());
    }

    void slicesInOrderAndColour()
    {
        TPieChart pie;
        pie.resize(120, 120);
        pie.LoadItems({"1 a", "1 b", "2 c"});
        const QImage image = render(&pie);
        keep(image, "pie_1_1_2");
        // The 2 from 0 to 180 degrees in the first colour, then the two 1s in the next ones.
        QCOMPARE(at(image, &pie, 90, 30), pie.Colour1());
        QCOMPARE(at(image, &pie, 225, 30), pie.Colour2());
        QCOMPARE(at(image, &pie, 315, 30), pie.Colour3());
        pie.setColour2(QColor(10, 20, 30));
        QCOMPARE(at(render(&pie), &pie, 225, 30), QColor(10, 20, 30));
        // Nothing but the empty control when every value is 0.
        pie.LoadItems({"0 a", "0"});
        const QImage empty = render(&pie);
        QCOMPARE(empty.pixelColor(60, 60), empty.pixelColor(0, 0));
    }

    // In the chart window the pie is a circle, and every label lies inside the circle and inside its
    // own slice.
    void roundWithLabelsInsideTheirSlices()
    {
        TForm4 form;
        form.LoadItems(kUtilisation);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(form.Label_legend->isHidden());
        TPieChart* pie = form.PieChart1;
        const QImage image = render(pie);
        keep(render(&form), "pie_form");
        const int r = pie->Radius();
        QCOMPARE(r, 130);
        // Round: as far out in every direction, and nothing drawn beyond (the corners).
        const QColor outside = image.pixelColor(1, 1);
        for (int degrees = 0; degrees < 360; degrees += 15)
            QVERIFY2(at(image, pie, degrees, r - 3) != outside, qPrintable(QString::number(degrees)));
        for (int degrees = 45; degrees < 360; degrees += 90)
            QVERIFY2(at(image, pie, degrees, r + 4) == outside, qPrintable(QString::number(degrees)));
        const auto labels = pie->Labels();
        QCOMPARE(labels.size(), size_t(3)); // each inside its slice
        QVERIFY(pie->UnlabelledTexts().isEmpty());
        const auto slices = PieChart::Slices(pie->Items(), pie->Centre());
        for (const auto& label : labels) {
            const PieChart::Slice& s = slices[size_t(label.item)];
            // Every corner of the label lies inside the circle and within its slice, but for the
            // pixel or two that the rounding of the places gives.
            for (const QPoint corner : {label.rect.topLeft(), label.rect.topRight(), label.rect.bottomLeft(),
                                        label.rect.bottomRight()}) {
                const QPoint d = corner - pie->Centre();
                const double distance = std::hypot(d.x(), d.y());
                QVERIFY2(distance <= r + 2, qPrintable(label.text));
                double a = std::atan2(-d.y(), d.x());
                if (a < s.start - std::numbers::pi / 2)
                    a += 2 * std::numbers::pi;
                const double beyond = std::max(s.start - a, a - s.start - s.sweep);
                QVERIFY2(beyond <= 0 || distance * std::sin(beyond) <= 2, qPrintable(label.text));
            }
        }
    }

    // A label that does not fit its slice is not written over its neighbours: the legend names it.
    void narrowSlicesAreNamedInTheLegend()
    {
        TForm4 form;
        form.LoadItems({QString::fromUtf8("95 Produção (95%)"), "3 Diversos (3%)", "2 Avarias (2%)"});
        QCOMPARE(form.PieChart1->Labels().size(), size_t(1));
        QVERIFY(!form.Label_legend->isHidden());
        QVERIFY(form.Label_legend->text().contains("Diversos (3%); Avarias (2%)"));
        form.show();
        keep(render(&form), "pie_narrow");
    }

    void negativePartsAreNamedInTheLegend()
    {
        TForm4 form;
        const int height = form.height();
        form.LoadItems({"30 Produção (100%)", "-12.5 Sem Trabalho (-42%)"});
        QVERIFY(!form.Label_legend->isHidden());
        QVERIFY(form.Label_legend->text().contains("-12.5 Sem Trabalho (-42%)"));
        QVERIFY(form.height() > height);
        QCOMPARE(form.PieChart1->Total(), 30.0);
        form.show();
        keep(render(&form), "pie_negative");
        // The only slice drawn is the whole circle.
        QCOMPARE(at(render(form.PieChart1), form.PieChart1, 270, 40), form.PieChart1->Colour1());
        form.LoadItems(kUtilisation);
        QVERIFY(form.Label_legend->isHidden());
        QCOMPARE(form.height(), height);
    }
};

QTEST_MAIN(TestPieChart)
#include "tst_piechart.moc"
