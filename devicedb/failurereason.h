#ifndef FAILUREREASON_H
#define FAILUREREASON_H

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVector>

// Why something failed, in a user's words, and the file or folder it
// concerns. The window shows the words after the job's message; the console
// front end names the file first, as compilers do, so that editors and CI
// logs lead to the place.
//
// This installer's own words are shown in the user's language and kept in
// English for --json, the log and the code that tells reasons apart; words
// that quote the system, such as a file system's error text, stay as they are.
class Reason
{
    Q_DECLARE_TR_FUNCTIONS(Reason)

public:
    // One of this installer's own words as an argument of a sentence, such as
    // a kind of file: marked QT_TRANSLATE_NOOP("Reason", ...), it is
    // translated with the sentence.
    struct Word
    {
        const char *pszText;
    };
    // An argument of a sentence: a name as it is, or a Word.
    class Argument
    {
    public:
        Argument() = default;
        Argument(const QString &strName) : m_strName(strName) {}
        Argument(Word word) : m_pszWord(word.pszText) {}
        QString text(bool bTranslated) const;

    private:
        QString m_strName;
        const char *m_pszWord = nullptr;
    };

    Reason() = default;
    // This installer's words: pszText, marked QT_TRANSLATE_NOOP("Reason", ...),
    // with its %1, %2... (at most four) taken from args.
    explicit Reason(const char *pszText, const QString &strPath = QString(),
                    const QStringList &args = QStringList());
    // The same where some of the arguments are Words.
    static Reason withWords(const char *pszText, const QString &strPath,
                            const QVector<Argument> &args);
    // Words that quote the system.
    static Reason quoting(const QString &strText, const QString &strPath = QString());
    // A file that is not well-formed; nColumn counts from 1.
    static Reason notWellFormed(const QString &strPath, qint64 nLine, qint64 nColumn);

    // The same with the console's words, when they differ from the window's:
    // pszWords, marked QT_TRANSLATE_NOOP("Reason", ...), takes no argument.
    Reason withConsoleWords(const char *pszWords) const;
    // The same words about another file or folder.
    Reason about(const QString &strPath) const;

    bool isEmpty() const { return !m_pszText && m_strQuoted.isEmpty(); }
    // In English: "not well-formed at line 7, column 1", "permission denied"
    QString text() const;
    // The same in the user's language.
    QString translated() const;
    // "<path>:7:1: not well-formed", "<path>: permission denied", in the
    // user's language; the words alone when no file is concerned.
    QString diagnostic() const;

private:
    QString words(bool bTranslated, const char *pszText) const;

    const char *m_pszText = nullptr;
    const char *m_pszWords = nullptr; // the console's, when they differ
    QVector<Argument> m_args;
    QString m_strQuoted;
    QString m_strPath;
    qint64 m_nLine = 0;
    qint64 m_nColumn = 0;
};

#endif
