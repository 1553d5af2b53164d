<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CommandLine</name>
    <message>
        <source>%1 is not set to an absolute path</source>
        <extracomment>%1 is the name of an environment variable, such as HOME.</extracomment>
        <translatorcomment>Glossary: device → Gerät; device database / device list → Gerätedatenbank / Geräteliste; flash loader / flash algorithm → Flash-Loader / Flash-Algorithmus; J-Link script → J-Link-Skript; install / installation → installieren / Installation; uninstall → deinstallieren; installer → Installationsprogramm; target → Ziel; per-user folder → benutzereigener Ordner; entry → Eintrag; vendor → Hersteller; folder → Ordner; file → Datei; link / junction → Link / Verzeichnisverbindung; reparse point → Analysepunkt</translatorcomment>
        <translation>%1 ist nicht auf einen absoluten Pfad gesetzt</translation>
    </message>
    <message>
        <source>The per-user folder, unknown here: %1.</source>
        <extracomment>%1 says why, such as &quot;HOME is not set to an absolute path&quot;.</extracomment>
        <translation>Der benutzereigene Ordner, hier unbekannt: %1.</translation>
    </message>
    <message>
        <source>The per-user folder: %1.</source>
        <translation>Der benutzereigene Ordner: %1.</translation>
    </message>
    <message>
        <source>Every J-Link installation found.</source>
        <translation>Jede gefundene J-Link-Installation.</translation>
    </message>
    <message>
        <source>Takes a folder that holds no J-Link installation all the same.</source>
        <translation>Nimmt auch einen Ordner an, der keine J-Link-Installation enthält.</translation>
    </message>
    <message>
        <source>Looks for J-Link installations there alone instead of in %1.</source>
        <extracomment>%1 lists the places, folders or registry keys, separated by commas.</extracomment>
        <translation>Sucht J-Link-Installationen nur dort statt in %1.</translation>
    </message>
    <message>
        <source>Prints one JSON document on standard output (status, list).</source>
        <extracomment>&quot;status&quot; and &quot;list&quot; are the commands that print it.</extracomment>
        <translation>Gibt ein einziges JSON-Dokument auf der Standardausgabe aus (status, list).</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Zeigt diese Hilfe an.</translation>
    </message>
    <message>
        <source>Displays the version.</source>
        <translation>Zeigt die Version an.</translation>
    </message>
    <message>
        <source>installs into each target</source>
        <translation>installiert in jedes Ziel</translation>
    </message>
    <message>
        <source>compares each target with exactly what this installer writes</source>
        <translation>vergleicht jedes Ziel genau mit dem, was dieses Programm schreibt</translation>
    </message>
    <message>
        <source>removes what this installer wrote from each target</source>
        <translation>entfernt aus jedem Ziel, was dieses Programm geschrieben hat</translation>
    </message>
    <message>
        <source>the J-Link installations found and the per-user folder</source>
        <translation>gefundene J-Link-Installationen und benutzereigener Ordner</translation>
    </message>
    <message>
        <source>Usage:</source>
        <extracomment>Before the program&apos;s synopses, which line up after it.</extracomment>
        <translation>Aufruf:</translation>
    </message>
    <message>
        <source>Adds the QN58 devices of Kestrilon to J-Link, checks and removes them.
A J-Link folder alone installs into it, as the window does.</source>
        <translation>Fügt J-Link die QN58-Geräte von Kestrilon hinzu, prüft und entfernt sie.
Ist nur ein J-Link-Ordner angegeben, wird wie im Fenster in ihn installiert.</translation>
    </message>
    <message>
        <source>A target is a J-Link folder named, each installation found (--all) or
the per-user folder (--user), which J-Link V7.62 and later read.</source>
        <translation>Ein Ziel ist ein angegebener J-Link-Ordner, jede gefundene Installation (--all)
