// The media type Qt's MIME database (the one KDE's file managers use) gives each file named
// on the command line, one a line: the name and the content together, as a file manager
// asks. The database is the one XDG_DATA_DIRS leads to.
#include <QMimeDatabase>
#include <QString>

#include <cstdio>

int main(int argc, char** argv) {
  const QMimeDatabase database;
  for (int i = 1; i < argc; ++i)
    std::printf("%s\n", qPrintable(database.mimeTypeForFile(QString::fromLocal8Bit(argv[i])).name()));
  return 0;
}
