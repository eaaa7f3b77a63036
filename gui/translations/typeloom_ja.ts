<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>CGlyphInspector</name>
    <message>
        <source>Point at a glyph to see its widths; click to keep it.</source>
        <translation>グリフを指すと幅を表示します。クリックすると表示したままにします。</translation>
    </message>
    <message>
        <source>&lt;b&gt;U+%1&lt;/b&gt;%2 &amp;nbsp; glyph index %3 &amp;nbsp; sheet %4, column %5, row %6&lt;br&gt;left space %7 &amp;nbsp; glyph width %8 &amp;nbsp; advance %9 &amp;nbsp; ascent %10</source>
        <translation>&lt;b&gt;U+%1&lt;/b&gt;%2 &amp;nbsp; グリフインデックス %3 &amp;nbsp; シート %4、%5 列、%6 行&lt;br&gt;左スペース %7 &amp;nbsp; グリフ幅 %8 &amp;nbsp; 送り幅 %9 &amp;nbsp; アセント %10</translation>
    </message>
</context>
<context>
    <name>CInBmFontDlg</name>
    <message>
        <source>&amp;Color format:</source>
        <translation>カラーフォーマット(&amp;C):</translation>
    </message>
</context>
<context>
    <name>CInImageDlg</name>
    <message>
        <source>&amp;Color format:</source>
        <translation>カラーフォーマット(&amp;C):</translation>
    </message>
    <message>
        <source>Assist TX_LINEAR</source>
        <translation>TX_LINEAR 補助</translation>
    </message>
</context>
<context>
    <name>CInWinDlg</name>
    <message>
        <source>&amp;Font name:</source>
        <translation>フォント名(&amp;F):</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>サイズ(&amp;S):</translation>
    </message>
    <message>
        <source>&amp;Bit Depth:</source>
        <translation>ビット深度(&amp;B):</translation>
    </message>
    <message>
        <source>Specify the average width:</source>
        <translation>平均幅を指定:</translation>
    </message>
    <message>
        <source>Soft Antialias</source>
        <translation>ソフトアンチエイリアス</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>幅(&amp;W):</translation>
    </message>
    <message>
        <source>Char width:</source>
        <translation>文字幅:</translation>
    </message>
    <message>
        <source>Sty&amp;le:</source>
        <translation>スタイル(&amp;L):</translation>
    </message>
    <message>
        <source>Fallba&amp;ck fonts:</source>
        <translation>代替フォント(&amp;C):</translation>
    </message>
    <message>
        <source>Outl&amp;ine</source>
        <translation>アウトライン(&amp;I)</translation>
    </message>
    <message>
        <source>Shadow mo&amp;ved</source>
        <translation>影(&amp;V)</translation>
    </message>
    <message>
        <source>px right,</source>
        <translation>px 右、</translation>
    </message>
    <message>
        <source>px down</source>
        <translation>px 下</translation>
    </message>
    <message>
        <source>Outlines and shadows need a gradation with alpha (IA).</source>
        <translation>アウトラインと影にはアルファ付きの階調 (IA) が必要です。</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>上へ</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>下へ</translation>
    </message>
    <message>
        <source>Add font file...</source>
        <translation>フォントファイルを追加...</translation>
    </message>
    <message>
        <source>Select Font File</source>
        <translation>フォントファイルの選択</translation>
    </message>
    <message>
        <source>Font files (*.ttf *.otf *.ttc *.otc);;all files (*)</source>
        <translation>フォントファイル (*.ttf *.otf *.ttc *.otc);;すべてのファイル (*)</translation>
    </message>
