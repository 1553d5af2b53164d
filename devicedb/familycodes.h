#ifndef FAMILYCODES_H
#define FAMILYCODES_H

#include <QString>

// The series a family code names; the catalogue passes these values and the
// entry writers choose loaders, layouts and the core by them.
namespace FamilyCode {
enum : int {
    QN58K212 = 2,
    QN58K199 = 4,
    QN58K528 = 5,
    QN58K212A = 7,
    QN58K254 = 8,
    QN58K830 = 9,
    QN58K944 = 13,
    QN58K192 = 14,
    QN58K774 = 15,
    QN58P124 = 16,
    QN58VX617 = 17,
    QN58K699 = 18,
    QN58K210 = 19,
    QN58K569 = 20,
    QN58K103 = 21,
    QN58K518 = 22,
    QN58K121 = 23,
    QN58R258A = 24,
    QN58N164 = 25,
    QN58N229 = 26,
    QN58R820 = 29,
    QN58K872 = 30,
    QN58K333 = 33,
    QN58K624 = 34,
    QN58K212E = 35,
    QN58K254E = 36,
    QN58K949 = 37,
    QN58K410 = 38,
    QN58K8395 = 149,
    VC71K228 = 150,
};
}

// The series text that the family's loader file names begin with; empty for
// a code that names no series.
QString familySeries(int familyCode);

#endif
