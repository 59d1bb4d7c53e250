#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/simulated_sensor.h"
#include "ui/window_binder.h"
#include "ui/window_picture.h"
#include "virtual/virtual_program.h"

// zanhost-shots OUTDIR: draws the pictures of docs/screenshots from scripted
// sessions on virtual time, so they come out the same on every run.
namespace {

struct Scene {
    const char* file;
    zan::sim::SensorModel model;
    std::function<void(zan::VirtualProgram&)> script;
    // The progress window instead of the main window.
    bool progressWindow = false;
};

void Settle() {
    QEventLoop loop;
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
    loop.exec();
}

bool Shoot(const Scene& scene, const std::string& folder) {
    zan::VirtualProgram program;
    program.port.Attach(1, std::make_shared<zan::sim::SimulatedSensor>(scene.model));
    zan::ui::WindowBinder windows(program.ctx);
    program.ctx.state.InstrumentType = 0;
    program.ctx.state.QuickSetupPort = 1;
    program.Load();
    program.ctx.main.Form1.SetVisible(true);
    windows.MainWindow()->resize(1180, 800);
    windows.ShowVisibleWindows();
    scene.script(program);
    Settle();
    const std::string path = folder + "/" + scene.file;
    QWidget* window = scene.progressWindow ? windows.ProgressWindow() : windows.MainWindow();
    if (!zan::ui::WindowPicture(window).save(QString::fromStdString(path))) {
        std::fprintf(stderr, "zanhost-shots: cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

// A VSF with the sample calibration loaded, on the beta view.
void VsfWithCalibration(zan::VirtualProgram& p) {
    p.ctx.main.inst2.Click();
    p.dialogs.AnswerFile(std::string(ZANHOST_SOURCE_DIR) + "/examples/vsf_cal_info.txt");
    p.ctx.main.Command30.Click();
    p.ctx.main.mang.Click();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zanhost-shots OUTDIR\n");
        return 2;
    }
    using zan::sim::SensorModel;
    const std::vector<Scene> scenes = {
        {"calibration_vsf.png", SensorModel::Vsf,
         [](zan::VirtualProgram& p) {
             VsfWithCalibration(p);
             p.pump.RunFor(6);
             p.ctx.main.SSTab1.SetCurrentTab(2);
         }},
        {"output_vsf.png", SensorModel::Vsf,
         [](zan::VirtualProgram& p) {
             VsfWithCalibration(p);
             p.pump.RunFor(6);
             p.ctx.main.SSTab1.SetCurrentTab(1);
             p.ctx.main.SSTab2.SetCurrentTab(1);
         }},
        {"angle_graph_vsf.png", SensorModel::Vsf,
         [](zan::VirtualProgram& p) {
             VsfWithCalibration(p);
             p.ctx.main.Command1.Click();
             p.pump.RunFor(10);
             p.ctx.main.SSTab1.SetCurrentTab(1);
         }},
        {"time_graph_dfl.png", SensorModel::Dfl,
         [](zan::VirtualProgram& p) {
             p.ctx.main.inst4.Click();
             p.ctx.main.df3.Click();
             p.ctx.main.Command1.Click();
             p.pump.RunFor(300);
             p.ctx.main.SSTab1.SetCurrentTab(1);
         }},
        {"progress_window.png", SensorModel::Tria,
         [](zan::VirtualProgram& p) { p.ctx.progress.Form3.SetVisible(true); }, true},
        {"tria_setup_after_retrieval.png", SensorModel::Tria,
         [](zan::VirtualProgram& p) {
             zan::MainForm& m = p.ctx.main;
             m.inst6.Click();
             p.pump.RunFor(2);
             // Apply a configuration, put the frame back as it opens, then read the head.
             m.Combo1.SetListIndex(3);
             m.Combo2.SetListIndex(0);
             m.Combo3.SetListIndex(2);
             m.Check5.SetValue(1);
             m.Combo4.SetListIndex(1);
             m.Command4.Click();
             for (auto [combo, text] : {std::pair{&m.Combo1, "Sensor 1"},
                                        {&m.Combo2, "Sensor 2"},
                                        {&m.Combo3, "Sensor 3"},
                                        {&m.Combo4, "Select Output Format"}})
                 combo->SetText(text);
             m.Check5.SetValue(0);
             p.pump.RunFor(2);
             m.Command12.Click();
             m.SSTab1.SetCurrentTab(0);
         }},
        {"testing_panel_vsf.png", SensorModel::Vsf,
         [](zan::VirtualProgram& p) {
             zan::MainForm& m = p.ctx.main;
             m.inst2.Click();
             m.Image1.Click();
             m.Text12.SetText("10");
             m.Command23.Click();
             p.pump.RunFor(12);
             // The points go nowhere; the picture shows the step they advance.
             p.dialogs.AnswerFile("/dev/null");
             m.Command20.Click();
             m.Command21.Click();
             m.Command21.Click();
             m.SSTab1.SetCurrentTab(2);
         }},
    };
    int failures = 0;
    for (const Scene& scene : scenes) failures += Shoot(scene, argv[1]) ? 0 : 1;
    return failures;
}
