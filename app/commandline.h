#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include <QStringList>

// The console front end: parses the arguments, runs the command on each
// target, prints a line per target and returns the exit status.
int runCommandLine(const QStringList &arguments);

#endif
