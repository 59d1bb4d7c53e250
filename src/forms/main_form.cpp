#include "forms/main_form.h"

namespace zan {
namespace {

void Place(Control& control, Control& parent, const std::string& caption = {}) {
    control.SetParent(parent);
    if (!caption.empty()) control.SetCaption(caption);
}

void Hide(Control& control) { control.SetVisible(false); }
void Disable(Control& control) { control.SetEnabled(false); }

}  // namespace

MainForm::MainForm() {
    PlaceConnectionAndInstrumentMenus();
    PlaceGraphFileAndOptionMenus();
    PlaceTabs();
    PlaceSettingsCommands();
    PlaceSettingsState();
    PlaceTriaSetup();
    PlaceGraphs();
    PlaceGraphControls();
    PlaceDataTab();
    PlaceTestingPanel();
}

// The menu bar: the Connection and Instrument menus.
void MainForm::PlaceConnectionAndInstrumentMenus() {
    Place(cn1, Form1, "Connection");
    Place(chbaud, cn1, "Baud");
    Disable(chbaud);
    Place(b48, chbaud, "4800");
    Place(b96, chbaud, "9600");
    Place(b192, chbaud, "19200");
    Place(cnSep1, cn1, "-");
    cnSep1.MakeSeparator();
    Disable(cnSep1);
    Place(op1, cn1, "Open Port 1");
    Place(op2, cn1, "Open Port 2");
    Place(op3, cn1, "Open Port 3");
    Place(op4, cn1, "Open Port 4");
    Place(cp, cn1, "Close Port");
    Place(chdev, cn1, "Choose Devices\u2026");
    Place(cnSep2, cn1, "-");
    cnSep2.MakeSeparator();
    Hide(cnSep2);
    Place(ex, cn1, "Exit");

    Place(inst1, Form1, "Instrument");
    Place(inst2, inst1, "VSF");
    Place(inst3, inst1, "VSF with Shutter");
    Disable(inst3);
    Place(inst4, inst1, "Digital Flourmeter");
    Place(inst5, inst1, "Digital Flourmeter with Shutter");
    Disable(inst5);
    Place(inst6, inst1, "TRIA");
}

// The Graphs, file, memory, TRIA, Options and About menus.
void MainForm::PlaceGraphFileAndOptionMenus() {
    Place(graphs, Form1, "Graphs");
    Place(vsf1, graphs, "VSF");
    Place(mang, vsf1, "Beta vs Angle");
    Place(tang, vsf1, "Beta vs Time");
    Disable(tang);
    Place(dwang, vsf1, "Radial Area vs Angle");
    Disable(dwang);
    Hide(dwang);
    Place(Rctime, vsf1, "Raw Counts vs Time");
    Disable(Rctime);
    Place(rang, vsf1, "Raw Counts vs Angle");
    Place(df1, graphs, "Digital Flourmeter");
    Place(df2, df1, "Chl Vs Time");
    Place(df3, df1, "Raw Counts Vs Time");
    Place(triamenugrph, graphs, "TRIA");
    Place(triabvsa, triamenugrph, "Beta vs Angle");
    Place(triarcvsa, triamenugrph, "Raw Counts vs Angle");

    Place(df, Form1, "Device Files");
    Disable(df);
    Place(ladf, df, "Load a Device File");
    Place(madf, df, "Modify a Device File");
    Place(cadf, df, "Create a Device File");

    Place(dh1, Form1, "Zan Memory");
    Place(vsfdf, dh1, "VSF and  DF");
    Place(rdr, vsfdf, "Review Data in Ram");
    Disable(rdr);
    Place(ddfe, vsfdf, "Download Data from Zan sensor");

    Place(tria, Form1, "TRIA Data Handling");
    Disable(tria);
    Place(tria1, tria, "Process Data File");

    Place(optionsmenu, Form1, "Options");
    Place(dformat, optionsmenu, "Date Format");
    Place(mdy, dformat, "MM/DD/YY");
    Place(dmy, dformat, "DD/MM/YY");
    Place(myd, dformat, "MM/YY/DD");
    Place(dym, dformat, "DD/YY/MM");
    Place(ymd, dformat, "YY/MM/DD");
    Place(ydm, dformat, "YY/DD/MM");

    Place(a1, Form1, "About");
    Place(codate, a1, "Compile Date");
}

// Body and its three tabs.
void MainForm::PlaceTabs() {
    Place(SSTab1, Form1);
    Place(SetupTab, SSTab1, "ZAN Setup");
    Place(GraphTab, SSTab1, " Graphical Output");
    Place(DataTab, SSTab1, "Data and Packet Processing");
}

// "ZAN Setup": the settings frame's commands, switches and timing.
void MainForm::PlaceSettingsCommands() {
    Place(StartHint, SetupTab,
          "No instrument is chosen yet. Choose one in the Instrument menu, then open its port "
          "with Connection > Open Port 1 to 4 (the status bar says which device each number "
          "means; Choose Devices\u2026 binds them). Start Graphing on the Graphical Output tab "
          "then draws its data, and Retrieve Settings here reads its logger. Without a sensor, "
          "start ZAN Host with --simulate VSF (or DFL, TRIA).");
    Hide(StartHint);
    Place(Label12, SetupTab, "Instrument:");
    Place(Label13, SetupTab, "None");
    Place(Command28, SetupTab, "Firmware: CLICK TO GET INFO");
    Command28.SetToolTip(
        "Clicking this will return the Halvorn firmware number of the instrument. ");
    Place(Frame2, SetupTab, "Settings");
    Place(Command3, Frame2, "Retrieve Settings");
    Command3.SetToolTip("Retrieve settings from the instrument");
    Place(Command2, Frame2, "Apply Settings");
    Command2.SetToolTip("Send Settings to the instrument");
    Place(Command27, Frame2, "Interupt Auto Start");
    Command27.SetToolTip(
        "Follow the instructions given to bypass Auto Start and gain access to the instrument. It "
        "is recommended to use the Halvorn cable set to Halvorn Host mode for ease of use.");
    Place(Check7, Frame2, "Auto Start");
    Check7.SetToolTip("Auto Start: This tells the logger to start collecting data at power up.");
    Place(Check1, Frame2, "Log Enabled");
    Check1.SetToolTip("Log Enabled: This tells the logger to record data in memory");
    Place(Check2, Frame2, "Wake Up");
    Check2.SetToolTip(
        "Wake Up: This tells the logger to sleep after gathering a data block or stay ready to "
        "accept a command.");
    Place(Check6, Frame2, "Append");
    Check6.SetToolTip(
        "Append: This tells the logger to add new data blocks to the end of memory. If this is "
        "not set, all pervious data blocks will be erased.");
    Place(Slider1, Frame2);
    Slider1.SetDescription("Measurement Smoothing");
    Slider1.SetToolTip(
        "Measurement Smoothing Bar: This will change how many samples are taking to create one "
        "Measurement. After this is selected you can move the slider bar with the arrow keys on "
        "your keyboard.");
    Place(Label48, Frame2, "One Measurement will take ~ 0 Second(s)");
    Label48.SetToolTip(
        "This is the approx. time it will take for the instrument to gather one Measurement. This "
        "does NOT include shutter open and close time.");
    Place(Text2, Frame2);
    Text2.SetDescription("Delay Before Data Blocks (hours)");
    Text2.SetMaxLength(3);
    Place(Text3, Frame2);
    Text3.SetDescription("Number of Measurements per Data Block");
    Text3.SetMaxLength(5);
    Text3.SetToolTip(
        "A Data Block is one run. Be that a Moored Run or Profile. The instrument will take X "
        "number of Measurements then either sleep or wakeup for new commands.");
    Place(Text4, Frame2);
    Text4.SetDescription("Delay Between Measurements (seconds)");
    Text4.SetMaxLength(5);
}

// The settings frame's logger state, date and time.
void MainForm::PlaceSettingsState() {
    Place(Label58, Frame2);
    Label58.SetToolTip("This will create a delay between data points within a data block.");
    Place(Label3, Frame2, "MP");
    Label3.SetDescription("Memory Pointer");
    Place(Label10, Frame2);
    Label10.SetDescription("Logger Capacity (% full)");
    Place(Label39, Frame2, "Format");
    Place(Label40, Frame2, "MM/DD/YY");
    const char* dateTip = "This is the Date Field. Please enter in two digits.";
    for (TextBox* box : {&Text1, &Text6, &Text7}) {
        Place(*box, Frame2);
        box->SetMaxLength(4);
        box->SetToolTip(dateTip);
    }
    Place(Label41, Frame2, "24 hour format HH:MM");
    Place(Text5, Frame2);
    Text5.SetMaxLength(2);
    Text5.SetToolTip(
        "This is the time field. For hours enter in a 24 hour format. ie...  1 pm is 13.");
    Place(Text8, Frame2);
    Text8.SetMaxLength(2);
    Place(Text48, Frame2);
    Place(ComputerClock, Frame2, "Computer clock");
    ComputerClock.SetToolTip(
        "Apply Settings sends the computer's date and time at the moment it sends them, instead "
        "of the boxes' (the sensor takes hours and minutes).");
    Place(ClockDifference, Frame2);
    for (TextBox* box : {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8})
        box->SetText("0");
    Place(ProgressBar1, Frame2);
}

// The TRIA head setup and the expanded summary.
void MainForm::PlaceTriaSetup() {
    Place(Frame13, SetupTab, "TRIA Setup");
    Place(Label27, Frame13, "Sensor Head Configuration");
    const std::vector<std::string> sensors{"Blue", "Green", "Red", "Fluorometer", "No Sensor!"};
    int slot = 1;
    for (ComboBox* combo : {&Combo1, &Combo2, &Combo3}) {
        Place(*combo, Frame13);
        combo->SetItems(sensors);
        combo->SetText("Sensor " + std::to_string(slot++));
    }
    Place(Label38, Frame13, "Auxilary Configuration");
    Place(Check5, Frame13, "Aux Analog 1");
    Place(Check8, Frame13, "Aux Analog 2");
    Place(Label21, Frame13, "Pressure Sensor");
    Place(Combo4, Frame13);
    Combo4.SetItems({"Atmosphere", "dbars", "PSI", "SI Units of MPa", "Volts", "No Output!"});
    Combo4.SetText("Select Output Format");
    Place(Command12, Frame13, "Retrieve Settings");
    Place(Command4, Frame13, "Apply Settings");
    Place(Command13, Frame13, "Lock Settings");
    Place(ProgressBar2, Frame13);
    Place(Label62, SetupTab, "Expanded Settings Summary");
    Place(Label35, SetupTab);
}

// " Graphical Output".
void MainForm::PlaceGraphs() {
    Place(CWGraph1, GraphTab);
    CWGraph1.SetAxisFormat(2, ".######");
    for (const char* plot : {"vsfred", "Fltime", "vsfblue", "vsfgreen", "fitdata"})
        CWGraph1.AddPlot(plot);
    Place(CWGraph2, GraphTab);
    CWGraph2.SetAxisFormat(1, "hh:nn:ss");
    CWGraph2.AddPlot("Plot-1");
    // The angle graph follows its data on both axes; the time graph's X range
    // is the moving time window, its Y range follows the points in the window.
    CWGraph1.SetAxisAutoscale(1, true);
    CWGraph1.SetAxisAutoscale(2, true);
    CWGraph2.SetAxisAutoscale(2, true);
    for (Graph* graph : {&CWGraph1, &CWGraph2}) graph->SetAxisTitle(2, kCountsAxisTitle);
    CWGraph1.SetAxisTitle(1, kAngleAxisTitle);
    CWGraph2.SetAxisTitle(1, kTimeAxisTitle);
    Place(Frame4, GraphTab);
    Place(Frame1, Frame4, "X cords");
    Place(Command6, Frame1, "In");
    Place(Command9, Frame1, "Out");
    Place(Command10, Frame1, "Autoscale");
    Place(Frame3, Frame4, "Y cords");
    Place(Command7, Frame3, "In");
    Place(Command8, Frame3, "Out");
    Place(Command11, Frame3, "Autoscale");
    Place(Command14, Frame3, "Min/Max");
    Place(Command25, Frame4, "Clear Graph");
    Place(Frame6, GraphTab);
    Hide(Frame6);
    Place(Frame14, Frame6, "X Cords");
    Place(Label61, Frame14, "Max");
    Place(Text13, Frame14);
    Text13.SetText("1");
    Place(Label60, Frame14, "Min");
    Place(Text14, Frame14);
    Text14.SetText("0");
    Place(Command32, Frame14, "Ok");
    Place(Frame11, Frame6, "Y Cords");
    Place(Label36, Frame11, "Max");
    Place(Text18, Frame11);
    Text18.SetText("5000");
    Place(Label26, Frame11, "Min");
    Place(Text19, Frame11);
    Text19.SetText("0");
    Place(Command15, Frame11, "Ok");
}

// The graph tab's settings, output and file buttons.
void MainForm::PlaceGraphControls() {
    Place(SSTab2, GraphTab);
    Place(GraphSettingsTab, SSTab2, "Graph Settings");
    Place(OutputTab, SSTab2, "Output");
    Place(CWNumEdit1, GraphSettingsTab);
    CWNumEdit1.SetDescription("Playback delay (tenths of a second)");
    Place(CWNumEdit2, GraphSettingsTab);
    CWNumEdit2.SetDescription("Scale factor");
    CWNumEdit2.SetValue(1);
    Place(Label59, GraphSettingsTab,
          "Graphing: Scale Factor. This will allow changed the resolution of the graph in its X "
          "cords. Use this to graph an entire data block in one view.  A value of 1 is 21 secs "
          "per div. 2 is 42 seconds, etc...");
    Place(HScroll2, GraphSettingsTab);
    HScroll2.SetDescription("Window width (a mark an hour)");
    HScroll2.SetTickInterval(3600);
    Place(WindowWidth, GraphSettingsTab, std::string("0 s") + kWindowFollowsScaleFactor);
    Place(MSFlexGrid1, OutputTab);
    Place(Text47, OutputTab);
    Place(Command1, GraphTab, "Start Graphing");
    Command1.SetBackColour(kLightGreen);
    Place(Command18, GraphTab, "Start Recording");
    Command18.SetBackColour(kLightGreen);
    Place(Check3, GraphTab, "Append File");
    Place(Command16, GraphTab, "Open Raw File");
    Place(Command17, GraphTab, "Play");
    Command17.SetBackColour(kLightGreen);
    Disable(Command17);
    Place(Command5_0, GraphTab, "Run");
    Place(Label29, GraphTab);
    Place(Label23, GraphTab);
}

// "Data and Packet Processing".
void MainForm::PlaceDataTab() {
    Place(List1, DataTab);
    Place(List2, DataTab);
    Place(Frame12, DataTab);
    Place(Command5_1, Frame12, "Run");
    Command5_1.SetToolTip("This executes a RUN command to the instrument");
    Place(Command19, Frame12, "Start Logging Raw Data");
    Command19.SetBackColour(kLightGreen);
    Place(Check4, Frame12, "Append File");
    Place(Label42, Frame12, "Packets Received:");
    Place(Label43, Frame12, "0");
    Place(Label45, Frame12, "Colums Per Packet:");
    Place(Label44, Frame12, "0");
    Place(Label65, Frame12, "Packets Recorded:");
    Place(Label67, Frame12, "0");
    Place(Label14, Frame12);
    Label14.SetDescription("Blue column");
    Place(Label15, Frame12);
    Label15.SetDescription("Green column");
    Place(Label20, Frame12);
    Label20.SetDescription("Red column");
    Place(Label28, Frame12);
    Label28.SetDescription("Fields");
    Place(Image1, Frame12);
    Hide(Image1);
    Disable(Image1);
    Place(Shape2, Frame12);
    Hide(Shape2);
    Place(Frame7, Frame12, "Data Options");
    Place(Frame5, Frame7, "VSF Calibration: Offsets and B calculations");
    Place(MSFlexGrid2, Frame5);
    MSFlexGrid2.SetToolTip("Click on the Cell to Enter New Calibration Values in the Cell.");
    Place(Text11, Frame5);
    Hide(Text11);
    Place(Command30, Frame5, "Load Cal Info");
    Place(Command31, Frame5, "Save Cal Info");
    Place(Frame8, Frame7, "DFL Calibration: Offsets and chl calculations");
    Place(Text16, Frame8);
    Text16.SetDescription("ug/IC");
    Place(Text10, Frame8);
    Text10.SetDescription("Clean Water Offset");
    Place(Frame15, Frame7, "Instrument Color");
    Place(Combo5, Frame15);
    Combo5.SetItems({"Red", "Blue", "Green"});
    Combo5.SetText("Green");
}

// The testing panel: terminal, averages and capture.
void MainForm::PlaceTestingPanel() {
    Place(Frame9, DataTab);
    Hide(Frame9);
    Place(Label46, Frame9, "Halvorn Testing Frame");
    Place(Frame10, Frame9, "Terminal Interface");
    Place(Text9, Frame10);
    Text9.SetToolTip("When the curser is in this box, any text typed will be send to the Sensor.");
    Place(Command24, Frame9, "Close");
    Place(Command23, Frame9, "Start Ave && Stdev");
    Command23.SetBackColour(kLightGreen);
    Place(Command26, Frame9, "Clear");
    Place(Label47, Frame9, "Weighting Function");
    Place(Label63, Frame9, "Population :");
    Place(Label49, Frame9, "-");
    Place(Label50, Frame9, "/");
    Place(Text12, Frame9);
    Text12.SetText("60");
    Place(MSFlexGrid3, Frame9);
    Place(Command20, Frame9, "Save File As");
    Place(Command21, Frame9, "Capture Data Point");
    Place(Command22, Frame9, "Close File");
    Place(Label33, Frame9, "Current:");
    Place(Label34, Frame9, "-");
}

QuickSetupForm::QuickSetupForm() {
    Form2.SetCaption("ZAN Host ");
    Place(InstrumentFrame, Form2, "Quick Instrument Interface Setup");
    Place(Option1, InstrumentFrame, "ZAN VSF");
    Place(Option2, InstrumentFrame, "ZAN Digital Fluorometer");
    Place(Option3, InstrumentFrame, "TRIA ");
    Place(Option6, InstrumentFrame, "ZAN VSF w/ Shutter");
    Place(Option7, InstrumentFrame, "ZAN Digital Fluorometer w/ Shutter");
    Place(PortFrame, InstrumentFrame);
    Place(PortLabel, PortFrame, "Communications Port");
    Place(Option4, PortFrame, "Comm Port 1");
    Place(Option5, PortFrame, "Comm Port 2");
    Place(Option9, PortFrame, "Comm Port 3");
    Place(Option8, PortFrame, "Comm Port 4");
    Place(Command1, Form2, "Apply Quick Setup");
    Place(Command2, Form2, "Ignore Quick Setup");
    Place(Label2, Form2, "HALVORN MODE ENABLED");
    Hide(Label2);
}

ProgressForm::ProgressForm() {
    Form3.SetCaption("Message");
    Place(Label1, Form3, "Proccessing Data... Please Wait.");
    Place(ProgressBar1, Form3);
    Form3.SetVisible(false);
}

}  // namespace zan
