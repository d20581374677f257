#pragma once
// What the render program's commands share: Qt kept quiet, and the picture written as a
// PNG file or to standard output.

#include <QImage>

#include <string>

namespace quarvel_cli {

// Qt's warnings and debug lines are dropped; a critical or fatal message is an error line
// under `command`, as every other error.
void KeepQtQuiet(const char* command);

// Writes `picture` as PNG to `output`, "-" for standard output; a file is replaced safely
// (a new file renamed into place), so on any failure it is left as it was, or not made.
void WritePng(const QImage& picture, const std::string& output);

}  // namespace quarvel_cli
