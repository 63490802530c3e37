// The zephlin commands of Off-Line Mode: offline-load loads the writer with
// an image, its options and a serial-number scheme for producing chips on
// its own; offline-info shows what the writer holds (Read Info);
// sim-produce lets the simulated writer produce chips.
#pragma once

#include "cli_arguments.h"
#include "session.h"

namespace zephlin::cli {

int runOfflineLoad(Session& session, const Arguments& arguments);
int runOfflineInfo(Session& session, const Arguments& arguments);
int runSimProduce(Session& session, const Arguments& arguments);

} // namespace zephlin::cli
