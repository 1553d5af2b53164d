#ifndef FAILUREREASON_H
#define FAILUREREASON_H

#include <QString>

// Why something failed, in a user's words, and the file or folder it
// concerns. The window shows the words after the job's message; the console
// front end names the file first, as compilers do, so that editors and CI
// logs lead to the place.
class Reason
{
public:
    Reason() = default;
    // strWords for the console when they differ from the window's.
    explicit Reason(const QString &strText, const QString &strPath = QString(),
                    const QString &strWords = QString());
    // A file that is not well-formed; nColumn counts from 1.
    static Reason notWellFormed(const QString &strPath, qint64 nLine, qint64 nColumn);

    bool isEmpty() const { return m_strText.isEmpty(); }
    // "not well-formed at line 7, column 1", "permission denied"
    QString text() const { return m_strText; }
    // "<path>:7:1: not well-formed", "<path>: permission denied"; the words
    // alone when no file is concerned.
    QString diagnostic() const;

private:
    QString m_strText;
    QString m_strPath;
    QString m_strWords;
    qint64 m_nLine = 0;
    qint64 m_nColumn = 0;
};

#endif
