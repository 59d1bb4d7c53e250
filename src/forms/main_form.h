#pragma once
#include "controls/controls.h"

namespace zan {

// The axis titles the graph views share; the window opens with them.
inline constexpr const char* kAngleAxisTitle = "Scattering angle (degrees)";
inline constexpr const char* kTimeAxisTitle = "Time of day (hh:mm:ss)";
inline constexpr const char* kCountsAxisTitle = "Raw counts";
// The window-width slider below the scale factor's width (at 0, its left
// end): the time window is as wide as the scale factor sets.
inline constexpr const char* kWindowFollowsScaleFactor = ": as wide as the scale factor sets";

// The main window as a plain structure of its named controls. Containers come
// before their contents; the constructor sets parents, captions and the
// design-time state.
struct MainForm {
    MainForm();
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    ControlRegistry registry;
    Form Form1{registry, "Form1"};

    // Menu bar.
    MenuItem cn1{registry, "cn1"}, chbaud{registry, "chbaud"}, b48{registry, "b48"},
        b96{registry, "b96"}, b192{registry, "b192"}, cnSep1{registry, "cnSep1"},
        op1{registry, "op1"}, op2{registry, "op2"}, op3{registry, "op3"}, op4{registry, "op4"},
        cp{registry, "cp"}, chdev{registry, "chdev"}, cnSep2{registry, "cnSep2"},
        ex{registry, "ex"};
    // The status bar, outside the body: what each port number means and its
    // state with the latest news of the link (a port lost, reopened, closed),
    // and the recording's and the raw log's file and line count.
    Label PortStatus{registry, "PortStatus"};
    Label RecordingStatus{registry, "RecordingStatus"}, RawLogStatus{registry, "RawLogStatus"};
    MenuItem inst1{registry, "inst1"}, inst2{registry, "inst2"}, inst3{registry, "inst3"},
        inst4{registry, "inst4"}, inst5{registry, "inst5"}, inst6{registry, "inst6"};
    MenuItem graphs{registry, "graphs"}, vsf1{registry, "vsf1"}, mang{registry, "mang"},
        tang{registry, "tang"}, dwang{registry, "dwang"}, Rctime{registry, "Rctime"},
        rang{registry, "rang"}, df1{registry, "df1"}, df2{registry, "df2"}, df3{registry, "df3"},
        triamenugrph{registry, "triamenugrph"}, triabvsa{registry, "triabvsa"},
        triarcvsa{registry, "triarcvsa"};
    MenuItem df{registry, "df"}, ladf{registry, "ladf"}, madf{registry, "madf"},
        cadf{registry, "cadf"};
    MenuItem dh1{registry, "dh1"}, vsfdf{registry, "vsfdf"}, rdr{registry, "rdr"},
        ddfe{registry, "ddfe"};
    MenuItem tria{registry, "tria"}, tria1{registry, "tria1"};
    MenuItem optionsmenu{registry, "optionsmenu"}, dformat{registry, "dformat"},
        mdy{registry, "mdy"}, dmy{registry, "dmy"}, myd{registry, "myd"}, dym{registry, "dym"},
        ymd{registry, "ymd"}, ydm{registry, "ydm"};
    MenuItem a1{registry, "a1"}, codate{registry, "codate"};

    // Body.
    TabControl SSTab1{registry, "SSTab1"};
    TabPage SetupTab{registry, "SetupTab"}, GraphTab{registry, "GraphTab"},
        DataTab{registry, "DataTab"};

