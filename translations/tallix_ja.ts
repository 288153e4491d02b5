<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
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
        <source>%1.
The play was left as it was.</source>
        <translation>%1。
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
        <translation>[%1] セクションがないので記録ファイルではありません</translation>
    </message>
    <message>
        <source>cannot be kept aside as %1: %2</source>
        <translation>を %1 として退避できません: %2</translation>
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
        <source>The input is back: counting.</source>
        <translation>入力が戻りました。カウントします。</translation>
    </message>
    <message>
        <source>Not counting: %1. Counting resumes by itself when the input is back.</source>
        <translation>カウントしていません: %1。入力が戻るとカウントを再開します。</translation>
    </message>
    <message>
        <source>is not data or status; using data</source>
        <translation>は data でも status でもありません。data を使います</translation>
    </message>
    <message>
        <source>is not a list of input numbers 0-31 (&quot;3&quot; or &quot;3,5&quot;); using %1</source>
        <translation>は 0〜31 の入力番号の並び（&quot;3&quot; や &quot;3,5&quot;）ではありません。%1 を使います</translation>
    </message>
    <message>
        <source>is not 0 or 1; using 1</source>
        <translation>は 0 でも 1 でもありません。1 を使います</translation>
    </message>
    <message>
        <source>is not a number of ms from 0 to 99999; using 0</source>
        <translation>は 0〜99999 のミリ秒数ではありません。0 を使います</translation>
    </message>
    <message>
        <source>%1: not found (is it plugged in, and is the device name in tallix.ini right?)</source>
        <translation>%1: 見つかりません（つながっていますか。tallix.ini の装置名は正しいですか）</translation>
    </message>
    <message>
        <source>%1: permission refused (%2)</source>
        <translation>%1: 使用を許可されていません（%2）</translation>
    </message>
    <message>
        <source>%1: busy (another program is using it)</source>
        <translation>%1: 使用中です（別のプログラムが使っています）</translation>
    </message>
    <message>
        <source>join the group that owns /dev/gpiochip*, or add a udev rule</source>
        <translation>/dev/gpiochip* を持つグループに入るか、udev ルールを追加してください</translation>
    </message>
    <message>
        <source>%1 (requesting the lines of the pin map)</source>
        <translation>%1（ピン割り当ての線を要求中）</translation>
    </message>
    <message>
        <source>%1: lost while reading an edge</source>
        <translation>%1: 変化の読み取り中に失われました</translation>
    </message>
    <message>
        <source>join the group lp and log in again</source>
        <translation>グループ lp に入り、ログインし直してください</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>claiming the port</source>
        <translation>ポートの確保中</translation>
    </message>
    <message>
        <source>turning the data lines to input</source>
        <translation>データ線を入力に切り替え中</translation>
    </message>
    <message>
        <source>install the udev rule 60-tallix-usbio.rules from the package, then plug the board in again</source>
        <translation>パッケージの udev ルール 60-tallix-usbio.rules を入れ、ボードを差し直してください</translation>
    </message>
    <message>
        <source>hidapi could not start</source>
        <translation>hidapi を開始できません</translation>
    </message>
    <message>
        <source>no USB I/O board (vendor 1352, product 0120 or 0121) is plugged in</source>
        <translation>USB I/O ボード（ベンダー 1352、製品 0120 または 0121）がつながっていません</translation>
    </message>
    <message>
        <source>%1: unplugged</source>
        <translation>%1: 抜かれました</translation>
    </message>
    <message>
        <source>%1: cannot be written to (unplugged?)</source>
        <translation>%1: 書き込めません（抜けていませんか）</translation>
    </message>
    <message>
        <source>%1: does not answer the command 0x20 (is it a USB-IO board?)</source>
        <translation>%1: コマンド 0x20 に応答しません（USB-IO ボードですか）</translation>
    </message>
    <message>
        <source>%1: the board does not speak TLX1 (check the sketch and the baud rate, 115200)</source>
        <translation>%1: ボードが TLX1 で話しません（スケッチと通信速度 115200 を確かめてください）</translation>
    </message>
    <message>
        <source>%1: no word from the board for 3 s (unplugged?)</source>
        <translation>%1: ボードから 3 秒間応答がありません（抜けていませんか）</translation>
    </message>
    <message>
        <source>close the program that has it open</source>
        <translation>それを開いているプログラムを閉じてください</translation>
    </message>
    <message>
        <source>join the group dialout and log in again, or close the program that has it open</source>
        <translation>グループ dialout に入ってログインし直すか、それを開いているプログラムを閉じてください</translation>
    </message>
    <message>
        <source>The live view is not served: [serve] address=%1 is not an IP address</source>
        <translation>ライブビューを配信できません: [serve] address=%1 は IP アドレスではありません</translation>
    </message>
    <message>
        <source>The live view is not served: %1 port %2: %3</source>
        <translation>ライブビューを配信できません: %1 ポート %2: %3</translation>
    </message>
    <message>
        <source>--serve=PORT needs a port number from 1 to 65535, got &quot;%1&quot;</source>
        <translation>--serve=PORT には 1～65535 のポート番号が必要です（指定値 &quot;%1&quot;）</translation>
    </message>
    <message>
        <source>The live view is at %1</source>
        <translation>ライブビューを配信中: %1</translation>
    </message>
    <message>
        <source>The live view stopped: %1. It is started again in a minute.</source>
        <translation>ライブビューが止まりました: %1。1 分後に配信を再開します。</translation>
    </message>
    <message>
        <source>an unknown error</source>
        <translation>不明なエラー</translation>
    </message>
    <message>
        <source>The play could not be kept (%1), so %2 was not loaded.</source>
        <translation>遊技を残せなかったので（%1）、%2 は読み込みませんでした。</translation>
    </message>
    <message>
        <source>Loaded %1.</source>
        <translation>%1 を読み込みました。</translation>
    </message>
    <message>
        <source>The play could not be saved: %1. It is tried again every minute.</source>
        <translation>遊技を保存できませんでした: %1。1 分ごとに保存をやり直します。</translation>
    </message>
    <message>
        <source>The play was saved to %1 again.</source>
        <translation>遊技を %1 に再び保存できました。</translation>
    </message>
    <message>
        <source>There was no play to clear.</source>
        <translation>クリアする遊技はありませんでした。</translation>
    </message>
    <message>
        <source>run as administrator, with the driver kirvo.sys beside the program</source>
        <translation>ドライバー kirvo.sys をプログラムと同じフォルダーに置き、管理者として実行してください</translation>
    </message>
    <message>
        <source>run as root or grant CAP_SYS_RAWIO</source>
        <translation>root で実行するか、CAP_SYS_RAWIO を与えてください</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>source=%1 exists on %2 only</source>
        <translation>source=%1 は %2 だけで使えます</translation>
    </message>
    <message>
        <source>the port library %1 has no export %2</source>
        <translation>ポートライブラリ %1 に関数 %2 がありません</translation>
    </message>
    <message>
        <source>cannot load the port library %1 from %2 or the system&apos;s search path: %3</source>
        <translation>ポートライブラリ %1 を %2 からもシステムの検索パスからも読み込めません: %3</translation>
    </message>
    <message>
        <source>This program has no port library</source>
        <translation>このプログラムにはポートライブラリがありません</translation>
    </message>
    <message>
        <source>The port address is not set (addr in %1)</source>
        <translation>ポートアドレスが設定されていません（%1 の addr）</translation>
    </message>
    <message>
        <source>This program has no serial bridge</source>
        <translation>このプログラムにはシリアルブリッジがありません</translation>
    </message>
    <message>
        <source>%1 and %2 more keys are missing</source>
        <translation>%1 ほか %2 個のキーがありません</translation>
    </message>
    <message>
        <source>%1 are missing</source>
        <translation>%1 がありません</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>%1 がありません</translation>
    </message>
    <message>
        <source>the graph holds %1 of the %2 points of its games</source>
        <translation>グラフにはゲーム数に見合う %2 点のうち %1 点しかありません</translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1。%2</translation>
    </message>
    <message>
        <source>%1: not polling.</source>
        <translation>%1。読み取りをしません。</translation>
    </message>
    <message>
        <source>%1 is in use by another Tallix, which was brought forward.</source>
        <translation>%1 は別の Tallix が使っているので、そのウィンドウを前面に出しました。</translation>
    </message>
    <message>
        <source>To try Tallix, start it with --simulate (its simulated machine). A serial bridge or a USB I/O board needs no port access: [input] source=%1 in %2.</source>
        <translation>試すには --simulate を付けて起動してください（模擬台で動きます）。シリアルブリッジや USB I/O ボードならポートのアクセス権は要りません: %2 の [input] source=%1。</translation>
    </message>
    <message>
        <source>%1

