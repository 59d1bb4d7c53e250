#include "ui/graph_view.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsLineItem>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSvgGenerator>
#include <QToolButton>
#include <QValueAxis>
#include <cmath>

#include "controls/controls.h"
#include "ui/frame_pacer.h"
#include "ui/on_change.h"
#include "ui/qt_text.h"

namespace zan::ui {
namespace {

constexpr double kMillisecondsPerDay = 86400000.0;
const char* const kTimeFormat = "hh:mm:ss";
// Divisions narrower than a second are labelled to the millisecond.
const char* const kFineTimeFormat = "hh:mm:ss.zzz";
// More divisions than this are drawn in groups of whole divisions, so the
// labels stay readable on a window widened by hand.
constexpr double kMostTimeDivisions = 40;
// Without a division width from the model, the time axis has this many.
constexpr double kDefaultTimeDivisions = 4;

// Times of day are held as fractions of a day and shown as clock times.
bool IsTimeAxis(const Graph::Axis& axis) { return axis.format.find("hh") != std::string::npos; }

// The head's colour plots are drawn in their sensor's colour.
QColor PlotColour(const std::string& plotName) {
    if (plotName.find("red") != std::string::npos) return QColor(200, 30, 30);
    if (plotName.find("green") != std::string::npos) return QColor(20, 150, 40);
    if (plotName.find("blue") != std::string::npos) return QColor(30, 70, 210);
    return {};
}

class GraphView : public QChartView {
  public:
    GraphView(Graph& graph, QWidget* parent) : QChartView(parent), graph_(graph) {
        setObjectName(ToQt(graph.Name()));
        setRenderHint(QPainter::Antialiasing);
        setMouseTracking(true);
        auto* chart = new QChart;
        chart->legend()->hide();
        setChart(chart);
        xTime_ = IsTimeAxis(graph.GetAxis(1));
        if (xTime_) {
            auto* axis = new QCategoryAxis;
            axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
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
            series->setName(ToQt(graph.Plots()[i].name));
            if (const QColor colour = PlotColour(graph.Plots()[i].name); colour.isValid())
                series->setPen(QPen(colour, 2));
            chart->addSeries(series);
            series->attachAxis(axisX_);
            series->attachAxis(axisY_);
            series_.push_back(series);
        }
        MakeCrosshair();
        MakeExportButton();
        axesDirty_ = captionDirty_ = true;
        dirtyPlots_.assign(series_.size(), true);
        Redraw();
    }

    void OnChange(Property property) {
        if (property == Property::Axes)
            axesDirty_ = true;
        else if (property == Property::Caption)
            captionDirty_ = true;
        else if (property == Property::Plots) {
            // The model numbers its plots from 1.
            const int changed = graph_.ChangedPlot() - 1;
            if (changed >= 0 && changed < static_cast<int>(dirtyPlots_.size()))
                dirtyPlots_[static_cast<size_t>(changed)] = true;
            else
                dirtyPlots_.assign(series_.size(), true);
        } else {
            return;
        }
        // A history of ten thousand points costs a redraw: one a frame, none while hidden.
        frame_.Ask();
    }

    void Redraw() {
        if (captionDirty_) chart()->setTitle(ToQt(graph_.Caption()));
        if (axesDirty_) UpdateAxes();
        for (size_t i = 0; i < dirtyPlots_.size(); ++i)
            if (dirtyPlots_[i]) UpdatePlot(i);
        axesDirty_ = captionDirty_ = false;
        dirtyPlots_.assign(series_.size(), false);
    }

    QString Save(const QString& path) {
        Redraw();
        crosshairX_->hide();
        crosshairY_->hide();
        readout_->hide();
        exportButton_->hide();
        QString problem;
        if (path.endsWith(".svg", Qt::CaseInsensitive)) {
            QSvgGenerator svg;
            svg.setFileName(path);
            svg.setSize(size());
            svg.setViewBox(rect());
            svg.setTitle(chart()->title());
            QPainter painter;
            if (!painter.begin(&svg))
                problem = "cannot write " + path;
            else
                render(&painter);
        } else if (!grab().save(path, "PNG")) {
            problem = "cannot write " + path;
        }
        exportButton_->show();
        if (problem.isEmpty() && !QFileInfo(path).isFile()) problem = "cannot write " + path;
        return problem;
    }

  protected:
    bool event(QEvent* event) override {
        if (!frame_.IsDue(event)) return QChartView::event(event);
        Redraw();
        return true;
    }

    void showEvent(QShowEvent* event) override {
        Redraw();
        QChartView::showEvent(event);
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        QChartView::mouseMoveEvent(event);
        const QPointF scenePos = mapToScene(event->position().toPoint());
        const QRectF area = chart()->plotArea();
        if (!area.contains(chart()->mapFromScene(scenePos))) {
            crosshairX_->hide();
            crosshairY_->hide();
            readout_->hide();
            return;
        }
        const QPointF at = chart()->mapFromScene(scenePos);
        crosshairX_->setLine(at.x(), area.top(), at.x(), area.bottom());
        crosshairY_->setLine(area.left(), at.y(), area.right(), at.y());
        const QPointF value = chart()->mapToValue(at, series_.empty() ? nullptr : series_.front());
        const QString x =
            xTime_ ? QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(value.x()), Qt::UTC)
                         .toString(kTimeFormat)
                   : QString::number(value.x(), 'g', 6);
        readout_->setText(x + "   " + QString::number(value.y(), 'g', 6));
        readout_->setPos(at + QPointF(10, -22));
        crosshairX_->show();
        crosshairY_->show();
        readout_->show();
    }

