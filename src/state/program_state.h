#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/field_stream.h"
#include "core/number_text.h"
#include "core/number_value.h"
#include "core/user_file_writer.h"
#include "record/decoded_record.h"

namespace zan {

inline constexpr int kPacketRows = 2001;                   // rows 0..1999 are the ring, 2000 spare
inline constexpr int kPacketFields = kRecordPacketFields;  // fields 0..19 are filled, 20 spare
inline constexpr int kRingRows = 2000;
inline constexpr int kSeparatorLimit = 20;
// The longest line the loop keeps: sensor lines are a few hundred characters,
// so anything longer is noise on the line. Its further characters are neither
// stored nor echoed, and the line still ends at its line feed.
inline constexpr int kLongestLine = 2048;
inline constexpr int kHistorySlots = 10002;
inline constexpr int kStatisticsChannels = 4;
inline constexpr int kStatisticsSlots = 2001;  // positions 1..2000 are the ring, 0 unused
inline constexpr int kCalibrationRows = 8;
inline constexpr int kCalibrationCols = 5;

// The calibration table's cell texts, row by row; row 0 and column 0 are headings.
using CalibrationCells = std::array<std::array<std::string, kCalibrationCols>, kCalibrationRows>;

// What playback does on the next tick: nothing, play a line on every tick, or
// play exactly one line and then wait (a TRIA's first line, read at opening).
// The numbers are those the program has always kept.
enum class PlaybackMode { Idle = 0, Playing = 1, OneLine = 2 };

// Where a kept file's TRIA heading stands. A TRIA file is headed by the head
// whose lines it holds: its heading is owed until its first line, and the
// recording is headed again whenever the head's layout changes, so every
// heading names the columns below it.
struct TriaHeadingMark {
    bool tria = false;  // the file was started for a TRIA
    bool owed = false;
    TriaHeaderLetters letters;  // what the last heading was built from
    std::string heading;
};

// The program-wide variables shared by the subsystems. Codes and flags are
// single-precision values holding whole numbers; a flag is on when it equals 1.
struct ProgramState {
    float InstrumentType = 0;
    float QuickSetupPort = 0;
    std::uint8_t TestMode = 0;
    float GraphView = 0;

    std::vector<std::array<std::string, kPacketFields>> PacketTable =
        std::vector<std::array<std::string, kPacketFields>>(kPacketRows);
    float PacketRow = 0;
    std::int32_t PacketColumn = 0;
    std::array<float, kPacketRows> PacketColumnCount{};

    PlaybackMode PlaybackState = PlaybackMode::Idle;
    float PlaybackDelay = 0;
    // The raw file being played back, opened by "Open Raw File" and read one
    // line per tick.
    std::unique_ptr<FieldStream> PlaybackFile;

    float Recording = 0;
    float RawLogging = 0;
    float StatisticsRunning = 0;
    // The testing panel's running averages: one ring per channel, the ring
    // position of the latest sample, and the population it was taken with.
    float StatisticsPopulation = 0;
    float StatisticsIndex = 0;
    std::array<std::array<float, kStatisticsSlots>, kStatisticsChannels> StatisticsSamples{};
    // The population text Text12 last accepted, put back when a typed one is refused.
    std::string StatisticsPopulationText = "60";
    // The testing panel's capture file while one is open.
    std::unique_ptr<UserFileWriter> CaptureFile;
    double PacketsRecorded = 0;
    // The open recording file and raw log, from their start to their stop.
    std::unique_ptr<UserFileWriter> RecordingFile;
    std::unique_ptr<UserFileWriter> RawLogFile;
    TriaHeadingMark RecordingHeading, RawLogHeading;
    float CalibrationReloadPending = 0;
    float GraphingOn = 0;

    std::array<double, 4> PlotX{};
    std::array<double, 4> PlotY{};
    std::vector<double> TimeHistoryX = std::vector<double>(kHistorySlots);
    std::vector<double> TimeHistoryY = std::vector<double>(kHistorySlots);
    // 1 for each history slot holding a point since the start or the last
    // "Clear Graph", so slots never filled are not drawn as points at zero.
    std::vector<std::uint8_t> TimeHistoryFilled = std::vector<std::uint8_t>(kHistorySlots);

    float TriaRedColumn = 0, TriaGreenColumn = 0, TriaBlueColumn = 0, TriaFluorColumn = 0;
    float TriaSensorColumnEnd = 0;
    float TriaHasPressure = 0, TriaHasAux1 = 0, TriaHasAux2 = 0;
    // The last TRIA packet's own header letters (nothing kept from earlier
    // headers): what the files' TRIA headings name.
    TriaHeaderLetters TriaHeadLetters;
    std::array<float, 4> TriaRedAngles{}, TriaGreenAngles{}, TriaBlueAngles{};
    std::array<float, 4> TriaRedValues{}, TriaGreenValues{}, TriaBlueValues{};

    // The calibration table's cell texts as MSFlexGrid2 shows them, and the
    // fluorometer's clean water offset and scaling factor as Text10 and Text16
    // hold them: what decoding reads besides the packet.
    CalibrationCells CalibrationTable{};
    std::string DflOffsetText, DflScalingText;
    // What decoding last wrote for the window: the output column (MSFlexGrid1
    // column 1) and the fluorometer box (Text47).
    std::array<NumberText, kOutputRows> OutputTexts{};
    NumberText FluorometerText{};

    // Calibration table editing cell.
    float EditCellRow = 0, EditCellColumn = 0;

    // Kept by the main window for packet decoding: the newest point of the
    // fluorometer time history, whether the time axis has been placed yet, and
    // the TRIA scattering coefficients copied at the last Cal Info load
    // (scaling rows 1..3 then offset rows 5..7, columns blue, green, red;
    // unset until the first copy).
    double TimePointIndex = 0;
    double TimeAxisStarted = 0;
    std::array<std::optional<std::string>, 18> TriaCoefficients{};
    // The VSF beta coefficients as last parsed: offsets 1..3 then scalings 1..3.
    std::array<ParsedCell, 6> VsfCoefficients{};
    // True while no cell of the calibration table changed since all six parsed.
    bool VsfCoefficientsCurrent = false;

    // Counters of the acquisition loop, kept by the main window.
    long long PacketWraps = 0;
    int ReceiveLine = 0;
    int TriaReceiveLine = 0;
    // Characters stored of the line being received, for the line length bound.
    int ReceivedLineLength = 0;
};

// The completed packet: PacketTable row PacketRow with its separator count.
inline PacketView CompletedPacket(const ProgramState& s) {
    if (!(s.PacketRow >= 0 && s.PacketRow < kPacketRows))
        throw std::out_of_range("Subscript out of range");
    const auto row = static_cast<size_t>(s.PacketRow);
    return ViewOfRow(s.PacketTable[row], static_cast<int>(s.PacketColumnCount[row]));
}

}  // namespace zan
