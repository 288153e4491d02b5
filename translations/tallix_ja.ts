<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>CommandLine</name>
    <message>
        <source>usage: tallix [--simulate[=SPEED] [--seed N] [--machine FILE]] [--record-trace FILE] [--data-dir DIR]
</source>
        <translation>使い方: tallix [--simulate[=SPEED] [--seed N] [--machine FILE]] [--record-trace FILE] [--data-dir DIR]
</translation>
    </message>
    <message>
        <source>
Tallix counts the play of a pachislot machine wired to the PC and shows it on its panel.

  --simulate[=SPEED]   count the built-in simulated machine instead of the port,
                       at SPEED times a player&apos;s pace (above 0, at most %1; 1)
  --seed N             which simulated play (1)
  --machine FILE       the simulated machine&apos;s description
  --record-trace FILE  append every change of the input that is counted to FILE
  --data-dir DIR       keep the settings and the play in DIR
  -h, --help           show this help
  --version            show the version

Files of this run:
  settings (tallix.ini)         %2
  play (hist.log, plays/; the simulation&apos;s sim.log, sim-plays/)  %3
A tallix.ini beside the program keeps both there. Otherwise the settings are in
$XDG_CONFIG_HOME/tallix (~/.config/tallix) and the play in $XDG_DATA_HOME/tallix
(~/.local/share/tallix); on Windows both in %APPDATA%\Tallix. A missing tallix.ini
is made from a commented sample.
</source>
        <translation>
Tallix は PC につないだパチスロ台の遊技を数え、パネルに表示します。

  --simulate[=SPEED]   ポートの代わりに内蔵の模擬台を数える。SPEED は遊技者の
                       ペースの倍率（0 より大きく %1 以下。既定は 1）
  --seed N             模擬台のどの遊技か（既定は 1）
  --machine FILE       模擬台の説明ファイル
  --record-trace FILE  数えた入力の変化をすべて FILE に追記する
  --data-dir DIR       設定と遊技を DIR に置く
  -h, --help           このヘルプを表示する
  --version            バージョンを表示する

この実行のファイル:
  設定 (tallix.ini)         %2
  遊技 (hist.log, plays/。模擬台は sim.log, sim-plays/)  %3
プログラムと同じフォルダーに tallix.ini があれば、両方ともそこに置きます。ない場合、
設定は $XDG_CONFIG_HOME/tallix (~/.config/tallix)、遊技は $XDG_DATA_HOME/tallix
(~/.local/share/tallix) に置きます。Windows では両方とも %APPDATA%\Tallix です。
tallix.ini がなければ、コメント付きの見本から作ります。
</translation>
    </message>
</context>
<context>
    <name>Say</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>is outside %1</source>
        <translation>は範囲 %1 の外です</translation>
    </message>
    <message>
        <source>is outside %1 (use addr=&amp;H%2 for port %3)</source>
        <translation>は範囲 %1 の外です（ポート %3 は addr=&amp;H%2 と書いてください）</translation>
    </message>
    <message>
        <source>%1; using no settings</source>
        <translation>%1。設定なしで動かします</translation>
    </message>
    <message>
        <source>%1 [%2] %3=%4 %5; using 0</source>
        <translation>%1 [%2] %3=%4 %5。0 を使います</translation>
    </message>
    <message>
        <source>is not a finite number</source>
        <translation>は有限の数ではありません</translation>
    </message>
    <message>
        <source>is not a payout rate above 0 percent</source>
        <translation>は 0% より大きい出玉率ではありません</translation>
    </message>
    <message>
        <source>The cleared play was kept as %1.</source>
        <translation>クリアした遊技は %1 に残しました。</translation>
    </message>
    <message>
        <source>The play could not be kept (%1), so it was not cleared.</source>
        <translation>遊技を残せなかったので（%1）、クリアしませんでした。</translation>
    </message>
    <message>
        <source>%1 looks incomplete (%2); it was loaded as it is.</source>
        <translation>%1 は不完全なようです（%2）。そのまま読み込みました。</translation>
    </message>
    <message>
        <source>%1
The play was left as it was.</source>
        <translation>%1
