// A sample language library: Japanese texts for a few messages. Every number it does not hold
// falls back to the program's own text, so a translation may be as partial as this one.
// Build it as "typeloom_langRes.so" and place it in "<program folder>/1041/".

namespace {

struct Translation {
    int number;
    const char16_t* text;
};

constexpr Translation kTexts[] = {
    {102, u"エラー: %s (GetLastError=%d)\n"},
    {145, u"意味のないハイフンが含まれています。"},
    {159, u"オプションのパラメータがありません。"},
    {207, u"無効なオプションです (%s)。"},
    {256, u"警告: %s\n"},
    {277, u"ファイル (%s) の書き込みはシグナルにより中止されました。ファイルは元のままです。"},
    {290, u"指定されたファイル (%s) はフォントファイルではありません。"},
    {291, u"フェイス番号 (=%d) がフォントファイルの有効範囲 [0 - %d] を超えています (%s)。"},
    {304, u"コマンドラインエラー"},
};

}  // namespace

extern "C" const char16_t* LangResString(int number) {
    for (const Translation& entry : kTexts) {
        if (entry.number == number) {
            return entry.text;
        }
    }
    return nullptr;
}