</context>
<context>
    <name>CMainDlg</name>
    <message>
        <source>Input</source>
        <translation>入力</translation>
    </message>
    <message>
        <source>Character filter</source>
        <translation>文字フィルタ</translation>
    </message>
    <message>
        <source>&amp;Use filter</source>
        <translation>フィルタを使う(&amp;U)</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>出力</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>画像</translation>
    </message>
    <message>
        <source>Windows Font</source>
        <translation>Windows フォント</translation>
    </message>
    <message>
        <source>Convert (Ctrl+Return)</source>
        <translation>変換 (Ctrl+Return)</translation>
    </message>
    <message>
        <source>Convert only the characters of a filter list</source>
        <translation>フィルタリストの文字だけを変換します</translation>
    </message>
    <message>
        <source>Show or hide the output options</source>
        <translation>出力オプションを表示/非表示にします</translation>
    </message>
    <message>
        <source>Drop a source file here</source>
        <translation>入力ファイルをここにドロップ</translation>
    </message>
    <message>
        <source>Drop a target file here</source>
        <translation>出力ファイルをここにドロップ</translation>
    </message>
    <message>
        <source>Drop a filter list here</source>
        <translation>フィルタリストをここにドロップ</translation>
    </message>
    <message>
        <source>Folders searched:</source>
        <translation>検索したフォルダ:</translation>
    </message>
    <message>
        <source>&amp;Preview</source>
        <translation>プレビュー(&amp;P)</translation>
    </message>
    <message>
        <source>Show p&amp;review</source>
        <translation>プレビューを表示(&amp;R)</translation>
    </message>
    <message>
        <source>Show or hide the preview of the converted font</source>
        <translation>変換したフォントのプレビューを表示/非表示にします</translation>
    </message>
    <message>
        <source>Convert without writing a file, and show the result</source>
        <translation>ファイルを書かずに変換し、結果を表示します</translation>
    </message>
    <message>
        <source>Hide p&amp;review</source>
        <translation>プレビューを隠す(&amp;R)</translation>
    </message>
    <message>
        <source> Preview ready</source>
        <translation> プレビューの準備完了</translation>
    </message>
    <message>
        <source>Copy co&amp;mmand line</source>
        <translation>コマンドラインをコピー(&amp;M)</translation>
    </message>
    <message>
        <source>Copy the console command that writes the same file (Ctrl+Shift+C)</source>
        <translation>同じファイルを書き出すコンソールのコマンドをコピーします (Ctrl+Shift+C)</translation>
    </message>
    <message>
        <source> Command line copied</source>
        <translation> コマンドラインをコピーしました</translation>
    </message>
    <message>
        <source>The run was cancelled.</source>
        <translation>実行は取り消されました。</translation>
    </message>
    <message>
        <source>The run failed; the message window says why.</source>
        <translation>実行に失敗しました。理由はメッセージウィンドウを見てください。</translation>
    </message>
</context>
<context>
    <name>COptionsButton</name>
    <message>
        <source>Options</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>Hide options</source>
        <translation>オプションを隠す</translation>
    </message>
</context>
<context>
    <name>COrderCombo</name>
    <message>
        <source>&amp;Letter order:</source>
        <translation>文字順(&amp;L):</translation>
    </message>
    <message>
        <source>&amp;Group Set:</source>
        <translation>グループセット(&amp;G):</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>参照...</translation>
    </message>
    <message>
        <source>Add a letter order file to the list</source>
        <translation>文字順ファイルを一覧に追加します</translation>
    </message>
    <message>
        <source>Add a glyph groups file to the list</source>
        <translation>グリフグループファイルを一覧に追加します</translation>
    </message>
    <message>
        <source>Letter Order (*.xlor);;all files (*)</source>
        <translation>文字順ファイル (*.xlor);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Glyph Groups (*.xggp);;all files (*)</source>
        <translation>グリフグループファイル (*.xggp);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Select File</source>
        <translation>ファイルの選択</translation>
    </message>
</context>
<context>
    <name>COutBmFontDlg</name>
    <message>
        <source>&amp;Descriptor form:</source>
        <translation>記述ファイルの形式(&amp;D):</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>テキスト</translation>
    </message>
    <message>
        <source>Binary</source>
        <translation>バイナリ</translation>
    </message>