    void leaveEvent(QEvent* event) override {
        QChartView::leaveEvent(event);
        crosshairX_->hide();
        crosshairY_->hide();
        readout_->hide();
    }

    void resizeEvent(QResizeEvent* event) override {
        QChartView::resizeEvent(event);
        exportButton_->move(width() - exportButton_->width() - 8, 8);
    }

  private:
    double X(double x) const { return xTime_ ? x * kMillisecondsPerDay : x; }

    void MakeCrosshair() {
        QPen pen(QColor(120, 120, 120), 0, Qt::DashLine);
        crosshairX_ = new QGraphicsLineItem(chart());
        crosshairY_ = new QGraphicsLineItem(chart());
        crosshairX_->setPen(pen);
        crosshairY_->setPen(pen);
        readout_ = new QGraphicsSimpleTextItem(chart());
        for (QGraphicsItem* item :
             {static_cast<QGraphicsItem*>(crosshairX_), static_cast<QGraphicsItem*>(crosshairY_),
              static_cast<QGraphicsItem*>(readout_)}) {
            item->setZValue(10);
            item->hide();
        }
    }

    void MakeExportButton() {
        exportButton_ = new QToolButton(this);
        exportButton_->setObjectName(objectName() + "Export");
        exportButton_->setText("Export");
        exportButton_->setToolTip("Save the graph as a picture");
        exportButton_->setPopupMode(QToolButton::InstantPopup);
        auto* menu = new QMenu(exportButton_);
        menu->addAction("Save Graph as PNG...", this, [this] { AskAndSave("png"); });
        menu->addAction("Save Graph as SVG...", this, [this] { AskAndSave("svg"); });
        exportButton_->setMenu(menu);
        exportButton_->adjustSize();
    }

    void AskAndSave(const QString& suffix) {
        const QString filter = suffix == "svg" ? "SVG pictures (*.svg)" : "PNG pictures (*.png)";
        QFileDialog dialog(this, "Save Graph", objectName() + "." + suffix, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(suffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
        const QString problem = Save(dialog.selectedFiles().front());
        if (!problem.isEmpty()) QMessageBox::warning(this, "Error", problem);
    }

    void UpdateAxes() {
        const Graph::Axis& x = graph_.GetAxis(1);
        const Graph::Axis& y = graph_.GetAxis(2);
        if (xTime_)
            UpdateTimeDivisions(x);
        else
            axisX_->setRange(x.minimum, x.maximum);
        axisY_->setRange(y.minimum, y.maximum);
        axisX_->setTitleText(ToQt(x.title));
        axisY_->setTitleText(ToQt(y.title));
    }

    // The time axis is divided from its left edge in the model's division
    // width, each division line labelled with its time of day, so the grid
    // says what the window's label says.
    void UpdateTimeDivisions(const Graph::Axis& x) {
        const double low = X(x.minimum), high = X(x.maximum);
        const double width = x.division > 0 ? X(x.division) : (high - low) / kDefaultTimeDivisions;
        if (low == shownLow_ && high == shownHigh_ && width == shownWidth_) return;
        shownLow_ = low;
        shownHigh_ = high;
        shownWidth_ = width;
        auto* axis = static_cast<QCategoryAxis*>(axisX_);
        for (const QString& label : axis->categoriesLabels()) axis->remove(label);
        axis->setRange(low, high);
        if (!(high > low) || !(width > 0)) return;
        const double step = width * std::ceil((high - low) / width / kMostTimeDivisions);
        const char* format = step < 1000 ? kFineTimeFormat : kTimeFormat;
        const auto label = [format](double ms) {
            return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::llround(ms)), Qt::UTC)
                .toString(format);
        };
        // The first category ends on the left edge, so the edge carries its time too.
        axis->setStartValue(low - step / 1000);
        for (double at = low; at <= high + step / 1000; at += step) axis->append(label(at), at);
    }

    void UpdatePlot(size_t index) {
        if (index >= series_.size() || index >= graph_.Plots().size()) return;
        const Graph::Plot& plot = graph_.Plots()[index];
        QList<QPointF> points;
        const size_t n = std::min(plot.x.size(), plot.y.size());
        points.reserve(static_cast<qsizetype>(n));
        for (size_t i = 0; i < n; ++i) points.append(QPointF(X(plot.x[i]), plot.y[i]));
        series_[index]->replace(points);
    }

    Graph& graph_;
    bool xTime_ = false;
    QAbstractAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    std::vector<QLineSeries*> series_;
    QGraphicsLineItem* crosshairX_ = nullptr;
    QGraphicsLineItem* crosshairY_ = nullptr;
    QGraphicsSimpleTextItem* readout_ = nullptr;
    QToolButton* exportButton_ = nullptr;
    double shownLow_ = 0, shownHigh_ = 0, shownWidth_ = 0;
    bool axesDirty_ = false;
    bool captionDirty_ = false;
    std::vector<bool> dirtyPlots_;
    FrameRequest frame_{this};
};

}  // namespace

QWidget* CreateGraphView(Graph& graph, QWidget* parent) {
    auto* view = new GraphView(graph, parent);
    OnChange(graph, view, [](GraphView* v, Property p) { v->OnChange(p); });
    return view;
}

QString SaveGraphPicture(QWidget* graphView, const QString& path) {
    auto* view = dynamic_cast<GraphView*>(graphView);
    return view ? view->Save(path) : QString("not a graph");
}

}  // namespace zan::ui
