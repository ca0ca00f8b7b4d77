#include "shell/menu_table.h"

#include <QHash>

namespace Menus {
namespace {

const QList<Item> kItems = {
    {"MnuFile", "", "", 0, "&File", "ファイル(&F)", 0},
    {"mnu_DiaryfromClipboard", "MnuFile", "", 1, "Read from Clipboard", "クリップボードから読み込む", 0},
    {"mnu_DiaryfromClipboard_UseFormattedText", "mnu_DiaryfromClipboard", "", 60, "Use FormattedText", "規定のフォーマットで読み込む", 0},
    {"mnu_DiaryfromClipboard_UsePlainText", "mnu_DiaryfromClipboard", "", 61, "Use PlainText", "通常のテキストを読み込む", 0},
    {"mnuMinus7", "MnuFile", "", -1, "", "", Separator},
    {"MnuSaveHTML", "MnuFile", "Ctrl+S", 2, "&Save HTML", "HTMLファイルに保存(&S)", 0},
    {"MnuSaveHTMLAS", "MnuFile", "", 3, "Save HTML &As ...", "名前を付けてHTMLファイルに保存(&A)", 0},
    {"MnuMinus9", "MnuFile", "", -1, "", "", Separator},
    {"MnuExport", "MnuFile", "", 8, "Rarav Export", "日記エクスポート", 0},
    {"MnuTextExport", "MnuExport", "", 9, "Text Export", "テキストエクスポート", 0},
    {"MnuMTExport", "MnuExport", "", 100, "MovableType Export", "MovableTypeエクスポート", 0},
    {"MnuHTNExport", "MnuExport", "", 104, "Hatena Export", "はてなエクスポート", 0},
    {"MnuImport", "MnuFile", "", 101, "Rarav Import", "日記インポート", 0},
    {"MnuImportNoFunction", "MnuImport", "", -1, "no function", "no function", Disabled},
    {"MnuMTImport", "MnuImport", "", 102, "MovableType Import", "MovableTypeインポート", 0},
    {"MnuHTNImport", "MnuImport", "", 105, "Hatena Import", "はてなインポート", 0},
    {"MnuMinus1", "MnuFile", "", -1, "", "", Separator},
    {"MnuMakeLog", "MnuFile", "", 4, "Make &Log", "ログ作成(&L)", 0},
    {"MnuMinus", "MnuFile", "", -1, "", "", Separator},
    {"mnuImportCust", "MnuFile", "", 6, "&Import CustomizeFile", "カスタマイズファイルのインポート(&I)", 0},
    {"mnuExportCust", "MnuFile", "", 7, "&Export CustomizeFile", "カスタマイズファイルのエクスポート(&E)", 0},
    {"mnuMinus8", "MnuFile", "", -1, "", "", Separator},
    {"MnuExit", "MnuFile", "Ctrl+Q", 5, "E&xit", "終了(&X)", 0},
    {"MnuRarav", "", "", 70, "&Rarav", "日記(&D)", 0},
    {"MnuWriteRarav", "MnuRarav", "Ctrl+D", 71, "Write &Rarav", "日記を書く(&W)", 0},
    {"mnuAddRarav", "MnuRarav", "", 72, "Add Rarav", "日記を書き足す(&A)", 0},
    {"MnuDeleteRarav", "MnuRarav", "", 73, "Delete Rarav", "日記を削除", 0},
    {"MnuDeleteImportRarav", "MnuRarav", "", 103, "Delete Import Rarav", "インポートした日記をまとめて削除", 0},
    {"MnuSaveRarav", "MnuRarav", "Ctrl+U", 79, "Save Rarav(&U)", "日記を保存する(&U)", 0},
    {"MnuMinus12", "MnuRarav", "", -1, "", "", Separator},
    {"MnuSaveHTML_D", "MnuRarav", "", 2, "&Save HTML", "HTMLファイルに保存(&S)", 0},
    {"MnuFTPUp", "MnuRarav", "Ctrl+F", 11, "&FTP Upload", "&FTPでアップロード", 0},
    {"MnuPING", "MnuRarav", "", -1, "&PING", "&PING", 0},
    {"MnuMinus10", "MnuRarav", "", -1, "", "", Separator},
    {"MnuBlogUp", "MnuRarav", "Ctrl+B", 74, "Blog Upload", "ブログへアップロード", 0},
    {"MnuBlogView", "MnuRarav", "", 75, "&View Blog", "ブログを見る", 0},
    {"MnuOpenBlogManagement", "MnuRarav", "", 80, "&Open Blog Management", "ブログ管理画面を開く(&O)", 0},
    {"MnuMinus15", "MnuRarav", "", -1, "", "", Separator},
    {"MnuRaravTools", "MnuRarav", "", 76, "&Tool", "ツール(&T)", 0},
    {"MnuFindRarav", "MnuRaravTools", "", 77, "&Find Rarav", "日記を検索(&F)", 0},
    {"MnuViewOldRarav", "MnuRaravTools", "", 78, "&View Old Rarav", "昔の日記を見る(&V)", 0},
    {"MnuTool", "", "", 10, "&Tools", "ツール(&T)", 0},
    {"mnuQuillbyMemo", "MnuTool", "", 107, "Zettik", "Zettikの起動", 0},
    {"mnuAddRaravFromZettik", "MnuTool", "", 110, "Make Rarav from Zettik", "Zettikから日記を作成", 0},
    {"MnuMinus18", "MnuTool", "", -1, "", "", Separator},
    {"ResistLogs", "MnuTool", "", 12, "Resist Rarav &Logs", "ログを登録(&L)", 0},
    {"ResistOtherFiles", "MnuTool", "", 13, "&Resist Other Files", "その他のファイルを登録(&R)", 0},
    {"MnuMinus11", "MnuTool", "", -1, "", "", Separator},
    {"MnuQuillbyInfo", "MnuTool", "", 106, "Show Rarav Information", "日記情報表示", 0},
    {"MnuOptimize", "MnuTool", "", 14, "&Optimize Database", "データベースの最適化(&O)", 0},
    {"MnuReConstructionGenre", "MnuTool", "", 50, "ReConstruction Genre", "ジャンルの再構成", 0},
    {"MnuOptionInternalBrowser", "MnuTool", "", 15, "Flush History", "各種履歴の削除", 0},
    {"MnuRefreshURLHist", "MnuOptionInternalBrowser", "", 18, "Refresh &URL History", "&URL履歴の削除", 0},
    {"MnuRefreshFindHist", "MnuOptionInternalBrowser", "", 19, "Refresh &Find History", "&検索履歴の削除", 0},
    {"mnuMinus5", "MnuTool", "", -1, "", "", Separator},
    {"MnuUpdateCheck", "MnuTool", "", 16, "&UpdateCheck", "アップデートチェック(&U)", 0},
    {"MnuQuillbyUpdater", "MnuTool", "", 17, "&Quillby Updater", "&Quillby Updaterの起動", 0},
    {"MnuOption", "", "", 20, "&Option", "オプション(&O)", 0},
    {"mnuEnvironment", "MnuOption", "", 23, "&Environment", "環境(&E)", 0},
    {"MnuCustomize_menu", "MnuOption", "", 25, "&Customize", "カスタマイズ(&C)", 0},
    {"MnuCustomizeSelect", "MnuCustomize_menu", "", 26, "&Select Customizeset", "カスタマイズセットの選択(&S)", 0},
    {"MnuCustomize", "MnuCustomize_menu", "", 21, "&Customize", "カスタマイズ(&C)", 0},
    {"MnuHTML2TXT", "MnuOption", "", 24, "&HTML2TEXT Setting", "HTML変換設定(&H)", 0},
    {"mnuMinus6", "MnuOption", "", -1, "", "", Separator},
    {"MnuPref", "MnuOption", "", 22, "&Preference", "設定(&P)", 0},
    {"MnuMinus13", "MnuOption", "", -1, "", "", Separator},
    {"MnuUserManager", "MnuOption", "", 27, "&User Manager", "ユーザー管理(&U)", 0},
    {"MnuWindow", "", "", 30, "&Window", "ウィンドウ(&W)", 0},
    {"MnuVertical", "MnuWindow", "", 31, "&Vertical", "垂直に並べる(&V)", 0},
    {"mnuStandard", "MnuWindow", "", 32, "&Standard", "基本設定で並べる(&S)", 0},
    {"mnuLoadWndPos", "MnuWindow", "", 35, "Load Window Position", "保存したウィンドウの状態を復元", 0},
    {"mnuMinus3", "MnuWindow", "", -1, "", "", Separator},
    {"mnuSaveWndPos", "MnuWindow", "", 36, "Save Window Position", "ウィンドウの状態を保存", 0},
    {"mnuMinus4", "MnuWindow", "", -1, "", "", Separator},
    {"MnuCalender", "MnuWindow", "", 33, "&Calender", "カレンダーを表示(&C)", 0},
    {"MnuBrowse", "MnuWindow", "", 34, "Local &Browser", "ローカルブラウザを表示(&B)", 0},
    {"MnuHelp", "", "", 40, "&Help", "ヘルプ(&H)", 0},
    {"MnuSimpleManual", "MnuHelp", "", 41, "Simple Manual", "簡単マニュアル", 0},
    {"MnuManual", "MnuHelp", "", 42, "Manual", "マニュアル", 0},
    {"MnuMinus14", "MnuHelp", "", -1, "", "", Separator},
    {"MnuAbout", "MnuHelp", "", 43, "&About", "Quillbyについて(&A)", 0},
    {"MnuPlugin", "MnuHelp", "", -1, "Plugin", "Plugin", 0},
    {"MnuNoPlugin", "MnuPlugin", "", -1, "No Plugin", "No Plugin", Disabled},
    {"MnuTambourDll", "MnuPlugin", "", -1, "Tambour.dll", "Tambour.dll", 0},
    {"MnuBrindleDll", "MnuPlugin", "", -1, "Brindle.dll", "Brindle.dll", 0},
    {"MnuFescueDll", "MnuPlugin", "", -1, "Fescue.dll", "Fescue.dll", 0},
    {"MnuQuillbyInfoDll", "MnuPlugin", "", -1, "QuillbyInfo.dll", "QuillbyInfo.dll", 0},
    {"MnuMinus16", "MnuHelp", "", -1, "", "", Separator},
    {"MnuHP", "MnuHelp", "", 44, "Quillby Works", "Quillby Worksソフトウェア", 0},
    {"MnuMyBlog", "MnuHelp", "", 45, "Quillby Works Developer's Rarav", "Quillby Worksソフトウェア開発日誌", 0},
    {"MnuQuillbyInfoBlog", "MnuHelp", "", 46, "Quillby Daily Information", "Quillby情報", 0},
    {"mnuContentsPopUp", "", "", -1, "ポップアップメニュー", "ポップアップメニュー", Hidden},
    {"mnuUndo", "mnuContentsPopUp", "Ctrl+Z", 108, "Undo", "元に戻す", 0},
    {"mnuRedo", "mnuContentsPopUp", "Ctrl+Y", 109, "Redo", "やりなおし", 0},
    {"MnuMinus17", "mnuContentsPopUp", "", -1, "", "", Separator},
    {"mnuCopy", "mnuContentsPopUp", "", -1, "コピー", "コピー", 0},
    {"mnuCut", "mnuContentsPopUp", "", -1, "切り取り", "切り取り", 0},
    {"mnuPaste", "mnuContentsPopUp", "", -1, "貼り付け", "貼り付け", 0},
    {"MnuMinus19", "mnuContentsPopUp", "", -1, "", "", Separator},
    {"mnuGetURL", "mnuContentsPopUp", "", -1, "ブラウザからURLを取得", "ブラウザからURLを取得", 0},
    {"mnuInsertURL", "mnuContentsPopUp", "", -1, "画像を挿入", "画像を挿入", 0},
    {"mnuInsertFromClipboard", "mnuContentsPopUp", "", -1, "クリップボードから読み込む", "クリップボードから読み込む", 0},
    {"mnuInsertFromCB_PlainText", "mnuInsertFromClipboard", "", -1, "そのまま", "そのまま", 0},
    {"mnuInsertFromCB_ExchangedText", "mnuInsertFromClipboard", "", -1, "HTMLに変換", "HTMLに変換", 0},
};
}  // namespace

const QList<Item>& items() { return kItems; }

const Item* find(const QString& name) {
    static const QHash<QString, const Item*> byName = [] {
        QHash<QString, const Item*> h;
        for (const Item& item : kItems) h.insert(QString::fromLatin1(item.name), &item);
        return h;
    }();
    return byName.value(name, nullptr);
}

int languageBase(const QString& menuLanguage) {
    return menuLanguage == QLatin1String("English") ? 100 : 500;
}

QString text(int id) {
    const bool english = id >= 100 && id < 500;
    const int offset = english ? id - 100 : id - 500;
    for (const Item& item : kItems) {
        if (item.offset == offset && offset >= 0)
            return QString::fromUtf8(english ? item.english : item.japanese);
    }
    return QString();
}

QString caption(const Item& item, const QString& menuLanguage) {
    if (item.offset < 0) return QString::fromUtf8(item.english);
    return text(languageBase(menuLanguage) + item.offset);
}

}  // namespace Menus
