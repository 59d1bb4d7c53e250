#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <filesystem>

#include "core/numbered_stream.h"
#include "core/test_support.h"
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
// counter moves and the recording takes every one of them.
TEST(RealMessageBox, ADiskFullBoxLeftOpenHoldsUpNeitherTheStreamNorTheOtherFile) {
    const zan::test::TempFolder folder;
    const fs::path recording = folder / "recording.txt", raw = folder / "raw.txt";
    zan::test::Stream sensor;
    test::App();
    RealBoxes dialogs;
    test::QtPtyProgram p(PortMap{}, 1, &dialogs);
    p.server = std::make_unique<sim::PtyServer>(sensor);
    p.port.SetMap(PortMap{{{1, p.server->Path()}}});
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
    m.Command18.Click();
    const std::vector<long long> lines = zan::test::Measurements(recording);
    EXPECT_TRUE(zan::test::Unbroken(lines));
    EXPECT_GT(lines.size(), 3 * zan::test::kLinesPerSecond);
}

}  // namespace
}  // namespace zan::ui
