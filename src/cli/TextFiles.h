#pragma once
// Whole files for export, import and diff: a level set file or its text form read in full
// (records past the 256th and all), and an output written safely or to standard output.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/TextForm.h"

namespace quarvel_cli {

// FILE, or standard input for "-", to its end. Failures are CliErrors naming the file.
std::vector<std::uint8_t> ReadWholeFile(const std::string& file);

// The set FILE holds: as a level set file, or, when `text` allows it and the file starts
// with the text form's first line, as text. A text that is not the text form is a
// TextFormError; a file the editor's reader refuses is a CliError with its message.
enum class TextAllowed { No, Yes };
quarvel::SetImage ReadSetImage(const std::string& file, const std::vector<std::uint8_t>& bytes, TextAllowed text);

// Reports a TextFormError as "quarvel-levels: FILE:LINE:COLUMN: Message." on standard error.
void PrintTextFormError(const std::string& file, const quarvel::TextFormError& error);

// Writes `bytes` to OUT, "-" for standard output; a file is replaced safely, as the editor
// saves, and is never one of `inputs`.
void WriteOutput(const std::string& out, std::span<const std::uint8_t> bytes, const std::vector<std::string>& inputs);

}  // namespace quarvel_cli
