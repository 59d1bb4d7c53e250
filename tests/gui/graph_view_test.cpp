#include "ui/graph_view.h"

#include <gtest/gtest.h>

#include <QChartView>
#include <QFile>
#include <QImage>
#include <QLineSeries>

#include "core/test_support.h"
#include "gui/qt_test_app.h"
#include "sim/simulated_sensor.h"
#include "ui/window_binder.h"
#include "virtual/virtual_program.h"

namespace zan::ui {
namespace {

// A simulated fluorometer streaming for some virtual minutes, graphed on CWGraph2.
class GraphViewTest : public ::testing::Test {
  protected:
    GraphViewTest() {
        test::App();
        program.port.Attach(1, std::make_shared<sim::SimulatedSensor>(sim::SensorModel::Dfl));
        binder = std::make_unique<WindowBinder>(program.ctx);
        program.ctx.state.InstrumentType = 2;  // the quick setup's DFL
        program.ctx.state.QuickSetupPort = 1;
        program.Load();
        program.ctx.main.df3.Click();
        program.ctx.main.Command1.Click();
    }

    QChartView* View(const char* name) {
        return qobject_cast<QChartView*>(binder->Find(program.ctx.main.Form1, name));
    }
    static QLineSeries* Series(QChartView* view, int index) {
        return qobject_cast<QLineSeries*>(view->chart()->series().at(index));
    }

    VirtualProgram program;
    std::unique_ptr<WindowBinder> binder;
};

TEST_F(GraphViewTest, TheTimeChartHoldsTheModelsPointsAfterMinutesOfStreaming) {
    program.pump.RunFor(180);
    QChartView* view = View("CWGraph2");
    ASSERT_NE(view, nullptr);
    RedrawGraphView(view);
    const Graph::Plot& plot = program.ctx.main.CWGraph2.Plots().at(0);
    ASSERT_GE(plot.x.size(), 100u);
    const QList<QPointF> points = Series(view, 0)->points();
    ASSERT_EQ(points.size(), static_cast<qsizetype>(plot.x.size()));
    for (qsizetype i = 0; i < points.size(); ++i) {
        // The time axis shows days as milliseconds of a clock time.
        EXPECT_NEAR(points[i].x(), plot.x[static_cast<size_t>(i)] * 86400000.0, 0.5);
        EXPECT_EQ(points[i].y(), plot.y[static_cast<size_t>(i)]);
    }
    EXPECT_EQ(view->chart()->title().toStdString(), program.ctx.main.CWGraph2.Caption());
}

TEST_F(GraphViewTest, RedrawsAreGatheredWhileDataStreams) {
    QChartView* view = View("CWGraph2");
    RedrawGraphView(view);
    const qsizetype before = Series(view, 0)->count();
    program.pump.RunFor(20);
    // Not drawn yet: the model changed twenty times, the chart waits for its next redraw.
    EXPECT_EQ(Series(view, 0)->count(), before);
    test::RunEventLoop(80);
    EXPECT_EQ(Series(view, 0)->count(),
              static_cast<qsizetype>(program.ctx.main.CWGraph2.Plots().at(0).x.size()));
}

TEST_F(GraphViewTest, EachPlotOfTheModelLandsInItsOwnSeries) {
    Graph& graph = program.ctx.main.CWGraph1;
    QChartView* view = View("CWGraph1");
    graph.PlotXY(3, {100, 125}, {7, 8});
    graph.PlotXY(1, {100}, {5});
    RedrawGraphView(view);
    EXPECT_EQ(Series(view, 0)->points(), (QList<QPointF>{{100, 5}}));
    EXPECT_EQ(Series(view, 1)->count(), 0);
    EXPECT_EQ(Series(view, 2)->points(), (QList<QPointF>{{100, 7}, {125, 8}}));
}

TEST_F(GraphViewTest, SavesTheGraphAsPngAndSvg) {
    program.pump.RunFor(30);
    zan::test::TempFolder folder;
    QChartView* view = View("CWGraph2");
    const QString png = QString::fromStdString((folder / "time.png").string());
    const QString svg = QString::fromStdString((folder / "time.svg").string());
    EXPECT_EQ(SaveGraphPicture(view, png), "");
    EXPECT_EQ(SaveGraphPicture(view, svg), "");
    EXPECT_EQ(QImage(png).size(), view->size());
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("<svg"));
    EXPECT_NE(SaveGraphPicture(view, "/no/such/folder/time.png"), "");
}

}  // namespace
}  // namespace zan::ui
