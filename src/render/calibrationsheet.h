#pragma once
#include "render/recording.h"

#include <QString>

// The printer calibration sheet, printed at the printable area's top-left corner without
// correction: a cross 10 mm from that corner, a 100 mm ruler from it to the right and a
// 200 mm ruler down, with millimetre ticks (canvas unit 0.1 mm).
Recording RecordCalibrationSheet(const QString& printerName);