</context>
<context>
    <name>COutImageDlg</name>
    <message>
        <source>Specify size/offset</source>
        <translation>サイズ/オフセットを指定</translation>
    </message>
    <message>
        <source>Specify margin</source>
        <translation>マージンを指定</translation>
    </message>
    <message>
        <source>Center glyph</source>
        <translation>グリフを中央に配置</translation>
    </message>
    <message>
        <source>Forma&amp;t：</source>
        <translation>形式(&amp;T)：</translation>
    </message>
    <message>
        <source>&amp;Draw grid</source>
        <translation>グリッドを描く(&amp;D)</translation>
    </message>
    <message>
        <source>null</source>
        <translation>空セル</translation>
    </message>
    <message>
        <source>grid</source>
        <translation>グリッド</translation>
    </message>
    <message>
        <source>width</source>
        <translation>幅</translation>
    </message>
    <message>
        <source>margin</source>
        <translation>マージン</translation>
    </message>
    <message>
        <source>Letter &amp;order:</source>
        <translation>文字順(&amp;O):</translation>
    </message>
</context>
<context>
    <name>COutQuillDlg</name>
    <message>
        <source>&amp;Encoding:</source>
        <translation>エンコーディング(&amp;E):</translation>
    </message>
    <message>
        <source>S&amp;heet Size:</source>
        <translation>シートサイズ(&amp;H):</translation>
    </message>
    <message>
        <source>Subs&amp;titute character:</source>
        <translation>代替文字(&amp;T):</translation>
    </message>
    <message>
        <source>Li&amp;ne feed width:</source>
        <translation>改行幅(&amp;N):</translation>
    </message>
    <message>
        <source>&amp;Default left space width:</source>
        <translation>デフォルトの左スペース幅(&amp;D):</translation>
    </message>
    <message>
        <source>Default gl&amp;yph width:</source>
        <translation>デフォルトのグリフ幅(&amp;Y):</translation>
    </message>
    <message>
        <source>Default right sp&amp;ace width:</source>
        <translation>デフォルトの右スペース幅(&amp;A):</translation>
    </message>
    <message>
        <source>Use default</source>
        <translation>デフォルトを使う</translation>
    </message>
</context>
<context>
    <name>CPathField</name>
    <message>
        <source>Select file</source>
        <translation>ファイルを選択</translation>
    </message>
    <message>
        <source>&amp;Image file:</source>
        <translation>画像ファイル(&amp;I):</translation>
    </message>
    <message>
        <source>&amp;Input file:</source>
        <translation>入力ファイル(&amp;I):</translation>
    </message>
    <message>
        <source>&amp;Output file:</source>
        <translation>出力ファイル(&amp;O):</translation>
    </message>
    <message>
        <source>Ima&amp;ge file:</source>
        <translation>画像ファイル(&amp;G):</translation>
    </message>
</context>
<context>
    <name>CPathHistoryManager</name>
    <message>
        <source>Select File</source>
        <translation>ファイルの選択</translation>
    </message>
    <message>
        <source>Supported Images (*.bmp *.tga *.png);;Bitmap Images (*.bmp);;Targa Images (*.tga);;PNG Images (*.png);;all files (*)</source>
        <translation>対応画像 (*.bmp *.tga *.png);;ビットマップ画像 (*.bmp);;Targa 画像 (*.tga);;PNG 画像 (*.png);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>font resource (*.bofnt *.bofna);;normal bofnt (*.bofnt);;archived bofnt (*.bofna);;all files (*)</source>
        <translation>フォントリソース (*.bofnt *.bofna);;通常の bofnt (*.bofnt);;アーカイブ bofnt (*.bofna);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>BMFont descriptor (*.fnt *.xml);;all files (*)</source>
        <translation>BMFont 記述ファイル (*.fnt *.xml);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Filter List (*.xllt);;all files (*)</source>
        <translation>フィルタリスト (*.xllt);;すべてのファイル (*)</translation>
    </message>