oder der benutzereigene Ordner (--user), den J-Link ab V7.62 liest.</translation>
    </message>
    <message>
        <source>Exit status (with several targets, that of the first one that failed):
  0   success: installed; every target installed exactly; uninstalled
  1-3 install: the job&apos;s result
  1   status: a target is not installed, differs or cannot be read;
      uninstall: a target could not be cleaned
  64  bad usage
  66  a folder does not exist or holds no J-Link installation, --all found
      none, or the per-user folder is unknown</source>
        <extracomment>Keep the exit codes, the command names and the layout; lines end before 80 columns.</extracomment>
        <translation>Exit-Status (bei mehreren Zielen der des ersten fehlgeschlagenen):
  0   Erfolg: installiert; jedes Ziel exakt installiert; deinstalliert
  1-3 install: das Ergebnis des Auftrags
  1   status: ein Ziel ist nicht installiert, weicht ab oder ist nicht lesbar;
      uninstall: ein Ziel konnte nicht bereinigt werden
  64  fehlerhafter Aufruf
  66  ein Ordner existiert nicht oder enthält keine J-Link-Installation,
      --all fand keine, oder der benutzereigene Ordner ist unbekannt</translation>
    </message>
    <message>
        <source>J-Link, version unknown</source>
        <translation>J-Link, Version unbekannt</translation>
    </message>
    <message>
        <source>folder missing</source>
        <extracomment>The state of an installation that J-Link still records but whose folder is gone.</extracomment>
        <translation>Ordner fehlt</translation>
    </message>
    <message>
        <source>No J-Link installation found in %1</source>
        <extracomment>%1 lists the places, folders or registry keys, separated by commas.</extracomment>
        <translation>Keine J-Link-Installation in %1 gefunden</translation>
    </message>
    <message>
        <source>%1 (%2): folder missing, skipped</source>
        <extracomment>%1 is a folder, %2 its installation, such as &quot;J-Link V7.94&quot;.</extracomment>
        <translation>%1 (%2): Ordner fehlt, übersprungen</translation>
    </message>
    <message>
        <source>The per-user folder is unknown: %1</source>
        <extracomment>%1 says why, such as &quot;HOME is not set to an absolute path&quot;.</extracomment>
        <translation>Der benutzereigene Ordner ist unbekannt: %1</translation>
    </message>
    <message>
        <source>refused</source>
        <extracomment>A target&apos;s state.</extracomment>
        <translation>abgelehnt</translation>
    </message>
    <message>
        <source>does not exist</source>
        <extracomment>A target&apos;s state.</extracomment>
        <translation>existiert nicht</translation>
    </message>
    <message>
        <source>not a J-Link installation (%1); --force takes it all the same</source>
        <extracomment>%1 names the files looked for, &quot;no JLinkExe, JLink.exe or J-Link library&quot;.</extracomment>
        <translation>keine J-Link-Installation (%1); mit --force trotzdem verwendbar</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>entfernt</translation>
    </message>
    <message>
        <source>nothing to remove</source>
        <translation>nichts zu entfernen</translation>
    </message>
    <message>
        <source>No J-Link installation found in %1, and no per-user folder: %2</source>
        <extracomment>%1 lists the places looked in, %2 says why there is no per-user folder.</extracomment>
        <translation>Keine J-Link-Installation in %1 gefunden und kein benutzereigener Ordner: %2</translation>
    </message>
    <message>
        <source>per-user folder</source>
        <translation>benutzereigener Ordner</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no command (%2), and a J-Link folder alone takes nothing more</source>
        <extracomment>%1 is what was given, %2 lists the command names.</extracomment>
        <translation>&quot;%1&quot; ist kein Befehl (%2), und ein J-Link-Ordner allein erlaubt keine weiteren Angaben</translation>
    </message>
    <message>
        <source>%1 needs a target: a folder, --all or --user</source>
        <extracomment>%1 is a command&apos;s name.</extracomment>
        <translation>%1 braucht ein Ziel: einen Ordner, --all oder --user</translation>
    </message>
    <message>
        <source>%1 takes no folder, --all, --user or --force</source>
        <extracomment>%1 is a command&apos;s name.</extracomment>
        <translation>%1 akzeptiert weder Ordner noch --all, --user oder --force</translation>
    </message>
    <message>
        <source>%1 takes no --json</source>
        <extracomment>%1 is a command&apos;s name.</extracomment>
        <translation>%1 akzeptiert kein --json</translation>
    </message>
    <message>
        <source>J-Link folders.</source>
        <translation>J-Link-Ordner.</translation>
    </message>
    <message>
        <source>No command and no J-Link folder given</source>
        <translation>Weder Befehl noch J-Link-Ordner angegeben</translation>
    </message>
    <message>
        <source>A folder name is empty</source>
        <translation>Ein Ordnername ist leer</translation>
    </message>
    <message>
        <source>no JLinkExe, JLink.exe or J-Link library</source>
        <extracomment>Why a folder is not taken for a J-Link installation.</extracomment>
        <translation>weder JLinkExe noch JLink.exe noch eine J-Link-Bibliothek</translation>
    </message>
