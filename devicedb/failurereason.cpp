#include "failurereason.h"

#include <QDir>

Reason::Reason(const QString &strText, const QString &strPath, const QString &strWords)
    : m_strText(strText)
    , m_strPath(strPath)
    , m_strWords(strWords.isEmpty() ? strText : strWords)
{
}

Reason Reason::notWellFormed(const QString &strPath, qint64 nLine, qint64 nColumn)
{
    Reason reason(QStringLiteral("not well-formed at line %1, column %2").arg(nLine).arg(nColumn),
                  strPath, QStringLiteral("not well-formed"));
    reason.m_nLine = nLine;
    reason.m_nColumn = nColumn;
    return reason;
}

QString Reason::diagnostic() const
{
    if (m_strPath.isEmpty())
        return m_strWords;
    QString strWhere = QDir::toNativeSeparators(m_strPath);
    if (m_nLine > 0)
        strWhere += QStringLiteral(":%1:%2").arg(m_nLine).arg(m_nColumn);
    return strWhere + QStringLiteral(": ") + m_strWords;
}