</context>
<context>
    <name>CPreviewPane</name>
    <message>
        <source>&amp;Zoom:</source>
        <translation>拡大(&amp;Z):</translation>
    </message>
    <message>
        <source>Sheet:</source>
        <translation>シート:</translation>
    </message>
    <message>
        <source>Input font as it stands</source>
        <translation>入力フォントをそのまま表示</translation>
    </message>
    <message>
        <source>Sample te&amp;xt:</source>
        <translation>サンプル文字列(&amp;X):</translation>
    </message>
    <message>
        <source>Shows the binary font chosen as input, without converting it</source>
        <translation>入力に選んだバイナリフォントを変換せずに表示します</translation>
    </message>
    <message>
        <source>Convert, or press Preview, to see the font here.</source>
        <translation>変換するか「プレビュー」を押すと、ここにフォントが表示されます。</translation>
    </message>
    <message>
        <source>BMFont pages</source>
        <translation>BMFont のページ</translation>
    </message>
    <message>
        <source>image font</source>
        <translation>画像フォント</translation>
    </message>
    <message>
        <source>format %1</source>
        <translation>形式 %1</translation>
    </message>
    <message>
        <source>%1, %2 x %3 pixels, %4 glyphs in cells of %5 x %6</source>
        <translation>%1、%2 x %3 ピクセル、%4 グリフ、セル %5 x %6</translation>
    </message>
    <message>
        <source>Cell outlines</source>
        <translation>セルの枠</translation>
    </message>
    <message>
        <source>Baseline</source>
        <translation>ベースライン</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>背景:</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>文字:</translation>
    </message>
    <message>
        <source>Outline every glyph's cell on the sheet</source>
        <translation>シート上のすべてのグリフのセルに枠を描きます</translation>
    </message>
    <message>
        <source>Draw the baseline across every cell and under the sample</source>
        <translation>すべてのセルとサンプルにベースラインを描きます</translation>
    </message>
    <message>
        <source>The colour behind the sample text</source>
        <translation>サンプル文字列の背景色</translation>
    </message>
    <message>
        <source>The colour the sample text is drawn in, as a game tints it</source>
        <translation>サンプル文字列を描く色 (ゲームと同じように着色します)</translation>
    </message>
    <message>
        <source>Out of date: the settings changed after this preview was made. Press Preview to see them.</source>
        <translation>古いプレビューです: このプレビューの後で設定が変わりました。新しい設定で見るには「プレビュー」を押してください。</translation>
    </message>
    <message>
        <source>Sheet %1 of %2</source>
        <translation>シート %1 / %2</translation>
    </message>
</context>
<context>
    <name>CWarningWnd</name>
    <message>
        <source>&amp;Copy</source>
        <translation>コピー(&amp;C)</translation>
    </message>
    <message>
        <source>typeloom message</source>
        <translation>typeloom メッセージ</translation>
    </message>
    <message>
        <source>Warnings: %1, shown: %2</source>
        <translation>警告: %1 件、表示: %2 件</translation>
    </message>
</context>
<context>
    <name>CRunProgress</name>
    <message>
        <source> Loading the character filter...</source>
        <translation> 文字フィルタを読み込み中...</translation>
    </message>
    <message>
        <source> Loading the letter order...</source>
        <translation> 文字順を読み込み中...</translation>
    </message>
    <message>
        <source> Reading the font...</source>
        <translation> フォントを読み込み中...</translation>
    </message>
    <message>
        <source> Reading %1...</source>
        <translation> %1 を読み込み中...</translation>
    </message>
    <message>
        <source> Drawing the image font...</source>
        <translation> 画像フォントを描画中...</translation>
    </message>
    <message>
        <source> Writing %1...</source>
        <translation> %1 を書き込み中...</translation>
    </message>
    <message>
        <source> Writing sheets...</source>
        <translation> シートを書き込み中...</translation>
    </message>
</context>
<context>
    <name>CSampleView</name>
    <message>
        <source>%1 is not in the font: its substitute character is drawn</source>
        <translation>%1 はフォントにありません: 代替文字を描いています</translation>
    </message>
    <message>
        <source>%1 is not in the font</source>
        <translation>%1 はフォントにありません</translation>
    </message>
</context>
</TS>
