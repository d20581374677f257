#include "cli/PictureOutput.h"

#include <QBuffer>
#include <QByteArray>

#include <cstdint>
#include <span>

#include "cli/CliSupport.h"
#include "cli/SetFiles.h"
#include "cli/StandardOutput.h"
#include "files/PosixFiles.h"

namespace quarvel_cli {

namespace {

const char* qtCommand = "";

}  // namespace

void KeepQtQuiet(const char* command) {
  qtCommand = command;
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) PrintError(qtCommand, message.toLocal8Bit().toStdString());
  });
}

void WritePng(const QImage& picture, const std::string& output) {
  QByteArray png;
  {
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) throw CliError(output, "PNG encoding failed");
  }
  const std::span bytes(reinterpret_cast<const std::uint8_t*>(png.constData()), static_cast<std::size_t>(png.size()));
  if (output == kStandardStream) {
    WriteOut(bytes);
    return;
  }
  try {
    quarvel::ReplaceFileContent(output, bytes);
  } catch (const quarvel::EInOutError& error) {
    throw CliError(output, FileErrorMessage(output, error.what()));
  }
}

}  // namespace quarvel_cli
