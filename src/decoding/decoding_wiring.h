#pragma once

namespace zan {

struct Context;
struct DecodedRecord;

// Installs ProcessPacket as the loop's decoder, keeps its inputs (the
// calibration table, the fluorometer boxes) in the state as the window
// changes them, and registers the window's output grid as the first consumer.
void WireDecoding(Context& ctx);

// The window's part of a record: the output grid's changed rows, the
// fluorometer box, the TRIA layout labels, and a failure's box.
void ShowDecodedRecord(Context& ctx, const DecodedRecord& record);

}  // namespace zan
