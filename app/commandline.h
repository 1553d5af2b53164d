#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include <QStringList>

// The console front end: parses the arguments, runs the command on each
// target, prints a line per target and returns the exit status.
int runCommandLine(const QStringList &arguments);

// The synopsis, a line for the folder alone and one per command, as the
// help and the documents show it.
QStringList usageLines(const QString &strProgram);

#endif
