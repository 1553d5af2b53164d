<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not well-formed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
