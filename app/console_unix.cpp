#include "console.h"

void printLine(std::FILE *stream, const QString &strLine)
{
    std::fputs(qUtf8Printable(strLine + QLatin1Char('\n')), stream);
}

bool isPlatformHelpRequest(const QString &)
{
    return false;
}
