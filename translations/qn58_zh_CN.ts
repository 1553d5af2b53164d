<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CommandLine</name>
    <message>
        <source>%1 is not set to an absolute path</source>
        <extracomment>%1 is the name of an environment variable, such as HOME.</extracomment>
        <translatorcomment>Glossary: device = 设备; device database (JLinkDevices.xml) = 设备数据库; flash loader / flash algorithm (*.FLM) = 烧录算法; J-Link script = J-Link 脚本; AddOn = 扩展包; installation (of J-Link) = 安装; install = 安装; uninstall = 卸载; installer / setup program = 安装程序; target = 目标; per-user folder = 用户目录; entry = 条目; vendor = 厂商; link = 链接; folder = 文件夹; file = 文件; junction = 目录联接; reparse point = 重分析点; not followed = 未跟随; refused = 已拒绝; Start / Browse... / Cancel = 开始 / 浏览... / 取消</translatorcomment>
        <translation>%1 未设置为绝对路径</translation>
    </message>
    <message>
        <source>The per-user folder, unknown here: %1.</source>
        <extracomment>%1 says why, such as &quot;HOME is not set to an absolute path&quot;.</extracomment>
        <translation>用户目录（此处无法确定：%1）。</translation>
    </message>
    <message>
        <source>The per-user folder: %1.</source>
        <translation>用户目录：%1。</translation>
    </message>
    <message>
        <source>Every J-Link installation found.</source>
        <translation>找到的所有 J-Link 安装。</translation>
    </message>
    <message>
        <source>Takes a folder that holds no J-Link installation all the same.</source>
        <translation>仍然接受不含 J-Link 安装的文件夹。</translation>
    </message>
    <message>
        <source>Looks for J-Link installations there alone instead of in %1.</source>
        <extracomment>%1 lists the places, folders or registry keys, separated by commas.</extracomment>
        <translation>只在该位置查找 J-Link 安装，而不在 %1 中查找。</translation>
    </message>
    <message>
        <source>Prints one JSON document on standard output (status, list).</source>
        <extracomment>&quot;status&quot; and &quot;list&quot; are the commands that print it.</extracomment>
        <translation>在标准输出上打印一个 JSON 文档（用于 status、list）。</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>显示此帮助。</translation>
    </message>
    <message>
        <source>Displays the version.</source>
        <translation>显示版本信息。</translation>
    </message>
    <message>
        <source>installs into each target</source>
        <translation>安装到每个目标</translation>
    </message>
    <message>
        <source>compares each target with exactly what this installer writes</source>
        <translation>将每个目标与本安装程序写入的内容逐一精确比较</translation>
    </message>
    <message>
        <source>removes what this installer wrote from each target</source>
        <translation>从每个目标中删除本安装程序写入的内容</translation>
    </message>
    <message>
        <source>the J-Link installations found and the per-user folder</source>
        <translation>找到的 J-Link 安装和用户目录</translation>
    </message>
    <message>
        <source>Usage:</source>
        <extracomment>Before the program&apos;s synopses, which line up after it.</extracomment>
        <translation>用法:</translation>
    </message>
    <message>
        <source>Adds the QN58 devices of Kestrilon to J-Link, checks and removes them.
A J-Link folder alone installs into it, as the window does.</source>
        <translation>将 Kestrilon 的 QN58 设备添加到 J-Link，也可检查或删除这些设备。
只给出一个 J-Link 文件夹时，安装到该文件夹，与窗口程序相同。</translation>
    </message>
    <message>
        <source>A target is a J-Link folder named, each installation found (--all) or
the per-user folder (--user), which J-Link V7.62 and later read.</source>
        <translation>目标可以是指定的 J-Link 文件夹、找到的每个安装（--all）或用户目录
