#ifndef DATABASEEDIT_H
#define DATABASEEDIT_H

#include <QDomDocument>
#include <QString>

#include <functional>

// One change of a database file: loads it whole, applies edit, and saves it
// when edit returns true, with the hash seed pinned from load to save so that
// every element keeps its attribute order. A file that cannot be read whole
// is never saved over. On failure strErroInfo gets the job's message, and
// pstrReason, when given, why.
bool editDeviceDatabase(const QString &strFileName, const std::function<bool(QDomDocument)> &edit,
                        QString &strErroInfo, QString *pstrReason);

#endif
