// The update check at start-up (UpdateTips = 1): it asks the server on the
// event loop, so the window comes up and works at once; a failure is silent,
// and a release other than the own one is offered in a Yes/No box.
#pragma once

#include "common/text_pair.h"
#include "shell/widgets/version_file_download.h"

#include <functional>

class QWidget;

namespace zephlin {

// The check belongs to the window: it ends, unreported, when the window
// goes. language gives the window's language when the offer is shown.
void startStartupUpdateCheck(QWidget* window, const UpdateContext& context,
                             std::function<Language()> language);

} // namespace zephlin
