#include <windows.h>

#include "base/CommandLine.h"
#include "core/MainForm_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  rn::AppContext context;
  context.programFolder = rn::ProgramFolder();
  context.settingsFolder = rn::DecideSettingsFolder(context.programFolder);
  context.args = rn::SplitCommandLine(GetCommandLineW());
  if (!context.args.empty()) context.args.erase(context.args.begin());  // the program itself
  return rn::RunProgram(context, showCommand);
}
