#include "publish/internet_error_text.h"

#include "platform/internet.h"

namespace modWinInet {

namespace {

struct Row {
    int code;
    const char* text;
};

// Texts as the program has always shown them, spelling slips included.
constexpr Row kTexts[] = {
    {0, "アイテムがありません。"},
    {18, "ファイルがありません。"},
    {12001, "これ以上ハンドルを作成できません。"},
    {12002, "タイムアウトです。"},
    {12004, "内部エラーです。"},
    {12005, "URLが無効です。"},
    {12006, "The URL scheme could not be recognized, or is not supported."},
    {12007, "サーバー名が認識出来ません。"},
    {12008, "要求されたプロトコルが見つかりません。"},
    {12009, "無効なオプションです。"},
    {12010, "オプションに指定されたデータが長すぎます。"},
    {12011, "The requested option cannot be set, only queried."},
    {12012, "The Win32 Internet function support is being shut down or unloaded."},
    {12013, "ユーザー名が正しくありません。"},
    {12014, "パスワードが違います。"},
    {12015, "FTPサーバーへのログオンに失敗しました。"},
    {12016, "無効な操作です。"},
    {12017, "操作は取り消されました。"},
    {12018, "ハンドルの形式が無効です。"},
    {12019, "ハンドルのSTATEが無効です。"},
    {12020, "プロキシ経由で接続できません。"},
    {12021, "A required registry value could not be located."},
    {12022, "レジストリのパラメーターが無効です。"},
    {12023, "ネットワークに直接接続できません。"},
    {12024, "An asynchronous request could not be made because a zero context value was supplied."},
    {12025, "コールバックできません。"},
    {12026, "The required operation could not be completed because one or more requests are pending."},
    {12027, "無効な要求です。"},
    {12028, "アイテムが見つかりません。"},
    {12029, "サーバーに接続できません。"},
    {12030, "サーバーとの接続が終了しました。"},
    {12031, "サーバーとの接続がリセットされました。"},
    {12032, "再試行する必要があります。"},
    {12033, "無効なプロキシ要求です。"},
    {12034, "ユーザー入力待ちです。"},
    {12036, "既にネットワークに接続しています。"},
    {12041, "このコンテンツは包括的なセキュリティが掛けられていません。セキュリティの掛かっていないサーバーから見られる可能性があります。"},
    {12042, "セキュリティの掛かっていないサーバー上の複数行のテキストを変更しようとしています。"},
    {12043, "The application is posting data to a sever that is not secure."},
    {12044, "クライアント認証を要求されました。"},
    {12045, "The function is unfamiliar with the Certificate Authority that generated the server's certificate."},
    {12046, "クライアント認証がインストールされていません。"},
    {12047, "非同期スレッドとして起動できません。"},
    {12048, "The function could not handle the redirection, because the scheme changed (for example, HTTP to FTP)."},
    {12049, "パスワード要求ダイアログが出ています。"},
    {12053, "CD-ROMをセットしてください。"},
    {12110, "他のプロセスが実行中です。"},
    {12111, "FTPセッションが切断されました。"},
    {12158, "ファイルをキャッシュ出来ません。"},
    {12159, "TCP/IPプロトコルがインストールされていません。"},
    {12163, "ネットワークとの接続が失われました。"},
    {12164, "サーバーが見つかりません。"},
    {12165, "The designated proxy server cannot be reached."},
    {12166, "プロキシを自動的に設定できません。"},
    {12167, "The automatic proxy configuration script could not be downloaded. The INTERNET_FLAG_MUST_CACHE_REQUEST flag was set."},
    {12171, "セキュリティチェックの為、失敗しました。"},
};

}  // namespace

QString errorText(int code, const QString& serverReply) {
    if (code == Internet::Error::ExtendedError) {
        // The old reply buffer held 255 characters; a longer reply is cut
        // there rather than lost.
        const qsizetype nul = serverReply.indexOf(QChar(0));
        return (nul < 0 ? serverReply : serverReply.left(nul)).left(255);
    }
    for (const Row& row : kTexts)
        if (row.code == code) return QString::fromUtf8(row.text);
    return QStringLiteral("その他のエラー(&H") + QString::number(quint32(code), 16).toUpper() + QStringLiteral(")");
}

QString GetInternetErrorText() { return errorText(Internet::lastError(), Internet::lastResponse()); }

}  // namespace modWinInet