%2</source>
        <translation>%1

%2</translation>
    </message>
    <message>
        <source>  --serve[=PORT]       serve the live view of the figures to browsers on this PC
                       at http://127.0.0.1:PORT/ (%1 unless tallix.ini has
                       [serve] port=; [serve] address= serves another address)
</source>
        <translation>  --serve[=PORT]       数値のライブビューをこの PC のブラウザーに配信する
                       http://127.0.0.1:PORT/（tallix.ini に [serve] port= がなければ
                       %1。[serve] address= で別のアドレスに配信）
</translation>
    </message>
    <message>
        <source>No port access: not counting. %1 is left as it is. %2</source>
        <translation>ポートにアクセスできないので数えていません。%1 はそのままです。%2</translation>
    </message>
    <message>
        <source>is not a number of games</source>
        <translation>はゲーム数ではありません</translation>
    </message>
    <message>
        <source>is not a payout (coins,games)</source>
        <translation>は払い出し（枚数,ゲーム数）ではありません</translation>
    </message>
    <message>
        <source>repeats a payout of %1 coins</source>
        <translation>は %1 枚の払い出しが重複しています</translation>
    </message>
    <message>
        <source>%1; the setting estimate is off</source>
        <translation>%1。設定推測はしません</translation>
    </message>
    <message>
        <source>--setting needs a whole number from 1 to 6, got &quot;%1&quot;</source>
        <translation>--setting には 1 から 6 の整数が必要です（指定は &quot;%1&quot;）</translation>
    </message>
    <message>
        <source>--setting goes with --simulate</source>
        <translation>--setting は --simulate と一緒に使います</translation>
    </message>
    <message>
        <source>it needs no driver; close the program that has it open</source>
        <translation>ドライバーは要りません。それを開いているプログラムを閉じてください</translation>
    </message>
    <message>
        <source>%1: in use by another program (%2)</source>
        <translation>%1: 別のプログラムが使用中です（%2）</translation>
    </message>
    <message>
        <source>%1: Windows error %2</source>
        <translation>%1: Windows のエラー %2</translation>
    </message>
    <message>
        <source>the serial bridge</source>
        <translation>シリアルブリッジ</translation>
    </message>
    <message>
        <source>the USB I/O board</source>
        <translation>USB I/O ボード</translation>
    </message>
    <message>
        <source>%1: not a COM port (device= takes COM3 or \\.\COM12: the port that Device Manager lists under &quot;Ports (COM &amp; LPT)&quot;)</source>
        <translation>%1: COM ポートではありません（device= には、デバイス マネージャーの「ポート (COM と LPT)」に出ているポートを COM3 や \\.\COM12 のように書いてください）</translation>
    </message>
    <message>
        <source>%1: no such COM port (is the board plugged in? Device Manager lists its port under &quot;Ports (COM &amp; LPT)&quot;)</source>
        <translation>%1: その COM ポートはありません（ボードはつながっていますか。ボードのポートはデバイス マネージャーの「ポート (COM と LPT)」に出ています）</translation>
    </message>
    <message>
        <source>%1: cannot be set to 115200 baud 8N1 (Windows error %2)</source>
        <translation>%1: 通信速度 115200、8N1 に設定できません（Windows のエラー %2）</translation>
    </message>
    <message>
        <source>no COM port answers as the serial bridge (is the board plugged in, with the bridge sketch on it? Device Manager lists its port under &quot;Ports (COM &amp; LPT)&quot;; device= in tallix.ini names it)</source>
        <translation>シリアルブリッジとして応答する COM ポートがありません（ボードはつながっていて、ブリッジのスケッチが書き込まれていますか。ボードのポートはデバイス マネージャーの「ポート (COM と LPT)」に出ています。tallix.ini の device= でそのポートを指定できます）</translation>
    </message>
    <message>
        <source>an unexpected error of the input</source>
        <translation>入力の予期しないエラー</translation>
    </message>
    <message>
        <source>%1: not enough memory</source>
        <translation>%1: メモリが足りません</translation>
    </message>
    <message>
        <source>%1: an unexpected error</source>
        <translation>%1: 予期しないエラー</translation>
    </message>
    <message>
        <source>The play could not be saved: %1. It was kept as %2 instead; 読込み brings it back.</source>
        <translation>遊技を保存できませんでした: %1。代わりに %2 として残しました。読込みで戻せます。</translation>
    </message>
    <message>
        <source>Discard the play? It is in no file, and cannot be brought back.</source>
        <translation>遊技を破棄しますか？ どのファイルにも残っていないので、元に戻せません。</translation>
    </message>
    <message>
        <source>Keep it</source>
        <translation>破棄しない</translation>
    </message>
    <message>
        <source>cannot be opened for writing</source>
        <translation>書き込み用に開けません</translation>
    </message>
    <message>
        <source>in %1, %2</source>
        <translation>%1 では %2</translation>
    </message>
    <message>
        <source>%1=%2 is not a number as written; it is read as %3</source>
        <translation>%1=%2 は数として書かれていないので %3 として読みました</translation>
    </message>
    <message>
        <source>%1=%2 is a count below 0</source>
        <translation>%1=%2 は 0 より小さい回数です</translation>
    </message>
    <message>
        <source>In %1, %2. The file as it was is kept as %3.</source>
        <translation>%1 では %2。元のファイルを %3 として残しました。</translation>
    </message>
    <message>
        <source>In %1, %2; the file as it was could not be kept (%3), so it will not be saved over.</source>
        <translation>%1 では %2。元のファイルを残せなかったので（%3）、上書き保存しません。</translation>
    </message>
    <message>
        <source>%1 line %2</source>
        <translation>%1 の %2 行目</translation>
    </message>
    <message>
        <source>%1: %2 is not a key Tallix reads in [%3]; it is ignored</source>
        <translation>%1: %2 は Tallix が [%3] で読むキーではありません。無視します</translation>
    </message>
    <message>
        <source>%1: [%2] is not a section Tallix reads; it is ignored</source>
        <translation>%1: [%2] は Tallix が読むセクションではありません。無視します</translation>
    </message>
    <message>
        <source>%1: [%2] %3=%4 %5; using 0</source>
        <translation>%1: [%2] %3=%4 %5。0 を使います</translation>
    </message>
    <message>
        <source>%1: [%2] %3=%4 is not a number as written; it is read as %5</source>
        <translation>%1: [%2] %3=%4 は数として書かれていないので、%5 として読みました</translation>
    </message>
    <message>
        <source>no rate1, rate2 or rate3 in %1: %2 shows ¥0</source>
        <translation>%1 に rate1、rate2、rate3 がありません。%2 は ¥0 と表示されます</translation>
    </message>
    <message>
        <source>%1: [big] count=%2 is below 0, which no BIG pays</source>
        <translation>%1: [big] count=%2 は 0 より小さく、そのような BIG はありません</translation>
    </message>
    <message>
        <source>%1: [serve] port=%2 is not a port number from 1 to 65535; the live view is off</source>
        <translation>%1: [serve] port=%2 は 1～65535 のポート番号ではありません。ライブビューは配信しません</translation>
    </message>
    <message>
        <source>%1: [serve] allow_origin=%2 is not an origin such as https://example.com; no page of another site may read the figures</source>
        <translation>%1: [serve] allow_origin=%2 は https://example.com のようなオリジンではありません。ほかのサイトのページからはデータを読めません</translation>
    </message>
    <message>
        <source>%1: [estimate] prior=%2 is not six weights of 0 or more, not all 0, such as 1,1,1,1,1,1; every setting weighs the same</source>
        <translation>%1: [estimate] prior=%2 は、1,1,1,1,1,1 のような 0 以上の重み 6 つ（すべて 0 は不可）ではありません。すべての設定を同じ重みにします</translation>
    </message>
    <message>
        <source>%1: [%2] %3=%4 %5</source>
        <translation>%1: [%2] %3=%4 %5</translation>
    </message>
    <message>
        <source>must be a whole number from %1 to %2</source>
        <translation>%1～%2 の整数でなければなりません</translation>
    </message>
    <message>
        <source>must be 0 (never) or a number of games from 1 up, such as 287.4 or 1/287.4</source>
        <translation>0（なし）か、287.4 や 1/287.4 のような 1 以上のゲーム数でなければなりません</translation>
    </message>
    <message>
        <source>%1: the chances of %2 add up to %3 per game, one or more: %4</source>
        <translation>%1: %2 の確率を足すと 1 ゲームあたり %3 になり、1 以上です: %4</translation>
    </message>
    <message>
        <source>%1: [%2] %3=%4: %5</source>
        <translation>%1: [%2] %3=%4: %5</translation>
    </message>
    <message>
        <source>%1: [%2] is given more than once</source>
        <translation>%1: [%2] が二度以上あります</translation>
    </message>
    <message>
        <source>%1: [%2] is not a section of a machine description (%3)</source>
        <translation>%1: [%2] は機種の説明のセクションではありません（%3）</translation>
    </message>
    <message>
        <source>the key must be one of %1</source>
        <translation>キーは %1 のいずれかでなければなりません</translation>
    </message>
    <message>
        <source>%1 gives %2 but not %3; give each setting its section (an empty one has the odds of [odds] and [wins])</source>
        <translation>%1 には %2 があって %3 がありません。設定ごとにセクションを書いてください（空のセクションは [odds] と [wins] の確率になります）</translation>
    </message>
    <message>
        <source>%1: no such file</source>
        <translation>%1: ファイルがありません</translation>
    </message>
    <message>
        <source>the win of %1 coins is given twice</source>
        <translation>%1 枚の小役が二度あります</translation>
    </message>
    <message>
        <source>the key must be the coins of the win, a whole number from 1 to 999</source>
        <translation>キーは小役の枚数（1～999 の整数）でなければなりません</translation>
    </message>
    <message>
        <source>must be the payout rate in percent, a number above 0</source>
        <translation>機械割（パーセント、0 より大きい数）でなければなりません</translation>
    </message>
    <message>
        <source>the key must be %1 or the coins of a win, a whole number from 1 to 999</source>
        <translation>キーは %1 か小役の枚数（1～999 の整数）でなければなりません</translation>
    </message>
    <message>
        <source>must not be below games_min=%1</source>
        <translation>games_min=%1 より小さくはできません</translation>
    </message>
    <message>
        <source>must not be above games_max=%1</source>
        <translation>games_max=%1 より大きくはできません</translation>
    </message>
    <message>
        <source>must be one of %1</source>
        <translation>%1 のいずれかでなければなりません</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>no input found (looked for %1): plug one in, or right-click the window and choose &quot;Tallix (simulated machine)&quot; to try Tallix without one</source>
        <translation>入力が見つかりません（探したもの：%1）。どれかをつないでください。つながずに試すときは、ウィンドウを右クリックして「Tallix（模擬台）」を選んでください</translation>
    </message>
    <message>
        <source>no USB board with the bridge sketch answers</source>
        <translation>ブリッジのスケッチを書いた USB ボードが応答しません</translation>
    </message>
    <message>
        <source>the parallel port %1</source>
        <translation>パラレルポート %1</translation>
    </message>
    <message>
        <source>the port library</source>
        <translation>ポートライブラリ</translation>
    </message>
    <message>
        <source>plug in the serial bridge or the USB I/O board</source>
        <translation>シリアルブリッジか USB I/O ボードをつないでください</translation>
    </message>
    <message>
        <source>[input] source= names no input</source>
        <translation>[input] source= が入力を指していません</translation>
    </message>
    <message>
        <source>is not %1; no input is read</source>
        <translation>は %1 のどれでもありません。入力は読みません</translation>
    </message>
    <message>
        <source>%1: not a serial device</source>
        <translation>%1：シリアルデバイスではありません</translation>
    </message>
    <message>
        <source>%1: cannot be set to 115200 baud 8N1 (%2)</source>
        <translation>%1：115200 ボー 8N1 に設定できません（%2）</translation>
    </message>
    <message>
        <source>the serial bridge on %1</source>
        <translation>%1 のシリアルブリッジ</translation>
    </message>
    <message>
        <source>Counting from %1.</source>
        <translation>%1 から数えています。</translation>
    </message>
    <message>
        <source>The play the load replaced was kept as %1.</source>
        <translation>読み込む前の遊技は %1 として残しました。</translation>
    </message>
    <message>
        <source>The live view is at %1 again.</source>
        <translation>ライブビューをまた配信中: %1</translation>
    </message>
    <message>
        <source>Starts a new play, keeping this one in the history</source>
        <translation>新しい遊技を始めます。今の遊技は履歴に残ります</translation>
    </message>
    <message>
        <source>Loads a play from a record file in place of this one</source>
        <translation>記録ファイルの遊技を読み込み、今の遊技と置き換えます</translation>
    </message>
    <message>
        <source>Saves this play to a record file of your choice</source>
        <translation>今の遊技を選んだ記録ファイルに保存します</translation>
    </message>
    <message>
        <source>A tallix.ini beside the program keeps both there. Otherwise both are in