    // "ZAN Setup" tab.
    // What to do next, while the window has no instrument.
    Label StartHint{registry, "StartHint"};
    Label Label12{registry, "Label12"}, Label13{registry, "Label13"};
    CommandButton Command28{registry, "Command28"};
    Frame Frame2{registry, "Frame2"};
    CommandButton Command3{registry, "Command3"}, Command2{registry, "Command2"},
        Command27{registry, "Command27"};
    CheckBox Check7{registry, "Check7"}, Check1{registry, "Check1"}, Check2{registry, "Check2"},
        Check6{registry, "Check6"};
    Slider Slider1{registry, "Slider1", 1, 255};
    TextBox Text2{registry, "Text2"}, Text3{registry, "Text3"}, Text4{registry, "Text4"};
    Label Label48{registry, "Label48"}, Label58{registry, "Label58"};
    Label Label3{registry, "Label3"}, Label10{registry, "Label10"};
    Label Label39{registry, "Label39"}, Label40{registry, "Label40"};
    TextBox Text1{registry, "Text1"}, Text6{registry, "Text6"}, Text7{registry, "Text7"};
    Label Label41{registry, "Label41"};
    TextBox Text5{registry, "Text5"}, Text8{registry, "Text8"}, Text48{registry, "Text48"};
    // Apply Settings sends the computer's date and time instead of the boxes'.
    CheckBox ComputerClock{registry, "ComputerClock"};
    // The sensor's clock as retrieved beside the computer's, and how far apart.
    Label ClockDifference{registry, "ClockDifference"};
    ProgressBar ProgressBar1{registry, "ProgressBar1"};
    Frame Frame13{registry, "Frame13"};
    Label Label27{registry, "Label27"};
    ComboBox Combo1{registry, "Combo1"}, Combo2{registry, "Combo2"}, Combo3{registry, "Combo3"};
    Label Label38{registry, "Label38"};
    CheckBox Check5{registry, "Check5"}, Check8{registry, "Check8"};
    Label Label21{registry, "Label21"};
    ComboBox Combo4{registry, "Combo4"};
    CommandButton Command12{registry, "Command12"}, Command4{registry, "Command4"},
        Command13{registry, "Command13"};
    ProgressBar ProgressBar2{registry, "ProgressBar2"};
    Label Label62{registry, "Label62"}, Label35{registry, "Label35"};

    // " Graphical Output" tab.
    Graph CWGraph1{registry, "CWGraph1"}, CWGraph2{registry, "CWGraph2"};
    Frame Frame4{registry, "Frame4"}, Frame1{registry, "Frame1"};
    CommandButton Command6{registry, "Command6"}, Command9{registry, "Command9"},
        Command10{registry, "Command10"};
    Frame Frame3{registry, "Frame3"};
    CommandButton Command7{registry, "Command7"}, Command8{registry, "Command8"},
        Command11{registry, "Command11"}, Command14{registry, "Command14"},
        Command25{registry, "Command25"};
    Frame Frame6{registry, "Frame6"}, Frame14{registry, "Frame14"};
    Label Label61{registry, "Label61"};
    TextBox Text13{registry, "Text13"};
    Label Label60{registry, "Label60"};
    TextBox Text14{registry, "Text14"};
    CommandButton Command32{registry, "Command32"};
    Frame Frame11{registry, "Frame11"};
    Label Label36{registry, "Label36"};
    TextBox Text18{registry, "Text18"};
    Label Label26{registry, "Label26"};
    TextBox Text19{registry, "Text19"};
    CommandButton Command15{registry, "Command15"};
    TabControl SSTab2{registry, "SSTab2"};
    TabPage GraphSettingsTab{registry, "GraphSettingsTab"}, OutputTab{registry, "OutputTab"};
    NumEdit CWNumEdit1{registry, "CWNumEdit1"}, CWNumEdit2{registry, "CWNumEdit2"};
    Label Label59{registry, "Label59"};
    Slider HScroll2{registry, "HScroll2", 0, 32767};
    // The time window's width as the slider sets it, in words.
    Label WindowWidth{registry, "WindowWidth"};
    FlexGrid MSFlexGrid1{registry, "MSFlexGrid1", 11, 2};
    TextBox Text47{registry, "Text47"};
    CommandButton Command1{registry, "Command1"}, Command18{registry, "Command18"};
    CheckBox Check3{registry, "Check3"};
    CommandButton Command16{registry, "Command16"}, Command17{registry, "Command17"},
        Command5_0{registry, "Command5(0)"};
    Label Label29{registry, "Label29"}, Label23{registry, "Label23"};

