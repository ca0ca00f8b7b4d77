#pragma once
// Every section and key of the per-user rarav.ini with its default, so that a
// window reads and writes a setting by one name. Section and key names match
// without regard to case (the editor's section is written "RaravEditer" and
// read "raravEditer" elsewhere).
#include <QString>

namespace RaravIni {

struct TextKey {
    const char* section;
    const char* key;
    const char* defaultValue = "";
};
struct IntKey {
    const char* section;
    const char* key;
    int defaultValue = 0;
};

QString read(const QString& iniFile, const TextKey& k);
int read(const QString& iniFile, const IntKey& k);
bool write(const QString& iniFile, const TextKey& k, const QString& value);
bool write(const QString& iniFile, const IntKey& k, int value);
// An integer key written with the text the user typed.
bool write(const QString& iniFile, const IntKey& k, const QString& value);

// [ALL]
inline constexpr TextKey DataPath{"ALL", "DataPath"};
inline constexpr TextKey SaveFilePath{"ALL", "SaveFilePath"};
inline constexpr TextKey SaveFileName{"ALL", "SaveFileName"};
inline constexpr TextKey DBVersion{"ALL", "DBVersion"};
inline constexpr TextKey MenuLanguage{"ALL", "MenuLanguage"};  // only "English" gives English
inline constexpr IntKey ClipWithHTML{"ALL", "ClipWithHTML"};
inline constexpr TextKey IMGPath{"ALL", "IMGPath"};
inline constexpr TextKey LoadCustPath{"ALL", "LoadCustPath"};
inline constexpr TextKey SaveCustPath{"ALL", "SaveCustPath"};
inline constexpr TextKey LogResistPath{"ALL", "LogResistPath"};

// [Initialize]
inline constexpr IntKey ShowStartUpForm{"Initialize", "ShowStartUpForm"};
inline constexpr IntKey WindowMaximize{"Initialize", "WindowMaximize"};
inline constexpr IntKey WindowPosition{"Initialize", "WindowPosition"};  // 0 calendar, 1 standard, 2 saved

// [ParentForm] (twips)
inline constexpr IntKey ParentTop{"ParentForm", "Top"};
inline constexpr IntKey ParentLeft{"ParentForm", "Left"};
inline constexpr IntKey ParentHeight{"ParentForm", "Height"};
inline constexpr IntKey ParentWidth{"ParentForm", "Width"};

// [Calender]
inline constexpr IntKey CalenderTop{"Calender", "Top"};
inline constexpr IntKey CalenderLeft{"Calender", "Left"};
inline constexpr TextKey CalenderBlog{"Calender", "Blog", "mixi"};

// [RaravEditer]; its Height default is computed from the main window.
inline constexpr IntKey EditerTop{"RaravEditer", "Top", 3250};
inline constexpr IntKey EditerLeft{"RaravEditer", "Left", 0};
inline constexpr IntKey EditerWidth{"RaravEditer", "Width", 4185};
inline constexpr IntKey EditerHeight{"RaravEditer", "Height", 0};
inline constexpr IntKey ContentsFontSize{"RaravEditer", "ContentsFontSize", 12};
inline constexpr TextKey P_TagAdd{"raravEditer", "P_TagAdd"};

// [Browser]; Width and Height defaults are computed from the main window.
inline constexpr IntKey BrowserTop{"Browser", "Top", 0};
inline constexpr IntKey BrowserLeft{"Browser", "Left", 4185};
inline constexpr IntKey BrowserWidth{"Browser", "Width", 0};
inline constexpr IntKey BrowserHeight{"Browser", "Height", 0};
inline constexpr IntKey FavoriteSort{"Browser", "FavoriteSort"};
inline constexpr IntKey FindHistory{"Browser", "FindHistory"};
inline constexpr IntKey URLHistory{"Browser", "URLHistory"};
inline constexpr IntKey FindSite{"Browser", "FindSite"};

// [Customize]
inline constexpr TextKey CustomizeIniFileName{"Customize", "IniFileName"};
inline constexpr IntKey CustomizeRealTime{"Customize", "RealTime"};
inline constexpr IntKey CustomizeWindowPosTop{"Customize", "WindowPosTop"};
inline constexpr IntKey CustomizeWindowPosLeft{"Customize", "WindowPosLeft"};
inline constexpr IntKey CstSlctWindowPosTop{"Customize", "CstSlct_WindowPosTop"};
inline constexpr IntKey CstSlctWindowPosLeft{"Customize", "CstSlct_WindowPosLeft"};

// [Frame], [RSS], [HaloScan], [Blog]
inline constexpr TextKey FrameIniFileName{"Frame", "IniFileName"};
inline constexpr IntKey FrameWindowPosTop{"Frame", "WindowPosTop"};
inline constexpr IntKey FrameWindowPosLeft{"Frame", "WindowPosLeft"};
inline constexpr TextKey RSSIniFileName{"RSS", "IniFileName"};
inline constexpr TextKey HaloScanIniFileName{"HaloScan", "IniFileName"};
inline constexpr TextKey BlogIniFileName{"Blog", "IniFileName"};

// [FTP], [FTP2]
inline constexpr TextKey FtpID{"FTP", "ID"};
inline constexpr TextKey FtpPass{"FTP", "Pass"};  // scrambled
inline constexpr TextKey FtpURL{"FTP", "URL"};
inline constexpr TextKey FtpStartFolder{"FTP", "StartFolder"};
inline constexpr IntKey FtpPASV{"FTP", "PASV"};
inline constexpr IntKey FtpPING{"FTP", "PING"};
inline constexpr IntKey HTMLOnlyUpload{"FTP2", "HTMLOnlyUpload"};
inline constexpr TextKey SoundFile{"FTP2", "SoundFile"};

// [Zettik]: default is the program folder.
inline constexpr TextKey ZettikPath{"Zettik", "Path"};
QString zettikPath(const QString& iniFile, const QString& myPath);

// Window positions of dialogs
inline constexpr IntKey PreferenceTop{"Preference", "Top"};
inline constexpr IntKey PreferenceLeft{"Preference", "Left"};
inline constexpr IntKey FindTop{"Find", "Top"};
inline constexpr IntKey FindLeft{"Find", "Left"};
inline constexpr IntKey ViewerTop{"PrevRaravViewer", "Top"};
inline constexpr IntKey ViewerLeft{"PrevRaravViewer", "Left"};
inline constexpr IntKey ViewerHeight{"PrevRaravViewer", "Height"};
inline constexpr IntKey ViewerWidth{"PrevRaravViewer", "Width"};

// [ImageTag]
inline constexpr TextKey AddDivText{"ImageTag", "AddDivText"};
inline constexpr TextKey TagOtherText{"ImageTag", "TagOtherText"};

// Windows of other folders
inline constexpr IntKey MiniBrowserWidth{"miniBrowser", "Width"};
inline constexpr TextKey BlogManagerBlog{"BlogManager", "Blog", "mixi"};
inline constexpr IntKey BlogManagerTop{"BlogManager", "Top"};
inline constexpr IntKey BlogManagerLeft{"BlogManager", "Left"};
inline constexpr IntKey ExportTop{"Export", "Top"};
inline constexpr IntKey ExportLeft{"Export", "Left"};
inline constexpr TextKey ExportCustName{"ExportCustFile", "Name"};
inline constexpr TextKey ExportCustEMail{"ExportCustFile", "E-Mail"};
inline constexpr TextKey ExportCustURL{"ExportCustFile", "URL"};
inline constexpr IntKey ExportCustTop{"ExportCustFile", "Top"};
inline constexpr IntKey ExportCustLeft{"ExportCustFile", "Left"};
inline constexpr IntKey LogTop{"Log", "Top"};
inline constexpr IntKey LogLeft{"Log", "Left"};
inline constexpr TextKey FileResistDefaultLoadPath{"FileResist", "DefaultLoadPath"};

}  // namespace RaravIni