%APPDATA%\Tallix. A missing tallix.ini is made from a commented sample.
</source>
        <translation>プログラムと同じフォルダーに tallix.ini があれば、両方ともそこに置きます。ない場合、
両方とも %APPDATA%\Tallix に置きます。tallix.ini がなければ、コメント付きの見本から作ります。
</translation>
    </message>
    <message>
        <source>A tallix.ini beside the program keeps both there. Otherwise the settings are in
$XDG_CONFIG_HOME/tallix (~/.config/tallix) and the play in $XDG_DATA_HOME/tallix
(~/.local/share/tallix). A missing tallix.ini is made from a commented sample.
</source>
        <translation>プログラムと同じフォルダーに tallix.ini があれば、両方ともそこに置きます。ない場合、
設定は $XDG_CONFIG_HOME/tallix (~/.config/tallix)、遊技は $XDG_DATA_HOME/tallix
(~/.local/share/tallix) に置きます。tallix.ini がなければ、コメント付きの見本から作ります。
</translation>
    </message>
    <message>
        <source>Tallix (simulated machine) could not be started.</source>
        <translation>Tallix（模擬台）を起動できませんでした。</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>遊技</translation>
    </message>
    <message>
        <source>BIG odds</source>
        <translation>BIG確率</translation>
    </message>
    <message>
        <source>REG odds</source>
        <translation>REG確率</translation>
    </message>
    <message>
        <source>Payout</source>
        <translation>出玉率</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>差枚</translation>
    </message>
    <message>
        <source>Max run-up</source>
        <translation>最大ハマリ</translation>
    </message>
    <message>
        <source>Likeliest setting</source>
        <translation>有力設定</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>種別</translation>
    </message>
    <message>
        <source>Run-up</source>
        <translation>ハマリ</translation>
    </message>
    <message>
        <source>Coins</source>
        <translation>獲得枚数</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>End</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Setting estimate:   %1   (%2 games)</source>
        <translation>設定推測:   %1   （%2ゲーム）</translation>
    </message>
    <message>
        <source>Setting estimate:   %1   Expected payout rate: %2%   (%3 games)</source>
        <translation>設定推測:   %1   期待出玉率: %2%   （%3ゲーム）</translation>
    </message>
    <message>
        <source>Current play</source>
        <translation>現在の遊技</translation>
    </message>
    <message>
        <source>Unreadable</source>
        <translation>読めません</translation>
    </message>
    <message>
        <source>Setting %1</source>
        <translation>設定%1</translation>
    </message>
    <message>
        <source>Expected payout rate: %1%</source>
        <translation>期待出玉率: %1%</translation>
    </message>
    <message>
        <source>Expected payout rate: the machine gives no payout rates.</source>
        <translation>期待出玉率: この機種には設定ごとの出玉率がありません。</translation>
    </message>
    <message>
        <source>No setting estimate: the machine that [estimate] machine= in tallix.ini names could not be read: %1</source>
        <translation>設定推測なし: tallix.ini の [estimate] machine= の機種を読めませんでした: %1</translation>
    </message>
    <message>
        <source>No setting of the machine can give what was counted.</source>
        <translation>この機種のどの設定でも、数えた結果にはなりません。</translation>
    </message>
    <message>
        <source>From %1 games, every payout counted.</source>
        <translation>%1ゲームの全払い出しから推測。</translation>
    </message>
    <message>
        <source>From %1 games: BIG, REG and the small wins alone, as the play&apos;s record kept no payouts.</source>
        <translation>%1ゲームの BIG・REG・小役だけから推測（この遊技の記録には払い出しがありません）。</translation>
    </message>
    <message>
        <source>Machine: the typical machine. Name yours with [estimate] machine= in tallix.ini.</source>
        <translation>機種: 標準的な機種。実機は tallix.ini の [estimate] machine= で指定します。</translation>
    </message>
    <message>
        <source>Machine: %1</source>
        <translation>機種: %1</translation>
    </message>
    <message>
        <source>coin in</source>
        <translation>コイン投入</translation>
    </message>
    <message>
        <source>coin out</source>
        <translation>コイン払出</translation>
    </message>
    <message>
        <source>5-pin line</source>
        <translation>5ピン線</translation>
    </message>
    <message>
        <source>input</source>
        <translation>入力</translation>
    </message>
    <message>
        <source>level</source>
        <translation>レベル</translation>
    </message>
    <message>
        <source>edges</source>
        <translation>変化数</translation>
    </message>
    <message>
        <source>last pulse</source>
        <translation>直前のパルス</translation>
    </message>
    <message>
        <source>line</source>
        <translation>信号線</translation>
    </message>
    <message>
        <source>The pin monitor shows the inputs of the port or of the source named in the [input] section of tallix.ini (source=%1); none is read now.</source>
        <translation>ピンモニターはポートか、tallix.ini の [input] 節で指定した入力（source=%1）を表示します。いまは何も読み取っていません。</translation>
    </message>
    <message>
        <source>Nothing has been read from the input yet. When it cannot be read, the notice line beneath the panel says why; the input is tried again every second.</source>
        <translation>入力からはまだ何も読み取れていません。読み取れないときは、その理由がパネル下のお知らせ欄に出ます。入力は 1 秒ごとに開き直します。</translation>
    </message>
    <message>
        <source>high</source>
        <translation>高</translation>
    </message>
    <message>
        <source>low</source>
        <translation>低</translation>
    </message>
    <message>
        <source>%1: [%2] %3=%4 is not 0 or 1; it is read as 0, %5</source>
        <translation>%1: [%2] %3=%4 は 0 でも 1 でもないので 0 として読み、%5</translation>
    </message>
    <message>
        <source>and the 5-pin count stays hidden</source>
        <translation>5ピンの回数は表示しません</translation>
    </message>
    <message>
        <source>and the window keeps its size</source>
        <translation>ウィンドウの大きさはそのままです</translation>
    </message>
    <message>
        <source>  --fullscreen         offered by the Linux window only; this window stays as it is