</context>
<context>
    <name>InstallationStatus</name>
    <message>
        <source>(no name)</source>
        <translation>(kein Name)</translation>
    </message>
    <message numerus="yes">
        <source>%1 and %n more</source>
        <extracomment>%1 lists the first names, %n counts the others.</extracomment>
        <translation>
            <numerusform>%1 und %n weiterer Name</numerusform>
            <numerusform>%1 und %n weitere Namen</numerusform>
        </translation>
    </message>
    <message>
        <source>installed</source>
        <translation>installiert</translation>
    </message>
    <message>
        <source>not installed</source>
        <translation>nicht installiert</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read</source>
        <extracomment>%1 is a file name.</extracomment>
        <translation>&quot;%1&quot; kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>missing devices: %1</source>
        <extracomment>%1 lists device names.</extracomment>
        <translation>fehlende Geräte: %1</translation>
    </message>
    <message>
        <source>changed devices: %1</source>
        <extracomment>%1 lists device names.</extracomment>
        <translation>geänderte Geräte: %1</translation>
    </message>
    <message>
        <source>stale entries: %1</source>
        <extracomment>%1 lists the device names of the vendor&apos;s entries that do not belong there.</extracomment>
        <translation>veraltete Einträge: %1</translation>
    </message>
    <message>
        <source>entries out of catalogue order</source>
        <translation>Einträge nicht in Katalogreihenfolge</translation>
    </message>
    <message>
        <source>missing files: %1</source>
        <extracomment>%1 lists file names.</extracomment>
        <translation>fehlende Dateien: %1</translation>
    </message>
    <message>
        <source>changed files: %1</source>
        <extracomment>%1 lists file names.</extracomment>
        <translation>geänderte Dateien: %1</translation>
    </message>
    <message>
        <source>differs: %1</source>
        <extracomment>%1 lists what differs, such as &quot;missing files: ...&quot;, separated by semicolons.</extracomment>
        <translation>weicht ab: %1</translation>
    </message>
