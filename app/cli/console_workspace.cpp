#include "cli/console_workspace.h"

namespace zephlin::cli {

ConsoleWorkspace::ConsoleWorkspace(Language language)
    : host_(log_, language),
      workspace_({mainArea_, secondArea_, notifications_, log_, host_, wait_}, language) {
    notifications_.setModel(&workspace_.panel());
}

} // namespace zephlin::cli