</source>
        <translation>  --fullscreen         Linux 版のウィンドウだけの機能です。このウィンドウはそのままです
</translation>
    </message>
    <message>
        <source>  --fullscreen         show the panel scaled to the whole screen (as [window]
                       fullscreen=1 does)
</source>
        <translation>  --fullscreen         パネルを画面全体に拡大して表示する（[window]
                       fullscreen=1 と同じ）
</translation>
    </message>
    <message>
        <source>usage: tallix [--simulate[=SPEED] [--seed N] [--machine FILE] [--setting N]] [--record-trace FILE] [--serve[=PORT]] [--data-dir DIR] [--fullscreen]
</source>
        <translation>使い方: tallix [--simulate[=SPEED] [--seed N] [--machine FILE] [--setting N]] [--record-trace FILE] [--serve[=PORT]] [--data-dir DIR] [--fullscreen]
</translation>
    </message>
    <message>
        <source>%1
Tallix counts the play of a pachislot machine wired to the PC and shows it on its panel.

  --simulate[=SPEED]   count the built-in simulated machine instead of the port,
                       at SPEED times a player&apos;s pace (above 0, at most %2; 1)
  --seed N             which simulated play (1)
  --machine FILE       the simulated machine&apos;s description
  --setting N          the simulated machine&apos;s setting, 1 to 6 (its own, else 1)
  --record-trace FILE  append every change of the input that is counted to FILE