</context>
<context>
    <name>JLinkAddQN58MCU</name>
    <message>
        <source>Setup has failed</source>
        <translation>Setup fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Setup QN58 MCU Device AddOn to Segger V%1</source>
        <extracomment>%1 is the version, such as 2.0.17</extracomment>
        <translation>Installation: QN58-Geräte für SEGGER J-Link, Version %1</translation>
    </message>
    <message>
        <source>This SETUP program installs:</source>
        <translation>Dieses Programm installiert:</translation>
    </message>
    <message>
        <source>QN58 MCU Device AddOn to Segger</source>
        <translation>QN58-Geräte für SEGGER J-Link</translation>
    </message>
    <message>
        <source>This AddOn will install into the following product folder.</source>
        <translation>Das Add-on wird in den folgenden Produktordner installiert.</translation>
    </message>
    <message>
        <source>To install to this folder, press &quot;Start&quot;. To install to a different folder, press &quot;Browse&quot;</source>
        <translation>Zum Installieren in diesen Ordner drücken Sie „Starten“, sonst drücken Sie „Wählen“</translation>
    </message>
    <message>
        <source>and select another folder.</source>
        <translation>und wählen Sie einen anderen.</translation>
    </message>
    <message>
        <source>Support Segger JLink V620C and above.</source>
        <translation>Unterstützt SEGGER J-Link ab V620C.</translation>
    </message>
    <message>
        <source>Destination Folder</source>
        <translation>Zielordner</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Wählen...</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Click the &quot;Browse...&quot; to select the installation directory of JLink</source>
        <translation>Klicken Sie auf „Wählen...“, um den J-Link-Ordner auszuwählen</translation>
    </message>
    <message>
        <source>Select directory</source>
        <translation>Ordner auswählen</translation>
    </message>
    <message>
        <source>The folder path can&apos;t be empty</source>
        <translation>Der Ordnerpfad darf nicht leer sein</translation>
    </message>
    <message>
        <source>The folder path does not exists</source>
        <translation>Der Ordnerpfad existiert nicht</translation>
    </message>
    <message>
        <source>Starting...</source>
        <translation>Wird gestartet...</translation>
    </message>
    <message>
        <source>The installation is still running; its result will show here.</source>
        <translation>Die Installation läuft noch; ihr Ergebnis erscheint hier.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Generate code, Please Waiting...</source>
        <translation>Installation läuft, bitte warten...</translation>
    </message>
    <message>
        <source>Setup has performed all requested operations successfully</source>
        <translation>Alle angeforderten Vorgänge wurden erfolgreich ausgeführt</translation>
    </message>
    <message>
        <source>Setup has failed</source>
        <translation>Setup fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>Reason</name>
    <message>
        <source>not well-formed at line %1, column %2</source>
        <extracomment>%1 is a line number, %2 a column number.</extracomment>
        <translation>nicht wohlgeformt in Zeile %1, Spalte %2</translation>
    </message>
    <message>
        <source>not well-formed</source>
        <translation>nicht wohlgeformt</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written: permission denied</source>
        <extracomment>%1 is a file name.</extracomment>
        <translation>&quot;%1&quot; konnte nicht geschrieben werden: Zugriff verweigert</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written</source>
        <extracomment>%1 is a file name.</extracomment>
        <translation>&quot;%1&quot; konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>could not be written</source>
        <translation>konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>refused: a link where the installer writes its own file</source>
        <translation>abgelehnt: ein Link dort, wo das Installationsprogramm seine eigene Datei schreibt</translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; could not be made</source>
        <extracomment>%1 is a folder&apos;s name.</extracomment>
        <translation>der Ordner &quot;%1&quot; konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>could not be made</source>
        <translation>konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>a link</source>
        <translation>ein Link</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a FIFO or another special file</source>
        <extracomment>A FIFO is a named pipe.</extracomment>
        <translation>ein FIFO oder eine andere Spezialdatei</translation>
    </message>
    <message>
        <source>refused: %1 where the installer keeps its lock</source>
        <extracomment>%1 is &quot;a link&quot;, &quot;a folder&quot; or &quot;a FIFO or another special file&quot;.</extracomment>
        <translation>abgelehnt: %1 dort, wo das Installationsprogramm seine Sperre ablegt</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be removed</source>
        <extracomment>%1 is a file&apos;s path.</extracomment>
        <translation>&quot;%1&quot; konnte nicht entfernt werden</translation>
    </message>
    <message>
        <source>entity declarations are not accepted</source>
        <translation>Entity-Deklarationen werden nicht akzeptiert</translation>
    </message>
    <message>
        <source>no document element</source>
        <translation>kein Dokumentelement</translation>
    </message>
    <message>
        <source>malformed or incomplete characters</source>
        <translation>fehlerhafte oder unvollständige Zeichen</translation>
    </message>
    <message>
        <source>not a plain file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>not all of it could be written</source>
        <translation>konnte nicht vollständig geschrieben werden</translation>
    </message>
    <message>
        <source>it could not be written to disk</source>
        <translation>konnte nicht auf den Datenträger geschrieben werden</translation>
    </message>
    <message>
        <source>it could not be replaced</source>
        <translation>konnte nicht ersetzt werden</translation>
    </message>
    <message>
        <source>the result would not be readable</source>
        <translation>das Ergebnis wäre nicht lesbar</translation>
    </message>
    <message>
        <source>another installation into this folder is still running</source>
        <translation>eine andere Installation in diesen Ordner läuft noch</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>kein Ordner</translation>
    </message>
    <message>
        <source>it could not be created</source>
        <translation>konnte nicht erstellt werden</translation>
    </message>
    <message>
        <source>refused: the per-user folder belongs to %1, not to this account</source>
        <extracomment>%1 is an account.</extracomment>
        <translation>abgelehnt: der benutzereigene Ordner gehört %1, nicht diesem Konto</translation>
    </message>
    <message>
        <source>link</source>
        <extracomment>A kind of file system object, after &quot;a&quot;.</extracomment>
        <translation>Link</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>FIFO</source>
        <extracomment>A named pipe, after &quot;a&quot;.</extracomment>
        <translation>FIFO</translation>
    </message>
    <message>
        <source>special file</source>
        <translation>Spezialdatei</translation>
    </message>
    <message>
        <source>not followed: a folder owned by %1 that holds a %2 owned by %3</source>
        <extracomment>%1 and %3 are accounts, %2 a kind of file system object (&quot;link&quot;, &quot;file&quot;, ...).</extracomment>
        <translation>nicht verfolgt: ein Ordner im Besitz von %1 enthält ein Objekt vom Typ %2 im Besitz von %3</translation>
    </message>
    <message>
        <source>refused: a link where the installer makes its own folder</source>
        <translation>abgelehnt: ein Link dort, wo das Installationsprogramm seinen eigenen Ordner anlegt</translation>
    </message>
    <message>
        <source>does not exist</source>
        <translation>existiert nicht</translation>
    </message>
    <message>
        <source>not followed: a link owned by %1 that leads to a %2 owned by %3</source>
        <extracomment>%1 and %3 are accounts, %2 a kind of file system object (&quot;link&quot;, &quot;file&quot;, ...).</extracomment>
        <translation>nicht verfolgt: ein Link im Besitz von %1 führt zu einem Objekt vom Typ %2 im Besitz von %3</translation>
    </message>
    <message>
        <source>too many levels of links</source>
        <translation>zu viele Ebenen von Links</translation>
    </message>
    <message>
        <source>changed while it was being opened</source>
        <translation>wurde beim Öffnen geändert</translation>
    </message>
    <message>
        <source>exists already</source>
        <translation>existiert bereits</translation>
    </message>
    <message>
        <source>error %1</source>
        <extracomment>%1 is the number of a Windows error that has no text.</extracomment>
        <translation>Fehler %1</translation>
    </message>
    <message>
        <source>an unknown account</source>
        <extracomment>In the place of an account&apos;s name, as in &quot;a folder owned by %1&quot;.</extracomment>
        <translation>einem unbekannten Konto</translation>
    </message>
    <message>
        <source>junction</source>
        <extracomment>A Windows directory junction, after &quot;a&quot;.</extracomment>
        <translation>Verzeichnisverbindung</translation>
    </message>
    <message>
        <source>reparse point</source>
        <translation>Analysepunkt</translation>
    </message>
    <message>
        <source>refused: a %1 where the installer makes its own folder</source>
        <extracomment>%1 is &quot;link&quot;, &quot;junction&quot; or &quot;reparse point&quot;.</extracomment>
        <translation>abgelehnt: ein Objekt vom Typ %1 dort, wo das Installationsprogramm seinen eigenen Ordner anlegt</translation>
    </message>
    <message>
        <source>not followed: a %1 owned by %2 that leads to a %3 owned by %4</source>
        <extracomment>%1 is &quot;link&quot; or &quot;junction&quot;, %2 and %4 are accounts, %3 a kind of file system object (&quot;link&quot;, &quot;file&quot;, ...).</extracomment>
        <translation>nicht verfolgt: ein Objekt vom Typ %1 im Besitz von %2 führt zu einem Objekt vom Typ %3 im Besitz von %4</translation>
    </message>
    <message>
        <source>not followed: a reparse point</source>
        <translation>nicht verfolgt: ein Analysepunkt</translation>
    </message>
    <message>
        <source>not followed: a %1 to no folder of a drive or share</source>
        <extracomment>%1 is &quot;link&quot; or &quot;junction&quot;.</extracomment>
        <translation>nicht verfolgt: ein Objekt vom Typ %1, das auf keinen Ordner eines Laufwerks und keiner Freigabe zeigt</translation>
    </message>
</context>
</TS>
