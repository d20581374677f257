// quarvel-levels help: the help of the program or of one command, made from the table of
// commands (Commands.h).
#include "cli/Commands.h"
#include "cli/StandardOutput.h"

namespace quarvel_cli {

int PrintHelp(std::string_view topic) {
  if (topic.empty()) {
    WriteOut(ProgramHelp());
    return kStatusOk;
  }
  const Command* command = FindCommand(topic);
  if (command == nullptr) throw UnknownCommand(topic);
  WriteOut(CommandHelp(*command));
  return kStatusOk;
}

// The program answers it itself (Main.cpp), before reading any option.
extern const Command kHelpCommand{
    .Name = "help",
    .Brief = "[COMMAND]",
    .Summary = "this help, or the help of one command",
    .Usage = "[COMMAND]",
    .MaxOperands = 1,
};

}  // namespace quarvel_cli
