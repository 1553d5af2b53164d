<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>CommandLine</name>
    <message>
        <source>%1 is not set to an absolute path</source>
        <extracomment>%1 is the name of an environment variable, such as HOME.</extracomment>
        <translatorcomment>Glossary: device = デバイス; device database = デバイスデータベース; flash loader / flash algorithm = フラッシュローダー / フラッシュアルゴリズム; J-Link script = J-Link スクリプト; install = インストール; J-Link installation (an installed J-Link) = J-Link インストール環境; uninstall = アンインストール; target = インストール先; per-user folder = ユーザーごとのフォルダー; entry = エントリ; vendor = ベンダー; link = リンク; folder = フォルダー; file = ファイル; refused = 拒否; not followed (a link) = たどりません; buttons: Start = 開始, Browse... = 参照..., Cancel = キャンセル</translatorcomment>
        <translation>%1 が絶対パスに設定されていません</translation>
    </message>
    <message>
        <source>The per-user folder, unknown here: %1.</source>
        <extracomment>%1 says why, such as &quot;HOME is not set to an absolute path&quot;.</extracomment>
        <translation>ユーザーごとのフォルダーを対象にします (この環境では不明: %1)。</translation>
    </message>
    <message>
        <source>The per-user folder: %1.</source>
        <translation>ユーザーごとのフォルダー (%1) を対象にします。</translation>
    </message>
    <message>
        <source>Every J-Link installation found.</source>
        <translation>見つかったすべての J-Link インストール環境を対象にします。</translation>
    </message>
    <message>
        <source>Takes a folder that holds no J-Link installation all the same.</source>
        <translation>J-Link インストール環境を含まないフォルダーでも対象にします。</translation>
    </message>
    <message>
        <source>Looks for J-Link installations there alone instead of in %1.</source>
        <extracomment>%1 lists the places, folders or registry keys, separated by commas.</extracomment>
        <translation>J-Link インストール環境を %1 ではなく、指定した場所だけで探します。</translation>
    </message>
    <message>
        <source>Prints one JSON document on standard output (status, list).</source>
        <extracomment>&quot;status&quot; and &quot;list&quot; are the commands that print it.</extracomment>
        <translation>1 つの JSON ドキュメントを標準出力に出力します (status, list)。</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>このヘルプを表示します。</translation>
    </message>
    <message>
        <source>Displays the version.</source>
        <translation>バージョンを表示します。</translation>
    </message>
    <message>
        <source>installs into each target</source>
        <translation>各インストール先にインストール</translation>
    </message>
    <message>
        <source>compares each target with exactly what this installer writes</source>
        <translation>各インストール先を、このインストーラーが書き込む内容と厳密に比較</translation>
    </message>
    <message>
        <source>removes what this installer wrote from each target</source>
        <translation>このインストーラーが書き込んだものを各インストール先から削除</translation>
    </message>
    <message>
        <source>the J-Link installations found and the per-user folder</source>
        <translation>見つかった J-Link インストール環境とユーザーごとのフォルダーを一覧表示</translation>
    </message>
    <message>
        <source>Usage:</source>
        <extracomment>Before the program&apos;s synopses, which line up after it.</extracomment>
        <translation>使用法:</translation>
    </message>
    <message>
        <source>Adds the QN58 devices of Kestrilon to J-Link, checks and removes them.
A J-Link folder alone installs into it, as the window does.</source>
        <translation>Kestrilon の QN58 デバイスを J-Link に追加し、その確認と削除も行います。
J-Link フォルダーだけを指定すると、ウィンドウと同じくそこにインストールします。</translation>
    </message>
    <message>
        <source>A target is a J-Link folder named, each installation found (--all) or
the per-user folder (--user), which J-Link V7.62 and later read.</source>
        <translation>インストール先は、指定した J-Link フォルダー、見つかった各インストール環境
