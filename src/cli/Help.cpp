#include "cli/CliSupport.h"

namespace quarvel_cli {

namespace {

constexpr const char* kProgramHelp =
    "Usage: quarvel-levels COMMAND [OPTION]... [FILE]...\n"
    "Checks, renders and copies Quarvel level sets (.dag files), reading and writing them as\n"
    "the editor does. A FILE of - is standard input (or output, where it is written).\n"
    "\n"
    "Commands:\n"
    "  check FILE...                  report every level used and whether it can be played\n"
    "  render FILE -o OUT.png         draw a level, or a contact sheet of every level used\n"
    "  thumbnail [-s SIZE] FILE OUT   a PNG of the first level used, for file managers\n"
    "  copy SOURCE TARGET             copy levels from SOURCE into TARGET and save TARGET\n"
    "  export SET [-o OUT]            the set as text to read, edit and review\n"
    "  import TEXT [-o SET]           that text back into the very same bytes\n"
    "  diff A B [--json]              the levels added, removed and changed\n"
    "  help [COMMAND]                 this help, or the help of one command\n"
    "\n"
    "Options:\n"
    "  -h, --help                     show this help\n"
    "  --version                      show the version\n"
    "\n"
    "Exit status: 0 when all is well; 1 when `check` finds a level that cannot be played\n"
    "(or, with --strict, warns), when `copy` refuses and writes nothing or when `diff` finds\n"
    "a difference; 2 on an error\n"
    "(a file that cannot be read or written, a bad argument).\n";

constexpr const char* kCheckHelp =
    "Usage: quarvel-levels check [--json] [--strict] FILE...\n"
    "For each file, one line per level used (any cell or number not 0): its number, the blocks\n"
    "(cells with codes 1 to 4), the demand (rubies + emeralds + sapphires + bombs), the time,\n"
    "and whether it can be played, with the reasons when not: too few blocks, time under 10.\n"
    "Then warnings about what the editor's next save would change without a word (an empty\n"
    "level before a used one, which it removes so that the levels after it move up; records\n"
    "past the 256th, which it never reads; a tail that is not a whole record), and how many\n"
    "records the file holds and how many levels are used, playable and not playable. Several\n"
    "files end with a total line. FILE - is standard input.\n"
    "\n"
    "  --json                         the same as one JSON document\n"
    "  --strict                       a warning fails as a level that cannot be played does\n"
    "\n"
    "Exit status: 0 when every level used can be played, 1 when one cannot, 2 on an error.\n";

constexpr const char* kRenderHelp =
    "Usage: quarvel-levels render FILE -o OUT.png [--level N] [--scale K]\n"
    "Draws level N of FILE as the editor's grid shows it, without the current cell's marks;\n"
    "without --level, a contact sheet of every level used, each labelled with its number.\n"
    "Needs no display. FILE - is standard input.\n"
    "\n"
    "  -o, --output OUT.png           the picture to write (replaced safely), or - for\n"
    "                                 standard output; never one of the inputs\n"
    "  --level N                      the level, 1 to 256\n"
    "  --scale K                      enlarge K times, 1 to 16, pixel for pixel (default 1)\n";

constexpr const char* kThumbnailHelp =
    "Usage: quarvel-levels thumbnail [-s SIZE] FILE OUT\n"
    "Writes a PNG of the first level used in FILE, as the editor's grid shows it, fitted into\n"
    "SIZE x SIZE pixels in whole pixels with no smoothing; a set with no level used gives\n"
    "level 1's empty grid. The thumbnailer of file managers runs it. FILE must begin with the\n"
    "level set header 44 41 47 00; on any error nothing is written. Needs no display, home\n"
    "folder or environment. FILE - is standard input.\n"
    "\n"
    "  -s, --size SIZE                the largest side, 32 to 4096 pixels (default 256)\n"
    "  OUT                            the picture (replaced safely), or - for standard\n"
    "                                 output; never FILE, nor any level set\n";

constexpr const char* kCopyHelp =
    "Usage: quarvel-levels copy SOURCE TARGET [--start S] [--quantity Q] [--after A]\n"
    "                           [--new] [--drop] [--dry-run]\n"
    "The editor's Levels > Copy followed by Levels > Save Set: reads TARGET, copies Q levels of\n"
    "SOURCE from level S on over the levels of TARGET from level A on, and saves TARGET. Each\n"
    "number is 1 to 256 (default 1); only levels SOURCE holds are copied, and none past level\n"
    "256. The save writes only the levels that can be played, in order, as the editor's does.\n"
    "\n"
    "Nothing is written, with status 1, when nothing would be copied, or when the save would\n"
    "drop anything: a level that cannot be played or is empty (TARGET's or a copied one; the\n"
    "levels after it would move up), records past the 256th. The levels that would be lost are\n"
    "listed. Otherwise copy says where the copies stand in the saved file and adds up:\n"
    "before + copied - replaced - dropped = written. SOURCE or TARGET - is standard input;\n"
    "TARGET - writes the saved set to standard output and the report to standard error.\n"
    "\n"
    "  --start S                      the first level of SOURCE to copy\n"
    "  --quantity Q                   how many levels to copy\n"
    "  --after A                      the level of TARGET the first copy goes to\n"
    "  --new                          start from an empty set; TARGET must not exist\n"
    "  --drop                         save even when levels are dropped, and list each one\n"
    "  --dry-run                      say what would happen and write nothing\n";

constexpr const char* kExportHelp =
    "Usage: quarvel-levels export SET [-o OUT|-]\n"
    "Writes SET as text: per record, \"level N\", its five numbers by name and its 13 rows of\n"
    "11 tiles, each row followed by its number: . empty, R G B Y blocks, # grey block,\n"
    "^ > v < cannons, ? any other code, given after the rows as \"cell COLUMN,ROW = CODE\"\n"
    "(counted from 1 at the top left). A record of zeros is \"level N empty\";\n"
    "records past the 256th are \"record N\"; a header other than 44 41 47 00 and bytes after\n"
    "the last whole record are written in hexadecimal. `import` gives back the same bytes.\n"
    "SET - is standard input. Status 0, or 2 on an error.\n"
    "\n"
    "  -o, --output OUT               the text file (replaced safely), or - (the default) for\n"
    "                                 standard output; never SET itself\n";

constexpr const char* kImportHelp =
    "Usage: quarvel-levels import TEXT [-o SET|-]\n"
    "Reads the text that `export` writes and writes the level set file it describes, byte for\n"
    "byte, replacing SET safely. Hand edits are welcome: a tile, a number, a level added at the\n"
    "end, trailing blanks, CRLF line ends. Anything else is an error at FILE:LINE:COLUMN that\n"
    "says what was expected; then nothing is written and the status is 2. TEXT - is standard\n"
    "input.\n"
    "\n"
    "  -o, --output SET               the level set file to write, or - for standard output\n"
    "                                 (the default, unless it is a terminal); never TEXT\n";

constexpr const char* kDiffHelp =
    "Usage: quarvel-levels diff A B [--json]\n"
    "The records added, removed and changed from A to B, each a level set file or its text\n"
    "(a file starting with \"quarvel-levels text\"), or - for standard input. For a changed\n"
    "record: its numbers before and after, the cells changed, and the rows before, after and\n"
    "with each changed cell marked *. Prints nothing when they are the same.\n"
    "\n"
    "  --json                         the same as one JSON document\n"
    "\n"
    "Exit status: 0 when A and B hold the same, 1 when they differ, 2 on an error.\n";

}  // namespace

std::string HelpText(std::string_view command) {
  if (command.empty()) return kProgramHelp;
  if (command == "check") return kCheckHelp;
  if (command == "render") return kRenderHelp;
  if (command == "thumbnail") return kThumbnailHelp;
  if (command == "copy") return kCopyHelp;
  if (command == "export") return kExportHelp;
  if (command == "import") return kImportHelp;
  if (command == "diff") return kDiffHelp;
  if (command == "help") return "Usage: quarvel-levels help [COMMAND]\n";
  return {};
}

}  // namespace quarvel_cli
