#ifndef HELDOPENFILE_H
#define HELDOPENFILE_H

#include <QtGlobal>

// Windows' own kind of file that cannot be written, whoever the user: one
// that another handle holds open without sharing cannot be opened, removed
// or replaced until that handle is closed. Reading is enough to hold it, so
// read-only files can be held too. Header only, so that any test program can
// use it.
#ifdef Q_OS_WIN
#include <QDir>
#include <QString>

#include <windows.h>

class HeldOpenFile
{
public:
    explicit HeldOpenFile(const QString &strFileName)
        : m_handle(CreateFileW(reinterpret_cast<const wchar_t *>(
                                   QDir::toNativeSeparators(strFileName).utf16()),
                               GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~HeldOpenFile() { release(); }

    bool isHeld() const { return m_handle != INVALID_HANDLE_VALUE; }
    void release()
    {
        if (isHeld())
            CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }

private:
    Q_DISABLE_COPY(HeldOpenFile)
    HANDLE m_handle;
};
#endif

#endif