（--user，J-Link V7.62 及更高版本会读取该目录）。</translation>
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
        <translation>退出状态（有多个目标时，为第一个失败目标的状态）：
  0   成功：已安装；每个目标的安装均完全一致；已卸载
  1-3 install: 安装作业的结果
  1   status: 某个目标未安装、与应有内容有差异或无法读取；
      uninstall: 某个目标未能清理干净
  64  用法错误
  66  文件夹不存在或不含 J-Link 安装、--all 未找到任何安装，
      或用户目录未知</translation>
    </message>
    <message>
        <source>J-Link, version unknown</source>
        <translation>J-Link，版本未知</translation>
    </message>
    <message>
        <source>folder missing</source>
        <extracomment>The state of an installation that J-Link still records but whose folder is gone.</extracomment>
        <translation>文件夹缺失</translation>
    </message>
    <message>
        <source>No J-Link installation found in %1</source>
        <extracomment>%1 lists the places, folders or registry keys, separated by commas.</extracomment>
        <translation>在 %1 中未找到 J-Link 安装</translation>
    </message>
    <message>
        <source>%1 (%2): folder missing, skipped</source>
        <extracomment>%1 is a folder, %2 its installation, such as &quot;J-Link V7.94&quot;.</extracomment>
        <translation>%1 (%2): 文件夹缺失，已跳过</translation>
    </message>
    <message>
        <source>The per-user folder is unknown: %1</source>
        <extracomment>%1 says why, such as &quot;HOME is not set to an absolute path&quot;.</extracomment>
        <translation>用户目录未知：%1</translation>
    </message>
    <message>
        <source>refused</source>
        <extracomment>A target&apos;s state.</extracomment>
        <translation>已拒绝</translation>
    </message>
    <message>
        <source>does not exist</source>
        <extracomment>A target&apos;s state.</extracomment>
        <translation>不存在</translation>
    </message>
    <message>
        <source>not a J-Link installation (%1); --force takes it all the same</source>
        <extracomment>%1 names the files looked for, &quot;no JLinkExe, JLink.exe or J-Link library&quot;.</extracomment>
        <translation>不是 J-Link 安装（%1）；使用 --force 仍可接受</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>已删除</translation>
    </message>
    <message>
        <source>nothing to remove</source>
        <translation>无可删除的内容</translation>
    </message>
    <message>
        <source>No J-Link installation found in %1, and no per-user folder: %2</source>
        <extracomment>%1 lists the places looked in, %2 says why there is no per-user folder.</extracomment>
        <translation>在 %1 中未找到 J-Link 安装，也没有用户目录：%2</translation>
    </message>
    <message>
        <source>per-user folder</source>
        <translation>用户目录</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no command (%2), and a J-Link folder alone takes nothing more</source>
        <extracomment>%1 is what was given, %2 lists the command names.</extracomment>
        <translation>&quot;%1&quot; 不是命令（%2），而单独给出的 J-Link 文件夹后不能再有其他参数</translation>
    </message>
    <message>
        <source>%1 needs a target: a folder, --all or --user</source>
        <extracomment>%1 is a command&apos;s name.</extracomment>
        <translation>%1 需要一个目标：文件夹、--all 或 --user</translation>
    </message>
    <message>
        <source>%1 takes no folder, --all, --user or --force</source>
        <extracomment>%1 is a command&apos;s name.</extracomment>
        <translation>%1 不接受文件夹、--all、--user 或 --force</translation>
    </message>
    <message>
        <source>%1 takes no --json</source>
        <extracomment>%1 is a command&apos;s name.</extracomment>
        <translation>%1 不接受 --json</translation>
    </message>
    <message>
        <source>J-Link folders.</source>
        <translation>J-Link 文件夹。</translation>
    </message>
    <message>
        <source>No command and no J-Link folder given</source>
        <translation>未给出命令，也未给出 J-Link 文件夹</translation>
    </message>
    <message>
        <source>A folder name is empty</source>
        <translation>有一个文件夹名称为空</translation>
    </message>
    <message>
        <source>no JLinkExe, JLink.exe or J-Link library</source>
        <extracomment>Why a folder is not taken for a J-Link installation.</extracomment>
        <translation>没有 JLinkExe、JLink.exe 或 J-Link 库</translation>
    </message>
</context>
<context>
    <name>InstallationStatus</name>
    <message>
        <source>(no name)</source>
        <translation>（无名称）</translation>
    </message>
    <message numerus="yes">
        <source>%1 and %n more</source>
        <extracomment>%1 lists the first names, %n counts the others.</extracomment>
        <translation>
            <numerusform>%1 及其他 %n 个</numerusform>
        </translation>
    </message>
    <message>
        <source>installed</source>
        <translation>已安装</translation>
    </message>
    <message>
        <source>not installed</source>
        <translation>未安装</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read</source>
        <extracomment>%1 is a file name.</extracomment>
        <translation>无法读取 &quot;%1&quot;</translation>
    </message>
    <message>
        <source>missing devices: %1</source>
        <extracomment>%1 lists device names.</extracomment>
        <translation>缺少的设备：%1</translation>
    </message>
    <message>
        <source>changed devices: %1</source>
        <extracomment>%1 lists device names.</extracomment>
        <translation>已更改的设备：%1</translation>
    </message>
    <message>
        <source>stale entries: %1</source>
        <extracomment>%1 lists the device names of the vendor&apos;s entries that do not belong there.</extracomment>
        <translation>过时的条目：%1</translation>
    </message>
    <message>
        <source>entries out of catalogue order</source>
        <translation>条目未按设备清单的顺序排列</translation>
    </message>
    <message>
        <source>missing files: %1</source>
        <extracomment>%1 lists file names.</extracomment>
        <translation>缺少的文件：%1</translation>
    </message>
    <message>
        <source>changed files: %1</source>
        <extracomment>%1 lists file names.</extracomment>
        <translation>已更改的文件：%1</translation>
    </message>
    <message>
        <source>differs: %1</source>
        <extracomment>%1 lists what differs, such as &quot;missing files: ...&quot;, separated by semicolons.</extracomment>
        <translation>有差异：%1</translation>
    </message>
