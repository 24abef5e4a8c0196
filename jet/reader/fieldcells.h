#pragma once

#include "jet/framing.h"
#include "jet/reader/libmdb.h"

class FrameWriter;

jet::framing::ColumnKind columnKind(const MdbColumn &column);

// Appends the value of one field of the row that mdb_crack_row has just split up on the current
// page. False when the value cannot be read whole (a damaged chain of long-value pages); the row
// is then incomplete and must not be sent.
bool appendCell(FrameWriter &out, MdbHandle *mdb, MdbColumn *column, const MdbField &field);
