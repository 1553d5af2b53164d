<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>CommandLine</name>
    <message>
        <source>%1 is not set to an absolute path</source>
        <extracomment>%1 is the name of an environment variable, such as HOME.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The per-user folder, unknown here: %1.</source>
        <extracomment>%1 says why, such as &quot;HOME is not set to an absolute path&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The per-user folder: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every J-Link installation found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Takes a folder that holds no J-Link installation all the same.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looks for J-Link installations there alone instead of in %1.</source>
        <extracomment>%1 lists the places, folders or registry keys, separated by commas.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prints one JSON document on standard output (status, list).</source>
        <extracomment>&quot;status&quot; and &quot;list&quot; are the commands that print it.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Displays the version.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>installs into each target</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>compares each target with exactly what this installer writes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>removes what this installer wrote from each target</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the J-Link installations found and the per-user folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage:</source>
        <extracomment>Before the program&apos;s synopses, which line up after it.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Adds the QN58 devices of Kestrilon to J-Link, checks and removes them.
A J-Link folder alone installs into it, as the window does.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A target is a J-Link folder named, each installation found (--all) or
the per-user folder (--user), which J-Link V7.62 and later read.</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>J-Link, version unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>folder missing</source>
        <extracomment>The state of an installation that J-Link still records but whose folder is gone.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No J-Link installation found in %1</source>
        <extracomment>%1 lists the places, folders or registry keys, separated by commas.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2): folder missing, skipped</source>
        <extracomment>%1 is a folder, %2 its installation, such as &quot;J-Link V7.94&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The per-user folder is unknown: %1</source>
        <extracomment>%1 says why, such as &quot;HOME is not set to an absolute path&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>refused</source>
        <extracomment>A target&apos;s state.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>does not exist</source>
        <extracomment>A target&apos;s state.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a J-Link installation (%1); --force takes it all the same</source>
        <extracomment>%1 names the files looked for, &quot;no JLinkExe, JLink.exe or J-Link library&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>removed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing to remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No J-Link installation found in %1, and no per-user folder: %2</source>
        <extracomment>%1 lists the places looked in, %2 says why there is no per-user folder.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>per-user folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no command (%2), and a J-Link folder alone takes nothing more</source>
        <extracomment>%1 is what was given, %2 lists the command names.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 needs a target: a folder, --all or --user</source>
        <extracomment>%1 is a command&apos;s name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 takes no folder, --all, --user or --force</source>
        <extracomment>%1 is a command&apos;s name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 takes no --json</source>
        <extracomment>%1 is a command&apos;s name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>J-Link folders.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No command and no J-Link folder given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A folder name is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no JLinkExe, JLink.exe or J-Link library</source>
        <extracomment>Why a folder is not taken for a J-Link installation.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InstallationStatus</name>
    <message>
        <source>(no name)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 and %n more</source>
        <extracomment>%1 lists the first names, %n counts the others.</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read</source>
        <extracomment>%1 is a file name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>missing devices: %1</source>
        <extracomment>%1 lists device names.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>changed devices: %1</source>
        <extracomment>%1 lists device names.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>stale entries: %1</source>
        <extracomment>%1 lists the device names of the vendor&apos;s entries that do not belong there.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>entries out of catalogue order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>missing files: %1</source>
        <extracomment>%1 lists file names.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>changed files: %1</source>
        <extracomment>%1 lists file names.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>differs: %1</source>
        <extracomment>%1 lists what differs, such as &quot;missing files: ...&quot;, separated by semicolons.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JLinkAddQN58MCU</name>
    <message>
        <source>Setup has failed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Setup QN58 MCU Device AddOn to Segger V%1</source>
        <extracomment>%1 is the version, such as 2.0.17</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This SETUP program installs:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QN58 MCU Device AddOn to Segger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This AddOn will install into the following product folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To install to this folder, press &quot;Start&quot;. To install to a different folder, press &quot;Browse&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>and select another folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Support Segger JLink V620C and above.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Destination Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click the &quot;Browse...&quot; to select the installation directory of JLink</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder path can&apos;t be empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder path does not exists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The installation is still running; its result will show here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generate code, Please Waiting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setup has performed all requested operations successfully</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setup has failed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Reason</name>
    <message>
        <source>not well-formed at line %1, column %2</source>
        <extracomment>%1 is a line number, %2 a column number.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not well-formed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written: permission denied</source>
        <extracomment>%1 is a file name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written</source>
        <extracomment>%1 is a file name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>could not be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>refused: a link where the installer writes its own file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; could not be made</source>
        <extracomment>%1 is a folder&apos;s name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>could not be made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a FIFO or another special file</source>
        <extracomment>A FIFO is a named pipe.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>refused: %1 where the installer keeps its lock</source>
        <extracomment>%1 is &quot;a link&quot;, &quot;a folder&quot; or &quot;a FIFO or another special file&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be removed</source>
        <extracomment>%1 is a file&apos;s path.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>entity declarations are not accepted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no document element</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>malformed or incomplete characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a plain file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not all of it could be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it could not be written to disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it could not be replaced</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the result would not be readable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>another installation into this folder is still running</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it could not be created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>refused: the per-user folder belongs to %1, not to this account</source>
        <extracomment>%1 is an account.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>link</source>
        <extracomment>A kind of file system object, after &quot;a&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FIFO</source>
        <extracomment>A named pipe, after &quot;a&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>special file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not followed: a folder owned by %1 that holds a %2 owned by %3</source>
        <extracomment>%1 and %3 are accounts, %2 a kind of file system object (&quot;link&quot;, &quot;file&quot;, ...).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>refused: a link where the installer makes its own folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not followed: a link owned by %1 that leads to a %2 owned by %3</source>
        <extracomment>%1 and %3 are accounts, %2 a kind of file system object (&quot;link&quot;, &quot;file&quot;, ...).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>too many levels of links</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>changed while it was being opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>exists already</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>error %1</source>
        <extracomment>%1 is the number of a Windows error that has no text.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an unknown account</source>
        <extracomment>In the place of an account&apos;s name, as in &quot;a folder owned by %1&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>junction</source>
        <extracomment>A Windows directory junction, after &quot;a&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reparse point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>refused: a %1 where the installer makes its own folder</source>
        <extracomment>%1 is &quot;link&quot;, &quot;junction&quot; or &quot;reparse point&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not followed: a %1 owned by %2 that leads to a %3 owned by %4</source>
        <extracomment>%1 is &quot;link&quot; or &quot;junction&quot;, %2 and %4 are accounts, %3 a kind of file system object (&quot;link&quot;, &quot;file&quot;, ...).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not followed: a reparse point</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not followed: a %1 to no folder of a drive or share</source>
        <extracomment>%1 is &quot;link&quot; or &quot;junction&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