</context>
<context>
    <name>JLinkAddQN58MCU</name>
    <message>
        <source>Setup has failed</source>
        <translation>安装失败</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Setup QN58 MCU Device AddOn to Segger V%1</source>
        <extracomment>%1 is the version, such as 2.0.17</extracomment>
        <translation>QN58 设备扩展包（SEGGER 版）安装程序 V%1</translation>
    </message>
    <message>
        <source>This SETUP program installs:</source>
        <translation>本安装程序将安装：</translation>
    </message>
    <message>
        <source>QN58 MCU Device AddOn to Segger</source>
        <translation>QN58 设备扩展包（SEGGER 版）</translation>
    </message>
    <message>
        <source>This AddOn will install into the following product folder.</source>
        <translation>本扩展包将安装到以下产品文件夹。</translation>
    </message>
    <message>
        <source>To install to this folder, press &quot;Start&quot;. To install to a different folder, press &quot;Browse&quot;</source>
        <translation>要安装到此文件夹，请单击“开始”。要安装到其他文件夹，请单击“浏览”</translation>
    </message>
    <message>
        <source>and select another folder.</source>
        <translation>并选择另一个文件夹。</translation>
    </message>
    <message>
        <source>Support Segger JLink V620C and above.</source>
        <translation>支持 Segger J-Link V620C 及以上版本</translation>
    </message>
    <message>
        <source>Destination Folder</source>
        <translation>目标文件夹</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>浏览...</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Click the &quot;Browse...&quot; to select the installation directory of JLink</source>
        <translation>单击“浏览...”，选择 J-Link 的安装文件夹</translation>
    </message>
    <message>
        <source>Select directory</source>
        <translation>选择文件夹</translation>
    </message>
    <message>
        <source>The folder path can&apos;t be empty</source>
        <translation>文件夹路径不能为空</translation>
    </message>
    <message>
        <source>The folder path does not exists</source>
        <translation>文件夹路径不存在</translation>
    </message>
    <message>
        <source>Starting...</source>
        <translation>正在启动...</translation>
    </message>
    <message>
        <source>The installation is still running; its result will show here.</source>
        <translation>安装仍在进行中，结果将显示在此处。</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Generate code, Please Waiting...</source>
        <translation>正在处理，请稍候...</translation>
    </message>
    <message>
        <source>Setup has performed all requested operations successfully</source>
        <translation>安装程序已成功完成所有请求的操作</translation>
    </message>
    <message>
        <source>Setup has failed</source>
        <translation>安装失败</translation>
    </message>
