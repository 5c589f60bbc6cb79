// RecordText - the library's records as readable text: the tables and
// NAME  VALUE lists that the commands and `fennimar dump` print.
#ifndef FENNIMAR_CLI_RECORDTEXT_H_
#define FENNIMAR_CLI_RECORDTEXT_H_

#include <vector>

#include "fennimar/FennimarDllInterface.h"

namespace fennimar::cli {

void PrintAppsTable(const std::vector<_Fennimar_AppItem_>& items);
void PrintSwitches(const _Fennimar_Config_& config);
void PrintBackground(const _Background_Config_& background);
void PrintWorkspacesTable(const std::vector<_VDESKTOPINFO_>& workspaces);

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_RECORDTEXT_H_