遊技はそのままです。</translation>
    </message>
    <message>
        <source>Saved to %1.</source>
        <translation>%1 に保存しました。</translation>
    </message>
    <message>
        <source>cannot be listed: %1</source>
        <translation>を一覧できません: %1</translation>
    </message>
    <message>
        <source>makes %1 %2, outside %3..%4</source>
        <translation>では %1 が %2 になり、範囲 %3..%4 の外です</translation>
    </message>
    <message>
        <source>%1: %2=%3 %4</source>
        <translation>%1: %2=%3 %4</translation>
    </message>
    <message>
        <source>does not fit: the graph holds at most %1 points</source>
        <translation>は入りません: グラフは最大 %1 点です</translation>
    </message>
    <message>
        <source>is not a record: it has no [%1] section</source>
        <translation>は記録ファイルではありません: [%1] セクションがありません</translation>
    </message>
    <message>
        <source>cannot be kept aside as %1: %2</source>
        <translation>を %1 として退避できません: %2</translation>
    </message>
    <message>
        <source>No port access: not counting. %1 is left as it is.</source>
        <translation>ポートにアクセスできません。カウントしません。%1 はそのままです。</translation>
    </message>
    <message>
        <source>The port address is not set (addr in %1): not polling.</source>
        <translation>ポートアドレスが設定されていません（%1 の addr）。読み取りをしません。</translation>
    </message>
    <message>
        <source>The settings were made from the sample: %1.</source>
        <translation>設定ファイルを見本から作りました: %1</translation>
    </message>
    <message>
        <source>%1: running without settings.</source>
        <translation>%1。設定なしで動かします。</translation>
    </message>
    <message>
        <source>%1 is in use by another Tallix. This one ends without touching it.</source>
        <translation>%1 は別の Tallix が使用中です。こちらは触れずに終了します。</translation>
    </message>
    <message>
        <source>%1 is in use by another Tallix (process %2). This one ends without touching it.</source>
        <translation>%1 は別の Tallix（プロセス %2）が使用中です。こちらは触れずに終了します。</translation>
    </message>
    <message>
        <source>%1 could not be loaded (%2); it was kept as %3.</source>
        <translation>%1 を読み込めませんでした（%2）。%3 として残しました。</translation>
    </message>
    <message>
        <source>%1 could not be loaded (%2) nor kept aside (%3); it will not be saved over.</source>
        <translation>%1 を読み込めず（%2）、退避もできませんでした（%3）。上書き保存はしません。</translation>
    </message>
    <message>
        <source>%1 cannot be saved (%2): keep this play with 保存.</source>
        <translation>%1 に保存できません（%2）。この遊技は保存ボタンで残してください。</translation>
    </message>
    <message>
        <source>%1 changes of the input were lost: the window did not take them in time, and the counts may be short</source>
        <translation>入力の変化 %1 件が失われました。ウィンドウが間に合わず、カウントが不足しているかもしれません</translation>
    </message>
    <message>
        <source>%1.</source>
        <translation>%1。</translation>
    </message>
    <message>
        <source>The input was lost (%1): not counting.</source>
        <translation>入力が途絶えました（%1）。カウントしません。</translation>
    </message>
    <message>
        <source>The play could not be saved: %1</source>
        <translation>遊技を保存できませんでした: %1</translation>
    </message>
    <message>
        <source>Save elsewhere…</source>
        <translation>別の場所に保存…</translation>
    </message>
    <message>
        <source>Discard the play</source>
        <translation>遊技を破棄</translation>
    </message>
    <message>
        <source>--simulate=SPEED needs a speed above 0 and at most %1, got &quot;%2&quot;</source>
        <translation>--simulate=SPEED には 0 より大きく %1 以下の速さが必要です（&quot;%2&quot; が指定されました）</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 には値が必要です</translation>
    </message>
    <message>
        <source>--seed needs a whole number, got &quot;%1&quot;</source>
        <translation>--seed には整数が必要です（&quot;%1&quot; が指定されました）</translation>
    </message>
    <message>
        <source>unknown argument &quot;%1&quot;</source>
        <translation>不明な引数 &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--seed and --machine go with --simulate</source>
        <translation>--seed と --machine は --simulate と一緒に使います</translation>
    </message>
    <message>
        <source>%1: cannot be opened for writing</source>
        <translation>%1: 書き込み用に開けません</translation>
    </message>
    <message>
        <source>The input is back: counting.</source>
        <translation>入力が戻りました。カウントします。</translation>
    </message>
    <message>
        <source>Not counting: %1. Counting resumes by itself when the input is back.</source>
        <translation>カウントしていません: %1。入力が戻るとカウントを再開します。</translation>
    </message>
</context>
<context>
    <name>Window</name>
    <message>
        <source>All files (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Some settings in tallix.ini could not be used:</source>
        <translation>tallix.ini の設定の一部を使えませんでした:</translation>
    </message>
    <message>
        <source>The past plays cannot be listed.</source>
        <translation>過去の遊技を一覧できません。</translation>
    </message>
    <message>
        <source>The CSV file cannot be saved.</source>
        <translation>CSVを保存できません。</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>閉じる</translation>
    </message>
</context>
</TS>
