#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/simulated_sensor.h"
#include "ui/port_chooser.h"
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
    // A dialog of its own instead of either window, made after the script ran.
    std::function<std::unique_ptr<QWidget>(zan::VirtualProgram&)> dialog = nullptr;
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
    std::unique_ptr<QWidget> dialog = scene.dialog ? scene.dialog(program) : nullptr;
    if (dialog) dialog->show();
    Settle();
    const std::string path = folder + "/" + scene.file;
    QWidget* window = dialog                 ? dialog.get()
                      : scene.progressWindow ? windows.ProgressWindow()
                                             : windows.MainWindow();
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

// Recording and raw logging a VSF on the graph tab, then stopped when asked.
void Record(zan::VirtualProgram& p, const std::string& files, bool stop) {
    VsfWithCalibration(p);
    p.ctx.main.Command1.Click();
    p.dialogs.AnswerFile(files + "/recording.txt");
    p.ctx.main.Command18.Click();
    p.pump.RunFor(4);
    p.dialogs.AnswerFile(files + "/raw_log.txt");
    p.ctx.main.Command19.Click();
    p.pump.RunFor(8);
    if (stop) {
        p.ctx.main.Command18.Click();
        p.pump.RunFor(3);
        p.ctx.main.Command19.Click();
    }
    p.ctx.main.SSTab1.SetCurrentTab(1);
}

// "Choose Devices…" on a machine with two USB adapters and a built-in port,
// port 1 being the simulated sensor.
std::unique_ptr<QWidget> Chooser(zan::VirtualProgram& p) {
    zan::PortMap map;
    map.paths = {{1, "/dev/ttyUSB0"}, {2, "/dev/ttyUSB1"}, {3, "/dev/ttyS0"}};
    const std::vector<zan::SerialDevice> devices = {
        {"/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3XQ2-if00-port0",
         "0403:6001", "FTDI", "FT232R USB UART", "A10K3XQ2"},
        {"/dev/ttyUSB1", "/dev/serial/by-id/usb-Prolific_USB-Serial_Controller-if00-port0",
         "067b:2303", "Prolific", "USB-Serial Controller", ""},
        {"/dev/ttyS0", "", "", "", "", ""}};
    zan::SerialPort& port = p.ctx.platform.port;
    const auto describe = [&port, &map](int n) {
        return n == 1               ? port.Describe(n)
               : map.paths.count(n) ? map.paths.at(n)
                                    : std::string("no device");
    };
    auto chooser = std::make_unique<zan::ui::PortChooser>(map, devices, describe, nullptr);
    chooser->setWindowTitle("Choose Devices");
    chooser->resize(1000, 420);
    return chooser;
}

// Graphing whatever view is chosen for some seconds, shown on the graph tab.
void GraphFor(zan::VirtualProgram& p, double seconds) {
    p.ctx.main.Command1.Click();
    p.pump.RunFor(seconds);
    p.ctx.main.SSTab1.SetCurrentTab(1);
}

// A TRIA head configured by Apply, the frame put back as it opens, then read again.
void TriaSetupAfterRetrieval(zan::VirtualProgram& p) {
    zan::MainForm& m = p.ctx.main;
    m.inst6.Click();
    p.pump.RunFor(2);
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
}

// The testing panel after a capture of ten points and two steps.
void TestingPanel(zan::VirtualProgram& p) {
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
}

// Every picture; the recordings shown are written under `files`.
std::vector<Scene> Scenes(const std::string& files) {
    using zan::sim::SensorModel;
    using P = zan::VirtualProgram;
    return {
        {"status_recording.png", SensorModel::Vsf, [files](P& p) { Record(p, files, false); }},
        {"status_stopped.png", SensorModel::Vsf, [files](P& p) { Record(p, files, true); }},
        {"port_chooser.png", SensorModel::Vsf, [](P&) {}, false, Chooser},
        {"angle_graph_tria.png", SensorModel::Tria,
         [](P& p) {
             p.ctx.main.inst6.Click();
             p.ctx.main.triarcvsa.Click();
             GraphFor(p, 10);
         }},
        {"time_graph_dfl_chlorophyll.png", SensorModel::Dfl,
         [](P& p) {
             p.ctx.main.inst4.Click();
             p.ctx.main.Text16.SetText("0.05");
             p.ctx.main.Text10.SetText("50");
             p.ctx.main.df2.Click();
             GraphFor(p, 90);
         }},
        {"calibration_vsf.png", SensorModel::Vsf,
         [](P& p) {
             VsfWithCalibration(p);
             p.pump.RunFor(6);
             p.ctx.main.SSTab1.SetCurrentTab(2);
         }},
        {"output_vsf.png", SensorModel::Vsf,
         [](P& p) {
             VsfWithCalibration(p);
             p.pump.RunFor(6);
             p.ctx.main.SSTab1.SetCurrentTab(1);
             p.ctx.main.SSTab2.SetCurrentTab(1);
         }},
        {"angle_graph_vsf.png", SensorModel::Vsf,
         [](P& p) {
             VsfWithCalibration(p);
             GraphFor(p, 10);
         }},
        {"time_graph_dfl.png", SensorModel::Dfl,
         [](P& p) {
             p.ctx.main.inst4.Click();
             p.ctx.main.df3.Click();
             GraphFor(p, 300);
         }},
        {"progress_window.png", SensorModel::Tria,
         [](P& p) { p.ctx.progress.Form3.SetVisible(true); }, true},
        {"tria_setup_after_retrieval.png", SensorModel::Tria, TriaSetupAfterRetrieval},
        {"testing_panel_vsf.png", SensorModel::Vsf, TestingPanel},
    };
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zanhost-shots OUTDIR\n");
        return 2;
    }
    // The recordings shown go to a folder of their own, removed at the end.
    const std::string files =
        (std::filesystem::temp_directory_path() / ("zanhost-shots-" + std::to_string(::getpid())))
            .string();
    std::filesystem::create_directories(files);
    int failures = 0;
    for (const Scene& scene : Scenes(files)) failures += Shoot(scene, argv[1]) ? 0 : 1;
    std::filesystem::remove_all(files);
    return failures;
}
