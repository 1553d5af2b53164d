#include "familycodes.h"

QString familySeries(int familyCode)
{
    switch (familyCode) {
    case FamilyCode::QN58K212: return QStringLiteral("QN58K212");
    case FamilyCode::QN58K199: return QStringLiteral("QN58K199");
    case FamilyCode::QN58K528: return QStringLiteral("QN58K528");
    case FamilyCode::QN58K212A: return QStringLiteral("QN58K212A");
    case FamilyCode::QN58K254: return QStringLiteral("QN58K254");
    case FamilyCode::QN58K830: return QStringLiteral("QN58K830");
    case FamilyCode::QN58K944: return QStringLiteral("QN58K944");
    case FamilyCode::QN58K192: return QStringLiteral("QN58K192");
    case FamilyCode::QN58K774: return QStringLiteral("QN58K774");
    case FamilyCode::QN58P124: return QStringLiteral("QN58P124");
    case FamilyCode::QN58VX617: return QStringLiteral("QN58VX617");
    case FamilyCode::QN58K699: return QStringLiteral("QN58K699");
    case FamilyCode::QN58K210: return QStringLiteral("QN58K210");
    case FamilyCode::QN58K569: return QStringLiteral("QN58K569");
    case FamilyCode::QN58K103: return QStringLiteral("QN58K103");
    case FamilyCode::QN58K518: return QStringLiteral("QN58K518");
    case FamilyCode::QN58K121: return QStringLiteral("QN58K121");
    case FamilyCode::QN58R258A: return QStringLiteral("QN58R258A");
    case FamilyCode::QN58N164: return QStringLiteral("QN58N164");
    case FamilyCode::QN58N229: return QStringLiteral("QN58N229");
    case FamilyCode::QN58R820: return QStringLiteral("QN58R820");
    case FamilyCode::QN58K872: return QStringLiteral("QN58K872");
    case FamilyCode::QN58K333: return QStringLiteral("QN58K333");
    case FamilyCode::QN58K624: return QStringLiteral("QN58K624");
    case FamilyCode::QN58K212E: return QStringLiteral("QN58K212E");
    case FamilyCode::QN58K254E: return QStringLiteral("QN58K254E");
    case FamilyCode::QN58K949: return QStringLiteral("QN58K949");
    case FamilyCode::QN58K410: return QStringLiteral("QN58K410");
    case FamilyCode::QN58K8395: return QStringLiteral("QN58K8395");
    case FamilyCode::VC71K228: return QStringLiteral("VC71K228");
    }
    return QString();
}
