#include "failurereason.h"

#include <QDir>

QString Reason::Argument::text(bool bTranslated) const
{
    if (!m_pszWord)
        return m_strName;
    return bTranslated ? tr(m_pszWord) : QString::fromUtf8(m_pszWord);
}

Reason::Reason(const char *pszText, const QString &strPath, const QStringList &args)
    : m_pszText(pszText)
    , m_strPath(strPath)
{
    for (const QString &strArg : args)
        m_args.append(strArg);
}

Reason Reason::withWords(const char *pszText, const QString &strPath,
                         const QVector<Argument> &args)
{
    Reason reason(pszText, strPath);
    reason.m_args = args;
    return reason;
}

Reason Reason::quoting(const QString &strText, const QString &strPath)
{
    Reason reason;
    reason.m_strQuoted = strText;
    reason.m_strPath = strPath;
    return reason;
}

Reason Reason::notWellFormed(const QString &strPath, qint64 nLine, qint64 nColumn)
{
    //: %1 is a line number, %2 a column number.
    Reason reason = Reason(QT_TRANSLATE_NOOP("Reason", "not well-formed at line %1, column %2"),
                           strPath, {QString::number(nLine), QString::number(nColumn)})
                        .withConsoleWords(QT_TRANSLATE_NOOP("Reason", "not well-formed"));
    reason.m_nLine = nLine;
    reason.m_nColumn = nColumn;
    return reason;
}

Reason Reason::withConsoleWords(const char *pszWords) const
{
    Reason reason = *this;
    reason.m_pszWords = pszWords;
    return reason;
}

Reason Reason::about(const QString &strPath) const
{
    Reason reason = *this;
    reason.m_strPath = strPath;
    return reason;
}

QString Reason::words(bool bTranslated, const char *pszText) const
{
    if (!pszText)
        return m_strQuoted;
    const QString strText = bTranslated ? tr(pszText) : QString::fromUtf8(pszText);
    // The console's own words take none.
    if (pszText != m_pszText)
        return strText;
    QStringList args;
    for (const Argument &argument : m_args)
        args << argument.text(bTranslated);
    // In one pass, so that an argument's own "%1" stays as it is.
    switch (args.size()) {
    case 0:
        return strText;
    case 1:
        return strText.arg(args.at(0));
    case 2:
        return strText.arg(args.at(0), args.at(1));
    case 3:
        return strText.arg(args.at(0), args.at(1), args.at(2));
    default:
        return strText.arg(args.at(0), args.at(1), args.at(2), args.at(3));
    }
}

QString Reason::text() const
{
    return words(false, m_pszText);
}

QString Reason::translated() const
{
    return words(true, m_pszText);
}

QString Reason::diagnostic() const
{
    const QString strWords = words(true, m_pszWords ? m_pszWords : m_pszText);
    if (m_strPath.isEmpty())
        return strWords;
    QString strWhere = QDir::toNativeSeparators(m_strPath);
    if (m_nLine > 0)
        strWhere += QStringLiteral(":%1:%2").arg(m_nLine).arg(m_nColumn);
    return strWhere + QStringLiteral(": ") + strWords;
}
