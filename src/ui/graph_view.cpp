#include "ui/graph_view.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QPointer>
#include <QValueAxis>

#include "controls/controls.h"
#include "ui/qt_text.h"

namespace zan::ui {
namespace {

constexpr double kMillisecondsPerDay = 86400000.0;

// Times of day are held as fractions of a day and shown as clock times.
bool IsTimeAxis(const Graph::Axis& axis) { return axis.format.find("hh") != std::string::npos; }

class GraphView : public QChartView {
public:
    GraphView(Graph& graph, QWidget* parent) : QChartView(parent), graph_(graph) {
        setObjectName(ToQt(graph.Name()));
        setRenderHint(QPainter::Antialiasing);
        auto* chart = new QChart;
        chart->legend()->hide();
        setChart(chart);
        xTime_ = IsTimeAxis(graph.GetAxis(1));
        if (xTime_) {
            auto* axis = new QDateTimeAxis;
            axis->setFormat("hh:mm:ss");
            axisX_ = axis;
        } else {
            axisX_ = new QValueAxis;
        }
        axisY_ = new QValueAxis;
        chart->addAxis(axisX_, Qt::AlignBottom);
        chart->addAxis(axisY_, Qt::AlignLeft);
        for (size_t i = 0; i < graph.Plots().size(); ++i) {
            auto* series = new QLineSeries;
            series->setPointsVisible(true);
            chart->addSeries(series);
            series->attachAxis(axisX_);
            series->attachAxis(axisY_);
            series_.push_back(series);
        }
        UpdateAxes();
        for (size_t i = 0; i < series_.size(); ++i) UpdatePlot(static_cast<int>(i));
        UpdateCaption();
    }

    void OnChange(Property property) {
        if (property == Property::Axes) UpdateAxes();
        else if (property == Property::Plots) {
            if (graph_.ChangedPlot() >= 0) UpdatePlot(graph_.ChangedPlot());
            else
                for (size_t i = 0; i < series_.size(); ++i) UpdatePlot(static_cast<int>(i));
        } else if (property == Property::Caption) UpdateCaption();
    }

private:
    double X(double x) const { return xTime_ ? x * kMillisecondsPerDay : x; }

    void UpdateAxes() {
        const Graph::Axis& x = graph_.GetAxis(1);
        const Graph::Axis& y = graph_.GetAxis(2);
        if (xTime_) {
            static_cast<QDateTimeAxis*>(axisX_)->setRange(
                QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(X(x.minimum)), Qt::UTC),
                QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(X(x.maximum)), Qt::UTC));
        } else {
            static_cast<QValueAxis*>(axisX_)->setRange(x.minimum, x.maximum);
        }
        axisY_->setRange(y.minimum, y.maximum);
    }

    void UpdatePlot(int index) {
        if (index < 0 || index >= static_cast<int>(series_.size())) return;
        const Graph::Plot& plot = graph_.Plots()[static_cast<size_t>(index)];
        QList<QPointF> points;
        const size_t n = std::min(plot.x.size(), plot.y.size());
        points.reserve(static_cast<qsizetype>(n));
        for (size_t i = 0; i < n; ++i) points.append(QPointF(X(plot.x[i]), plot.y[i]));
        series_[static_cast<size_t>(index)]->replace(points);
    }

    void UpdateCaption() { chart()->setTitle(ToQt(graph_.Caption())); }

    Graph& graph_;
    bool xTime_ = false;
    QAbstractAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    std::vector<QLineSeries*> series_;
};

}  // namespace

QWidget* CreateGraphView(Graph& graph, QWidget* parent) {
    auto* view = new GraphView(graph, parent);
    QPointer<GraphView> guard(view);
    graph.Observe([guard](Property p) {
        if (guard) guard->OnChange(p);
    });
    return view;
}

}  // namespace zan::ui