%5  --data-dir DIR       keep the settings and the play in DIR
%7  -h, --help           show this help
  --version            show the version

Files of this run:
  settings (tallix.ini)         %3
  play (hist.log, plays/; the simulation&apos;s sim.log, sim-plays/)  %4
%6</source>
        <translation>%1
Tallix は PC につないだパチスロ台の遊技を数え、パネルに表示します。

  --simulate[=SPEED]   ポートの代わりに内蔵の模擬台を数える。SPEED は遊技者の
                       ペースの倍率（0 より大きく %2 以下。既定は 1）
  --seed N             模擬台のどの遊技か（既定は 1）
  --machine FILE       模擬台の説明ファイル
  --setting N          模擬台の設定、1 から 6（既定は説明ファイルの設定、なければ 1）
  --record-trace FILE  数えた入力の変化をすべて FILE に追記する
%5  --data-dir DIR       設定と遊技を DIR に置く
%7  -h, --help           このヘルプを表示する
  --version            バージョンを表示する

この実行のファイル:
  設定 (tallix.ini)         %3
  遊技 (hist.log, plays/。模擬台は sim.log, sim-plays/)  %4
%6</translation>
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
    <message>
        <source>Pin monitor</source>
        <translation>ピンモニター</translation>
    </message>
    <message>
        <source>Tallix — %1 (simulated machine)</source>
        <translation>Tallix — %1（模擬台）</translation>
    </message>
    <message>
        <source>No bonus yet</source>
        <translation>まだボーナスはありません</translation>
    </message>
    <message>
        <source>Run-up</source>
        <translation>ハマリ</translation>
    </message>
    <message>
        <source>Coins</source>
        <translation>獲得枚数</translation>
    </message>
    <message>
        <source>Tallix bonus history</source>
        <translation>Tallix ボーナス履歴</translation>
    </message>
    <message>
        <source>Export the bonuses as CSV</source>
        <translation>ボーナスをCSV出力</translation>
    </message>
    <message>
        <source>Export the summaries as CSV</source>
        <translation>集計をCSV出力</translation>
    </message>
    <message>
        <source>Bonus history...</source>
        <translation>ボーナス履歴...</translation>
    </message>
    <message>
        <source>Setting estimate</source>
        <translation>設定推測</translation>
    </message>
    <message>
        <source>Setting estimate...</source>
        <translation>設定推測...</translation>
    </message>
    <message>
        <source>Tallix (simulated machine)</source>
        <translation>Tallix（模擬台）</translation>
    </message>
</context>
</TS>
