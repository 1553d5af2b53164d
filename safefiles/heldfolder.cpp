#include "heldfolder.h"

#include <utility>

bool isRefusal(const Reason &reason)
{
    return reason.text().startsWith(QLatin1String("refused: "))
        || reason.text().startsWith(QLatin1String("not followed: "));
}

HeldFolder HeldFolder::folder(const QString &strName, bool bCreate, Reason &reason) const
{
    // A link is resolved from the start, one step at a time; all else is this folder's.
    if (entry(strName) == Entry::Link)
        return open(pathOf(strName), reason);
    return ownFolder(strName, bCreate, reason);
}

HeldFolder::HeldFolder(qintptr handle, const QString &strPath)
    : m_handle(handle)
    , m_strPath(strPath)
{
}

HeldFolder::HeldFolder(HeldFolder &&other) noexcept
    : m_handle(std::exchange(other.m_handle, invalidHandle))
    , m_strPath(std::move(other.m_strPath))
    , m_nOwner(other.m_nOwner)
    , m_nGroup(other.m_nGroup)
{
}

HeldFolder &HeldFolder::operator=(HeldFolder &&other) noexcept
{
    close();
    m_handle = std::exchange(other.m_handle, invalidHandle);
    m_strPath = std::move(other.m_strPath);
    m_nOwner = other.m_nOwner;
    m_nGroup = other.m_nGroup;
    return *this;
}

HeldFolder::~HeldFolder()
{
    close();
}
