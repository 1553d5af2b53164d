#ifndef JLINKFOLDERS_H
#define JLINKFOLDERS_H

#include <QString>
#include <QStringList>

// Where the window and --all look for J-Link installations: the place where
// J-Link records them for this user, listed as the window always listed it,
// then the places that hold those of the machine and of other accounts.
struct JLinkSearch
{
    // A place alone, as --search-in names one, is searched without others.
    JLinkSearch(const QString &strOwn, const QStringList &others = QStringList())
        : strOwnPlace(strOwn), otherPlaces(others)
    {
    }
    // Each place once, in the order searched, as messages name them.
    QStringList places() const;

    QString strOwnPlace;
    QStringList otherPlaces;
};

// This platform's search. Windows: the user's J-Link settings, then the
// J-Link keys of the user and of the machine in both registry views and the
// SEGGER folders of both Program Files; elsewhere the folder J-Link installs
// itself into.
JLinkSearch defaultJLinkSearch();

// The installation folders the own place records, greatest name first, as
// J-Link's own version ordering puts the newest first: the groups of a
// registry key on Windows, the JLink* folders holding JLinkExe elsewhere.
QStringList findJLinkInstallations(const QString &strPlace);
// Those an other place records: on Windows a registry key, read in both
// views together with its own "InstallPath", or a folder of JLink* folders.
QStringList findOtherJLinkInstallations(const QString &strPlace);
// Those of the whole search: the own place's as they are, then the others'
// not listed yet, each once, greatest name first.
QStringList discoverJLinkInstallations(const JLinkSearch &search);

// Whether a place of a search is there; looking into one must not make it.
bool placeExists(const QString &strPlace);

// The JLink* folders below strFolder that hold J-Link's command-line tool,
// greatest name first.
QStringList jlinkFoldersBelow(const QString &strFolder);
// That tool's name on this platform.
extern const char jlinkToolName[];

// The folder the Browse dialog opens at.
QString browseStartFolder();

// Whether the window selects the per-user folder over strNewest, the newest
// installation found, rather than leave that installation selected.
bool prefersUserFolder(const QString &strNewest);
// Whether this process may make files in strFolder, as the job must.
bool mayCreateFilesIn(const QString &strFolder);

#endif