</context>
<context>
    <name>Reason</name>
    <message>
        <source>not well-formed at line %1, column %2</source>
        <extracomment>%1 is a line number, %2 a column number.</extracomment>
        <translation>第 %1 行第 %2 列处格式不正确</translation>
    </message>
    <message>
        <source>not well-formed</source>
        <translation>格式不正确</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written: permission denied</source>
        <extracomment>%1 is a file name.</extracomment>
        <translation>无法写入“%1”：权限不足</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>权限不足</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written</source>
        <extracomment>%1 is a file name.</extracomment>
        <translation>无法写入“%1”</translation>
    </message>
    <message>
        <source>could not be written</source>
        <translation>无法写入</translation>
    </message>
    <message>
        <source>refused: a link where the installer writes its own file</source>
        <translation>已拒绝：安装程序要写入自身文件的位置是一个链接</translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; could not be made</source>
        <extracomment>%1 is a folder&apos;s name.</extracomment>
        <translation>无法创建文件夹“%1”</translation>
    </message>
    <message>
        <source>could not be made</source>
        <translation>无法创建</translation>
    </message>
    <message>
        <source>a link</source>
        <translation>一个链接</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>一个文件夹</translation>
    </message>
    <message>
        <source>a FIFO or another special file</source>
        <extracomment>A FIFO is a named pipe.</extracomment>
        <translation>一个 FIFO 或其他特殊文件</translation>
    </message>
    <message>
        <source>refused: %1 where the installer keeps its lock</source>
        <extracomment>%1 is &quot;a link&quot;, &quot;a folder&quot; or &quot;a FIFO or another special file&quot;.</extracomment>
        <translation>已拒绝：安装程序存放锁的位置上是%1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be removed</source>
        <extracomment>%1 is a file&apos;s path.</extracomment>
        <translation>无法删除“%1”</translation>
    </message>
    <message>
        <source>entity declarations are not accepted</source>
        <translation>不接受实体声明</translation>
    </message>
    <message>
        <source>no document element</source>
        <translation>没有文档元素</translation>
    </message>
    <message>
        <source>malformed or incomplete characters</source>
        <translation>字符编码有误或不完整</translation>
    </message>
    <message>
        <source>not a plain file</source>
        <translation>不是普通文件</translation>
    </message>
    <message>
        <source>not all of it could be written</source>
        <translation>未能全部写入</translation>
    </message>
    <message>
        <source>it could not be written to disk</source>
        <translation>无法将其写入磁盘</translation>
    </message>
    <message>
        <source>it could not be replaced</source>
        <translation>无法将其替换</translation>
    </message>
    <message>
        <source>the result would not be readable</source>
        <translation>结果将无法读取</translation>
    </message>
    <message>
        <source>another installation into this folder is still running</source>
        <translation>向此文件夹进行的另一个安装仍在运行</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>不是文件夹</translation>
    </message>
    <message>
        <source>it could not be created</source>
        <translation>无法将其创建</translation>
    </message>
    <message>
        <source>refused: the per-user folder belongs to %1, not to this account</source>
        <extracomment>%1 is an account.</extracomment>
        <translation>已拒绝：用户目录属于 %1，而不属于当前账户</translation>
    </message>
    <message>
        <source>link</source>
        <extracomment>A kind of file system object, after &quot;a&quot;.</extracomment>
        <translation>链接</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>文件夹</translation>
    </message>
    <message>
        <source>file</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>FIFO</source>
        <extracomment>A named pipe, after &quot;a&quot;.</extracomment>
        <translation>FIFO</translation>
    </message>
    <message>
        <source>special file</source>
        <translation>特殊文件</translation>
    </message>
    <message>
        <source>not followed: a folder owned by %1 that holds a %2 owned by %3</source>
        <extracomment>%1 and %3 are accounts, %2 a kind of file system object (&quot;link&quot;, &quot;file&quot;, ...).</extracomment>
        <translation>未跟随：属于 %1 的文件夹中有一个属于 %3 的对象（%2）</translation>
    </message>
    <message>
        <source>refused: a link where the installer makes its own folder</source>
        <translation>已拒绝：安装程序要创建自身文件夹的位置是一个链接</translation>
    </message>
    <message>
        <source>does not exist</source>
        <translation>不存在</translation>
    </message>
    <message>
        <source>not followed: a link owned by %1 that leads to a %2 owned by %3</source>
        <extracomment>%1 and %3 are accounts, %2 a kind of file system object (&quot;link&quot;, &quot;file&quot;, ...).</extracomment>
        <translation>未跟随：属于 %1 的链接指向一个属于 %3 的对象（%2）</translation>
    </message>
    <message>
        <source>too many levels of links</source>
        <translation>链接层数过多</translation>
    </message>
    <message>
        <source>changed while it was being opened</source>
        <translation>在打开过程中发生了变化</translation>
    </message>
    <message>
        <source>exists already</source>
        <translation>已存在</translation>
    </message>
    <message>
        <source>error %1</source>
        <extracomment>%1 is the number of a Windows error that has no text.</extracomment>
        <translation>错误 %1</translation>
    </message>
    <message>
        <source>an unknown account</source>
        <extracomment>In the place of an account&apos;s name, as in &quot;a folder owned by %1&quot;.</extracomment>
        <translation>未知账户</translation>
    </message>
    <message>
        <source>junction</source>
        <extracomment>A Windows directory junction, after &quot;a&quot;.</extracomment>
        <translation>目录联接</translation>
    </message>
    <message>
        <source>reparse point</source>
        <translation>重分析点</translation>
    </message>
    <message>
        <source>refused: a %1 where the installer makes its own folder</source>
        <extracomment>%1 is &quot;link&quot;, &quot;junction&quot; or &quot;reparse point&quot;.</extracomment>
        <translation>已拒绝：安装程序要创建自身文件夹的位置是一个%1</translation>
    </message>
    <message>
        <source>not followed: a %1 owned by %2 that leads to a %3 owned by %4</source>
        <extracomment>%1 is &quot;link&quot; or &quot;junction&quot;, %2 and %4 are accounts, %3 a kind of file system object (&quot;link&quot;, &quot;file&quot;, ...).</extracomment>
        <translation>未跟随：属于 %2 的%1指向一个属于 %4 的对象（%3）</translation>
    </message>
    <message>
        <source>not followed: a reparse point</source>
        <translation>未跟随：重分析点</translation>
    </message>
    <message>
        <source>not followed: a %1 to no folder of a drive or share</source>
        <extracomment>%1 is &quot;link&quot; or &quot;junction&quot;.</extracomment>
        <translation>未跟随：该%1未指向任何驱动器或共享上的文件夹</translation>
    </message>
</context>
</TS>
