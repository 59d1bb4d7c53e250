#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "core/test_support.h"
#include "link/port_operations.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

bool Has(const Label& label, const std::string& words) {
    return label.Caption().find(words) != std::string::npos;
}

struct StatusBar : test::LoadedWithFeed {
    StatusBar() { m.inst2.Click(); }
    std::array<bool, 4> PortChecks() const {
        return {m.op1.Checked(), m.op2.Checked(), m.op3.Checked(), m.op4.Checked()};
    }
    test::TempFolder folder;
};

TEST_F(StatusBar, EachPortShowsItsDeviceAndStateAndARefusedClosingOrFailedPortSaysSo) {
    EXPECT_FALSE(m.chbaud.Enabled());
    m.op1.Click();
    EXPECT_TRUE(Has(m.PortStatus, "Port 1: scripted feed (open)"));
    EXPECT_TRUE(Has(m.PortStatus, "Ports 2-4: not connected (closed)"));
    // One port at a time: port 1 stays open, and the refusal is told with the way out.
    m.op2.Click();
    EXPECT_EQ(PortChecks(), (std::array<bool, 4>{true, false, false, false}));
    EXPECT_TRUE(IsPortOpen(program.ctx));
    EXPECT_TRUE(Has(m.PortStatus, "Port 1 is open: choose Close Port, then Open Port 2"));
    m.op1.Click();
    EXPECT_TRUE(Has(m.PortStatus, "Port 1 is open already"));
    // Close unchecks all four items.
    m.op3.SetChecked(true);
    m.cp.Click();
    EXPECT_EQ(PortChecks(), (std::array<bool, 4>{}));
    EXPECT_TRUE(Has(m.PortStatus, "Port 1: scripted feed (closed)"));
    EXPECT_TRUE(Has(m.PortStatus, "|   Port 1 closed"));
    // A failing open shows the error box and leaves the port closed and unchecked.
    m.op3.Click();
    EXPECT_TRUE(Has(m.PortStatus, "Port 3 could not be opened"));
    program.port.FailNextOpen("Permission denied: /dev/ttyS0");
    m.op1.Click();
    EXPECT_EQ(Messages(), (test::Lines{"Error: Port 3 is not connected to a device",
                                       "Error: Permission denied: /dev/ttyS0"}));
    EXPECT_FALSE(IsPortOpen(program.ctx));
    EXPECT_EQ(PortChecks(), (std::array<bool, 4>{}));
    // The failure does not stick: the next attempt opens.
    m.op1.Click();
    EXPECT_TRUE(m.op1.Checked());

    // Playing a raw file back closes the port it replaces.
    const fs::path raw = folder / "raw.txt";
    test::WriteBytes(raw, "Created on\r\nLocation : x\r\nDate\r\nEOF\r\n");
    program.dialogs.AnswerFile(raw.string());
    m.Command16.Click();
    EXPECT_TRUE(Has(m.PortStatus, "Port 1: scripted feed (closed)"));
    EXPECT_TRUE(Has(m.PortStatus, "Port 1 closed to play back raw.txt"));
    EXPECT_TRUE(Has(m.PortStatus, "Connection > Open Port 1 takes it up again"));
}

TEST_F(StatusBar, RecordingAndRawLogShowTheirFileAndLinesWhileOnAndAnAccountAfterTheStop) {
    EXPECT_EQ(m.RecordingStatus.Caption(), "");
    program.dialogs.AnswerFile((folder / "rec.txt").string());
    m.Command18.Click();
    // Two header lines and the heading are in the file before the first packet.
    EXPECT_EQ(m.RecordingStatus.Caption(), "Recording: rec.txt, 3 lines");
    Feed(test::kVsfLine);
    program.dialogs.AnswerFile((folder / "raw.txt").string());
    m.Command19.Click();
    Feed(test::kVsfLine);
    Feed(test::kVsfLine);
    // The counts follow a few times a second.
    program.pump.RunFor(0.3);
    EXPECT_EQ(m.RecordingStatus.Caption(), "Recording: rec.txt, 6 lines");
    EXPECT_EQ(m.RawLogStatus.Caption(), "Raw log: raw.txt, 5 lines");
    m.Command18.Click();
    EXPECT_EQ(m.RecordingStatus.Caption(), "Recording stopped: 7 lines in rec.txt");
    Feed(test::kVsfLine);
    program.pump.RunFor(0.3);
    EXPECT_EQ(m.RecordingStatus.Caption(), "Recording stopped: 7 lines in rec.txt");
    EXPECT_EQ(m.RawLogStatus.Caption(), "Raw log: raw.txt, 6 lines");
    m.Command19.Click();
    EXPECT_EQ(m.RawLogStatus.Caption(), "Raw log stopped: 7 lines in raw.txt");
    // A cancelled start leaves the last account; a file that cannot be opened says so.
    program.dialogs.CancelFile();
    m.Command18.Click();
    EXPECT_EQ(m.RecordingStatus.Caption(), "Recording stopped: 7 lines in rec.txt");
    program.dialogs.AnswerFile((folder / "missing" / "rec2.txt").string());
    m.Command18.Click();
    EXPECT_EQ(m.RecordingStatus.Caption(), "Recording not started: rec2.txt could not be opened");
}

}  // namespace
}  // namespace zan
