#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>

#include "core/numbered_stream.h"
#include "gui/qt_pty_program.h"
#include "state/view_codes.h"
#include "ui/qt_dialogs.h"

namespace zan::ui {
namespace {

namespace fs = std::filesystem;

// The real message boxes; the file dialogs answered by the test.
struct RealBoxes : QtDialogs {
    FileDialogResult OpenFile(const FileDialogRequest& request) override {
        return files.OpenFile(request);
    }
    FileDialogResult SaveFile(const FileDialogRequest& request) override {
        return files.SaveFile(request);
    }
    ScriptedDialogs files;
};

QMessageBox* ShownBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }

// A sensor on the pseudo-terminal streams 2000 lines a second into a
// recording and a raw log. The raw log's disk fills: its "Error" box stays
// up, untouched, for three seconds, and meanwhile the lines keep coming, the
// counter moves and the recording takes every one of them. Then the adapter
// is pulled and its box left open: the port is back within a second of the
// adapter, and the recording goes on, no line holding two measurements.
TEST(RealMessageBox, BoxesLeftOpenHoldUpNeitherTheStreamNorTheFilesNorTheLostPort) {
    const zan::test::TempFolder folder;
    const fs::path recording = folder / "recording.txt", raw = folder / "raw.txt";
    const fs::path link = folder / "usb-Maker_Adapter_A1-if00-port0";
    zan::test::Stream sensor;
    test::App();
    RealBoxes dialogs;
    test::QtPtyProgram p(PortMap{{{1, link.string()}}}, 1, &dialogs);
    p.ServeBehind(sensor, link);
    MainForm& m = p.ctx.main;
    p.ctx.state.InstrumentType = 1;  // the quick setup's VSF
    p.ctx.state.QuickSetupPort = 1;
    MainForm_Load(p.ctx);
    p.ctx.state.GraphView = kViewVsfCounts;
    ASSERT_TRUE(p.port.IsOpen());
    for (auto [button, file] : {std::pair{&m.Command18, recording}, {&m.Command19, raw}}) {
        dialogs.files.AnswerFile(file.string());
        button->Click();
    }
    ASSERT_TRUE(test::RunUntil([&] { return m.Label67.Caption() != "0"; }, 3000));
    ASSERT_TRUE(zan::test::FillDiskUnder(raw));
    ASSERT_TRUE(test::RunUntil([] { return ShownBox() != nullptr; }, 3000));
    QMessageBox* box = ShownBox();
    EXPECT_EQ(box->windowTitle(), "Error");
    EXPECT_NE(box->text().indexOf("Raw logging has stopped."), -1);
    for (int second = 0; second < 3; ++second) {
        const std::string count = m.Label43.Caption();
        const auto size = fs::file_size(recording);
        test::RunUntil([] { return false; }, 1000);
        EXPECT_NE(m.Label43.Caption(), count) << "second " << second;
        EXPECT_GT(fs::file_size(recording), size) << "second " << second;
        ASSERT_EQ(ShownBox(), box);
    }
    box->button(QMessageBox::Ok)->click();
    test::RunUntil([] { return false; }, 100);
    EXPECT_EQ(ShownBox(), nullptr);
    EXPECT_EQ(dialogs.MessagesAnswered(), 1);
    const std::vector<long long> before = zan::test::Measurements(recording);
    EXPECT_TRUE(zan::test::Unbroken(before));
    EXPECT_GT(before.size(), 3 * zan::test::kLinesPerSecond);

    p.server.reset();
    fs::remove(link);
    ASSERT_TRUE(test::RunUntil([&] { return ShownBox() != nullptr; }, 3000));
    QMessageBox* lost = ShownBox();
    EXPECT_NE(lost->text().indexOf("was lost"), -1) << lost->text().toStdString();
    test::RunUntil([] { return false; }, 1000);
    p.ServeBehind(sensor, link);
    EXPECT_TRUE(test::RunUntil([&] { return p.port.IsOpen(); }, 1000));
    const std::string count = m.Label43.Caption();
    EXPECT_TRUE(test::RunUntil([&] { return m.Label43.Caption() != count; }, 1000));
    EXPECT_EQ(ShownBox(), lost);
    lost->button(QMessageBox::Ok)->click();
    m.Command18.Click();
    EXPECT_GT(zan::test::Measurements(recording).back(), before.back() + 1000);
}

}  // namespace
}  // namespace zan::ui
