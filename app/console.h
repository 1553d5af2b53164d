#ifndef CONSOLE_H
#define CONSOLE_H

#include <QString>

#include <cstdio>

// Writes strLine and a line end to stdout or stderr so that every character
// shows: UTF-16 to a Windows console, UTF-8 to anything else.
void printLine(std::FILE *stream, const QString &strLine);

// Whether strArgument is this platform's own request for help besides
// --help: "/?" on Windows, nothing elsewhere, where it is a path.
bool isPlatformHelpRequest(const QString &strArgument);

#endif