(--all)、または J-Link V7.62 以降が読むユーザーごとのフォルダー (--user) です。</translation>
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
        <translation>終了ステータス (インストール先が複数の場合は、最初に失敗したもののステータス):
  0   成功: インストール済み、全インストール先が完全一致、アンインストール済み
  1-3 install: ジョブの結果
  1   status: インストール先が未インストール、相違あり、または読み取り不可。
      uninstall: インストール先をクリーンアップできなかった
  64  使用法の誤り
  66  フォルダーが存在しないか J-Link インストール環境を含まない、--all で
      何も見つからない、またはユーザーごとのフォルダーが不明</translation>
    </message>
    <message>
        <source>J-Link, version unknown</source>
        <translation>J-Link、バージョン不明</translation>
    </message>
    <message>
        <source>folder missing</source>
        <extracomment>The state of an installation that J-Link still records but whose folder is gone.</extracomment>
        <translation>フォルダーなし</translation>
    </message>
    <message>
        <source>No J-Link installation found in %1</source>
        <extracomment>%1 lists the places, folders or registry keys, separated by commas.</extracomment>
        <translation>%1 に J-Link インストール環境が見つかりません</translation>
    </message>
    <message>
        <source>%1 (%2): folder missing, skipped</source>
        <extracomment>%1 is a folder, %2 its installation, such as &quot;J-Link V7.94&quot;.</extracomment>
        <translation>%1 (%2): フォルダーなし、スキップしました</translation>
    </message>
    <message>
        <source>The per-user folder is unknown: %1</source>
        <extracomment>%1 says why, such as &quot;HOME is not set to an absolute path&quot;.</extracomment>
        <translation>ユーザーごとのフォルダーが不明です: %1</translation>
    </message>
    <message>
        <source>refused</source>
        <extracomment>A target&apos;s state.</extracomment>
        <translation>拒否</translation>
    </message>
    <message>
        <source>does not exist</source>
        <extracomment>A target&apos;s state.</extracomment>
        <translation>存在しません</translation>
    </message>
    <message>
        <source>not a J-Link installation (%1); --force takes it all the same</source>
        <extracomment>%1 names the files looked for, &quot;no JLinkExe, JLink.exe or J-Link library&quot;.</extracomment>
        <translation>J-Link インストール環境ではありません (%1)。--force を指定すると対象にします</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>削除済み</translation>
    </message>
    <message>
        <source>nothing to remove</source>
        <translation>削除対象なし</translation>
    </message>
    <message>
        <source>No J-Link installation found in %1, and no per-user folder: %2</source>
        <extracomment>%1 lists the places looked in, %2 says why there is no per-user folder.</extracomment>
        <translation>%1 に J-Link インストール環境が見つからず、ユーザーごとのフォルダーもありません: %2</translation>
    </message>
    <message>
        <source>per-user folder</source>
        <translation>ユーザーごとのフォルダー</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no command (%2), and a J-Link folder alone takes nothing more</source>
        <extracomment>%1 is what was given, %2 lists the command names.</extracomment>
        <translation>&quot;%1&quot; はコマンド (%2) ではありません。また、J-Link フォルダーだけを指定する場合は他に何も指定できません</translation>
    </message>
    <message>
        <source>%1 needs a target: a folder, --all or --user</source>
        <extracomment>%1 is a command&apos;s name.</extracomment>
        <translation>%1 にはインストール先が必要です: フォルダー、--all、または --user</translation>
    </message>
    <message>
        <source>%1 takes no folder, --all, --user or --force</source>
        <extracomment>%1 is a command&apos;s name.</extracomment>
        <translation>%1 にはフォルダー、--all、--user、--force を指定できません</translation>
    </message>
    <message>
        <source>%1 takes no --json</source>
        <extracomment>%1 is a command&apos;s name.</extracomment>
        <translation>%1 には --json を指定できません</translation>
    </message>
    <message>
        <source>J-Link folders.</source>
        <translation>J-Link フォルダー (複数可)。</translation>
    </message>
    <message>
        <source>No command and no J-Link folder given</source>
        <translation>コマンドも J-Link フォルダーも指定されていません</translation>
    </message>
    <message>
        <source>A folder name is empty</source>
        <translation>フォルダー名が空です</translation>
    </message>
    <message>
        <source>no JLinkExe, JLink.exe or J-Link library</source>
        <extracomment>Why a folder is not taken for a J-Link installation.</extracomment>
        <translation>JLinkExe、JLink.exe、J-Link ライブラリのいずれもなし</translation>
    </message>
