#include "console/Usage.h"

#include <span>
#include <string_view>

#include "base/Text.h"
#include "base/TextFormat.h"
#include "console/ConsoleOutput.h"
#include "platform/Language.h"

namespace {

constexpr std::u16string_view kBanner = u"VELA_typeloomc - Font Converter - Version %s\n";
constexpr std::u16string_view kVersion = u"1.5.0";
constexpr int kJapaneseLanguageId = 1041;

constexpr std::u16string_view kEnglishLines[] = {
    u"Usage:",
    u"  vela_typeloomc -i <in_fmt> <in_opt> -o <out_fmt> <out_opt> [-f <filter>]",
    u"",
    u" -i <in_fmt>              <in_fmt> = image, bofnt, win, fnt",
    u" -o <out_fmt>             <out_fmt> = image, bofnt, fnt",
    u" -f <filter>              character filter",
    u" --list-fonts             list the installed fonts as -in takes them",
    u" --list-files             list the shipped files -io, -oo, -op and -f take by name",
    u"",
    u"<in_opt>:",
    u" -i image",
    u"   -if <image>            image file",
    u"   -io <order>            character order file",
    u"   -ic <format>           texture format: <format> = I4, I8, IA4, IA8, RGB565, RGB5A3, RGBA8",
    u"   -ia                    assist TX_LINEAR",
    u"",
    u" -i bofnt",
    u"   -if <bofnt>            bofnt file",
    u"",
    u" -i win",
    u"   -in <name>             font name",
    u"   -inf <name>            fallback font for characters the font lacks (repeatable)",
    u"   -is <size>             font size",
    u"   -isw <width>           average width",
    u"   -ic <format>           texture format: <format> = I1, I4, I6, IA1, IA4, IA6",
    u"   -ia                    use soft antialias",
    u"   -it <type=char>        glyph width: <type> = glyph, keepsp, char, fixed",
    u"   -iw <width>            fixed width",
    u"   -ieo <px>              outline width: 1 to 16 (IA1, IA4, IA6 only)",
    u"   -ies <dx>,<dy>         drop shadow offset: -16 to 16 each (IA1, IA4, IA6 only)",
    u"",
    u" -i fnt",
    u"   -if <fnt>              BMFont descriptor file (text, XML or binary)",
    u"   -ic <format>           texture format: <format> = I4, I8, IA4, IA8, RGB565, RGB5A3, RGBA8",
    u"",
    u"<out_opt>:",
    u" -o image",
    u"   -of <image>            image file",
    u"   -oo <order>            character order file",
    u"   -oi <format=ext>       image file format: <format> = bmp, tga, png, ext",
    u"   -og                    do not draw grid",
    u"   -ow <width>            cell width",
    u"   -oh <height>           cell height",
    u"   -ot <top=0>            cell top margin width",
    u"   -ob <bottom=top>       cell bottom margin width",
    u"   -ol <left=0>           cell left margin width",
    u"   -or <right=left>       cell right margin width",
    u"   -ocg <color=000000>    grid color",
    u"   -ocm <color=99AA99>    margin color",
    u"   -ocw <color=FF0000>    width line color",
    u"   -ocn <color=FF7F7F>    <null/> cell color",
    u"",
    u" -o bofnt",
    u"   -of <bofnt>            bofnt file path",
    u"   -oe <encoding=utf16>   character encoding <encoding> = sjis, utf8, utf16, cp1252",
    u"   -op <glyphgroup>       glyph group file",
    u"   -os <sheetsize>        KPixel unit sheet size",
    u"   -oa <char code>        alternate character",
    u"   -oh <linefeed>         linefeed",
    u"   -ol <left>             left space",
    u"   -ow <width>            default width",
    u"   -or <right>            right space",
    u"",
    u" -o fnt",
    u"   -of <fnt>              BMFont descriptor file (pages: <name>_<page>.png beside it)",
    u"   -ofx                   XML descriptor",
    u"   -ofb                   binary descriptor",
};

constexpr std::u16string_view kJapaneseLines[] = {
    u"使用法:",
    u"  vela_typeloomc -i <in_fmt> <in_opt> -o <out_fmt> <out_opt> [-f <filter>]",
    u"",
    u" -i <in_fmt>              <in_fmt> は image, bofnt, win, fnt のいずれか",
    u" -o <out_fmt>             <out_fmt> は image, bofnt, fnt のいずれか",
    u" -f <filter>              文字フィルタファイル",
    u" --list-fonts             インストール済みフォントを -in の形式で一覧表示",
    u" --list-files             -io, -oo, -op, -f に名前で指定できる同梱ファイルを一覧表示",
    u"",
    u"<in_opt>は<in_fmt>に応じて以下があります。",
    u" -i image の場合",
    u"   -if <image>            画像ファイル",
    u"   -io <order>            文字順序ファイル",
    u"   -ic <format>           テクスチャフォーマット: <format>は以下のいずれか",
    u"                          I4, I8, IA4, IA8, RGB565, RGB5A3, RGBA8",
    u"   -ia                    線形補完対策処理を行う",
    u"",
    u" -i bofnt の場合",
    u"   -if <bofnt>            bofntファイル",
    u"",
    u" -i win の場合",
    u"   -in <name>             フォント名",
    u"   -inf <name>            フォントにない文字に使う代替フォント (複数指定可)",
    u"   -is <size>             フォントサイズ",
    u"   -isw <width>           平均幅",
    u"   -ic <format>           テクスチャフォーマット: <format>は以下のいずれか",
    u"                          I1, I4, I6, IA1, IA4, IA6",
    u"   -ia                    ソフトアンチエイリアスを使用する",
    u"   -it <type=char>        グリフ幅タイプ: <type>は以下のいずれか",
    u"                          glyph, keepsp, char, fixed",
    u"   -iw <width>            グリフ幅タイプが fixed の場合のグリフ幅",
    u"   -ieo <px>              アウトラインの幅: 1 から 16 (IA1, IA4, IA6 のみ)",
    u"   -ies <dx>,<dy>         影のずれ: それぞれ -16 から 16 (IA1, IA4, IA6 のみ)",
    u"",
    u" -i fnt の場合",
    u"   -if <fnt>              BMFont 記述ファイル (テキスト、XML、バイナリ)",
    u"   -ic <format>           テクスチャフォーマット: <format>は以下のいずれか",
    u"                          I4, I8, IA4, IA8, RGB565, RGB5A3, RGBA8",
    u"",
    u"<out_opt>は<out_fmt>に応じて以下があります。",
    u" -o image の場合",
    u"   -of <image>            画像ファイル",
    u"   -oo <order>            文字順序ファイル",
    u"   -oi <format=ext>       出力画像形式: <format>は以下のいずれか",
    u"                          bmp, tga, png, ext",
    u"   -og                    グリッドを描画しない",
    u"   -ow <width>            セル幅",
    u"   -oh <height>           セル高さ",
    u"   -ot <top=0>            セル上余白",
    u"   -ob <bottom=top>       セル下余白",
    u"   -ol <left=0>           セル左余白",
    u"   -or <right=left>       セル右余白",
    u"   -ocg <color=000000>    グリッド色",
    u"   -ocm <color=99AA99>    余白色",
    u"   -ocw <color=FF0000>    幅線色",
    u"   -ocn <color=FF7F7F>    <null/>セル色",
    u"",
    u" -o bofnt の場合",
    u"   -of <bofnt>            bofntファイル",
    u"   -oe <encoding=utf16>   対応エンコーディング: <encoding>は以下のいずれか",
    u"                          sjis, utf8, utf16, cp1252",
    u"   -op <glyphgroup>       グリフグループファイル",
    u"   -os <sheetsize>        キロピクセル単位のシートサイズ",
    u"   -oa <char code>        代替文字",
    u"   -oh <linefeed>         改行幅",
    u"   -ol <left>             デフォルト左スペース",
    u"   -ow <width>            デフォルト幅",
    u"   -or <left>             デフォルト右スペース",
    u"",
    u" -o fnt の場合",
    u"   -of <fnt>              BMFont 記述ファイル (ページは同じ場所の <名前>_<ページ>.png)",
    u"   -ofx                   XML 形式の記述ファイル",
    u"   -ofb                   バイナリ形式の記述ファイル",
};

std::u16string BannerText() {
    const MessageArg version[] = {kVersion};
    return FormatText(kBanner, version);
}

}  // namespace

bool IsJapaneseLocale(const std::u16string& localeName) {
    if (LanguageIdOfLocale(localeName) == kJapaneseLanguageId) {
        return true;
    }
    const std::u16string lower = ToLowerAscii(localeName);
    return lower.find(u"jpn") != std::u16string::npos ||
           lower.find(u"japanese") != std::u16string::npos;
}

std::u16string UsageText(bool japanese) {
    std::u16string text = BannerText();
    const std::span<const std::u16string_view> lines =
        japanese ? std::span<const std::u16string_view>(kJapaneseLines)
                 : std::span<const std::u16string_view>(kEnglishLines);
    for (const std::u16string_view line : lines) {
        text.append(line).push_back(u'\n');
    }
    return text;
}

void PrintUsage() {
    WriteText(stdout, UsageText(IsJapaneseLocale(UserLocaleName())));
}

bool AnswerInfoOption(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") {
            PrintUsage();
            return true;
        }
        if (argument == "--version") {
            WriteText(stdout, BannerText());
            return true;
        }
    }
    return false;
}
