#include "console.h"

#include <windows.h>

void printLine(std::FILE *stream, const QString &strLine)
{
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    // A file or pipe gets UTF-8, with the C library's CR LF line ends.
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr || !GetConsoleMode(handle, &mode)) {
        std::fputs(qUtf8Printable(strLine + QLatin1Char('\n')), stream);
        return;
    }
    // The console's code page would lose what it cannot show; UTF-16 keeps it.
    std::fflush(stream);
    const QString strText = strLine + QLatin1Char('\n');
    DWORD written = 0;
    WriteConsoleW(handle, reinterpret_cast<const wchar_t *>(strText.utf16()),
                  static_cast<DWORD>(strText.size()), &written, nullptr);
}

bool isPlatformHelpRequest(const QString &strArgument)
{
    return strArgument == QLatin1String("/?");
}
