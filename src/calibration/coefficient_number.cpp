#include "calibration/coefficient_number.h"

#include "state/instruments.h"

namespace zan {
namespace {

const char* const kAngles[] = {"100", "125", "150"};

[[noreturn]] void ThrowMissingCoefficient(const std::string& text, float instrumentType,
                                          CellRef cell) {
    const std::string where = CoefficientName(instrumentType, cell) + " (row " +
                              std::to_string(cell.row) + ", column " + std::to_string(cell.col) +
                              ")";
    const std::string holds =
        text.empty() ? " is empty." : " holds \"" + text + "\", not a number.";
    throw MissingCoefficient("Beta needs every calibration coefficient, and " + where + holds);
}

}  // namespace

std::string CoefficientName(float instrumentType, CellRef cell) {
    const bool fluorometer = instrumentType == kTria && cell.col == kFluorScalingCell.col;
    if (fluorometer)
        return cell.row == kFluorScalingCell.row ? "the fluorometer scaling factor"
                                                 : "the fluorometer offset";
    if (IsVsfFamily(instrumentType)) {
        const std::string angle = kAngles[(cell.row - 1) % 3];
        return "the " + angle + "\xC2\xB0 " +
               (cell.col == VsfScalingCell(1).col ? "scaling factor" : "offset");
    }
    const bool scaling = cell.row <= 3;
    const char* const colours[] = {"blue", "green", "red"};
    const std::string colour = colours[(cell.col - kBlueTableColumn) % 3];
    return "the " + colour + " " + kAngles[(scaling ? cell.row : cell.row - 4) - 1] + "\xC2\xB0 " +
           (scaling ? "scaling factor" : "offset");
}

double CoefficientNumber(ParsedCell& cache, const std::string& text, float instrumentType,
                         CellRef cell) {
    try {
        return CachedWholeTextNumber(cache, text);
    } catch (const std::invalid_argument&) {
        ThrowMissingCoefficient(text, instrumentType, cell);
    }
}

double CoefficientNumber(const std::string& text, float instrumentType, CellRef cell) {
    try {
        return WholeTextNumber(text);
    } catch (const std::invalid_argument&) {
        ThrowMissingCoefficient(text, instrumentType, cell);
    }
}

}  // namespace zan