</context>
<context>
    <name>InstallationStatus</name>
    <message>
        <source>(no name)</source>
        <translation>(名前なし)</translation>
    </message>
    <message numerus="yes">
        <source>%1 and %n more</source>
        <extracomment>%1 lists the first names, %n counts the others.</extracomment>
        <translation>
            <numerusform>%1 ほか %n 件</numerusform>
        </translation>
    </message>
    <message>
        <source>installed</source>
        <translation>インストール済み</translation>
    </message>
    <message>
        <source>not installed</source>
        <translation>未インストール</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read</source>
        <extracomment>%1 is a file name.</extracomment>
        <translation>&quot;%1&quot; を読み取れません</translation>
    </message>
    <message>
        <source>missing devices: %1</source>
        <extracomment>%1 lists device names.</extracomment>
        <translation>欠落しているデバイス: %1</translation>
    </message>
    <message>
        <source>changed devices: %1</source>
        <extracomment>%1 lists device names.</extracomment>
        <translation>変更されたデバイス: %1</translation>
    </message>
    <message>
        <source>stale entries: %1</source>
        <extracomment>%1 lists the device names of the vendor&apos;s entries that do not belong there.</extracomment>
        <translation>古いエントリ: %1</translation>
    </message>
    <message>
        <source>entries out of catalogue order</source>
        <translation>エントリの順序がカタログと不一致</translation>
    </message>
    <message>
        <source>missing files: %1</source>
        <extracomment>%1 lists file names.</extracomment>
        <translation>欠落しているファイル: %1</translation>
    </message>
    <message>
        <source>changed files: %1</source>
        <extracomment>%1 lists file names.</extracomment>
        <translation>変更されたファイル: %1</translation>
    </message>
    <message>
        <source>differs: %1</source>
        <extracomment>%1 lists what differs, such as &quot;missing files: ...&quot;, separated by semicolons.</extracomment>
        <translation>相違あり: %1</translation>
    </message>
</context>
<context>
    <name>JLinkAddQN58MCU</name>
    <message>
        <source>Setup has failed</source>
        <translation>セットアップに失敗しました</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Setup QN58 MCU Device AddOn to Segger V%1</source>
        <extracomment>%1 is the version, such as 2.0.17</extracomment>
        <translation>SEGGER J-Link 用 QN58 アドオン V%1 セットアップ</translation>
    </message>
    <message>
        <source>This SETUP program installs:</source>
        <translation>インストール内容:</translation>
    </message>
    <message>
        <source>QN58 MCU Device AddOn to Segger</source>
        <translation>SEGGER J-Link 用 QN58 アドオン</translation>
    </message>
    <message>
        <source>This AddOn will install into the following product folder.</source>
        <translation>このアドオンを次の製品フォルダーにインストールします。</translation>
    </message>
    <message>
        <source>To install to this folder, press &quot;Start&quot;. To install to a different folder, press &quot;Browse&quot;</source>
        <translation>「開始」でこのフォルダーにインストールします。他の場所にするには「参照」を押し、</translation>
    </message>
    <message>
        <source>and select another folder.</source>
        <translation>フォルダーを選択します。</translation>
    </message>
    <message>
        <source>Support Segger JLink V620C and above.</source>
        <translation>SEGGER J-Link V620C 以降に対応</translation>
    </message>
    <message>
        <source>Destination Folder</source>
        <translation>インストール先</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>参照...</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Click the &quot;Browse...&quot; to select the installation directory of JLink</source>
        <translation>「参照...」をクリックして J-Link のフォルダーを選択してください</translation>
    </message>
    <message>
        <source>Select directory</source>
        <translation>フォルダーの選択</translation>
    </message>
    <message>
        <source>The folder path can&apos;t be empty</source>
        <translation>フォルダーのパスが空です。</translation>
    </message>
    <message>
        <source>The folder path does not exists</source>
        <translation>フォルダーのパスが存在しません。</translation>
    </message>
    <message>
        <source>Starting...</source>
        <translation>開始しています...</translation>
    </message>
    <message>
        <source>The installation is still running; its result will show here.</source>
        <translation>インストールはまだ実行中です。結果はここに表示されます。</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Generate code, Please Waiting...</source>
        <translation>処理しています。しばらくお待ちください...</translation>
    </message>
    <message>
        <source>Setup has performed all requested operations successfully</source>
        <translation>セットアップは要求されたすべての操作を正常に完了しました</translation>
    </message>
    <message>
        <source>Setup has failed</source>
        <translation>セットアップに失敗しました</translation>
    </message>