    // "Data and Packet Processing" tab.
    ListBox List1{registry, "List1"}, List2{registry, "List2"};
    Frame Frame12{registry, "Frame12"};
    CommandButton Command5_1{registry, "Command5(1)"}, Command19{registry, "Command19"};
    CheckBox Check4{registry, "Check4"};
    Label Label42{registry, "Label42"}, Label43{registry, "Label43"}, Label45{registry, "Label45"},
        Label44{registry, "Label44"}, Label65{registry, "Label65"}, Label67{registry, "Label67"};
    Label Label14{registry, "Label14"}, Label15{registry, "Label15"}, Label20{registry, "Label20"},
        Label28{registry, "Label28"};
    Image Image1{registry, "Image1"};
    Shape Shape2{registry, "Shape2"};
    Frame Frame7{registry, "Frame7"};
    Frame Frame5{registry, "Frame5"};
    FlexGrid MSFlexGrid2{registry, "MSFlexGrid2", 8, 5};
    TextBox Text11{registry, "Text11"};
    CommandButton Command30{registry, "Command30"}, Command31{registry, "Command31"};
    Frame Frame8{registry, "Frame8"};
    TextBox Text16{registry, "Text16"}, Text10{registry, "Text10"};
    Frame Frame15{registry, "Frame15"};
    ComboBox Combo5{registry, "Combo5"};
    Frame Frame9{registry, "Frame9"};
    Label Label46{registry, "Label46"};
    Frame Frame10{registry, "Frame10"};
    TextBox Text9{registry, "Text9"};
    CommandButton Command24{registry, "Command24"}, Command23{registry, "Command23"},
        Command26{registry, "Command26"};
    Label Label63{registry, "Label63"}, Label49{registry, "Label49"}, Label50{registry, "Label50"};
    TextBox Text12{registry, "Text12"};
    Label Label47{registry, "Label47"};
    FlexGrid MSFlexGrid3{registry, "MSFlexGrid3", 2, 5};
    CommandButton Command20{registry, "Command20"}, Command21{registry, "Command21"},
        Command22{registry, "Command22"};
    Label Label33{registry, "Label33"}, Label34{registry, "Label34"};

    // The main window's one file dialog keeps what the last command set in it.
    struct CommonDialog {
        std::string title, filter, defaultExtension, fileName;
    } CommonDialog1;

  private:
    void PlaceConnectionAndInstrumentMenus();
    void PlaceGraphFileAndOptionMenus();
    void PlaceTabs();
    void PlaceSettingsCommands();
    void PlaceSettingsState();
    void PlaceTriaSetup();
    void PlaceGraphs();
    void PlaceGraphControls();
    void PlaceDataTab();
    void PlaceTestingPanel();
};

// The quick setup dialog.
struct QuickSetupForm {
    QuickSetupForm();
    QuickSetupForm(const QuickSetupForm&) = delete;
    QuickSetupForm& operator=(const QuickSetupForm&) = delete;

    ControlRegistry registry;
    Form Form2{registry, "Form2"};
    Frame InstrumentFrame{registry, "InstrumentFrame"};
    OptionButton Option1{registry, "Option1"}, Option2{registry, "Option2"},
        Option3{registry, "Option3"}, Option6{registry, "Option6"}, Option7{registry, "Option7"};
    Frame PortFrame{registry, "PortFrame"};
    Label PortLabel{registry, "PortLabel"};
    OptionButton Option4{registry, "Option4"}, Option5{registry, "Option5"},
        Option9{registry, "Option9"}, Option8{registry, "Option8"};
    CommandButton Command1{registry, "Command1"}, Command2{registry, "Command2"};
    Label Label2{registry, "Label2"};
    // Ctrl+K has been pressed: the next "!" unlocks the test mode.
    bool unlockKeySeen = false;
};

// The progress window shown while files are processed.
struct ProgressForm {
    ProgressForm();
    ProgressForm(const ProgressForm&) = delete;
    ProgressForm& operator=(const ProgressForm&) = delete;

    ControlRegistry registry;
    Form Form3{registry, "Form3"};
    Label Label1{registry, "Label1"};
    ProgressBar ProgressBar1{registry, "ProgressBar1"};
};

}  // namespace zan