</context>
<context>
    <name>Reason</name>
    <message>
        <source>not well-formed at line %1, column %2</source>
        <extracomment>%1 is a line number, %2 a column number.</extracomment>
        <translation>%1 行目、%2 列目が整形式ではありません</translation>
    </message>
    <message>
        <source>not well-formed</source>
        <translation>整形式ではありません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written: permission denied</source>
        <extracomment>%1 is a file name.</extracomment>
        <translation>&quot;%1&quot; に書き込めませんでした: アクセス権がありません</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>アクセス権がありません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written</source>
        <extracomment>%1 is a file name.</extracomment>
        <translation>&quot;%1&quot; に書き込めませんでした</translation>
    </message>
    <message>
        <source>could not be written</source>
        <translation>書き込めませんでした</translation>
    </message>
    <message>
        <source>refused: a link where the installer writes its own file</source>
        <translation>拒否: インストーラーが自身のファイルを書き込む場所にリンクがあります</translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; could not be made</source>
        <extracomment>%1 is a folder&apos;s name.</extracomment>
        <translation>フォルダー &quot;%1&quot; を作成できませんでした</translation>
    </message>
    <message>
        <source>could not be made</source>
        <translation>作成できませんでした</translation>
    </message>
    <message>
        <source>a link</source>
        <translation>リンク</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>フォルダー</translation>
    </message>
    <message>
        <source>a FIFO or another special file</source>
        <extracomment>A FIFO is a named pipe.</extracomment>
        <translation>FIFO またはその他の特殊ファイル</translation>
    </message>
    <message>
        <source>refused: %1 where the installer keeps its lock</source>
        <extracomment>%1 is &quot;a link&quot;, &quot;a folder&quot; or &quot;a FIFO or another special file&quot;.</extracomment>
        <translation>拒否: インストーラーがロックを置く場所に %1 があります</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be removed</source>
        <extracomment>%1 is a file&apos;s path.</extracomment>
        <translation>&quot;%1&quot; を削除できませんでした</translation>
    </message>
    <message>
        <source>entity declarations are not accepted</source>
        <translation>エンティティ宣言は受け付けません</translation>
    </message>
    <message>
        <source>no document element</source>
        <translation>ドキュメント要素がありません</translation>
    </message>
    <message>
        <source>malformed or incomplete characters</source>
        <translation>不正または不完全な文字があります</translation>
    </message>
    <message>
        <source>not a plain file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>not all of it could be written</source>
        <translation>一部しか書き込めませんでした</translation>
    </message>
    <message>
        <source>it could not be written to disk</source>
        <translation>ディスクに書き込めませんでした</translation>
    </message>
    <message>
        <source>it could not be replaced</source>
        <translation>置き換えられませんでした</translation>
    </message>
    <message>
        <source>the result would not be readable</source>
        <translation>結果が読み取れない内容になります</translation>
    </message>
    <message>
        <source>another installation into this folder is still running</source>
        <translation>このフォルダーへの別のインストールがまだ実行中です</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>フォルダーではありません</translation>
    </message>
    <message>
        <source>it could not be created</source>
        <translation>作成できませんでした</translation>
    </message>
    <message>
        <source>refused: the per-user folder belongs to %1, not to this account</source>
        <extracomment>%1 is an account.</extracomment>
        <translation>拒否: ユーザーごとのフォルダーの所有者はこのアカウントではなく %1 です</translation>
    </message>
    <message>
        <source>link</source>
        <extracomment>A kind of file system object, after &quot;a&quot;.</extracomment>
        <translation>リンク</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>フォルダー</translation>
    </message>
    <message>
        <source>file</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>FIFO</source>
        <extracomment>A named pipe, after &quot;a&quot;.</extracomment>
        <translation>FIFO</translation>
    </message>
    <message>
        <source>special file</source>
        <translation>特殊ファイル</translation>
    </message>
    <message>
        <source>not followed: a folder owned by %1 that holds a %2 owned by %3</source>
        <extracomment>%1 and %3 are accounts, %2 a kind of file system object (&quot;link&quot;, &quot;file&quot;, ...).</extracomment>
        <translation>たどりません: %1 が所有するフォルダーに、%3 が所有する %2 があります</translation>
    </message>
    <message>
        <source>refused: a link where the installer makes its own folder</source>
        <translation>拒否: インストーラーが自身のフォルダーを作成する場所にリンクがあります</translation>
    </message>
    <message>
        <source>does not exist</source>
        <translation>存在しません</translation>
    </message>
    <message>
        <source>not followed: a link owned by %1 that leads to a %2 owned by %3</source>
        <extracomment>%1 and %3 are accounts, %2 a kind of file system object (&quot;link&quot;, &quot;file&quot;, ...).</extracomment>
        <translation>たどりません: %1 が所有するリンクが、%3 が所有する %2 を指しています</translation>
    </message>
    <message>
        <source>too many levels of links</source>
        <translation>リンクの階層が多すぎます</translation>
    </message>
    <message>
        <source>changed while it was being opened</source>
        <translation>開いている間に変更されました</translation>
    </message>
    <message>
        <source>exists already</source>
        <translation>既に存在します</translation>
    </message>
    <message>
        <source>error %1</source>
        <extracomment>%1 is the number of a Windows error that has no text.</extracomment>
        <translation>エラー %1</translation>
    </message>
    <message>
        <source>an unknown account</source>
        <extracomment>In the place of an account&apos;s name, as in &quot;a folder owned by %1&quot;.</extracomment>
        <translation>不明なアカウント</translation>
    </message>
    <message>
        <source>junction</source>
        <extracomment>A Windows directory junction, after &quot;a&quot;.</extracomment>
        <translation>ジャンクション</translation>
    </message>
    <message>
        <source>reparse point</source>
        <translation>再解析ポイント</translation>
    </message>
    <message>
        <source>refused: a %1 where the installer makes its own folder</source>
        <extracomment>%1 is &quot;link&quot;, &quot;junction&quot; or &quot;reparse point&quot;.</extracomment>
        <translation>拒否: インストーラーが自身のフォルダーを作成する場所に %1 があります</translation>
    </message>
    <message>
        <source>not followed: a %1 owned by %2 that leads to a %3 owned by %4</source>
        <extracomment>%1 is &quot;link&quot; or &quot;junction&quot;, %2 and %4 are accounts, %3 a kind of file system object (&quot;link&quot;, &quot;file&quot;, ...).</extracomment>
        <translation>たどりません: %2 が所有する %1 が、%4 が所有する %3 を指しています</translation>
    </message>
    <message>
        <source>not followed: a reparse point</source>
        <translation>たどりません: 再解析ポイントです</translation>
    </message>
    <message>
        <source>not followed: a %1 to no folder of a drive or share</source>
        <extracomment>%1 is &quot;link&quot; or &quot;junction&quot;.</extracomment>
        <translation>たどりません: ドライブや共有のフォルダーを指していない %1 です</translation>
    </message>
</context>
</TS>
